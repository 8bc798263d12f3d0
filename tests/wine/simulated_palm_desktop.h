// A simulated Palm Desktop installation in Wine's real registry and file
// system, for the tests and the demo: the Palm folder value, the Palm folder
// with each user's folders, users.dat, and the HotSync flag read back.
#pragma once

#include <string>
#include <vector>

struct SimulatedPalmUser {
    std::string displayName;
    std::string folderName;
    int userNumber;
};

// Deletes HKCU\Software\U.S. Robotics\Pilot Desktop (HotSync flags
// included), then writes its Core\Path value naming palmFolder, makes
// palmFolder (its parent must exist) with "<folder>\Install" and
// "<folder>\backup" per user, and users.dat listing the users. Returns
// false when any of it cannot be written.
bool BuildSimulatedPalmDesktop(const std::string& palmFolder, const std::vector<SimulatedPalmUser>& users);

// True when HotSync Manager's value Install<userNumber> is REG_DWORD 1.
bool HotSyncFlagSet(int userNumber);
