// Win32 side of the file operations that buffered streams cannot do.
#include "platform/files.h"

#include <io.h>
#include <windows.h>

namespace {

// The error of the call that just failed, never 0.
int Failure()
{
    DWORD error = GetLastError();
    return error ? static_cast<int>(error) : ERROR_GEN_FAILURE;
}

} // namespace

int MakeFolder(const char* path)
{
    return CreateDirectoryA(path, nullptr) ? 0 : Failure();
}

int DeleteFileOnly(const char* path)
{
    return DeleteFileA(path) ? 0 : Failure();
}

int TruncateFileAt(const char* path, int64_t length)
{
    if (length < 0)
        return ERROR_INVALID_PARAMETER;
    HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return Failure();
    LONG high = static_cast<LONG>(length >> 32);
    DWORD low = SetFilePointer(file, static_cast<LONG>(length & 0xFFFFFFFF), &high, FILE_BEGIN);
    // A low part of all ones is a valid position too; only the error says.
    bool cut = (low != INVALID_SET_FILE_POINTER || GetLastError() == NO_ERROR) && SetEndOfFile(file);
    int error = Failure();
    return CloseHandle(file) && cut ? 0 : error;
}

int ReplaceFileWith(const char* source, const char* target)
{
    return MoveFileExA(source, target, MOVEFILE_REPLACE_EXISTING) ? 0 : Failure();
}

int64_t MeasureOpenFile(FILE* file)
{
    // The C runtime's ftell has 32 bits here; Windows XP's msvcrt has this.
    return _filelengthi64(_fileno(file));
}
