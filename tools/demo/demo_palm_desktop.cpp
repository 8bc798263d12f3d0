// The demo's two Palm users, and what an installation left for them.
#include "demo_palm_desktop.h"

#include "support/simulated_palm_desktop.h"

#include <windows.h>

#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <string>
#include <vector>

namespace {

const char kPalmFolder[] = "C:\\Program Files\\Palm";
const char kHotSyncManagerKey[] = "HKCU\\Software\\U.S. Robotics\\Pilot Desktop\\HotSync Manager";

const std::vector<SimulatedPalmUser>& DemoUsers()
{
    static const std::vector<SimulatedPalmUser> users = {
        {"Alex Morgan", "MorganA", 1, true},
        {"Sam Rivera", "RiveraS", 2, true},
    };
    return users;
}

struct FoundFile {
    std::string name;
    uint64_t size;
};

// The plain files in folder, sorted by name; folders are left out.
std::vector<FoundFile> ListFiles(const std::string& folder)
{
    std::vector<FoundFile> files;
    WIN32_FIND_DATAA found;
    HANDLE listing = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (listing == INVALID_HANDLE_VALUE)
        return files;
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
            files.push_back({found.cFileName, (uint64_t{found.nFileSizeHigh} << 32) | found.nFileSizeLow});
    } while (FindNextFileA(listing, &found));
    FindClose(listing);
    std::sort(files.begin(), files.end(), [](const FoundFile& a, const FoundFile& b) { return a.name < b.name; });
    return files;
}

void PrintFolder(const std::string& folder)
{
    std::vector<FoundFile> files = ListFiles(folder);
    std::printf("  %s%s\n", folder.c_str(), files.empty() ? "   (empty)" : "");
    for (const FoundFile& file : files)
        std::printf("      %-30s %6" PRIu64 " bytes\n", file.name.c_str(), file.size);
}

} // namespace

const char kDemoChosenUser[] = "Sam Rivera";

bool BuildDemoPalmDesktop()
{
    SimulatedPalmDesktop desktop;
    desktop.palmFolder = kPalmFolder;
    desktop.folderKey = PalmFolderKey::kPilotDesktop;
    desktop.conduit1 = SimulatedInstallConduit{"inscn20.dll", "Install"};
    desktop.installFolderName = "Install";
    desktop.users = DemoUsers();
    return BuildSimulatedPalmDesktop(desktop);
}

void PrintInstallReport()
{
    for (const SimulatedPalmUser& user : DemoUsers()) {
        std::string userFolder = std::string(kPalmFolder) + "\\" + user.folderName;
        std::printf("%s:\n", user.displayName.c_str());
        PrintFolder(userFolder + "\\Install");
        PrintFolder(userFolder + "\\backup");
    }
    std::printf("HotSync install flags in %s:\n", kHotSyncManagerKey);
    for (const SimulatedPalmUser& user : DemoUsers()) {
        uint32_t type = 0;
        uint32_t value = 0;
        std::string valueName = "Install" + std::to_string(user.userNumber);
        std::string state = "not set";
        if (ReadHotSyncInstallFlag(user.userNumber, &type, &value))
            state = "= " + std::to_string(value) + (type == REG_DWORD ? " (REG_DWORD)" : " (not a REG_DWORD)");
        std::printf("  %-9s %-16s %s\n", valueName.c_str(), state.c_str(), user.displayName.c_str());
    }
}
