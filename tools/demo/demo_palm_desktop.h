// The demo's Palm Desktop: two users in a simulated installation, and the
// report of what an installer left in their folders and in the registry.
#pragma once

// Writes the demo's installation into the current (fresh) Wine prefix: the
// Palm folder "C:\Program Files\Palm" with the users Alex Morgan (folder
// MorganA, user number 1) and Sam Rivera (folder RiveraS, user number 2),
// their install and backup folders, users.dat and the registry value.
// Returns false when any of it could not be written.
bool BuildDemoPalmDesktop();

// The user that the unattended demo chooses on the user page.
extern const char kDemoChosenUser[];

// Prints, for each demo user, the files (name and size) in the install
// folder and in the backup folder, then each user's HotSync install flag.
void PrintInstallReport();
