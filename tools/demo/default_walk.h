// Runs any installer as a person who presses the default button of every
// page would, and has each page photographed on the way.
#pragma once

#include <windows.h>

#include <string>

// Starts installerPath (in its own folder) and, for every window it shows
// in turn (its pages and any message box), photographs it through
// shotsFolder as NN-name.png (see page_photograph.h), prints a line that
// names it and what was pressed, and presses its default button: I Accept,
// Continue, Close, OK. Pages without buttons (the splash and progress
// pages) are photographed and left to end by themselves. Stores the
// installer's exit code. Returns false, with the reason on stderr, when a
// page stayed too long or the installer did not end; the installer is then
// ended.
bool PressDefaultButtons(const std::string& installerPath, const std::string& shotsFolder, DWORD* exitCode);
