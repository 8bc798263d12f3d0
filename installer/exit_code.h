// The process exit codes, for the scripts, Makefiles and deployment tools
// that run the installer.
#pragma once

enum ExitCode : int {
    kExitDone = 0,            // installed or packaged as asked, or the person ended the wizard
    kExitPackagingFailed = 1, // " -a" or " -r" failed or refused
    kExitError = 2,           // the run ended on an error
};
