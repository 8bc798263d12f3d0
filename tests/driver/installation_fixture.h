// The start of every copy-stage and wizard test: fresh state and fakes, a
// temporary current folder, a simulated Palm Desktop with two users whose
// folders are real files there, and a payload archive that stands for the
// running program.
#pragma once

#include "driver/install_state.h"
#include "fakes/fake_folders.h"
#include "fakes/fake_page_controls.h"
#include "fakes/fake_page_loop.h"
#include "fakes/fake_platform.h"
#include "fakes/fake_registry.h"
#include "fakes/scratch_folder.h"
#include "palm/user_discovery.h"
#include "payload/payload_archive.h"
#include "support/simulated_palm_desktop.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

// A Palm OS database: the 32-byte name (NUL-padded, or whole when it fills
// them), the attributes with the resource bit, then body.
inline std::string PalmDatabase(const std::string& name, bool resource, const std::string& body)
{
    std::string bytes = name;
    bytes.resize(32, '\0');
    bytes += '\x80'; // a high attribute byte that must not count
    bytes += resource ? '\x01' : '\x00';
    return bytes + body;
}

class Installation : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetFakePlatform();
        ASSERT_FALSE(root.empty());
        std::filesystem::create_directory(root + "/records");

        SimulatedPalmDesktop desktop;
        desktop.palmFolder = root + "/Palm";
        desktop.users = {{"Ann Lee", "AnnF", 1}, {"Bob", "BobF", 2}};
        ASSERT_TRUE(BuildSimulatedPalmDesktop(desktop));
        gState.quiet = true; // discovery's own reports are not under test
        ASSERT_EQ(DiscoverPalmUsers(), 0);
        ASSERT_EQ(gState.userCount, 2);
        gState.quiet = false;
        gFake.pauses.clear();

        gFake.ownProgramPath = root + "/setup.exe";
        WriteBytes(gFake.ownProgramPath, "MZ stands for the program image");
    }

    // Appends bytes to the program's payload as the record name.
    void AddRecord(const std::string& name, const std::string& bytes)
    {
        std::string input = root + "/records/" + name;
        WriteBytes(input, bytes);
        ASSERT_EQ(AppendPayloadRecord(gFake.ownProgramPath.c_str(), input.c_str()), 0) << name;
    }

    static void SetSlots(const std::vector<std::pair<std::string, bool>>& slots)
    {
        gState.fileCount = static_cast<int>(slots.size());
        for (size_t i = 0; i < slots.size(); i++) {
            snprintf(gState.files[i].path, sizeof gState.files[i].path, "%s", slots[i].first.c_str());
            gState.files[i].selected = slots[i].second;
        }
    }

    static void SetTargets(const std::vector<std::string>& names)
    {
        gState.targetCount = static_cast<int>(names.size());
        for (size_t i = 0; i < names.size(); i++)
            snprintf(gState.targets[i].name, sizeof gState.targets[i].name, "%s", names[i].c_str());
    }

    static std::string Installed(int user, const std::string& name)
    {
        return std::string(gState.users[user].installPath) + "\\" + name;
    }

    static std::string BackedUp(int user, const std::string& name)
    {
        return std::string(gState.users[user].backupPath) + "\\" + name;
    }

    // Every file written into the Palm folder but users.dat, sorted, below
    // it: natively the users' folders are part of the file names in root.
    std::vector<std::string> FilesBelowPalmFolder() const
    {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(root)) {
            std::string name = entry.path().filename().string();
            if (name.rfind("Palm\\", 0) == 0 && name != "Palm\\users.dat")
                names.push_back(name.substr(strlen("Palm\\")));
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    static bool FlagSet(int userNumber)
    {
        uint32_t type = 0;
        uint32_t value = 0;
        return ReadHotSyncInstallFlag(userNumber, &type, &value) && type == 4 && value == 1;
    }

    ScratchFolder scratch{true};
    const std::string root = scratch.Path();
};
