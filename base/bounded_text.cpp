// Bounded copies and the system's own small formatter.
#include "base/bounded_text.h"

#include <cstdarg>
#include <cstring>

int CopyTextPart(char* dst, size_t capacity, const char* src, size_t count)
{
    if (capacity == 0)
        return -1;
    size_t n = strnlen(src, count);
    int result = 0;
    if (n > capacity - 1) {
        n = capacity - 1;
        result = -1;
    }
    memcpy(dst, src, n);
    dst[n] = '\0';
    return result;
}

int CopyText(char* dst, size_t capacity, const char* src)
{
    size_t n = strlen(src);
    return CopyTextPart(dst, capacity, src, n);
}

int AppendText(char* dst, size_t capacity, const char* src)
{
    size_t used = strnlen(dst, capacity);
    if (used == capacity)
        return -1;
    return CopyText(dst + used, capacity - used, src);
}

namespace {

// Writes into a buffer that may be absent (only counting) or too small
// (counting on past its end), so one routine serves both sizing and writing.
struct Sink {
    char* dst;
    size_t capacity;
    size_t length;
};

void Put(Sink* sink, char c)
{
    if (sink->dst && sink->length + 1 < sink->capacity)
        sink->dst[sink->length] = c;
    sink->length++;
}

void PutNumber(Sink* sink, int value)
{
    char digits[12];
    int count = 0;
    // Work in unsigned so that INT_MIN has a magnitude.
    unsigned magnitude = value < 0 ? 0u - static_cast<unsigned>(value) : static_cast<unsigned>(value);
    do {
        digits[count++] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (value < 0)
        Put(sink, '-');
    while (count > 0)
        Put(sink, digits[--count]);
}

void Format(Sink* sink, const char* format, va_list args)
{
    for (const char* p = format; *p; p++) {
        if (*p != '%') {
            Put(sink, *p);
            continue;
        }
        char kind = p[1];
        if (kind == 's') {
            const char* s = va_arg(args, const char*);
            for (; s && *s; s++)
                Put(sink, *s);
            p++;
        } else if (kind == 'd') {
            PutNumber(sink, va_arg(args, int));
            p++;
        } else if (kind == '%') {
            Put(sink, '%');
            p++;
        } else {
            Put(sink, '%');
        }
    }
    if (sink->dst && sink->capacity > 0)
        sink->dst[sink->length < sink->capacity ? sink->length : sink->capacity - 1] = '\0';
}

} // namespace

int FormatText(char* dst, size_t capacity, const char* format, ...)
{
    Sink sink = {dst, capacity, 0};
    va_list args;
    va_start(args, format);
    Format(&sink, format, args);
    va_end(args);
    return sink.length < capacity ? 0 : -1;
}

size_t FormattedLength(const char* format, ...)
{
    Sink sink = {nullptr, 0, 0};
    va_list args;
    va_start(args, format);
    Format(&sink, format, args);
    va_end(args);
    return sink.length;
}

static char LowerAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualsIgnoringCase(const char* a, const char* b)
{
    for (; *a && *b; a++, b++) {
        if (LowerAscii(*a) != LowerAscii(*b))
            return false;
    }
    return *a == *b;
}

bool StartsWithIgnoringCase(const char* text, const char* prefix)
{
    for (; *prefix; text++, prefix++) {
        if (*text == '\0' || LowerAscii(*text) != LowerAscii(*prefix))
            return false;
    }
    return true;
}
