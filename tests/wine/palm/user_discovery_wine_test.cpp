// Discovery against a simulated Palm Desktop in Wine's registry and file
// system, and the message box that reports a missing Palm folder.
#include "palm/user_discovery.h"

#include "driver/install_state.h"
#include "support/simulated_palm_desktop.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <thread>
#include <vector>
#include <windows.h>

namespace {

const char kPalmFolder[] = "C:\\vantrel-tests\\Palm";

SimulatedPalmDesktop Desktop(PalmFolderKey folderKey)
{
    SimulatedPalmDesktop desktop;
    desktop.palmFolder = kPalmFolder;
    desktop.folderKey = folderKey;
    desktop.users = {{"Ann Lee", "AnnL", 1}, {"Bob", "Bob", 2}, {"", "NoInstall", 3}};
    desktop.users[2].hasInstallFolder = false;
    return desktop;
}

std::vector<std::string> DisplayNames()
{
    std::vector<std::string> names;
    for (int i = 0; i < gState.userCount; i++)
        names.push_back(gState.users[i].displayName);
    return names;
}

// Waits up to ten seconds for a visible message box of this caption, takes
// its text and presses OK; the box blocks the thread that shows it.
void DismissMessageBox(const char* caption, std::string* text)
{
    for (int tries = 0; tries < 200; tries++) {
        // Only this process's box: another program's box of the same
        // caption may be open at the same time.
        HWND box = nullptr;
        DWORD owner = 0;
        do {
            box = FindWindowExA(nullptr, box, "#32770", caption);
            if (box)
                GetWindowThreadProcessId(box, &owner);
        } while (box && owner != GetCurrentProcessId());
        if (box && IsWindowVisible(box)) {
            char found[256] = "";
            GetDlgItemTextA(box, 65535, found, sizeof found);
            *text = found;
            PostMessageA(box, WM_COMMAND, IDOK, 0);
            return;
        }
        Sleep(50);
    }
}

} // namespace

TEST(UserDiscoveryWine, FindsTheUsersOfEitherGeneration)
{
    for (PalmFolderKey key : {PalmFolderKey::kPilotDesktop, PalmFolderKey::kPalmDesktop}) {
        ResetInstallState();
        gState.quiet = true;
        ASSERT_TRUE(BuildSimulatedPalmDesktop(Desktop(key)));
        EXPECT_EQ(DiscoverPalmUsers(), 0);
        EXPECT_STREQ(gState.palmFolder, kPalmFolder);
        // Wine lists folders in no fixed order; the names are what matters.
        std::vector<std::string> names = DisplayNames();
        std::sort(names.begin(), names.end());
        EXPECT_EQ(names, (std::vector<std::string>{"Ann Lee", "Bob"}));
        for (int i = 0; i < gState.userCount; i++) {
            std::string folder = gState.users[i].displayName == std::string("Bob") ? "Bob" : "AnnL";
            EXPECT_EQ(gState.users[i].installPath, std::string(kPalmFolder) + "\\" + folder + "\\Install");
            EXPECT_EQ(gState.users[i].backupPath, std::string(kPalmFolder) + "\\" + folder + "\\backup");
        }
    }
}

TEST(UserDiscoveryWine, HonoursTheInstallConduitsDirectory)
{
    ResetInstallState();
    SimulatedPalmDesktop desktop = Desktop(PalmFolderKey::kPilotDesktop);
    desktop.conduit2 = SimulatedInstallConduit{"inscn20.dll", "Inbox"};
    desktop.installFolderName = "Inbox";
    desktop.users.resize(1);
    ASSERT_TRUE(BuildSimulatedPalmDesktop(desktop));
    EXPECT_EQ(DiscoverPalmUsers(), 0);
    EXPECT_STREQ(gState.installFolderName, "Inbox");
    EXPECT_EQ(DisplayNames(), std::vector<std::string>{"Ann Lee"});
    EXPECT_EQ(gState.users[0].installPath, std::string(kPalmFolder) + "\\AnnL\\Inbox");
}

TEST(UserDiscoveryWine, ShowsTheRegistryErrorWithoutAPalmFolderValue)
{
    ResetInstallState();
    gState.quiet = true;
    ASSERT_TRUE(BuildSimulatedPalmDesktop(Desktop(PalmFolderKey::kNone)));
    std::string text;
    std::thread watcher(DismissMessageBox, "Registry Error", &text);
    EXPECT_EQ(DiscoverPalmUsers(), -1);
    watcher.join();
    EXPECT_EQ(text, "Cannot locate a path to the Palm folder");
    EXPECT_EQ(gState.userCount, 0);
    EXPECT_STREQ(gState.palmFolder, "c:\\pilot");
}
