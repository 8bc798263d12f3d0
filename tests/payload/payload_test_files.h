// Folder and file helpers for the payload archive tests. Records are built
// here from the byte layout alone, so that damaged ones can be made too.
#pragma once

#include "fakes/fake_platform.h"
#include "fakes/scratch_folder.h"
#include "payload/payload_archive.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <string>
#include <sys/resource.h>

// Each test runs in a fresh temporary folder as its current folder, so that
// Windows-style names ("d:name.prc", "C:\a\name.ext") are plain file names.
class PayloadTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetFakePlatform();
        ASSERT_FALSE(scratch.Path().empty());
    }

    ScratchFolder scratch{true};
};

// count bytes of every value, different for each seed.
inline std::string Bytes(size_t count, unsigned seed)
{
    std::string bytes(count, '\0');
    for (size_t i = 0; i < count; i++)
        bytes[i] = static_cast<char>((i * 131 + seed * 7 + i / 251) & 0xFF);
    return bytes;
}

inline std::string LittleEndian(uint32_t value, size_t width)
{
    std::string bytes;
    for (size_t i = 0; i < width; i++)
        bytes += static_cast<char>(value >> (8 * i));
    return bytes;
}

// A record with the fields given; nameBytes is the name as stored.
inline std::string Record(const std::string& data, uint32_t size, const std::string& nameBytes, uint32_t nameLength)
{
    return data + LittleEndian(size, 4) + nameBytes + LittleEndian(nameLength, 2)
        + LittleEndian(size + nameLength + 6, 4) + "ETag";
}

inline std::string Record(const std::string& data, const std::string& name)
{
    return Record(data, static_cast<uint32_t>(data.size()), name + '\0', static_cast<uint32_t>(name.size() + 1));
}

// The data that a lookup of name in path finds, or "(none)".
inline std::string FoundData(const std::string& path, const std::string& name)
{
    int32_t size = -7;
    FILE* record = FindPayloadRecord(path.c_str(), name.c_str(), &size);
    if (!record)
        return size == -7 ? "(none)" : "(size written on none)";
    std::string data(static_cast<size_t>(size), '\0');
    data.resize(fread(data.data(), 1, data.size(), record));
    fclose(record);
    return data;
}

// While it lives, writes past bytes fail (EFBIG, the signal ignored), as on
// a full disk.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &previous_);
        rlimit limited = {bytes, previous_.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &previous_); }

private:
    rlimit previous_;
};
