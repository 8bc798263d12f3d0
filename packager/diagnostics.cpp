// Printing the packager's messages and counting them.
#include "packager/diagnostics.h"

#include <cstdarg>
#include <cstdio>

namespace {

__attribute__((format(printf, 4, 0)))
void Print(const char* file, int line, const char* severity, const char* format, va_list args)
{
    if (line > 0)
        fprintf(stderr, "%s:%d: %s: ", file, line, severity);
    else
        fprintf(stderr, "%s: %s: ", file, severity);
    vfprintf(stderr, format, args);
    fputc('\n', stderr);
}

} // namespace

void ReportError(Diagnostics* diagnostics, const char* file, int line, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    Print(file, line, "error", format, args);
    va_end(args);
    diagnostics->errors++;
}

void ReportWarning(Diagnostics* diagnostics, const char* file, int line, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    Print(file, line, "warning", format, args);
    va_end(args);
    diagnostics->warnings++;
}

bool HasFailed(const Diagnostics& diagnostics)
{
    return diagnostics.errors > 0 || (diagnostics.strict && diagnostics.warnings > 0);
}

void PrintDiagnosticsSummary(const Diagnostics& diagnostics)
{
    if (diagnostics.errors == 0 && diagnostics.warnings == 0)
        return;
    fprintf(stderr, "%d error%s, %d warning%s%s\n", diagnostics.errors, diagnostics.errors == 1 ? "" : "s",
            diagnostics.warnings, diagnostics.warnings == 1 ? "" : "s",
            diagnostics.strict && diagnostics.warnings > 0 ? " (warnings are errors with --strict)" : "");
}
