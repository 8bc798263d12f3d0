// The Palm Desktop users that discovery finds: each user and the table of
// them, a value that discovery returns and the copy stage takes.
#pragma once

#include "base/install_state.h"

#include <cstdint>

// One Palm Desktop user, as discovery found it.
struct PalmUser {
    char displayName[kDisplayNameChars + 1];      // from users.dat, else the user folder name
    char installPath[kUserFolderPathChars + 1];   // <Palm folder>\<user folder>\<install folder name>
    char backupPath[kUserFolderPathChars + 1];    // <Palm folder>\<user folder>\backup
    bool hasUserNumber;                           // users.dat gave the number below
    int16_t userNumber;                           // HotSync's number for the user: its flag is Install<number>
};

struct PalmUsers {
    char palmFolder[kPalmFolderChars + 1];               // Palm Desktop's data folder
    char installFolderName[kInstallFolderNameChars + 1]; // HotSync install folder in each user folder
    PalmUser users[kMaxPalmUsers];                       // in folder-listing order
    int count;
};
