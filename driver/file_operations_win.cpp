// Win32 side of the file operations the copy stage needs.
#include "driver/platform.h"

#include <windows.h>

int CopyFileReplacing(const char* source, const char* destination)
{
    return CopyFileA(source, destination, FALSE) ? 0 : -1;
}

int DeleteFileOnly(const char* path)
{
    return DeleteFileA(path) ? 0 : -1;
}
