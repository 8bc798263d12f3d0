// The copy stage: one call that installs the plan's chosen files for every
// target user, from the payload or from disk, and tells through a progress
// sink what it does.
#pragma once

#include "base/install_state.h"
#include "palm/palm_user.h"
#include "payload/payload.h"
#include "script/install_plan.h"

// A user to install for: a name from the command line, or the user page's
// choice. Display names need not be unique, so the choice is kept as the
// entry itself.
struct TargetUser {
    char name[kTargetUserChars + 1]; // the display name as given
    int userIndex;                   // index into the users when the user page chose it; -1: find name
};

// What was chosen for the copy: the files page's check boxes, and the users
// or the folder the files go to.
struct InstallChoices {
    bool checked[kFileSlotCount];    // a box the person left anything but clear
    const TargetUser* targets;       // from " -u", else the user page's choice
    int targetCount;
    const char* folder = nullptr;    // " -d": this folder instead of the users; nullptr: none
};

struct InstallLog;

// How the copy stage shows its work: the installer's progress page, or a
// test's record of it, and the log, which also tells of each failure.
struct ProgressSink {
    void (*slotReached)();                                  // each slot of each user, chosen or not
    void (*copying)(const char* status);                    // a file is about to be copied
    void (*copied)();                                       // a file was copied
    InstallLog* log;
};

// How the copy stage ended.
enum class CopyStageEnd {
    kInstalled,  // every copy made, every served user's HotSync flag set
    kFlagNotSet, // every copy made, but a served user's HotSync flag could not be set
    kAborted,    // a copy failed or no target was known, after telling the person
};

// Installs every chosen file of the plan (always installed, or checked) for
// every target user: the user the user page chose, or else the first user
// whose display name equals the target's name without regard to letter
// case. Each file goes into the user's install folder and backup folder
// under the name its Palm OS header gives, from the payload (nullptr: none)
// or else from disk; the user's HotSync install flag is set after the
// user's files, also after a failed copy. Each copy is written beside its
// destination and takes its place only when whole, and what copies cut
// short by an earlier run left in the folders written is removed first. A
// failed copy ends that user's files and is told; a backup copy that fails
// is not told, and leaves the earlier backup as it was.
// With choices.folder the files go into that folder alone (made, with the
// folders above it, when missing), under the same names, and no user is
// needed and no flag set. Each copy made and each flag set is logged.
CopyStageEnd Install(const InstallPlan& plan, const InstallChoices& choices, const PalmUsers& users,
                     const Payload* payload, const ProgressSink& sink);
