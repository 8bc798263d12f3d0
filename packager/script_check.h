// Checks an install script by the installer's own plan of it, as the
// embedded script it will be, and reports every line the installer would
// never read or would read as something other than it looks.
#pragma once

#include "packager/diagnostics.h"
#include "packager/packed_file.h"

#include <vector>

// Checks the script's bytes, naming it label in messages. Returns the paths
// its FILES section names.
std::vector<ScriptPath> CheckInstallScript(const std::vector<char>& bytes, const char* label,
                                           Diagnostics* diagnostics);

// Holds the FILES paths against the packaged files: a path with no folder
// that names none of them (nor a name in beside, a file that will lie
// beside the installer) is an error; a path with a folder or drive is a
// warning (read from the user's disk at install time); a packaged file that
// no path names is a warning (installed only with -f).
void CheckScriptPaths(const std::vector<ScriptPath>& paths, const std::vector<PackedFile>& files,
                      const std::vector<std::string>& beside, const char* scriptLabel,
                      Diagnostics* diagnostics);
