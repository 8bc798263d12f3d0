// The values the command line gives the run: the install script's name, the
// users and files it names, and, after a packaging mode or an error, that
// the run ends and with which exit code.
#pragma once

#include "installer/exit_code.h"
#include "installer/install_files.h"

struct StartUpValues {
    // The install script, looked up as a payload record, else on disk:
    // kScriptRecordName, or the argument of " -s" (HandleOptions sets it).
    // Empty when no script is to be opened: " -s" with no argument, or one
    // too long to hold (cut, it could name another script).
    char scriptName[kScriptNameChars + 1] = {};
    TargetUser targets[kMaxTargetUsers] = {};     // " -u", in order
    int targetCount = 0;
    char files[kFileSlotCount][kFilePathChars + 1] = {}; // " -f", in order
    int fileCount = 0;
    // The run has done all it is for (a packaging mode) or met an error: it
    // ends without showing a wizard page. Once set, never cleared.
    bool abortRun = false;
    // What the run ends with when abortRun is set.
    ExitCode exitCode = kExitDone;
};
