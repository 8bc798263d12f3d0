// Win32 side of making a file that is to take another's place.
#include "platform/file_replacement.h"

#include "base/bounded_text.h"

#include <cerrno>
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>
// After windows.h: RtlGenRandom is ADVAPI32's SystemFunction036 (Windows XP).
#include <ntsecapi.h>

FILE* CreateFileBeside(const char* target, char* path, size_t capacity)
{
    static const char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    // Another file of the same name is unlikely but possible: try again.
    for (int attempt = 0; attempt < 100; attempt++) {
        unsigned char random[6];
        char name[sizeof random + 1];
        if (!RtlGenRandom(random, sizeof random))
            return nullptr;
        for (size_t i = 0; i < sizeof random; i++)
            name[i] = kLetters[random[i] % (sizeof kLetters - 1)];
        name[sizeof random] = '\0';
        if (FormatText(path, capacity, "%s.vantrel-%s", target, name) != 0)
            return nullptr;
        // _O_EXCL creates it new (CREATE_NEW): nothing already there is opened.
        int descriptor = _open(path, _O_CREAT | _O_EXCL | _O_WRONLY | _O_BINARY, _S_IREAD | _S_IWRITE);
        if (descriptor >= 0) {
            FILE* file = _fdopen(descriptor, "wb");
            if (!file) {
                _close(descriptor);
                DeleteFileA(path);
            }
            return file;
        }
        if (errno != EEXIST)
            return nullptr;
    }
    return nullptr;
}

bool IsSameFile(const char* a, const char* b)
{
    BY_HANDLE_FILE_INFORMATION info[2];
    const char* paths[] = {a, b};
    for (int i = 0; i < 2; i++) {
        // Backup semantics let a folder be opened too; no access is needed to read its identity.
        HANDLE file = CreateFileA(paths[i], 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            return false;
        bool known = GetFileInformationByHandle(file, &info[i]);
        CloseHandle(file);
        if (!known)
            return false;
    }
    return info[0].dwVolumeSerialNumber == info[1].dwVolumeSerialNumber
        && info[0].nFileIndexHigh == info[1].nFileIndexHigh && info[0].nFileIndexLow == info[1].nFileIndexLow;
}

int TakePermissionsFor(const char*, const char*, bool)
{
    return 0;
}
