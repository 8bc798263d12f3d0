// The start of every Palm test: fresh state and fakes, and a temporary
// folder that holds the Palm folder's users.dat as a real file.
#pragma once

#include "driver/install_state.h"
#include "fakes/fake_folders.h"
#include "fakes/fake_platform.h"
#include "fakes/fake_registry.h"
#include "fakes/scratch_folder.h"
#include "support/simulated_palm_desktop.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

class PalmTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetFakePlatform();
        ASSERT_FALSE(root.empty());
    }

    // A desktop of the U.S. Robotics generation in palmFolder.
    SimulatedPalmDesktop Desktop(const std::vector<SimulatedPalmUser>& users)
    {
        SimulatedPalmDesktop desktop;
        desktop.palmFolder = palmFolder;
        desktop.users = users;
        return desktop;
    }

    static std::vector<std::string> DisplayNames()
    {
        std::vector<std::string> names;
        for (int i = 0; i < gState.userCount; i++)
            names.push_back(gState.users[i].displayName);
        return names;
    }

    ScratchFolder scratch;
    const std::string root = scratch.Path();
    const std::string palmFolder = root + "/Palm";
};
