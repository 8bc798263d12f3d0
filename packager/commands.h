// The packager's commands. Each returns the process exit code: 0 done, 1 a
// check or operation failed (after its messages on standard error).
#pragma once

#include "packager/pack_arguments.h"

int RunBuild(const PackArguments& arguments);
int RunCheck(const PackArguments& arguments);
int RunList(const PackArguments& arguments);
int RunVerify(const PackArguments& arguments);
int RunExtract(const PackArguments& arguments);
int RunAppend(const PackArguments& arguments);
int RunStrip(const PackArguments& arguments);

// The folder that holds the running packager, where the stub is looked
// for by default; empty when it cannot be had.
std::string OwnFolder();
