// Reads the program's command line: the argument parser and the handling of
// the options (" -q", " -s", " -u", " -f", " -r", " -a", " -y", " -l",
// " -d"). Options are found by a plain, case-sensitive search for their three
// characters (blank, dash, letter) in what follows the program's path, so
// they count inside other options' arguments too, but never in the path.
#pragma once

#include "installer/start_up_values.h"

#include <cstddef>

struct InstallLog;

// Copies the argument that begins at position (after any blanks and tabs)
// into destination (capacity bytes, NUL included). A double quote starts a
// quoted argument that runs to the next double quote or the end, keeping its
// blanks; otherwise the argument runs to the next white-space character, and
// any double quotes inside it are kept. A missing argument is the empty text.
// When the argument does not fit, destination holds its first capacity - 1
// characters and *fits (when given) is false; else *fits is true.
// Returns the position where the next parse continues: just past the closing
// quote, or just past the unquoted characters, or the end of the text - the
// same whether the argument fitted or not.
const char* ParseArgument(char* destination, size_t capacity, const char* position, bool* fits);

template <size_t N>
const char* ParseArgument(char (&destination)[N], const char* position, bool* fits)
{
    return ParseArgument(destination, N, position, fits);
}

// True when commandLine holds " -q": no splash page, no status texts.
bool HasQuietOption(const char* commandLine);

// True when commandLine holds " -a" or " -r", the packaging modes.
bool AsksForPackaging(const char* commandLine);

// Handles every option but " -q", in this order: the script name (default,
// then " -s"), each " -u" into values->targets, each " -f" into
// values->files, then the packaging modes " -r" (strip) and " -a" (append),
// each of which sets
// values->abortRun whatever its outcome, and values->exitCode to
// kExitPackagingFailed when it failed or refused (a signed installer).
// A 26th " -u" or a 7th " -f" is ignored; a user name is cut to its limit,
// a script name that does not fit leaves the name empty (no script).
// A path that does not fit is never cut into another path: such a " -f" is
// ignored, such a " -r" strips nothing, and such a " -a" shows the box that
// the append would have shown for the path concerned, without appending.
// An append that fails is told through log.
void HandleOptions(const char* commandLine, InstallLog* log, StartUpValues* values);

// What the options for deployment ask for.
struct DeploymentOptions {
    // " -y": no page and no box; each page is answered with its default.
    bool unattended;
    // " -l FILE": the log to append to. Empty with logAsked set when FILE
    // is missing or does not fit: such a log cannot be written.
    bool logAsked;
    char logPath[kFilePathChars + 1];
    // " -d FOLDER": install into this folder instead of for Palm users.
    // Empty with toFolder set when FOLDER is missing or does not fit: then
    // nothing can be written there.
    bool toFolder;
    char folder[kFilePathChars + 1];
};

// Reads " -y", and the argument of the first " -l" and the first " -d" as
// " -s" reads its name. A path that does not fit is never cut into another
// path: it is left empty.
DeploymentOptions ReadDeploymentOptions(const char* commandLine);
