// Walks an installer's wizard from the splash page to the readme page, as a
// person would, and has each page photographed on the way.
#pragma once

#include <string>

// Starts installerPath (in its own folder) and clicks through every page:
// I Accept; every unchecked file ticked, then Continue; the demo's chosen
// user, then Continue; View Readme; Close. Each page is photographed
// through shotsFolder before it is left (see page_photograph.h). Returns
// false, with the reason on stderr, when a page did not come or the
// installer did not end; the installer is then ended.
bool WalkWizard(const std::string& installerPath, const std::string& shotsFolder);
