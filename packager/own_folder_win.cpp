// The packager's own folder, on Windows.
#include "packager/commands.h"

#include <windows.h>

std::string OwnFolder()
{
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    if (length == 0 || length >= sizeof path)
        return std::string();
    std::string self(path, length);
    size_t slash = self.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : self.substr(0, slash);
}
