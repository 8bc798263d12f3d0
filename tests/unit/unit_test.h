// The fixture of every unit test, and the byte builders the tests share.
#pragma once

#include "base/install_state.h"
#include "fakes/fakes.h"
#include "base/bounded_text.h"
#include "installer/install_files.h"
#include "installer/install_log.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/resource.h>
#include <tuple>
#include <vector>

// Fresh state and fakes, and a fresh scratch folder as the current folder:
// natively a Windows path such as "Palm\Ann\Install\x.prc" is one file name
// there, so the tests' real files never leave it.
class UnitTest : public testing::Test {
protected:
    void SetUp() override
    {
        ResetFakes();
        char folder[] = "/tmp/vantrel-unit-XXXXXX";
        ASSERT_NE(mkdtemp(folder), nullptr);
        std::filesystem::current_path(root = folder);
    }

    void TearDown() override { std::filesystem::current_path("/"); std::filesystem::remove_all(root); }

    std::string root;
};

inline std::string ReadBytes(const std::string& path)
{
    return std::string(std::istreambuf_iterator<char>(std::ifstream(path, std::ios::binary).rdbuf()), {});
}

inline void WriteBytes(const std::string& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

inline std::string LittleEndian(uint32_t value, size_t width)
{
    std::string bytes;
    for (size_t i = 0; i < width; i++)
        bytes += static_cast<char>(value >> (8 * i));
    return bytes;
}

// A payload record from its fields, so that damaged ones can be made too.
inline std::string Record(const std::string& data, uint32_t size, const std::string& name, uint32_t nameLength)
{
    return data + LittleEndian(size, 4) + name + LittleEndian(nameLength, 2)
        + LittleEndian(size + nameLength + 6, 4) + "ETag";
}

inline std::string Record(const std::string& data, const std::string& name)
{
    return Record(data, static_cast<uint32_t>(data.size()), name + '\0', static_cast<uint32_t>(name.size() + 1));
}

// A Palm OS database: the 32-byte name field, the attributes (a first byte
// whose bit 0 must not count, then the resource bit), then body.
inline std::string PalmDatabase(std::string name, bool resource, const std::string& body)
{
    name.resize(32, '\0');
    return name + '\x81' + (resource ? '\x01' : '\x00') + body;
}

// A PE image of 1,024 bytes whose one section ends the image, as the
// installer's own program is; signing points its directory 4 at a table.
inline std::string PeImage()
{
    std::string image(1024, '\0');
    for (const auto& [at, value, width] : std::initializer_list<std::tuple<size_t, uint32_t, size_t>>{
             {0x3C, 0x40, 4}, {0x46, 1, 2}, {0x54, 0xE0, 2}, {0x58, 0x10B, 2}, {0xB4, 16, 4},
             {0x148, 0x200, 4}, {0x14C, 0x200, 4}}) // the section's data: 512 bytes at 512
        image.replace(at, width, LittleEndian(value, width));
    image.replace(0, 2, "MZ");
    image.replace(0x40, 4, std::string("PE\0\0", 4));
    return image;
}

// The file signed as signing tools do: zeros up to a multiple of 8, then
// the certificate table, which directory 4 names.
inline std::string Signed(std::string file)
{
    file.resize((file.size() + 7) / 8 * 8, '\0');
    file.replace(0xD8, 8, LittleEndian(static_cast<uint32_t>(file.size()), 4) + LittleEndian(16, 4));
    return file + LittleEndian(16, 4) + LittleEndian(0x200, 2) + LittleEndian(2, 2) + std::string(8, 'c');
}

struct UserRecord {
    std::string displayName;
    std::string folderName;
    int16_t number;
};

// users.dat as Palm Desktop keeps it, per user: the number, a byte that is
// not read, a zero byte, then the display and folder names each behind its
// length byte.
inline std::string UsersDat(const std::vector<UserRecord>& users)
{
    std::string bytes;
    for (const UserRecord& user : users)
        bytes += LittleEndian(static_cast<uint16_t>(user.number), 2) + '\xA5' + '\0'
            + static_cast<char>(user.displayName.size()) + user.displayName
            + static_cast<char>(user.folderName.size()) + user.folderName;
    return bytes;
}

// A Palm Desktop in the fakes: the Palm folder "<root>/Palm" named in the
// registry, each user's folder with an Install folder, and users.dat.
inline std::string MakePalmDesktop(const std::string& root, const std::vector<UserRecord>& users)
{
    std::string palm = root + "/Palm";
    PutRegistryText("Software\\U.S. Robotics\\Pilot Desktop\\Core", "Path", palm);
    for (const UserRecord& user : users) {
        gFakes.folderTree.push_back({palm + "\\" + user.folderName, true});
        gFakes.folderTree.push_back({palm + "\\" + user.folderName + "\\Install", true});
    }
    WriteBytes(palm + "\\users.dat", UsersDat(users));
    return palm;
}

// The names of the install flags below the HotSync Manager key, each
// marked unless it is the REG_DWORD 1.
inline std::vector<std::string> InstallFlags()
{
    std::vector<std::string> names;
    for (const auto& [name, value] : gFakes.registry["Software\\U.S. Robotics\\Pilot Desktop\\HotSync Manager"])
        names.push_back(value.type == 4 && value.data == LittleEndian(1, 4) ? name : name + " (not the DWORD 1)");
    return names;
}

// The plan of script ("(none)": no script), given " -f" files and whether
// " -u" named users.
struct Plan {
    explicit Plan(const std::string& script, bool usersGiven = false, const std::vector<std::string>& files = {})
    {
        for (size_t i = 0; i < files.size(); i++)
            CopyText(paths[i], files[i].c_str());
        MakeInstallPlan(script == "(none)" ? nullptr : script.data(), static_cast<int32_t>(script.size()),
                        {paths, static_cast<int>(files.size())}, usersGiven, &plan);
    }
    ~Plan() { ReleaseInstallPlan(&plan); }

    char paths[kFileSlotCount][kFilePathChars + 1] = {};
    InstallPlan plan;
};

// No log, and the boxes shown: recorded in gFakes.
inline InstallLog gNoLog = {};

// The copy stage's sink: the boxes it shows are recorded in gFakes.
constexpr ProgressSink kRecordingSink = {[] {}, [](const char*) {}, [] {}, &gNoLog};

// Makes writes past limit bytes fail as on a full disk; RLIM_INFINITY lifts it.
inline void LimitFileSize(rlim_t limit)
{
    signal(SIGXFSZ, SIG_IGN);
    rlimit limits;
    getrlimit(RLIMIT_FSIZE, &limits);
    limits.rlim_cur = limit;
    setrlimit(RLIMIT_FSIZE, &limits);
}
