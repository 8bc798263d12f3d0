// The packager's own folder, on systems with /proc.
#include "packager/commands.h"

#include <filesystem>
#include <system_error>

std::string OwnFolder()
{
    std::error_code error;
    std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : self.parent_path().string();
}
