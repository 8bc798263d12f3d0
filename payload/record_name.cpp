// The record name that an appended file's path gives.
#include "payload/record_format.h"

#include "base/bounded_text.h"
#include "base/path_name.h"

#include <cstring>

int TakeRecordName(const char* path, char (&name)[kRecordNameChars + 1])
{
    const char* start = LastPathComponent(path);
    if (strlen(start) > kRecordNameChars || strlen(ExtensionOf(start)) > kRecordExtensionChars) {
        name[0] = '\0';
        return -1;
    }
    return CopyText(name, start);
}
