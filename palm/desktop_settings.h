// The two settings Palm Desktop keeps in the registry that discovery needs:
// the Palm folder and the name of each user's HotSync install folder.
#pragma once

// Sets gState.palmFolder from the first of the two Palm folder values that
// holds a text fitting the field. Returns 0, or -1 with the Palm folder
// untouched when neither does.
int FindPalmFolder();

// Sets gState.installFolderName from the Directory value of the first
// install conduit whose Module value begins with "inscn", else to "Install".
void FindInstallFolderName();
