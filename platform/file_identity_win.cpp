// Win32 side of what a path names.
#include "platform/file_identity.h"

#include <windows.h>

namespace {

// What the system knows of the file at path; false when it cannot say (no
// such file) or path names a device rather than a file on a disk.
bool ReadFileInformation(const char* path, BY_HANDLE_FILE_INFORMATION* info)
{
    // Backup semantics let a folder be opened too; no access is needed to read this.
    HANDLE file = CreateFileA(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    bool known = GetFileType(file) == FILE_TYPE_DISK && GetFileInformationByHandle(file, info);
    CloseHandle(file);
    return known;
}

} // namespace

bool IsSameFile(const char* a, const char* b)
{
    BY_HANDLE_FILE_INFORMATION info[2];
    return ReadFileInformation(a, &info[0]) && ReadFileInformation(b, &info[1])
        && info[0].dwVolumeSerialNumber == info[1].dwVolumeSerialNumber
        && info[0].nFileIndexHigh == info[1].nFileIndexHigh && info[0].nFileIndexLow == info[1].nFileIndexLow;
}

bool IsRegularFile(const char* path)
{
    BY_HANDLE_FILE_INFORMATION info;
    return ReadFileInformation(path, &info) && !(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
}
