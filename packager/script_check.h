// Checks an install script by the installer's own plan of it, as the
// embedded script it will be, and reports every line the installer would
// never read or would read as something other than it looks, and what the
// files page could not show.
#pragma once

#include "packager/diagnostics.h"
#include "packager/packed_file.h"

#include <string>
#include <vector>

// The files a script is held against: those packaged in the installer, and
// the names of files that will lie beside it (--beside).
struct PackagedFiles {
    const std::vector<PackedFile>& files;
    const std::vector<std::string>& beside;
};

// Checks the script's bytes, naming it label in messages; with packaged,
// also its FILES paths against those files. Returns the paths its FILES
// section names.
//
// Held against the files: a path with no folder that names none of them is
// an error; a path with a folder or drive is a warning (read from the
// user's disk at install time), and an error when its last component is a
// packaged file (the installer would look for it on the user's disk); a
// packaged file that no path names is an error when the script has a
// FILES section (carried, never installed) and a warning when it has none
// (installed only with -f).
std::vector<ScriptPath> CheckInstallScript(const std::vector<char>& bytes, const char* label,
                                           const PackagedFiles* packaged, Diagnostics* diagnostics);
