// A simulated Palm Desktop installation for tests and the demo: the
// registry values, the Palm folder with each user's folders, and users.dat
// holding exactly the fragments the installer relies on. On Windows (Wine)
// it writes the real registry and folders; natively it fills the fake
// registry and fake folder tree, and writes users.dat as a real file at
// "<palmFolder>\users.dat" (so palmFolder natively is a path whose parent
// folder exists, such as "/tmp/xyz/Palm"). Free of any test framework.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Which registry value names the Palm folder.
enum class PalmFolderKey {
    kNone,         // neither: discovery cannot find the Palm folder
    kPilotDesktop, // Software\U.S. Robotics\Pilot Desktop\Core\Path
    kPalmDesktop,  // Software\3Com\Palm Desktop\Core\Path
};

struct SimulatedPalmUser {
    std::string displayName;
    std::string folderName;
    int16_t userNumber = 0;
    bool hasInstallFolder = true; // without it the folder is no user's
};

// Module and Directory of the key InstallConduit<N> below
// Software\U.S. Robotics\Pilot Desktop\HotSync Manager.
struct SimulatedInstallConduit {
    std::string module;
    std::string directory;
};

struct SimulatedPalmDesktop {
    std::string palmFolder;
    PalmFolderKey folderKey = PalmFolderKey::kPilotDesktop;
    std::optional<SimulatedInstallConduit> conduit1;
    std::optional<SimulatedInstallConduit> conduit2;
    // The install folder made in every user folder that has one; match it
    // to the conduit's Directory when a conduit should be honoured.
    std::string installFolderName = "Install";
    std::vector<SimulatedPalmUser> users;
    bool writeUsersDat = true;
};

// Replaces any earlier installation: deletes the registry trees
// Software\U.S. Robotics\Pilot Desktop (with its HotSync Manager values,
// Install<N> included) and Software\3Com\Palm Desktop, and the Palm folder
// with everything in it; then writes the Palm folder value (unless kNone),
// the conduits given, the Palm folder, per user "<folder>",
// "<folder>\<installFolderName>" and "<folder>\backup", and users.dat. Returns false
// when any of it could not be written.
bool BuildSimulatedPalmDesktop(const SimulatedPalmDesktop& desktop);

// users.dat's bytes: per user, in order, the user number (2 bytes, little-
// endian), one byte that is not read (0xA5), a zero byte, the display
// name's length byte, the display name, the folder name's length byte and
// the folder name.
std::vector<unsigned char> ComposeUsersDat(const std::vector<SimulatedPalmUser>& users);

// Reads the value Install<userNumber> of the key
// HKCU\Software\U.S. Robotics\Pilot Desktop\HotSync Manager.
// Returns false when it does not exist or is not 4 bytes long.
bool ReadHotSyncInstallFlag(int userNumber, uint32_t* type, uint32_t* value);
