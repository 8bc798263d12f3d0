// The copy stage behind the progress page.
#include "installer/install_files.h"

#include "base/bounded_text.h"
#include "base/install_state.h"
#include "palm/database_header.h"
#include "palm/destination_path.h"
#include "palm/hotsync_install_flag.h"
#include "palm/slot_path.h"
#include "payload/payload_archive.h"
#include "platform/files.h"
#include "platform/process.h"
#include "ui/pages.h"
#include "ui/resource_ids.h"

#include <cstdio>

namespace {

constexpr char kStatusFormat[] = "Copying '%s' to user '%s'\n\n(%s)...";
constexpr char kCopyErrorFormat[] =
    "File Copy Error\n\nAn error occurred copying file %s to %s.\n"
    "Make sure the source file has been extracted (if applicable) and present in the correct folder.";

// Room for either text with its longest possible paths and name, so that
// neither is ever cut.
constexpr size_t kMessageBytes = sizeof kCopyErrorFormat + 2 * kFilePathChars + kDisplayNameChars;

constexpr uint32_t kPausePerFileMs = 1000;

// Opens the slot's data: the record of that name in the running program's
// payload, else the file on disk. A record too short to hold a header is
// treated as one that could not be opened.
FILE* OpenSlotData(const char* ownPath, bool haveOwnPath, const char* slotPath)
{
    if (haveOwnPath) {
        int32_t size = 0;
        FILE* record = FindPayloadRecord(ownPath, slotPath, &size);
        if (record && size >= static_cast<int32_t>(kDatabaseHeaderBytes))
            return record;
        if (record) {
            fclose(record);
            return nullptr;
        }
    }
    return fopen(slotPath, "rb");
}

// Copies the slot's file to both destinations, payload first, disk second.
// Returns 0, or -1 when the install copy failed.
int CopySlot(const char* ownPath, bool haveOwnPath, const char* slotPath,
             const char* installDestination, const char* backupDestination)
{
    bool fromPayload = haveOwnPath && ExtractPayloadRecord(ownPath, slotPath, installDestination) == 0;
    if (!fromPayload && CopyFileReplacing(slotPath, installDestination) != 0)
        return -1;
    int backedUp = fromPayload ? ExtractPayloadRecord(ownPath, slotPath, backupDestination)
                               : CopyFileReplacing(slotPath, backupDestination);
    // The backup is only a spare: a failed one goes unreported, but a part
    // copy must not pass for a whole one.
    if (backedUp != 0)
        DeleteFileOnly(backupDestination);
    return 0;
}

void ReportCopyFailure(const char* slotPath, const char* destination)
{
    char message[kMessageBytes];
    FormatText(message, sizeof message, kCopyErrorFormat, slotPath, destination);
    ShowMessageBox(message, "Installation Aborted");
}

// Installs one slot for the user at gState.users[userIndex]. Returns 0, or
// -1 when its copy failed (after the message).
int InstallSlot(int slot, int userIndex, const char* ownPath, bool haveOwnPath)
{
    StepProgress(kProgressBar);
    PumpMessages(0);

    FileSlot& file = gState.files[slot];
    if (!file.selected)
        return 0;
    CleanSlotPath(file.path);

    DatabaseName naming;
    FILE* data = OpenSlotData(ownPath, haveOwnPath, file.path);
    NameDatabase(data, file.path, &naming);
    if (data)
        fclose(data);

    const PalmUser& user = gState.users[userIndex];
    char installDestination[kFilePathChars + 1];
    char backupDestination[kFilePathChars + 1];
    if (BuildDestinationPath(installDestination, user, naming.name, naming.isResourceDatabase, false) != 0
        || BuildDestinationPath(backupDestination, user, naming.name, naming.isResourceDatabase, true) != 0) {
        // A path that does not fit would name another file: nothing is
        // written, and the message names the folder it was meant for.
        ReportCopyFailure(file.path, user.installPath);
        return -1;
    }

    if (!gState.quiet) {
        char status[kMessageBytes];
        FormatText(status, sizeof status, kStatusFormat, file.path, user.displayName,
                   installDestination);
        SetControlText(kProgressText, status);
        // Paint it now, not at the next slot's pump: the copy that follows
        // takes a while, and the text should name the file being copied.
        PumpMessages(0);
    }

    if (CopySlot(ownPath, haveOwnPath, file.path, installDestination, backupDestination) != 0) {
        // Whatever the failed attempts left there (such as the empty file of
        // a failed extraction) goes; a folder never does.
        DeleteFileOnly(installDestination);
        ReportCopyFailure(file.path, installDestination);
        return -1;
    }
    PauseMilliseconds(kPausePerFileMs);
    return 0;
}

// The PalmUser of target: the one the user page chose, else the first whose
// display name equals the target's name without regard to letter case.
// Returns its index, or -1 when there is none.
int FindTargetUser(const TargetUser& target)
{
    if (target.userIndex >= 0)
        return target.userIndex < gState.userCount ? target.userIndex : -1;
    for (int i = 0; i < gState.userCount; i++) {
        if (EqualsIgnoringCase(gState.users[i].displayName, target.name))
            return i;
    }
    return -1;
}

} // namespace

CopyStageEnd InstallFiles(int showCommand)
{
    RegisterCommonControls();
    // Without the progress page the installation still runs: the page only
    // shows how far it has come, and every use of it tolerates its absence.
    gState.currentPage = CreatePage(kProgressPage);
    SetProgressRange(kProgressBar, gState.fileCount);
    SetProgressStep(kProgressBar, 1);
    if (gState.currentPage)
        ShowPage(gState.currentPage, showCommand);

    char ownPath[kFilePathChars + 1];
    bool haveOwnPath = GetOwnProgramPath(ownPath, sizeof ownPath) == 0;

    bool aborted = false;
    bool flagsSet = true;
    int served = 0;
    for (int t = 0; t < gState.targetCount; t++) {
        int userIndex = FindTargetUser(gState.targets[t]);
        if (userIndex < 0)
            continue;
        gState.selectedUser = userIndex;
        served++;
        for (int slot = 0; slot < gState.fileCount; slot++) {
            if (InstallSlot(slot, userIndex, ownPath, haveOwnPath) != 0) {
                aborted = true;
                break;
            }
        }
        // Also after a failure: the files copied before it stay, and HotSync
        // should take them.
        if (SetHotSyncInstallFlag(userIndex) != 0)
            flagsSet = false;
    }

    if (served == 0) {
        ShowMessageBox("No valid users selected", "Install Error");
        aborted = true;
    }

    if (gState.currentPage)
        DestroyPage(gState.currentPage);
    gState.currentPage = nullptr;
    if (aborted)
        return CopyStageEnd::kAborted;
    return flagsSet ? CopyStageEnd::kInstalled : CopyStageEnd::kFlagNotSet;
}
