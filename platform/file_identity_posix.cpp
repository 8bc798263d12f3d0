// POSIX side of what a path names.
#include "platform/file_identity.h"

#include <filesystem>
#include <system_error>

bool IsSameFile(const char* a, const char* b)
{
    std::error_code error;
    return std::filesystem::equivalent(a, b, error) && !error;
}

bool IsRegularFile(const char* path)
{
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}
