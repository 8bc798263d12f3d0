// The copy stage: installs the selected files for every target user.
#pragma once

// Installs every selected FileSlot for every TargetUser that names a known
// PalmUser (compared without regard to letter case): each file goes into the
// user's install folder and backup folder under the name its Palm OS header
// gives, from the running program's payload or else from disk, behind the
// progress page; the user's HotSync install flag is set after the user's
// files. Returns true (aborted) when a copy failed or no target was known,
// after telling the user; false when the installation is done.
bool InstallFiles(int showCommand);
