// POSIX side of making a file that is to take another's place.
#include "platform/file_replacement.h"

#include "base/bounded_text.h"
#include "base/path_name.h"

#include <cerrno>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

FILE* CreateFileBeside(const char* target, char* path, size_t capacity)
{
    size_t folder = static_cast<size_t>(LastPathComponent(target) - target);
    if (CopyTextPart(path, capacity, target, folder) != 0 || AppendText(path, capacity, "vtrXXXXXX.tmp") != 0)
        return nullptr;
    // mkstemps creates with O_EXCL under a random name, owner-only.
    int descriptor = mkstemps(path, 4);
    if (descriptor < 0)
        return nullptr;
    FILE* file = fdopen(descriptor, "wb");
    if (!file) {
        close(descriptor);
        unlink(path);
    }
    return file;
}

int TakePermissionsFor(const char* path, const char* target, bool program)
{
    struct stat existing;
    mode_t mode = 0;
    if (stat(target, &existing) == 0) {
        mode = existing.st_mode & 0777;
    } else {
        // The umask can only be read by setting it; it is put straight back.
        mode_t mask = umask(0);
        umask(mask);
        mode = (program ? 0777 : 0666) & ~mask;
    }
    return chmod(path, mode) == 0 ? 0 : errno;
}
