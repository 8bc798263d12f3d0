// Portable side of the file operations that buffered streams cannot do.
#include "platform/files.h"

#include <cerrno>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {

// The error's number, never 0 for a failure.
int Failure(const std::error_code& error)
{
    return error ? error.value() : 0;
}

} // namespace

int MakeFolder(const char* path)
{
    std::error_code error;
    return fs::create_directory(path, error) ? 0 : error ? Failure(error) : EEXIST;
}

int DeleteFileOnly(const char* path)
{
    std::error_code error;
    if (fs::is_directory(path, error))
        return EISDIR;
    bool removed = fs::remove(path, error);
    if (error)
        return Failure(error);
    return removed ? 0 : ENOENT;
}

int TruncateFileAt(const char* path, int64_t length)
{
    std::error_code error;
    if (length < 0)
        return EINVAL;
    if (!fs::is_regular_file(path, error))
        return error ? Failure(error) : ENOENT;
    fs::resize_file(path, static_cast<uintmax_t>(length), error);
    return Failure(error);
}

int ReplaceFileWith(const char* source, const char* target)
{
    // POSIX rename replaces the target in one step.
    std::error_code error;
    fs::rename(source, target, error);
    return Failure(error);
}

int64_t MeasureOpenFile(FILE* file)
{
    // A long has 64 bits on the systems this definition serves.
    if (fseek(file, 0, SEEK_END) != 0)
        return -1;
    return ftell(file);
}

FILE* OpenScratchFile()
{
    return tmpfile();
}
