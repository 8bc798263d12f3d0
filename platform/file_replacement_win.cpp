// Win32 side of making a file that is to take another's place.
#include "platform/file_replacement.h"

#include "base/bounded_text.h"
#include "base/path_name.h"

#include <windows.h>

FILE* CreateFileBeside(const char* target, char* path, size_t capacity)
{
    // GetTempFileNameA makes the file itself, under the first free name of
    // its sequence, and writes up to MAX_PATH characters.
    char folder[MAX_PATH];
    size_t folderChars = static_cast<size_t>(LastPathComponent(target) - target);
    if (capacity < MAX_PATH || CopyTextPart(folder, sizeof folder, target, folderChars) != 0
        || !GetTempFileNameA(folderChars ? folder : ".", "vtr", 0, path))
        return nullptr;
    FILE* file = fopen(path, "wb");
    if (!file)
        DeleteFileA(path);
    return file;
}

int TakePermissionsFor(const char*, const char*, bool)
{
    return 0;
}
