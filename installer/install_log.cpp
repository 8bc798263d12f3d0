// The install log: timestamped lines appended to a text file.
#include "installer/install_log.h"

#include "installer/command_line.h"

#include "base/bounded_text.h"
#include "platform/clock.h"
#include "ui/pages.h"

#include <cstdio>
#include <initializer_list>

namespace {

// The longest text of an unsigned 32-bit number, and its NUL.
constexpr size_t kDecimalBytes = 11;

// Writes value in decimal into digits. Returns the start of its text. (In
// 32 bits: 64-bit division would bring the program 750 bytes of libgcc.)
const char* Decimal(uint32_t value, char (&digits)[kDecimalBytes])
{
    char* p = digits + sizeof digits - 1;
    *p = '\0';
    do {
        *--p = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0);
    return p;
}

// Puts value as two digits at p (the clock gives 0 to 99 past the century).
void PutTwoDigits(char* p, unsigned value)
{
    p[0] = static_cast<char>('0' + value / 10 % 10);
    p[1] = static_cast<char>('0' + value % 10);
}

// Writes the line to file. Returns whether every write succeeded.
bool PutLine(FILE* file, std::initializer_list<const char*> parts)
{
    LocalTime now = ReadLocalTime();
    char stamp[] = "0000-00-00 00:00:00 ";
    PutTwoDigits(stamp, now.year / 100);
    PutTwoDigits(stamp + 2, now.year);
    PutTwoDigits(stamp + 5, now.month);
    PutTwoDigits(stamp + 8, now.day);
    PutTwoDigits(stamp + 11, now.hour);
    PutTwoDigits(stamp + 14, now.minute);
    PutTwoDigits(stamp + 17, now.second);
    fputs(stamp, file);
    for (const char* part : parts) {
        for (const char* p = part; *p; p++) {
            bool lineBreak = *p == '\r' || *p == '\n';
            if (!lineBreak)
                putc(*p, file);
            else if (p[1] != '\r' && p[1] != '\n')
                putc(' ', file);
        }
    }
    fputs("\r\n", file);
    // A failed final flush may go unreported by fclose (seen under Wine on
    // a full disk): the stream's error state says it.
    return fflush(file) == 0 && !ferror(file);
}

// Appends the line of the parts to the log, as the header says.
void WriteLogLine(InstallLog* log, std::initializer_list<const char*> parts)
{
    if (!log->asked || log->failed)
        return;
    // Opened for each line: whatever ends the run, the lines before are in
    // the file.
    FILE* file = log->path[0] ? fopen(log->path, "ab") : nullptr;
    bool written = file && PutLine(file, parts);
    if (file && fclose(file) != 0)
        written = false;
    if (written)
        return;
    log->failed = true;
    if (!log->unattended) {
        char message[sizeof "Cannot write to log file " + kFilePathChars];
        FormatText(message, sizeof message, "Cannot write to log file %s", log->path);
        ShowMessageBox(message, "Log Error");
    }
}

} // namespace

InstallLog MakeInstallLog(const DeploymentOptions& options)
{
    InstallLog log = {options.logAsked, options.unattended, false, {}};
    CopyText(log.path, options.logPath);
    return log;
}


void Tell(InstallLog* log, const char* text, const char* caption)
{
    WriteLogLine(log, {"error: ", caption, ": ", text});
    if (!log->unattended)
        ShowMessageBox(text, caption);
}

void LogRunStart(InstallLog* log, const char* commandLine)
{
    WriteLogLine(log, {"Vantrel " VANTREL_VERSION ", command line: ", commandLine});
}

void LogPalmUsers(InstallLog* log, const PalmUsers& users)
{
    WriteLogLine(log, {"Palm folder: ", users.palmFolder});
    for (int i = 0; i < users.count; i++)
        WriteLogLine(log, {"Palm user: ", users.users[i].displayName, ", install folder ", users.users[i].installPath});
}

void LogDatabaseInstalled(InstallLog* log, const char* source, const char* destination, int64_t bytes)
{
    char digits[kDecimalBytes];
    const char* size = bytes < 0            ? "unknown"
                     : bytes > UINT32_MAX ? "4 GiB or more"
                                          : Decimal(static_cast<uint32_t>(bytes), digits);
    WriteLogLine(log, {"installed ", source, " as ", destination, ", ", size, " bytes"});
}

void LogHotSyncFlagSet(InstallLog* log, const PalmUser& user)
{
    char flag[sizeof "Install-32768"];
    FormatText(flag, sizeof flag, "Install%d", user.userNumber);
    WriteLogLine(log, {"HotSync flag ", flag, " set for ", user.displayName});
}

void LogExit(InstallLog* log, int exitCode)
{
    char line[sizeof "exit -2147483648"];
    FormatText(line, sizeof line, "exit %d", exitCode);
    WriteLogLine(log, {line});
}
