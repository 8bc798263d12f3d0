// Reading the Palm folder and the install folder name from the registry.
#include "palm/desktop_settings.h"

#include "base/bounded_text.h"
#include "platform/registry_path.h"

#include <cstring>

namespace {

constexpr const char* kPalmFolderPaths[] = {
    "Software\\U.S. Robotics\\Pilot Desktop\\Core\\Path",
    "Software\\3Com\\Palm Desktop\\Core\\Path",
};

struct InstallConduit {
    const char* modulePath;
    const char* directoryPath;
};

constexpr InstallConduit kInstallConduits[] = {
    {"Software\\U.S. Robotics\\Pilot Desktop\\HotSync Manager\\InstallConduit1\\Module",
     "Software\\U.S. Robotics\\Pilot Desktop\\HotSync Manager\\InstallConduit1\\Directory"},
    {"Software\\U.S. Robotics\\Pilot Desktop\\HotSync Manager\\InstallConduit2\\Module",
     "Software\\U.S. Robotics\\Pilot Desktop\\HotSync Manager\\InstallConduit2\\Directory"},
};

constexpr char kInstallConduitModule[] = "inscn";
constexpr size_t kConduitModuleChars = 39;

// Reads a text value into text, asking the registry for at most capacity
// bytes. Returns 0 with text terminated, or -1 with text untouched when the
// value is missing, larger than capacity, or fills all of capacity without
// a terminator: a text that does not fit is never used cut.
int ReadRegistryText(const char* path, char* text, size_t capacity)
{
    // Zero-filled, so that data stored without a terminator still ends.
    char value[kPalmFolderChars + 1] = {};
    if (capacity > sizeof value)
        return -1;
    if (ReadRegistryPath(path, value, static_cast<uint32_t>(capacity)) != 0)
        return -1;
    if (strnlen(value, capacity) == capacity)
        return -1;
    return CopyText(text, capacity, value);
}

} // namespace

int FindPalmFolder(char (&folder)[kPalmFolderChars + 1])
{
    for (const char* path : kPalmFolderPaths) {
        if (ReadRegistryText(path, folder, sizeof folder) == 0)
            return 0;
    }
    return -1;
}

void FindInstallFolderName(char (&name)[kInstallFolderNameChars + 1])
{
    for (const InstallConduit& conduit : kInstallConduits) {
        char module[kConduitModuleChars + 1];
        if (ReadRegistryText(conduit.modulePath, module, sizeof module) != 0)
            continue;
        // Case-sensitive, and a longer module name passes.
        if (strncmp(module, kInstallConduitModule, sizeof kInstallConduitModule - 1) != 0)
            continue;
        if (ReadRegistryText(conduit.directoryPath, name, sizeof name) == 0)
            return;
    }
    CopyText(name, "Install");
}
