// The packager's commands and options, once: what the command line accepts
// and what --help says of it come from these tables.
#pragma once

#include "packager/pack_arguments.h"

#include <cstddef>
#include <cstdio>

enum PackOption : unsigned {
    kOptionOutput = 1u << 0,
    kOptionStub = 1u << 1,
    kOptionScript = 1u << 2,
    kOptionBeside = 1u << 3,
    kOptionStrict = 1u << 4,
    kOptionKeepEncoding = 1u << 5,
    kOptionQuiet = 1u << 6,
    kOptionVerbose = 1u << 7,
    kOptionHelp = 1u << 8,
    kOptionStore = 1u << 9,
};

struct OptionShape {
    PackOption option;
    char shortName;      // '\0' for none
    const char* longName; // without its dashes
    const char* value;    // what its value is called; nullptr when it takes none
    const char* help;
};

struct CommandShape {
    const char* name;
    PackCommand command;
    size_t fewest;       // operands
    size_t most;         // operands; kAnyCount for any number
    unsigned options;    // the PackOptions it takes
    const char* operands; // as the usage line shows them
    const char* summary;  // one line, for the overview
    const char* description;
};

constexpr size_t kAnyCount = static_cast<size_t>(-1);

extern const OptionShape kPackOptions[];
extern const size_t kPackOptionCount;
extern const CommandShape kPackCommands[];
extern const size_t kPackCommandCount;

// The shape of the command typed as name; nullptr when there is none.
const CommandShape* FindCommand(const char* name);

// Prints the help for command: its usage, what it does and each option it
// takes; for kHelp (or kVersion) the overview of all commands.
void PrintHelp(PackCommand command, FILE* stream);
