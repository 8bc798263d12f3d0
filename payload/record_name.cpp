// The record name that an appended file's path gives.
#include "payload/record_format.h"

#include "base/bounded_text.h"

#include <cstring>

static bool IsAsciiLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

int TakeRecordName(const char* path, char (&name)[kRecordNameChars + 1])
{
    const char* start = path;
    for (const char* p = path; *p; p++) {
        if (*p == '\\' || *p == '/')
            start = p + 1;
    }
    if (start == path && IsAsciiLetter(path[0]) && path[1] == ':')
        start = path + 2;

    const char* dot = strrchr(start, '.');
    if (strlen(start) > kRecordNameChars || (dot && strlen(dot) > kRecordExtensionChars)) {
        name[0] = '\0';
        return -1;
    }
    return CopyText(name, start);
}
