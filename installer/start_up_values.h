// The values the command line sets that only start-up uses: the install
// script's name and the abort flag.
#pragma once

#include "base/install_state.h"

constexpr char kDefaultScriptName[] = "Install.ini";

struct StartUpValues {
    // The install script, looked up as a payload record, else on disk:
    // kDefaultScriptName, or the argument of " -s" (HandleOptions sets it).
    // A longer name is cut to its limit on purpose (it then matches nothing).
    char scriptName[kScriptNameChars + 1] = {};
    // The run has done all it is for (a packaging mode) or met an error: it
    // ends without showing a wizard page. Once set, never cleared.
    bool abortRun = false;
};
