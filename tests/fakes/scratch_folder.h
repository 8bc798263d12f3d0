// A fresh temporary folder for native tests that work on real files, and
// whole-file reads and writes for them.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <system_error>

// Makes a fresh folder under /tmp when constructed and removes it with all
// its contents when destroyed. Made with enter, it is also the current
// folder meanwhile, and the previous one is restored before the removal.
// Path() is empty when the folder could not be made.
class ScratchFolder {
public:
    explicit ScratchFolder(bool enter = false)
    {
        char folder[] = "/tmp/vantrel-test-XXXXXX";
        if (!mkdtemp(folder))
            return;
        path_ = folder;
        if (enter) {
            previous_ = std::filesystem::current_path();
            std::filesystem::current_path(path_);
        }
    }

    ~ScratchFolder()
    {
        std::error_code ignored;
        if (!previous_.empty())
            std::filesystem::current_path(previous_, ignored);
        if (!path_.empty())
            std::filesystem::remove_all(path_, ignored);
    }

    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::string& Path() const { return path_; }

private:
    std::string path_;
    std::filesystem::path previous_;
};

// The whole file's bytes; empty when it cannot be read.
inline std::string ReadBytes(const std::string& path)
{
    std::string bytes;
    FILE* file = fopen(path.c_str(), "rb");
    if (!file)
        return bytes;
    char buffer[4096];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, file)) > 0;)
        bytes.append(buffer, n);
    fclose(file);
    return bytes;
}

// Makes path hold exactly bytes; a failure fails the running test.
inline void WriteBytes(const std::string& path, const std::string& bytes)
{
    FILE* file = fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr) << path;
    bool written = fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    EXPECT_TRUE(fclose(file) == 0 && written) << path;
}
