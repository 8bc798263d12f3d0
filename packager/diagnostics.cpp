// Printing the packager's messages and counting them.
#include "packager/diagnostics.h"

#include <cstdarg>
#include <cstdio>
#include <string>

namespace {

MessageLevel gLevel = MessageLevel::kNormal;

// text with control characters escaped: messages quote script lines and
// names, whose tabs and stray bytes would otherwise be invisible or move the
// terminal's cursor.
std::string Escaped(const std::string& text)
{
    std::string shown;
    for (unsigned char c : text) {
        char escaped[8];
        if (c == '\t') {
            shown += "\\t";
        } else if (c < 0x20 || c == 0x7F) {
            snprintf(escaped, sizeof escaped, "\\x%02X", c);
            shown += escaped;
        } else {
            shown += static_cast<char>(c);
        }
    }
    return shown;
}

__attribute__((format(printf, 1, 0)))
std::string Format(const char* format, va_list args)
{
    va_list copy;
    va_copy(copy, args);
    int length = vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    if (length <= 0)
        return std::string();
    std::string text(static_cast<size_t>(length) + 1, '\0');
    vsnprintf(text.data(), text.size(), format, args);
    text.pop_back();
    return text;
}

__attribute__((format(printf, 4, 0)))
void Print(const char* file, int line, const char* severity, const char* format, va_list args)
{
    std::string where = Escaped(file);
    if (line > 0)
        where += ":" + std::to_string(line);
    fprintf(stderr, "%s: %s: %s\n", where.c_str(), severity, Escaped(Format(format, args)).c_str());
}

// One line of news on standard output.
__attribute__((format(printf, 1, 0)))
void PrintLine(const char* format, va_list args)
{
    vprintf(format, args);
    putchar('\n');
}

} // namespace

void SetMessageLevel(MessageLevel level)
{
    gLevel = level;
}

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
    if (gLevel != MessageLevel::kErrors || diagnostics->strict)
        Print(file, line, "warning", format, args);
    va_end(args);
    diagnostics->warnings++;
}

void Note(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    if (gLevel != MessageLevel::kErrors)
        PrintLine(format, args);
    va_end(args);
}

void Detail(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    if (gLevel == MessageLevel::kVerbose)
        PrintLine(format, args);
    va_end(args);
}

bool HasFailed(const Diagnostics& diagnostics)
{
    return diagnostics.errors > 0 || (diagnostics.strict && diagnostics.warnings > 0);
}

void PrintDiagnosticsSummary(const Diagnostics& diagnostics)
{
    if ((diagnostics.errors == 0 && diagnostics.warnings == 0) || gLevel == MessageLevel::kErrors)
        return;
    fprintf(stderr, "%d error%s, %d warning%s%s\n", diagnostics.errors, diagnostics.errors == 1 ? "" : "s",
            diagnostics.warnings, diagnostics.warnings == 1 ? "" : "s",
            diagnostics.strict && diagnostics.warnings > 0 ? " (warnings are errors with --strict)" : "");
}

std::string Printable(const char* text)
{
    std::string printable;
    for (const unsigned char* c = reinterpret_cast<const unsigned char*>(text); *c; c++) {
        char escaped[5];
        snprintf(escaped, sizeof escaped, *c >= 0x20 && *c < 0x7F ? "%c" : "\\x%02X", *c);
        printable += escaped;
    }
    return printable;
}
