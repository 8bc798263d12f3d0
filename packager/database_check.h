// Checks the Palm OS databases of an installer before it ships.
#pragma once

#include "packager/diagnostics.h"
#include "packager/packed_file.h"

#include <vector>

// Checks every packaged file that is meant as a database (one that a FILES
// path names, or whose name ends in .prc or .pdb): a sound header and record
// list (an error), an extension that agrees with the header's resource bit
// (a warning), and no two databases that would install under the same name
// (an error: the second would overwrite the first on the user's PC).
void CheckDatabases(const std::vector<PackedFile>& files, const std::vector<ScriptPath>& paths,
                    Diagnostics* diagnostics);
