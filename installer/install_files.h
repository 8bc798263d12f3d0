// The copy stage: installs the selected files for every target user.
#pragma once

// How the copy stage ended.
enum class CopyStageEnd {
    kInstalled,  // every copy made, every served user's HotSync flag set
    kFlagNotSet, // every copy made, but a served user's HotSync flag could not be set
    kAborted,    // a copy failed or no target was known, after telling the user
};

// Installs every selected FileSlot for every TargetUser: the user the user
// page chose, or else the first PalmUser whose display name equals the
// target's name without regard to letter case. Each file goes into the
// user's install folder and backup folder under the name its Palm OS header
// gives, from the running program's payload or else from disk, behind the
// progress page; the user's HotSync install flag is set after the user's
// files. A backup copy that fails is removed and not reported.
CopyStageEnd InstallFiles(int showCommand);
