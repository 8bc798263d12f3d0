// The packager's command line: one command, its operands and its options.
#pragma once

#include "script/install_plan.h"

#include <string>
#include <vector>

enum class PackCommand { kHelp, kVersion, kBuild, kCheck, kList, kVerify, kExtract, kAppend, kStrip };

struct PackArguments {
    PackCommand command = PackCommand::kHelp;
    PackCommand helpFor = PackCommand::kHelp; // for kHelp: the command described, kHelp for all
    std::vector<std::string> operands; // in order, options taken out
    std::string output;                // -o, --output
    std::string stub;                  // --stub; empty for the default
    std::string script = kScriptRecordName; // --script
    std::vector<std::string> beside;   // --beside, each time
    bool strict = false;               // --strict
    bool keepEncoding = false;         // --keep-encoding
    bool quiet = false;                // -q, --quiet: errors only
    bool verbose = false;              // -v, --verbose: each record as it is written
    bool store = false;                // --store: no database compressed
};

// Reads argv into arguments. Options come before or after the operands,
// as "--name value" or "--name=value"; "--" ends them. Returns 0, or -1
// after printing one line with the reason and a pointer to --help on
// standard error, for an unknown command or option, an option without its
// value, or too few or too many operands.
int ParsePackArguments(int argc, char** argv, PackArguments* arguments);
