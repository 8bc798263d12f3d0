// The argument parser and the handling of the command-line options.
#include "installer/command_line.h"

#include "base/bounded_text.h"
#include "installer/install_log.h"
#include "payload/payload_archive.h"

#include <cstring>

namespace {

bool IsWhiteSpace(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// The option's characters are followed by its argument; every option is
// three characters long (blank, dash, letter).
constexpr size_t kOptionChars = 3;

const char* ArgumentOf(const char* option)
{
    return option + kOptionChars;
}

// Where the arguments begin: past the program's path at the front of the
// command line, split as the C runtime splits its first argument (double
// quotes group, and the path ends at the first blank or tab outside them;
// no escape character). Points at that blank, so that an option right after
// the path is still found by its blank.
const char* ProgramArguments(const char* commandLine)
{
    bool quoted = false;
    const char* p = commandLine;
    for (; *p && (quoted || (*p != ' ' && *p != '\t')); p++) {
        if (*p == '"')
            quoted = !quoted;
    }
    return p;
}

// The first occurrence of option in the arguments that follow the
// program's path, or nullptr.
const char* FindOption(const char* commandLine, const char* option)
{
    return strstr(ProgramArguments(commandLine), option);
}

// Parses the argument of the first option into destination (capacity
// bytes), leaving it empty when the argument does not fit: cut, a name or
// path could name another file. Untouched when the option is absent.
// Returns whether the option was given.
bool ReadFirstArgument(const char* commandLine, const char* option, char* destination, size_t capacity)
{
    const char* found = FindOption(commandLine, option);
    bool fits = true;
    if (found)
        ParseArgument(destination, capacity, ArgumentOf(found), &fits);
    if (!fits)
        destination[0] = '\0';
    return found != nullptr;
}

void AddTargetUsers(const char* commandLine, StartUpValues* values)
{
    for (const char* option = FindOption(commandLine, " -u");
         option && values->targetCount < kMaxTargetUsers;
         option = strstr(ArgumentOf(option), " -u")) {
        // A cut name is kept: it simply matches no user.
        TargetUser& target = values->targets[values->targetCount++];
        ParseArgument(target.name, ArgumentOf(option), nullptr);
        target.userIndex = -1;
    }
}

void AddFiles(const char* commandLine, StartUpValues* values)
{
    for (const char* option = FindOption(commandLine, " -f");
         option && values->fileCount < kFileSlotCount;
         option = strstr(ArgumentOf(option), " -f")) {
        bool fits;
        ParseArgument(values->files[values->fileCount], ArgumentOf(option), &fits);
        if (fits)
            values->fileCount++;
    }
}

void StripIfAsked(const char* commandLine, StartUpValues* values)
{
    const char* option = FindOption(commandLine, " -r");
    if (!option)
        return;
    char exePath[kFilePathChars + 1];
    bool fits;
    ParseArgument(exePath, ArgumentOf(option), &fits);
    // Stripping stays silent, failed or not; only the exit code tells. A
    // file that cannot be written is refused before anything else.
    if (!fits || StripPayloadRecords(exePath, true).fault != PayloadFault::kNone)
        values->exitCode = kExitPackagingFailed;
    values->abortRun = true;
}

// Tells the user why an append failed, in the box the packager has always seen.
void ReportAppendFailure(PayloadFault fault, InstallLog* log)
{
    const char* text = "Cannot write to executable file";
    if (fault == PayloadFault::kNameTooLong)
        text = "Input file name is too long";
    else if (fault == PayloadFault::kCannotReadInput)
        text = "Cannot open input file for read";
    else if (fault == PayloadFault::kCannotOpen)
        text = "Cannot open executable file for write";
    else if (fault == PayloadFault::kSigned)
        text = kSignedRefusal;
    Tell(log, text, "Append Error");
}

void AppendIfAsked(const char* commandLine, InstallLog* log, StartUpValues* values)
{
    const char* option = FindOption(commandLine, " -a");
    if (!option)
        return;
    char exePath[kFilePathChars + 1];
    char inputPath[kFilePathChars + 1];
    bool exeFits;
    bool inputFits;
    const char* next = ParseArgument(exePath, ArgumentOf(option), &exeFits);
    ParseArgument(inputPath, next, &inputFits);
    // A cut path could name another file; report what the append would have
    // reported for the path concerned, in its order (the input is opened first).
    PayloadFault fault = PayloadFault::kNone;
    if (!inputFits)
        fault = PayloadFault::kCannotReadInput;
    else if (!exeFits)
        fault = PayloadFault::kCannotOpen;
    else
        fault = AppendPayloadRecord(exePath, inputPath).fault;
    if (fault != PayloadFault::kNone) {
        ReportAppendFailure(fault, log);
        values->exitCode = kExitPackagingFailed;
    }
    values->abortRun = true;
}

}  // namespace

const char* ParseArgument(char* destination, size_t capacity, const char* position, bool* fits)
{
    while (*position == ' ' || *position == '\t')
        position++;
    const char* start = position;
    const char* next;
    if (*position == '"') {
        // No escape character: a backslash is an ordinary character.
        start = position + 1;
        position = start;
        while (*position && *position != '"')
            position++;
        next = *position ? position + 1 : position;
    } else {
        while (*position && !IsWhiteSpace(*position))
            position++;
        next = position;
    }
    bool fitted = CopyTextPart(destination, capacity, start,
                               static_cast<size_t>(position - start)) == 0;
    if (fits)
        *fits = fitted;
    return next;
}

bool HasQuietOption(const char* commandLine)
{
    return FindOption(commandLine, " -q") != nullptr;
}

bool AsksForPackaging(const char* commandLine)
{
    return FindOption(commandLine, " -a") || FindOption(commandLine, " -r");
}

DeploymentOptions ReadDeploymentOptions(const char* commandLine)
{
    DeploymentOptions options;
    options.unattended = FindOption(commandLine, " -y") != nullptr;
    options.logPath[0] = '\0';
    options.folder[0] = '\0';
    options.logAsked = ReadFirstArgument(commandLine, " -l", options.logPath, sizeof options.logPath);
    options.toFolder = ReadFirstArgument(commandLine, " -d", options.folder, sizeof options.folder);
    return options;
}

void HandleOptions(const char* commandLine, InstallLog* log, StartUpValues* values)
{
    CopyText(values->scriptName, kScriptRecordName);

    ReadFirstArgument(commandLine, " -s", values->scriptName, sizeof values->scriptName);
    AddTargetUsers(commandLine, values);
    AddFiles(commandLine, values);
    // Stripping comes first, so "-r x -a x f" leaves f as the only record.
    StripIfAsked(commandLine, values);
    AppendIfAsked(commandLine, log, values);
}
