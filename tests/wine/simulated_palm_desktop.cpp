// A simulated Palm Desktop: the registry values and folders it keeps.
#include "simulated_palm_desktop.h"

#include <windows.h>

#include <fstream>

namespace {

const char kPilotDesktopKey[] = "Software\\U.S. Robotics\\Pilot Desktop";
const char kHotSyncManagerKey[] = "Software\\U.S. Robotics\\Pilot Desktop\\HotSync Manager";

// Per user: the user number (16 bits, little-endian), a byte the installer
// skips, a zero byte, then the display name and the folder name, each after
// its length byte.
std::string UsersDat(const std::vector<SimulatedPalmUser>& users)
{
    std::string bytes;
    for (const SimulatedPalmUser& user : users) {
        bytes += {static_cast<char>(user.userNumber & 0xFF), static_cast<char>((user.userNumber >> 8) & 0xFF), '\xA5',
                  '\0'};
        for (const std::string* name : {&user.displayName, &user.folderName})
            bytes += static_cast<char>(name->size()) + *name;
    }
    return bytes;
}

} // namespace

bool BuildSimulatedPalmDesktop(const std::string& palmFolder, const std::vector<SimulatedPalmUser>& users)
{
    LONG deleted = RegDeleteTreeA(HKEY_CURRENT_USER, kPilotDesktopKey);
    if ((deleted != ERROR_SUCCESS && deleted != ERROR_FILE_NOT_FOUND)
        || RegSetKeyValueA(HKEY_CURRENT_USER, (std::string(kPilotDesktopKey) + "\\Core").c_str(), "Path", REG_SZ,
                           palmFolder.c_str(), static_cast<DWORD>(palmFolder.size() + 1)) != ERROR_SUCCESS
        || !CreateDirectoryA(palmFolder.c_str(), nullptr))
        return false;
    for (const SimulatedPalmUser& user : users) {
        std::string folder = palmFolder + "\\" + user.folderName;
        for (const std::string& path : {folder, folder + "\\Install", folder + "\\backup"}) {
            if (!CreateDirectoryA(path.c_str(), nullptr))
                return false;
        }
    }
    std::ofstream file(palmFolder + "\\users.dat", std::ios::binary);
    return static_cast<bool>(file << UsersDat(users));
}

bool HotSyncFlagSet(int userNumber)
{
    std::string name = "Install" + std::to_string(userNumber);
    DWORD value = 0, size = sizeof value;
    return RegGetValueA(HKEY_CURRENT_USER, kHotSyncManagerKey, name.c_str(), RRF_RT_REG_DWORD, nullptr, &value,
                        &size) == ERROR_SUCCESS
           && value == 1;
}
