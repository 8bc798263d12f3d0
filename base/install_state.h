// The limits of the installer's texts and tables as named constants, and the
// one process-wide record: what must outlive a call. Only the two programs
// write it; the pages read it.
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

struct InstallState {
    InstanceHandle instance;        // for creating pages and loading resources
    PageHandle currentPage;         // the one page that exists, or none
};

extern InstallState gState;
