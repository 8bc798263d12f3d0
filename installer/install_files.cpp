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
    if (haveOwnPath && ExtractPayloadRecord(ownPath, slotPath, installDestination) == 0) {
        ExtractPayloadRecord(ownPath, slotPath, backupDestination);
        return 0;
    }
    if (CopyFileReplacing(slotPath, installDestination) != 0)
        return -1;
    CopyFileReplacing(slotPath, backupDestination);
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
    if (BuildDestinationPath(installDestination, user.displayName, naming.name,
                             naming.isResourceDatabase, false) != 0
        || BuildDestinationPath(backupDestination, user.displayName, naming.name,
                                naming.isResourceDatabase, true) != 0) {
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

int FindPalmUserIgnoringCase(const char* name)
{
    for (int i = 0; i < gState.userCount; i++) {
        if (EqualsIgnoringCase(gState.users[i].displayName, name))
            return i;
    }
    return -1;
}

} // namespace

bool InstallFiles(int showCommand)
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
    int served = 0;
    for (int t = 0; t < gState.targetCount; t++) {
        int userIndex = FindPalmUserIgnoringCase(gState.targets[t].name);
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
        SetHotSyncInstallFlag(gState.users[userIndex].displayName);
    }

    if (served == 0) {
        ShowMessageBox("No valid users selected", "Install Error");
        aborted = true;
    }

    if (gState.currentPage)
        DestroyPage(gState.currentPage);
    gState.currentPage = nullptr;
    return aborted;
}
