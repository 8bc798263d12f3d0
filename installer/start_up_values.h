// The values the command line sets that only start-up uses: the install
// script's name, the abort flag and the exit code it ends with.
#pragma once

#include "base/install_state.h"
#include "installer/exit_code.h"

constexpr char kDefaultScriptName[] = "Install.ini";

struct StartUpValues {
    // The install script, looked up as a payload record, else on disk:
    // kDefaultScriptName, or the argument of " -s" (HandleOptions sets it).
    // Empty when no script is to be opened: " -s" with no argument, or one
    // too long to hold (cut, it could name another script).
    char scriptName[kScriptNameChars + 1] = {};
    // The run has done all it is for (a packaging mode) or met an error: it
    // ends without showing a wizard page. Once set, never cleared.
    bool abortRun = false;
    // What the run ends with when abortRun is set.
    ExitCode exitCode = kExitDone;
};
