// Start-up: everything from the process entry up to the first wizard page.
#pragma once

#include "installer/exit_code.h"
#include "installer/start_up_values.h"
#include "script/script_stream.h"

// Stores the instance for the run, then runs user discovery: behind the
// splash page, which reports each user found, "Done" and a two-second pause;
// in quiet mode without any page. Returns 0, or -2 when the splash page
// cannot be created (discovery has then not run).
int StartUp(InstanceHandle instance, int showCommand);

// Opens the install script named scriptName: first as a payload record of
// the running program (binary, its end bound set at the record's end), else
// as a file on disk in text mode (no bound), past a UTF-8 byte order mark.
// script->file is nullptr when neither exists or scriptName is empty.
void OpenInstallScript(const char* scriptName, ScriptStream* script);

// The whole run: the check that the program arrived whole (unless a
// packaging mode is asked for), start-up, the options, the checks that
// there is a user and something to install, then the wizard. Returns the
// exit code that the caller ends the process with: kExitDone,
// kExitPackagingFailed or kExitError.
int RunInstaller(InstanceHandle instance, const char* commandLine, int showCommand);
