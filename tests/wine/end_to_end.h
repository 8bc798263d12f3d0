// What the end-to-end tests of the real program share: a fresh folder with a
// blank in its name, whole-file reads and writes, the bytes of a payload
// record, a started program that is ended however its test leaves, and the
// check of a clean end.
#pragma once

#include "support/program_driver.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include <windows.h>

// A started program that is killed, message boxes and all, when it goes out
// of scope: a failed assertion must not leave it to confuse the next test
// or the next test program (they share one Wine server and one registry).
struct ScopedProgram {
    DrivenProgram program;

    ScopedProgram() = default;
    ScopedProgram(const ScopedProgram&) = delete;
    ScopedProgram& operator=(const ScopedProgram&) = delete;
    ~ScopedProgram() { EndProgram(program); }
};

// Waits up to timeoutMs for the program to end and expects exit code 0.
inline void ExpectExitCodeZero(DrivenProgram& program, DWORD timeoutMs)
{
    DWORD exitCode = 1;
    EXPECT_TRUE(WaitForExit(program, timeoutMs, &exitCode)) << "the program did not end";
    EXPECT_EQ(exitCode, 0u);
}

// A folder made fresh below the temporary folder, named "vantrel <purpose>
// <number>" (the blank on purpose), removed with its contents on
// destruction. Empty path when it could not be made.
class TestFolder {
public:
    explicit TestFolder(const std::string& purpose)
    {
        char temp[MAX_PATH] = "";
        GetTempPathA(sizeof temp, temp);
        // Process ids repeat between Wine runs; the tick count and a bounded
        // retry give a name no earlier run left behind.
        DWORD start = GetTickCount();
        for (DWORD attempt = 0; attempt < 1000 && path_.empty(); ++attempt) {
            std::string candidate = std::string(temp) + "vantrel " + purpose + " " + std::to_string(start + attempt);
            if (CreateDirectoryA(candidate.c_str(), nullptr))
                path_ = candidate;
        }
    }
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;
    ~TestFolder()
    {
        if (!path_.empty())
            RemoveTree(path_);
    }

    const std::string& Path() const { return path_; }
    std::string PathOf(const std::string& name) const { return path_ + "\\" + name; }

private:
    static void RemoveTree(const std::string& folder)
    {
        WIN32_FIND_DATAA found;
        HANDLE listing = FindFirstFileA((folder + "\\*").c_str(), &found);
        if (listing != INVALID_HANDLE_VALUE) {
            do {
                std::string name = found.cFileName;
                std::string path = folder + "\\" + name;
                if (name == "." || name == "..")
                    continue;
                if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                    RemoveTree(path);
                } else {
                    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                    DeleteFileA(path.c_str());
                }
            } while (FindNextFileA(listing, &found));
            FindClose(listing);
        }
        RemoveDirectoryA(folder.c_str());
    }

    std::string path_;
};

// The whole file, or an empty text when it cannot be read.
inline std::string ReadBytes(const std::string& path)
{
    std::string bytes;
    if (FILE* file = std::fopen(path.c_str(), "rb")) {
        char buffer[4096];
        size_t got;
        while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0)
            bytes.append(buffer, got);
        std::fclose(file);
    }
    return bytes;
}

// Replaces the file with bytes. Returns false when it cannot be written.
inline bool WriteBytes(const std::string& path, const std::string& bytes)
{
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        return false;
    bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

inline std::string LittleEndian(uint32_t value, int width)
{
    std::string bytes;
    for (int i = 0; i < width; ++i)
        bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
    return bytes;
}

// The record -a must append: data, size, name and NUL, name length, record
// length, "ETag".
inline std::string PayloadRecordBytes(const std::string& data, const std::string& name)
{
    uint32_t nameLength = static_cast<uint32_t>(name.size() + 1);
    uint32_t size = static_cast<uint32_t>(data.size());
    return data + LittleEndian(size, 4) + name + '\0' + LittleEndian(nameLength, 2)
           + LittleEndian(size + nameLength + 6, 4) + "ETag";
}
