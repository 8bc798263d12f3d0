// The packager's messages, in the form compilers use: "file:line: error: ...",
// "file: warning: ...". Every problem is reported, not only the first.
#pragma once

#include <string>

struct Diagnostics {
    int errors = 0;
    int warnings = 0;
    bool strict = false; // warnings fail the run too
};

// How much the packager says, set once from the command line: errors only
// (-q), the usual, or also each record as it is written (-v).
enum class MessageLevel { kErrors, kNormal, kVerbose };
void SetMessageLevel(MessageLevel level);

// Prints one message to standard error. line 0 names the file alone.
// Control characters in the text (a tab in a quoted script line) are shown
// escaped, as \t or \xNN. A warning is counted but not printed with -q,
// unless --strict makes it fail the run.
void ReportError(Diagnostics* diagnostics, const char* file, int line, const char* format, ...)
    __attribute__((format(printf, 4, 5)));
void ReportWarning(Diagnostics* diagnostics, const char* file, int line, const char* format, ...)
    __attribute__((format(printf, 4, 5)));

// Prints one line of news to standard output, but not with -q; Detail only
// with -v.
void Note(const char* format, ...) __attribute__((format(printf, 1, 2)));
void Detail(const char* format, ...) __attribute__((format(printf, 1, 2)));

// True when the run must not produce its output.
bool HasFailed(const Diagnostics& diagnostics);

// Prints "N error(s), M warning(s)" when there was anything to say (not
// with -q).
void PrintDiagnosticsSummary(const Diagnostics& diagnostics);

// text with every byte outside printable ASCII written as \xNN: names read
// from a stranger's installer can then neither steer the terminal nor forge
// a line of output.
std::string Printable(const char* text);
