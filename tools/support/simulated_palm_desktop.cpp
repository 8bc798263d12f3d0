// Building a simulated Palm Desktop on top of the store.
#include "support/simulated_palm_desktop.h"

#include "support/simulated_palm_desktop_store.h"

namespace {

const char kPilotDesktopKey[] = "Software\\U.S. Robotics\\Pilot Desktop";
const char kPalmDesktopKey[] = "Software\\3Com\\Palm Desktop";
const char kHotSyncManagerKey[] = "Software\\U.S. Robotics\\Pilot Desktop\\HotSync Manager";

bool WriteConduit(int number, const std::optional<SimulatedInstallConduit>& conduit)
{
    if (!conduit)
        return true;
    std::string key = std::string(kHotSyncManagerKey) + "\\InstallConduit" + std::to_string(number);
    return WriteRegistryText(key, "Module", conduit->module) &&
           WriteRegistryText(key, "Directory", conduit->directory);
}

bool WriteFolderValue(const SimulatedPalmDesktop& desktop)
{
    switch (desktop.folderKey) {
    case PalmFolderKey::kPilotDesktop:
        return WriteRegistryText(std::string(kPilotDesktopKey) + "\\Core", "Path", desktop.palmFolder);
    case PalmFolderKey::kPalmDesktop:
        return WriteRegistryText(std::string(kPalmDesktopKey) + "\\Core", "Path", desktop.palmFolder);
    case PalmFolderKey::kNone:
        break;
    }
    return true;
}

bool MakeUserFolders(const SimulatedPalmDesktop& desktop, const SimulatedPalmUser& user)
{
    std::string folder = desktop.palmFolder + "\\" + user.folderName;
    if (!MakeFolder(folder) || !MakeFolder(folder + "\\backup"))
        return false;
    return !user.hasInstallFolder || MakeFolder(folder + "\\" + desktop.installFolderName);
}

void PutName(std::vector<unsigned char>& bytes, const std::string& name)
{
    bytes.push_back(static_cast<unsigned char>(name.size()));
    bytes.insert(bytes.end(), name.begin(), name.end());
}

} // namespace

std::vector<unsigned char> ComposeUsersDat(const std::vector<SimulatedPalmUser>& users)
{
    std::vector<unsigned char> bytes;
    for (const SimulatedPalmUser& user : users) {
        uint16_t number = static_cast<uint16_t>(user.userNumber);
        bytes.push_back(static_cast<unsigned char>(number & 0xFF));
        bytes.push_back(static_cast<unsigned char>(number >> 8));
        bytes.push_back(0xA5);
        bytes.push_back(0);
        PutName(bytes, user.displayName);
        PutName(bytes, user.folderName);
    }
    return bytes;
}

bool BuildSimulatedPalmDesktop(const SimulatedPalmDesktop& desktop)
{
    if (!DeleteRegistryTree(kPilotDesktopKey) || !DeleteRegistryTree(kPalmDesktopKey) ||
        !DeleteFolderTree(desktop.palmFolder))
        return false;
    if (!WriteFolderValue(desktop) || !WriteConduit(1, desktop.conduit1) || !WriteConduit(2, desktop.conduit2))
        return false;
    if (!MakeFolder(desktop.palmFolder))
        return false;
    for (const SimulatedPalmUser& user : desktop.users) {
        if (!MakeUserFolders(desktop, user))
            return false;
    }
    return !desktop.writeUsersDat ||
           WriteWholeFile(desktop.palmFolder + "\\users.dat", ComposeUsersDat(desktop.users));
}

bool ReadHotSyncInstallFlag(int userNumber, uint32_t* type, uint32_t* value)
{
    return ReadRegistryDword(kHotSyncManagerKey, "Install" + std::to_string(userNumber), type, value);
}
