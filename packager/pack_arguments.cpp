// Reading the packager's command line.
#include "packager/pack_arguments.h"

#include <cstdio>
#include <cstring>

namespace {

struct CommandShape {
    const char* name;
    PackCommand command;
    size_t fewest;   // operands
    size_t most;     // operands; SIZE_MAX for any number
    const char* options; // the options it takes, as "-o --stub"
};

constexpr size_t kAny = static_cast<size_t>(-1);

const CommandShape kCommands[] = {
    {"build", PackCommand::kBuild, 0, kAny, "-o --stub --script --beside --strict"},
    {"check", PackCommand::kCheck, 1, kAny, "--beside --strict"},
    {"list", PackCommand::kList, 1, 1, ""},
    {"verify", PackCommand::kVerify, 1, 1, "--beside --strict"},
    {"extract", PackCommand::kExtract, 2, 2, "-o"},
    {"append", PackCommand::kAppend, 2, 2, ""},
    {"strip", PackCommand::kStrip, 1, 1, ""},
};

bool Takes(const CommandShape& shape, const char* option)
{
    // Whole words only: "-o" must not match inside "--stub".
    size_t length = strlen(option);
    for (const char* at = strstr(shape.options, option); at; at = strstr(at + 1, option)) {
        bool starts = at == shape.options || at[-1] == ' ';
        bool ends = at[length] == '\0' || at[length] == ' ';
        if (starts && ends)
            return true;
    }
    return false;
}

int Mistake(const char* what, const char* detail)
{
    fprintf(stderr, "vantrel-pack: %s%s\n\n", what, detail);
    PrintUsage(stderr);
    return -1;
}

} // namespace

void PrintUsage(FILE* stream)
{
    fputs("usage: vantrel-pack build -o SETUP.EXE [--stub vantrel.exe] [--script Install.ini]\n"
          "                          [--beside NAME]... [--strict] FILE...\n"
          "       vantrel-pack check INSTALL.INI [--beside NAME]... [--strict] [FILE...]\n"
          "       vantrel-pack list SETUP.EXE\n"
          "       vantrel-pack verify SETUP.EXE [--beside NAME]... [--strict]\n"
          "       vantrel-pack extract SETUP.EXE NAME [-o PATH]\n"
          "       vantrel-pack append SETUP.EXE FILE\n"
          "       vantrel-pack strip SETUP.EXE\n"
          "       vantrel-pack --help | --version\n"
          "Exit codes: 0 done, 1 a check or operation failed, 2 a mistake on the command line.\n",
          stream);
}

int ParsePackArguments(int argc, char** argv, PackArguments* arguments)
{
    if (argc < 2)
        return Mistake("no command given", "");
    const char* name = argv[1];
    if (strcmp(name, "--help") == 0 || strcmp(name, "-h") == 0) {
        arguments->command = PackCommand::kHelp;
        return argc == 2 ? 0 : Mistake("nothing may follow ", name);
    }
    if (strcmp(name, "--version") == 0) {
        arguments->command = PackCommand::kVersion;
        return argc == 2 ? 0 : Mistake("nothing may follow ", name);
    }
    const CommandShape* shape = nullptr;
    for (const CommandShape& candidate : kCommands) {
        if (strcmp(candidate.name, name) == 0)
            shape = &candidate;
    }
    if (!shape)
        return Mistake("unknown command: ", name);
    arguments->command = shape->command;

    bool optionsEnded = false;
    for (int i = 2; i < argc; i++) {
        const char* word = argv[i];
        if (optionsEnded || word[0] != '-' || word[1] == '\0') {
            arguments->operands.push_back(word);
            continue;
        }
        if (strcmp(word, "--") == 0) {
            optionsEnded = true;
            continue;
        }
        if (!Takes(*shape, word))
            return Mistake("unknown option for this command: ", word);
        if (strcmp(word, "--strict") == 0) {
            arguments->strict = true;
            continue;
        }
        if (i + 1 >= argc)
            return Mistake("this option needs a value: ", word);
        const char* value = argv[++i];
        if (strcmp(word, "-o") == 0)
            arguments->output = value;
        else if (strcmp(word, "--stub") == 0)
            arguments->stub = value;
        else if (strcmp(word, "--script") == 0)
            arguments->script = value;
        else
            arguments->beside.push_back(value);
    }

    if (shape->command == PackCommand::kBuild && arguments->output.empty())
        return Mistake("build needs -o SETUP.EXE", "");
    if (arguments->operands.size() < shape->fewest)
        return Mistake("too few arguments for ", name);
    if (shape->most != kAny && arguments->operands.size() > shape->most)
        return Mistake("too many arguments for ", name);
    return 0;
}
