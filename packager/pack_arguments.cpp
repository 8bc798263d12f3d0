// Reading the packager's command line.
#include "packager/pack_arguments.h"

#include "packager/command_table.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace {

// One line that says what is wrong, one that says where help is: the whole
// usage after every slip would bury the line that matters.
__attribute__((format(printf, 2, 3)))
int Mistake(const CommandShape* shape, const char* format, ...)
{
    fputs("vantrel-pack: ", stderr);
    if (shape)
        fprintf(stderr, "%s: ", shape->name);
    va_list args;
    va_start(args, format);
    vfprintf(stderr, format, args);
    va_end(args);
    fprintf(stderr, "\nTry 'vantrel-pack%s%s --help'.\n", shape ? " " : "", shape ? shape->name : "");
    return -1;
}

// The option that word names ("-o", "--stub", "--stub=x"), or nullptr.
// A long option's value after '=' is left in value.
const OptionShape* FindOption(const char* word, const char** value)
{
    *value = nullptr;
    for (size_t i = 0; i < kPackOptionCount; i++) {
        const OptionShape& option = kPackOptions[i];
        if (word[1] != '-') {
            if (word[1] == option.shortName && word[2] == '\0')
                return &option;
            continue;
        }
        size_t length = strlen(option.longName);
        if (strncmp(word + 2, option.longName, length) != 0)
            continue;
        if (word[2 + length] == '=')
            *value = word + 3 + length;
        if (word[2 + length] == '\0' || *value)
            return &option;
    }
    return nullptr;
}

void Store(PackArguments* arguments, PackOption option, const char* value)
{
    switch (option) {
    case kOptionOutput:
        arguments->output = value;
        break;
    case kOptionStub:
        arguments->stub = value;
        break;
    case kOptionScript:
        arguments->script = value;
        break;
    case kOptionBeside:
        arguments->beside.push_back(value);
        break;
    case kOptionStrict:
        arguments->strict = true;
        break;
    case kOptionKeepEncoding:
        arguments->keepEncoding = true;
        break;
    case kOptionStore:
        arguments->store = true;
        break;
    case kOptionQuiet:
        arguments->quiet = true;
        break;
    case kOptionVerbose:
        arguments->verbose = true;
        break;
    case kOptionHelp:
        arguments->helpFor = arguments->command;
        arguments->command = PackCommand::kHelp;
        break;
    }
}

} // namespace

int ParsePackArguments(int argc, char** argv, PackArguments* arguments)
{
    if (argc < 2)
        return Mistake(nullptr, "no command given");
    const char* name = argv[1];
    if (strcmp(name, "--help") == 0 || strcmp(name, "-h") == 0 || strcmp(name, "--version") == 0) {
        arguments->command = name[2] == 'v' ? PackCommand::kVersion : PackCommand::kHelp;
        return argc == 2 ? 0 : Mistake(nullptr, "nothing may follow %s", name);
    }
    const CommandShape* shape = FindCommand(name);
    if (!shape && name[0] == '-')
        return Mistake(nullptr, "the command comes first, before '%s'", name);
    if (!shape)
        return Mistake(nullptr, "unknown command '%s'", name);
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
        const char* value = nullptr;
        const OptionShape* option = FindOption(word, &value);
        if (!option)
            return Mistake(shape, "unknown option '%s'", word);
        if (!(shape->options & option->option))
            return Mistake(shape, "'%s' is not an option of %s", word, shape->name);
        if (option->value && !value) {
            if (i + 1 >= argc)
                return Mistake(shape, "option '%s' needs a value", word);
            value = argv[++i];
        } else if (!option->value && value) {
            return Mistake(shape, "option '--%s' takes no value", option->longName);
        }
        Store(arguments, option->option, value);
        if (arguments->command == PackCommand::kHelp)
            return 0;
    }

    if (shape->command == PackCommand::kBuild && arguments->output.empty())
        return Mistake(shape, "the installer to write is missing: give it with -o SETUP.EXE");
    if (arguments->operands.size() < shape->fewest)
        return Mistake(shape, "too few arguments: %s", shape->operands);
    if (shape->most != kAnyCount && arguments->operands.size() > shape->most)
        return Mistake(shape, "too many arguments: %s", shape->operands);
    return 0;
}
