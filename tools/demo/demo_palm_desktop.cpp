// The demo's two Palm users, and what an installation left for them.
#include "demo_palm_desktop.h"

#include "simulated_palm_desktop.h"

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

const char kPalmFolder[] = "C:\\Program Files\\Palm";

const std::vector<SimulatedPalmUser> kDemoUsers = {{"Alex Morgan", "MorganA", 1}, {"Sam Rivera", "RiveraS", 2}};

// The plain files in folder with their sizes, in the listing's order.
void PrintFolder(const std::string& folder)
{
    std::printf("  %s\n", folder.c_str());
    WIN32_FIND_DATAA found;
    HANDLE listing = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (listing == INVALID_HANDLE_VALUE)
        return;
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
            std::printf("      %-30s %6lu bytes\n", found.cFileName, found.nFileSizeLow);
    } while (FindNextFileA(listing, &found));
    FindClose(listing);
}

} // namespace

const char kDemoChosenUser[] = "Sam Rivera";

bool BuildDemoPalmDesktop()
{
    return BuildSimulatedPalmDesktop(kPalmFolder, kDemoUsers);
}

void PrintInstallReport()
{
    for (const SimulatedPalmUser& user : kDemoUsers) {
        std::string userFolder = std::string(kPalmFolder) + "\\" + user.folderName;
        std::printf("%s:\n", user.displayName.c_str());
        PrintFolder(userFolder + "\\Install");
        PrintFolder(userFolder + "\\backup");
    }
    std::printf("HotSync install flags (HKCU\\Software\\U.S. Robotics\\Pilot Desktop\\HotSync Manager):\n");
    for (const SimulatedPalmUser& user : kDemoUsers)
        std::printf("  Install%d %-28s %s\n", user.userNumber,
                    HotSyncFlagSet(user.userNumber) ? "= 1 (REG_DWORD)" : "not set", user.displayName.c_str());
}
