// Discovery of the Palm users: the listing of the Palm folder and the
// display names from users.dat.
#include "palm/user_discovery.h"

#include "base/bounded_text.h"
#include "palm/desktop_settings.h"
#include "palm/users_dat.h"
#include "platform/folder_listing.h"

#include <cstring>

namespace {

// True when a listing of exactly path finds something, folder or file.
bool Exists(const char* path)
{
    FolderEntry entry;
    FolderListing* listing = StartFolderListing(path, &entry);
    if (!listing)
        return false;
    EndFolderListing(listing);
    return true;
}

bool IsCandidate(const FolderEntry& entry)
{
    return entry.isFolder && strcmp(entry.name, ".") != 0 && strcmp(entry.name, "..") != 0;
}

// Adds the user of folderName when it holds the install folder and both of
// its paths fit their fields.
void AddUserIfInstallFolder(PalmUsers* found, const char* folderName, UserFoundCallback onUserFound)
{
    PalmUser user;
    if (FormatText(user.installPath, sizeof user.installPath, "%s\\%s\\%s", found->palmFolder,
                   folderName, found->installFolderName) != 0)
        return;
    if (FormatText(user.backupPath, sizeof user.backupPath, "%s\\%s\\backup", found->palmFolder,
                   folderName) != 0)
        return;
    if (!Exists(user.installPath))
        return;
    ReadUserDisplayName(user, found->palmFolder, folderName);
    found->users[found->count++] = user;
    if (onUserFound)
        onUserFound(user);
}

void ListUsers(PalmUsers* found, UserFoundCallback onUserFound)
{
    char pattern[kPalmFolderChars + 1];
    // A pattern that does not fit could list no user folder anyway: every
    // user's paths are far shorter.
    if (FormatText(pattern, sizeof pattern, "%s\\*", found->palmFolder) != 0)
        return;
    FolderEntry entry;
    FolderListing* listing = StartFolderListing(pattern, &entry);
    if (!listing)
        return;
    do {
        if (IsCandidate(entry))
            AddUserIfInstallFolder(found, entry.name, onUserFound);
    } while (found->count < kMaxPalmUsers && NextFolderEntry(listing, &entry));
    EndFolderListing(listing);
}

} // namespace

int DiscoverPalmUsers(PalmUsers* found, UserFoundCallback onUserFound)
{
    found->count = 0;
    if (FindPalmFolder(found->palmFolder) != 0)
        return -1;
    FindInstallFolderName(found->installFolderName);
    ListUsers(found, onUserFound);
    return 0;
}

void ReadUserDisplayName(PalmUser& user, const char* palmFolder, const char* userFolderName)
{
    CopyText(user.displayName, userFolderName);
    user.hasUserNumber = false;
    UsersDat file;
    if (LoadUsersDat(palmFolder, &file) != 0)
        return;
    // A wrong number would set another user's flag: none is better.
    long p = FindFolderRecord(file, userFolderName, &user.userNumber, &user.hasUserNumber);
    if (p >= 0)
        CopyDisplayNameBefore(file, p, user.displayName, sizeof user.displayName);
    ReleaseUsersDat(&file);
}
