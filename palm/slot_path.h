// The path of a file slot as the copy stage uses it: cleaned of what its
// path line left behind, and split by the rules of Windows paths.
#pragma once

#include "base/install_state.h"

constexpr size_t kDriveChars = 2; // "c:"

struct SplitPath {
    char drive[kDriveChars + 1];           // "c:", or empty
    char folder[kFilePathChars + 1];       // up to and with the last '\' or '/', or empty
    char baseName[kFilePathChars + 1];     // the name without its extension
    char extension[kFilePathChars + 1];    // from the name's last '.' on, dot included, or empty
};

// Cleans path in place, in two passes run once each, one after the other:
// first every trailing LF and CR goes, then every trailing blank and tab
// (so "a\n " keeps its LF).
void CleanSlotPath(char* path);

// Splits path into its four parts. A path longer than a part's buffer has
// that part cut (slot paths hold at most kFilePathChars characters, so they
// never are).
void SplitWindowsPath(const char* path, SplitPath* parts);
