// Win32 side of the file operations that buffered streams cannot do.
#include "platform/files.h"

#include <io.h>
#include <windows.h>

int CopyFileReplacing(const char* source, const char* destination)
{
    return CopyFileA(source, destination, FALSE) ? 0 : -1;
}

int DeleteFileOnly(const char* path)
{
    return DeleteFileA(path) ? 0 : -1;
}

int TruncateFileAt(const char* path, int64_t length)
{
    if (length < 0)
        return -1;
    HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return -1;
    LONG high = static_cast<LONG>(length >> 32);
    DWORD low = SetFilePointer(file, static_cast<LONG>(length & 0xFFFFFFFF), &high, FILE_BEGIN);
    // A low part of all ones is a valid position too; only the error says.
    bool placed = low != INVALID_SET_FILE_POINTER || GetLastError() == NO_ERROR;
    bool cut = placed && SetEndOfFile(file);
    bool closed = CloseHandle(file);
    return cut && closed ? 0 : -1;
}

int ReplaceFileWith(const char* source, const char* target)
{
    return MoveFileExA(source, target, MOVEFILE_REPLACE_EXISTING) ? 0 : -1;
}

int64_t MeasureOpenFile(FILE* file)
{
    // The C runtime's ftell has 32 bits here; Windows XP's msvcrt has this.
    return _filelengthi64(_fileno(file));
}
