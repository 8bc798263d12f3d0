// Start-up: everything from the process entry up to the first wizard page.
#pragma once

#include "installer/start_up_values.h"
#include "script/script_stream.h"

// Stores the instance for the run, then runs user discovery: behind the
// splash page, which reports each user found, "Done" and a two-second pause;
// in quiet mode without any page. Returns 0, or -2 when the splash page
// cannot be created (discovery has then not run).
int StartUp(InstanceHandle instance, int showCommand);

// Opens the install script named scriptName: first as a payload record of
// the running program (binary, its end bound set at the record's end), else
// as a file on disk in text mode (no bound). script->file is nullptr when
// neither exists.
void OpenInstallScript(const char* scriptName, ScriptStream* script);

// The whole run: start-up, the options, the checks that there is a user and
// something to install, then the wizard. Returns when the run is over; the
// caller ends the process with exit code 0.
void RunInstaller(InstanceHandle instance, const char* commandLine, int showCommand);
