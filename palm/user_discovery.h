// Palm user discovery: the Palm folder, the install folder name and the
// users that Palm Desktop keeps on this PC.
#pragma once

#include "palm/palm_user.h"

// Called with each user as discovery adds it to the table.
using UserFoundCallback = void (*)(const PalmUser& user);

// Finds the Palm folder and the install folder name in the registry and
// fills found->users, in folder-listing order, with every user folder of
// the Palm folder that holds an entry named as the install folder (at most
// kMaxPalmUsers), calling onUserFound (when given) for each. A user folder
// whose install or backup path would exceed its field is skipped, never
// stored cut. Returns 0 when the Palm folder was found, whatever the number
// of users; -1 with no users when neither registry value names it.
int DiscoverPalmUsers(PalmUsers* found, UserFoundCallback onUserFound);

// Sets the user's display name to the name that users.dat in palmFolder
// stores in front of the last copy of userFolderName that ends a whole
// record (see ReadRecordUserNumber), else in front of its last copy at all;
// to the folder name itself when users.dat cannot be read, holds no such
// copy, or leaves no room for a name there. Names longer than the field are cut: they
// are only shown. The user number comes from whole records only, and only
// when all of them give the same one (which never depends on the display
// name, which may be cut, empty or shared); hasUserNumber is false when
// there is none or it cannot be told.
void ReadUserDisplayName(PalmUser& user, const char* palmFolder, const char* userFolderName);
