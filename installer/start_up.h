// Start-up: everything from the process entry up to the first wizard page.
#pragma once

#include "installer/exit_code.h"
#include "installer/start_up_values.h"

struct InstallLog;

// Stores the instance for the run, then runs user discovery into users
// (none with users nullptr), logging the Palm folder and the users found:
// behind the splash page, which reports each user found, "Done" and a
// two-second pause; quiet, without any page. Returns 0, or -2 when the
// splash page cannot be created (discovery has then not run).
int StartUp(InstanceHandle instance, bool quiet, int showCommand, PalmUsers* users, InstallLog* log);

// The install script's bytes, as the plan reads them.
struct ScriptBytes {
    char* bytes;   // malloc'ed, never nullptr for a script found; free it
    int32_t size;
};

enum class ScriptSource { kNone, kFound, kUnreadable };

// Reads the install script named scriptName whole: the payload's record of
// that name (its data, bytes for bytes), else the file on disk read in text
// mode (CR LF arrives as LF, a Ctrl-Z byte ends it). kNone when neither
// exists or scriptName is empty; kUnreadable when memory cannot hold it.
ScriptSource LoadInstallScript(const char* scriptName, const Payload* payload, ScriptBytes* script);

// The whole run: the check that the program arrived whole (unless a
// packaging mode is asked for), start-up, the options, the checks that
// there is a user (unless " -d" names a folder) and something to install,
// then the wizard over the plan of the script, or with " -y" its default
// answers. The log of " -l" begins with the command line and ends with the
// exit code. Returns the exit code that the caller ends the process with:
// kExitDone, kExitPackagingFailed or kExitError.
int RunInstaller(InstanceHandle instance, const char* commandLine, int showCommand);
