// The copy stage: every chosen file for every target user.
#include "installer/install_files.h"

#include "base/bounded_text.h"
#include "installer/damaged_installer.h"
#include "installer/install_log.h"
#include "palm/database_header.h"
#include "palm/destination_path.h"
#include "palm/hotsync_install_flag.h"
#include "payload/stream_copy.h"
#include "platform/file_replacement.h"
#include "platform/files.h"
#include "platform/folder_listing.h"

#include <cstdio>

namespace {

// The second conversion is "user" or, with " -d", "folder".
constexpr char kStatusFormat[] = "Copying '%s' to %s '%s'\n\n(%s)...";
constexpr char kCopyErrorFormat[] =
    "File Copy Error\n\nAn error occurred copying file %s to %s.\n"
    "Make sure the source file has been extracted (if applicable) and present in the correct folder.";

// Room for either text with its longest possible paths, so that neither is
// ever cut.
constexpr size_t kMessageBytes = sizeof kCopyErrorFormat + 3 * kFilePathChars;

// Names the file at path: by the header at the start of its record in the
// payload, else of the file on disk. A record too short to hold a header is
// named by its path, as a source that cannot be read is.
void NameSource(const PayloadRecord* record, const Payload* payload, const char* path, DatabaseName* naming)
{
    unsigned char header[kPalmNamingBytes];
    bool read = false;
    if (record) {
        read = ReadPayloadBytes(*payload, *record, 0, header, sizeof header) == sizeof header;
    } else if (FILE* file = fopen(path, "rb")) {
        read = fread(header, 1, sizeof header, file) == sizeof header;
        fclose(file);
    }
    NameDatabase(read ? header : nullptr, path, naming);
}

enum class CopyResult { kCopied, kFailed, kDamaged };

// Copies the file to both destinations (backupDestination nullptr: only the
// first): its record if the payload has one, else the file on disk. Each
// copy takes its destination's place only when whole, so a failure leaves
// the earlier file there. kFailed when the install copy failed; kDamaged
// when the record is compressed and does not decode to the size it states.
CopyResult CopyToDestinations(const PayloadRecord* record, const Payload* payload, const char* path,
                              const char* installDestination, const char* backupDestination)
{
    if (record && record->compressed) {
        // Decoded once: copying the install copy is many times faster than
        // decoding again.
        PayloadFault fault = ExtractPayloadRecord(*payload, *record, installDestination).fault;
        FILE* installed = fault == PayloadFault::kNone && backupDestination ? fopen(installDestination, "rb") : nullptr;
        int32_t size = 0;
        if (installed && MeasureFile(installed, &size) == 0 && fseek(installed, 0, SEEK_SET) == 0)
            CopyIntoPlace(installed, size, backupDestination);
        if (installed)
            fclose(installed);
        return fault == PayloadFault::kNone ? CopyResult::kCopied
            : fault == PayloadFault::kCorrupt ? CopyResult::kDamaged : CopyResult::kFailed;
    }
    FILE* disk = record ? nullptr : fopen(path, "rb");
    FILE* source = record ? payload->file : disk;
    int32_t start = record ? record->dataStart : 0;
    int32_t size = record ? record->size : 0;
    bool installed = source && (record || MeasureFile(disk, &size) == 0) && fseek(source, start, SEEK_SET) == 0
        && CopyIntoPlace(source, size, installDestination).fault == PayloadFault::kNone;
    // The backup is only a spare: a failed one goes untold.
    if (installed && backupDestination && fseek(source, start, SEEK_SET) == 0)
        CopyIntoPlace(source, size, backupDestination);
    if (disk)
        fclose(disk);
    return installed ? CopyResult::kCopied : CopyResult::kFailed;
}

// Removes what copies cut short by an earlier run left in folder.
void RemoveLeftovers(const char* folder)
{
    char path[kFilePathChars + sizeof "\\" + sizeof FolderEntry::name];
    FolderEntry entry;
    FolderListing* listing = FormatText(path, sizeof path, "%s\\%s", folder, kTemporaryFilePattern) == 0
        ? StartFolderListing(path, &entry) : nullptr;
    if (!listing)
        return;
    do {
        if (!entry.isFolder && FormatText(path, sizeof path, "%s\\%s", folder, entry.name) == 0)
            DeleteFileOnly(path);
    } while (NextFolderEntry(listing, &entry));
    EndFolderListing(listing);
}

void TellCopyFailure(const ProgressSink& sink, const char* path, const char* destination)
{
    char message[kMessageBytes];
    FormatText(message, sizeof message, kCopyErrorFormat, path, destination);
    Tell(sink.log, message, "Installation Aborted");
}

// The length of the file at path, or -1 when it cannot be had.
int64_t MeasureFile(const char* path)
{
    FILE* file = fopen(path, "rb");
    int64_t length = file ? MeasureOpenFile(file) : -1;
    if (file)
        fclose(file);
    return length;
}

// Installs one file into folder: the install folder of user, with a copy in
// its backup folder, or (user nullptr) the folder of " -d". Returns 0, or -1
// when its copy failed (after telling).
int InstallFile(const PlanFile& file, const char* folder, const PalmUser* user, const Payload* payload,
                const ProgressSink& sink)
{
    const PayloadRecord* record = payload ? FindPayloadRecord(*payload, file.path) : nullptr;
    DatabaseName naming;
    NameSource(record, payload, file.path, &naming);

    char installDestination[kFilePathChars + 1];
    char backupDestination[kFilePathChars + 1];
    // An empty folder would put the file at the root of the drive.
    if (!folder[0] || BuildDestinationPathIn(installDestination, folder, naming.name, naming.isResourceDatabase) != 0
        || (user
            && BuildDestinationPathIn(backupDestination, user->backupPath, naming.name, naming.isResourceDatabase)
                   != 0)) {
        // A path that does not fit would name another file: nothing is
        // written, and the message names the folder it was meant for.
        TellCopyFailure(sink, file.path, folder);
        return -1;
    }

    char status[kMessageBytes];
    FormatText(status, sizeof status, kStatusFormat, file.path, user ? "user" : "folder",
               user ? user->displayName : folder, installDestination);
    sink.copying(status);
    CopyResult copied =
        CopyToDestinations(record, payload, file.path, installDestination, user ? backupDestination : nullptr);
    if (copied == CopyResult::kDamaged) {
        Tell(sink.log, kDamagedInstallerText, kDamagedInstallerCaption);
        return -1;
    }
    if (copied != CopyResult::kCopied) {
        TellCopyFailure(sink, file.path, installDestination);
        return -1;
    }
    LogDatabaseInstalled(sink.log, file.path, installDestination, MeasureFile(installDestination));
    sink.copied();
    return 0;
}

// Installs every chosen file of the plan into folder, as InstallFile does.
// Returns 0, or -1 at the first copy that failed.
int InstallChosenFiles(const InstallPlan& plan, const InstallChoices& choices, const char* folder,
                       const PalmUser* user, const Payload* payload, const ProgressSink& sink)
{
    RemoveLeftovers(folder);
    if (user)
        RemoveLeftovers(user->backupPath);
    for (int slot = 0; slot < plan.fileCount; slot++) {
        sink.slotReached();
        const PlanFile& file = plan.files[slot];
        if ((file.alwaysInstalled || choices.checked[slot]) && InstallFile(file, folder, user, payload, sink) != 0)
            return -1;
    }
    return 0;
}

// Makes folder and each missing folder above it. One that cannot be made
// shows when the copy into it fails.
void MakeFolders(const char* folder)
{
    char path[kFilePathChars + 1];
    CopyText(path, folder);
    // From the second character: a leading backslash stands for the root.
    for (char* p = path + 1; *p; p++) {
        if (*p == '\\' || *p == '/') {
            char separator = *p;
            *p = '\0';
            MakeFolder(path);
            *p = separator;
        }
    }
    MakeFolder(path);
}

// The user of target: the one the user page chose, else the first whose
// display name equals the target's name without regard to letter case.
// Returns its index, or -1 when there is none.
int FindTargetUser(const TargetUser& target, const PalmUsers& users)
{
    if (target.userIndex >= 0)
        return target.userIndex < users.count ? target.userIndex : -1;
    for (int i = 0; i < users.count; i++) {
        if (EqualsIgnoringCase(users.users[i].displayName, target.name))
            return i;
    }
    return -1;
}

} // namespace

CopyStageEnd Install(const InstallPlan& plan, const InstallChoices& choices, const PalmUsers& users,
                     const Payload* payload, const ProgressSink& sink)
{
    if (choices.folder) {
        MakeFolders(choices.folder);
        return InstallChosenFiles(plan, choices, choices.folder, nullptr, payload, sink) == 0 ? CopyStageEnd::kInstalled
                                                                                             : CopyStageEnd::kAborted;
    }
    bool aborted = false;
    bool flagsSet = true;
    int served = 0;
    for (int t = 0; t < choices.targetCount; t++) {
        int userIndex = FindTargetUser(choices.targets[t], users);
        if (userIndex < 0)
            continue;
        const PalmUser& user = users.users[userIndex];
        served++;
        if (InstallChosenFiles(plan, choices, user.installPath, &user, payload, sink) != 0)
            aborted = true;
        // Also after a failure: the files copied before it stay, and HotSync
        // should take them.
        if (SetHotSyncInstallFlag(user) != 0)
            flagsSet = false;
        else
            LogHotSyncFlagSet(sink.log, user);
    }

    if (served == 0) {
        Tell(sink.log, "No valid users selected", "Install Error");
        aborted = true;
    }
    if (aborted)
        return CopyStageEnd::kAborted;
    return flagsSet ? CopyStageEnd::kInstalled : CopyStageEnd::kFlagNotSet;
}
