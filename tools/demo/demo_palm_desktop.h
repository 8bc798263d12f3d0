// The demo's Palm Desktop: its users in a simulated installation, and the
// report of what an installer left in their folders and in the registry.
#pragma once

#include "simulated_palm_desktop.h"

#include <vector>

// The users named (numbered from 1, each in a folder named after the
// letters and digits of the name), or with no names the demo's two: Alex
// Morgan (folder MorganA, user number 1) and Sam Rivera (RiveraS, 2).
std::vector<SimulatedPalmUser> DemoUsers(int count, char** names);

// Writes the installation into the current (fresh) Wine prefix: the Palm
// folder "C:\Program Files\Palm" with the users' install and backup
// folders, users.dat and the registry value. Returns false when any of it
// could not be written.
bool BuildDemoPalmDesktop(const std::vector<SimulatedPalmUser>& users);

// The user that the demo's walk chooses on the user page.
extern const char kDemoChosenUser[];

// Prints, for each user, the files (name and size) in the install folder
// and in the backup folder, then each user's HotSync install flag.
void PrintInstallReport(const std::vector<SimulatedPalmUser>& users);
