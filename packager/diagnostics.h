// The packager's messages, in the form compilers use: "file:line: error: ...",
// "file: warning: ...". Every problem is reported, not only the first.
#pragma once

struct Diagnostics {
    int errors = 0;
    int warnings = 0;
    bool strict = false; // warnings fail the run too
};

// Prints one message to standard error. line 0 names the file alone.
void ReportError(Diagnostics* diagnostics, const char* file, int line, const char* format, ...)
    __attribute__((format(printf, 4, 5)));
void ReportWarning(Diagnostics* diagnostics, const char* file, int line, const char* format, ...)
    __attribute__((format(printf, 4, 5)));

// True when the run must not produce its output.
bool HasFailed(const Diagnostics& diagnostics);

// Prints "N error(s), M warning(s)" when there was anything to say.
void PrintDiagnosticsSummary(const Diagnostics& diagnostics);
