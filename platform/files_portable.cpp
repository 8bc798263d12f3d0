// Portable side of the file operations that buffered streams cannot do.
#include "platform/files.h"

#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

int CopyFileReplacing(const char* source, const char* destination)
{
    std::error_code error;
    fs::copy_file(source, destination, fs::copy_options::overwrite_existing, error);
    return error ? -1 : 0;
}

int DeleteFileOnly(const char* path)
{
    std::error_code error;
    if (fs::is_directory(path, error))
        return -1;
    return fs::remove(path, error) && !error ? 0 : -1;
}

int TruncateFileAt(const char* path, int64_t length)
{
    std::error_code error;
    if (length < 0 || !fs::is_regular_file(path, error))
        return -1;
    fs::resize_file(path, static_cast<uintmax_t>(length), error);
    return error ? -1 : 0;
}

int ReplaceFileWith(const char* source, const char* target)
{
    // POSIX rename replaces the target in one step.
    std::error_code error;
    fs::rename(source, target, error);
    return error ? -1 : 0;
}

int64_t MeasureOpenFile(FILE* file)
{
    // A long has 64 bits on the systems this definition serves.
    if (fseek(file, 0, SEEK_END) != 0)
        return -1;
    return ftell(file);
}
