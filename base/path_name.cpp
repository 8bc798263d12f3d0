// The last component of a path and its extension.
#include "base/path_name.h"

#include <cstring>

const char* LastPathComponent(const char* path)
{
    const char* start = path;
    for (const char* p = path; *p; p++) {
        if (*p == '\\' || *p == '/')
            start = p + 1;
    }
    bool letter = (path[0] >= 'a' && path[0] <= 'z') || (path[0] >= 'A' && path[0] <= 'Z');
    if (start == path && letter && path[1] == ':')
        start = path + 2;
    return start;
}

const char* ExtensionOf(const char* name)
{
    const char* dot = strrchr(name, '.');
    return dot ? dot : name + strlen(name);
}
