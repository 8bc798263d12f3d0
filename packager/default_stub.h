// Where build finds the installer program when --stub names none.
#pragma once

#include "packager/diagnostics.h"

#include <string>

constexpr char kStubName[] = "vantrel.exe";

// The default stub: vantrel.exe beside the running vantrel-pack (a build
// tree, the Windows zip), else in ../share/vantrel from its folder (an
// installed prefix such as /usr). Returns the first that exists; when none
// does, reports where it looked and that --stub names another, and returns
// "".
std::string FindDefaultStub(Diagnostics* diagnostics);
