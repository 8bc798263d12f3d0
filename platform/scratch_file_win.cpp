// Win32 side of the scratch file, in a file of its own: only the packager
// calls it, and the installer must not import what it needs.
#include "platform/files.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

FILE* OpenScratchFile()
{
    // Not tmpfile(): msvcrt makes that in the drive's root folder, which a
    // user without administrator rights cannot write.
    char folder[MAX_PATH + 1];
    char path[MAX_PATH + 1];
    DWORD length = GetTempPathA(sizeof folder, folder);
    if (length == 0 || length >= sizeof folder || !GetTempFileNameA(folder, "vnt", 0, path))
        return nullptr;
    HANDLE handle = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        DeleteFileA(path);
        return nullptr;
    }
    int descriptor = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_RDWR | _O_BINARY);
    if (descriptor < 0) {
        CloseHandle(handle);
        return nullptr;
    }
    FILE* file = _fdopen(descriptor, "w+b");
    if (!file)
        _close(descriptor);
    return file;
}
