// Bounded text helpers: every copy into a fixed buffer goes through these.
// Each always leaves the destination NUL-terminated and reports a cut.
#pragma once

#include <cstddef>

// Copies src into dst (capacity bytes, NUL included). Returns 0, or -1 when
// src did not fit and was cut to capacity - 1 characters.
int CopyText(char* dst, size_t capacity, const char* src);

// Copies at most count characters of src (stopping early at a NUL).
// Returns 0, or -1 when they did not fit and were cut.
int CopyTextPart(char* dst, size_t capacity, const char* src, size_t count);

// Appends src to the text already in dst. Returns 0, or -1 when cut.
int AppendText(char* dst, size_t capacity, const char* src);

// Formats into dst. Understands %s, %d and %%; nothing else, which is all
// the system's texts need (no printf family: it would double the program).
// Returns 0, or -1 when the result was cut to fit.
int FormatText(char* dst, size_t capacity, const char* format, ...);

// Length of the text FormatText would produce, NUL not counted; lets a
// caller size a buffer so that a message is never cut.
size_t FormattedLength(const char* format, ...);

// True when a and b are equal, ASCII letters compared without regard to case.
bool EqualsIgnoringCase(const char* a, const char* b);

// True when text begins with prefix, ASCII letters compared without regard
// to case, over exactly the prefix's length.
bool StartsWithIgnoringCase(const char* text, const char* prefix);

template <size_t N>
int CopyText(char (&dst)[N], const char* src)
{
    return CopyText(dst, N, src);
}

template <size_t N>
int AppendText(char (&dst)[N], const char* src)
{
    return AppendText(dst, N, src);
}
