// The argument parser and the handling of the command-line options.
#include "installer/command_line.h"

#include "base/bounded_text.h"
#include "base/install_state.h"
#include "payload/payload_archive.h"
#include "ui/pages.h"

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

void AddTargetUsers(const char* commandLine)
{
    for (const char* option = strstr(commandLine, " -u");
         option && gState.targetCount < kMaxTargetUsers;
         option = strstr(ArgumentOf(option), " -u")) {
        // A cut name is kept: it simply matches no user.
        TargetUser& target = gState.targets[gState.targetCount++];
        ParseArgument(target.name, ArgumentOf(option), nullptr);
        target.userIndex = -1;
    }
}

void FillFileSlots(const char* commandLine)
{
    for (const char* option = strstr(commandLine, " -f");
         option && gState.fileCount < kFileSlotCount;
         option = strstr(ArgumentOf(option), " -f")) {
        char path[kFilePathChars + 1];
        bool fits;
        ParseArgument(path, ArgumentOf(option), &fits);
        if (!fits)
            continue;
        FileSlot* slot = &gState.files[gState.fileCount];
        CopyText(slot->path, path);
        slot->selected = true;
        gState.fileCount++;
    }
}

void StripIfAsked(const char* commandLine, StartUpValues* values)
{
    const char* option = strstr(commandLine, " -r");
    if (!option)
        return;
    char exePath[kFilePathChars + 1];
    bool fits;
    ParseArgument(exePath, ArgumentOf(option), &fits);
    // Stripping stays silent, failed or not; only the exit code tells.
    if (!fits || StripPayloadRecords(exePath) != 0)
        values->exitCode = kExitPackagingFailed;
    values->abortRun = true;
}

// Tells the user why an append failed, in the box the packager has always seen.
void ReportAppendFailure(int result)
{
    const char* text = "Cannot write to executable file";
    if (result == kAppendNameTooLong)
        text = "Input file name is too long";
    else if (result == kAppendCannotReadInput)
        text = "Cannot open input file for read";
    else if (result == kAppendCannotOpenExecutable)
        text = "Cannot open executable file for write";
    else if (result == kAppendSigned)
        text = "The installer is signed. Append files before signing it, or remove its signature first.";
    ShowMessageBox(text, "Append Error");
}

void AppendIfAsked(const char* commandLine, StartUpValues* values)
{
    const char* option = strstr(commandLine, " -a");
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
    int result = kAppended;
    if (!inputFits)
        result = kAppendCannotReadInput;
    else if (!exeFits)
        result = kAppendCannotOpenExecutable;
    else
        result = AppendPayloadRecord(exePath, inputPath);
    if (result != kAppended) {
        ReportAppendFailure(result);
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

void ReadQuietOption(const char* commandLine)
{
    if (strstr(commandLine, " -q"))
        gState.quiet = true;
}

bool AsksForPackaging(const char* commandLine)
{
    return strstr(commandLine, " -a") || strstr(commandLine, " -r");
}

void HandleOptions(const char* commandLine, StartUpValues* values)
{
    CopyText(values->scriptName, kDefaultScriptName);
    gState.targetCount = 0;
    gState.fileCount = 0;

    const char* option = strstr(commandLine, " -s");
    bool fits = true;
    if (option)
        ParseArgument(values->scriptName, ArgumentOf(option), &fits);
    if (!fits)
        values->scriptName[0] = '\0';
    AddTargetUsers(commandLine);
    FillFileSlots(commandLine);
    // Stripping comes first, so "-r x -a x f" leaves f as the only record.
    StripIfAsked(commandLine, values);
    AppendIfAsked(commandLine, values);
}
