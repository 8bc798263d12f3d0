// Cleaning and splitting the path of a file slot.
#include "palm/slot_path.h"

#include "base/bounded_text.h"

#include <cstring>

void CleanSlotPath(char* path)
{
    size_t length = strlen(path);
    while (length > 0 && (path[length - 1] == '\n' || path[length - 1] == '\r'))
        path[--length] = '\0';
    while (length > 0 && (path[length - 1] == ' ' || path[length - 1] == '\t'))
        path[--length] = '\0';
}

void SplitWindowsPath(const char* path, SplitPath* parts)
{
    const char* rest = path;
    if (rest[0] != '\0' && rest[1] == ':') {
        CopyTextPart(parts->drive, sizeof parts->drive, rest, kDriveChars);
        rest += kDriveChars;
    } else {
        parts->drive[0] = '\0';
    }

    const char* name = rest;
    for (const char* p = rest; *p; p++) {
        if (*p == '\\' || *p == '/')
            name = p + 1;
    }
    CopyTextPart(parts->folder, sizeof parts->folder, rest, static_cast<size_t>(name - rest));

    const char* dot = strrchr(name, '.');
    size_t baseLength = dot ? static_cast<size_t>(dot - name) : strlen(name);
    CopyTextPart(parts->baseName, sizeof parts->baseName, name, baseLength);
    CopyText(parts->extension, sizeof parts->extension, dot ? dot : "");
}
