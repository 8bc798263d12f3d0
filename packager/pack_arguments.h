// The packager's command line: one command, its operands and its options.
#pragma once

#include "script/install_plan.h"

#include <cstdio>
#include <string>
#include <vector>

enum class PackCommand { kHelp, kVersion, kBuild, kCheck, kList, kVerify, kExtract, kAppend, kStrip };

struct PackArguments {
    PackCommand command = PackCommand::kHelp;
    std::vector<std::string> operands; // in order, options taken out
    std::string output;                // -o
    std::string stub;                  // --stub; empty for the default
    std::string script = kScriptRecordName; // --script
    std::vector<std::string> beside;   // --beside, each time
    bool strict = false;               // --strict
};

// Reads argv into arguments. Returns 0, or -1 (after printing the reason
// and the usage on standard error) for an unknown command or option, an
// option without its value, or too few or too many operands.
int ParsePackArguments(int argc, char** argv, PackArguments* arguments);

// The usage text, printed by --help and after a mistake.
void PrintUsage(FILE* stream);
