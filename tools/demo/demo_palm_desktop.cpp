// The demo's two Palm users, and what an installation left for them.
#include "demo_palm_desktop.h"

#include <windows.h>

#include <cctype>
#include <cstdio>
#include <string>

namespace {

const char kPalmFolder[] = "C:\\Program Files\\Palm";

// Palm Desktop's own folder names are short and plain.
std::string FolderName(const std::string& name, int number)
{
    std::string folder;
    for (char c : name) {
        if (std::isalnum(static_cast<unsigned char>(c)) && folder.size() < 20)
            folder += c;
    }
    return folder.empty() ? "User" + std::to_string(number) : folder + std::to_string(number);
}

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

std::vector<SimulatedPalmUser> DemoUsers(int count, char** names)
{
    if (count == 0)
        return {{"Alex Morgan", "MorganA", 1}, {"Sam Rivera", "RiveraS", 2}};
    std::vector<SimulatedPalmUser> users;
    for (int i = 0; i < count; i++)
        users.push_back({names[i], FolderName(names[i], i + 1), i + 1});
    return users;
}

bool BuildDemoPalmDesktop(const std::vector<SimulatedPalmUser>& users)
{
    return BuildSimulatedPalmDesktop(kPalmFolder, users);
}

void PrintInstallReport(const std::vector<SimulatedPalmUser>& users)
{
    for (const SimulatedPalmUser& user : users) {
        std::string userFolder = std::string(kPalmFolder) + "\\" + user.folderName;
        std::printf("%s:\n", user.displayName.c_str());
        PrintFolder(userFolder + "\\Install");
        PrintFolder(userFolder + "\\backup");
    }
    std::printf("HotSync install flags (HKCU\\Software\\U.S. Robotics\\Pilot Desktop\\HotSync Manager):\n");
    for (const SimulatedPalmUser& user : users)
        std::printf("  Install%d %-28s %s\n", user.userNumber,
                    HotSyncFlagSet(user.userNumber) ? "= 1 (REG_DWORD)" : "not set", user.displayName.c_str());
}
