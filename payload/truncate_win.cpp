// Win32 side of cutting a file to a length, for stripping payload records:
// the buffered streams have no way to shorten a file.
#include "driver/platform.h"

#include <windows.h>

int TruncateFileAt(const char* path, int32_t length)
{
    if (length < 0)
        return -1;
    HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return -1;
    // Below 2 GiB the high part of the position is not needed.
    bool cut = SetFilePointer(file, length, nullptr, FILE_BEGIN) != INVALID_SET_FILE_POINTER
        && SetEndOfFile(file);
    bool closed = CloseHandle(file);
    return cut && closed ? 0 : -1;
}
