// The one process-wide state record that every part of the installer shares,
// with the limits of its fields as named constants.
#pragma once

#include <cstddef>
#include <cstdint>

// Limits, in characters; each buffer holds one more byte for the NUL.
constexpr size_t kPalmFolderChars = 511;
constexpr size_t kInstallFolderNameChars = 39;
constexpr size_t kDisplayNameChars = 49;
constexpr size_t kUserFolderPathChars = 99;
constexpr size_t kFilePathChars = 255;
constexpr size_t kTargetUserChars = 99;
constexpr size_t kScriptNameChars = 99;

constexpr int kMaxPalmUsers = 25;
constexpr int kMaxTargetUsers = 25;
constexpr int kFileSlotCount = 6;

// Opaque platform handles; the core never looks inside them.
using InstanceHandle = void*;
using PageHandle = void*;

// One Palm Desktop user, as discovery found it.
struct PalmUser {
    char displayName[kDisplayNameChars + 1];      // from users.dat, else the user folder name
    char installPath[kUserFolderPathChars + 1];   // <Palm folder>\<user folder>\<install folder name>
    char backupPath[kUserFolderPathChars + 1];    // <Palm folder>\<user folder>\backup
    bool hasUserNumber;                           // users.dat gave the number below
    int16_t userNumber;                           // HotSync's number for the user: its flag is Install<number>
};

// One file to install: a payload record name or a path on disk.
struct FileSlot {
    char path[kFilePathChars + 1];
    bool selected;
};

// A user to install for: a name from the command line, or the user page's
// choice. Display names need not be unique, so the choice is kept as the
// entry itself.
struct TargetUser {
    char name[kTargetUserChars + 1]; // the display name, as given or chosen
    int userIndex;                   // index into users when the user page chose it; -1: find name
};

struct InstallState {
    InstanceHandle instance;        // for creating pages and loading resources
    bool quiet;                     // " -q": no splash page, no status texts

    char palmFolder[kPalmFolderChars + 1];               // Palm Desktop's data folder
    char installFolderName[kInstallFolderNameChars + 1]; // HotSync install folder in each user folder

    PalmUser users[kMaxPalmUsers];  // in folder-listing order; written only by discovery
    int userCount;
    int selectedUser;               // index into users; the user page and the copy stage set it

    FileSlot files[kFileSlotCount]; // from " -f", replaced by a FILES section
    int fileCount;

    TargetUser targets[kMaxTargetUsers]; // from " -u", else the selected user
    int targetCount;

    bool entryVisible;              // a FILES entry was read that the files page shows
    int stepDone;                   // raised by a page's forward button; 0 before each page
    PageHandle currentPage;         // the one page that exists, or none
};

extern InstallState gState;

// Puts gState back to its state at process start. Tests call it to start
// from a fresh state.
void ResetInstallState();
