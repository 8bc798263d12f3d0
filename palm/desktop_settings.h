// The two settings Palm Desktop keeps in the registry that discovery needs:
// the Palm folder and the name of each user's HotSync install folder.
#pragma once

#include "base/install_state.h"

// Sets folder from the first of the two Palm folder values that holds a
// text fitting it. Returns 0, or -1 with folder untouched when neither does.
int FindPalmFolder(char (&folder)[kPalmFolderChars + 1]);

// Sets name from the Directory value of the first install conduit whose
// Module value begins with "inscn", else to "Install".
void FindInstallFolderName(char (&name)[kInstallFolderNameChars + 1]);
