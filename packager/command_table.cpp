// The packager's commands and options, and the help printed from them.
#include "packager/command_table.h"

#include <cstring>

namespace {

constexpr unsigned kEveryCommand = kOptionQuiet | kOptionVerbose | kOptionHelp;

} // namespace

const OptionShape kPackOptions[] = {
    {kOptionOutput, 'o', "output", "FILE", "the file to write: the installer (build),\nthe record's bytes (extract; default NAME)"},
    {kOptionStub, '\0', "stub", "FILE",
     "the installer program to copy; by default vantrel.exe\nbeside vantrel-pack, else in ../share/vantrel from there"},
    {kOptionScript, '\0', "script", "FILE", "the install script (default Install.ini); stored as Install.ini"},
    {kOptionBeside, '\0', "beside", "NAME",
     "a FILES path naming a file that lies beside the installer,\nnot in it (repeatable)"},
    {kOptionStrict, '\0', "strict", nullptr, "warnings fail the run too"},
    {kOptionKeepEncoding, '\0', "keep-encoding", nullptr,
     "store a UTF-8 script as it is, not converted to Windows-1252"},
    {kOptionStore, '\0', "store", nullptr, "store every database raw, none compressed"},
    {kOptionQuiet, 'q', "quiet", nullptr, "print errors only"},
    {kOptionVerbose, 'v', "verbose", nullptr, "print each record as it is written, with its size"},
    {kOptionHelp, 'h', "help", nullptr, "print this help"},
};
const size_t kPackOptionCount = sizeof kPackOptions / sizeof kPackOptions[0];

const CommandShape kPackCommands[] = {
    {"build", PackCommand::kBuild, 0, kAnyCount,
     kOptionOutput | kOptionStub | kOptionScript | kOptionBeside | kOptionStrict | kOptionKeepEncoding | kOptionStore
         | kEveryCommand,
     "-o SETUP.EXE [OPTION]... FILE...", "check the script and the databases, then write an installer",
     "Checks the install script and every FILE, then writes SETUP.EXE: the installer program, each FILE\n"
     "as a record in the order given (LZMA-compressed when that saves an eighth or more, unless\n"
     "--store), the script, and a checksum record. After any error nothing is\n"
     "written and an existing SETUP.EXE is left as it was. A UTF-8 script is stored in Windows-1252,\n"
     "the text the installer shows.\n"},
    {"check", PackCommand::kCheck, 1, kAnyCount,
     kOptionBeside | kOptionStrict | kOptionKeepEncoding | kEveryCommand, "INSTALL.INI [OPTION]... [FILE...]",
     "the checks of build alone; nothing is written",
     "Checks INSTALL.INI as build would, and with FILEs also the files against it. Without FILEs the\n"
     "checks that hold the script's paths against the files are left out.\n"},
    {"list", PackCommand::kList, 1, 1, kEveryCommand, "SETUP.EXE", "show the records an installer holds",
     "Prints one line per record: offset, size stored, original size, name, and for a Palm OS\n"
     "database its header name, type/creator, kind, version and record count; then a summary with the\n"
     "checksum.\n"},
    {"verify", PackCommand::kVerify, 1, 1, kOptionBeside | kOptionStrict | kEveryCommand, "SETUP.EXE [OPTION]...",
     "check a built installer as it will install",
     "Checks that the record chain is whole, the checksum agrees, every compressed record decodes to\n"
     "its original size, the install script reads, every file it names is there and every database is\n"
     "sound.\n"},
    {"extract", PackCommand::kExtract, 2, 2, kOptionOutput | kEveryCommand, "SETUP.EXE NAME [-o FILE]",
     "write one record's bytes to a file",
     "Writes the bytes of the record NAME (letter case does not matter) to FILE, by default NAME; a\n"
     "compressed record's original bytes.\n"},
    {"append", PackCommand::kAppend, 2, 2, kEveryCommand, "SETUP.EXE FILE",
     "add one file as a record, as vantrel.exe -a does",
     "Appends FILE to SETUP.EXE as a record named after FILE, byte for byte as vantrel.exe -a does,\n"
     "without any check and without a checksum record.\n"},
    {"strip", PackCommand::kStrip, 1, 1, kEveryCommand, "SETUP.EXE", "remove every record",
     "Cuts every record off SETUP.EXE, leaving the installer program as it was before the first append.\n"
     "A signed installer, or one whose chain is damaged, is left alone.\n"},
};
const size_t kPackCommandCount = sizeof kPackCommands / sizeof kPackCommands[0];

const CommandShape* FindCommand(const char* name)
{
    for (const CommandShape& shape : kPackCommands) {
        if (strcmp(shape.name, name) == 0)
            return &shape;
    }
    return nullptr;
}

namespace {

void PrintOption(const OptionShape& option, FILE* stream)
{
    char names[48];
    snprintf(names, sizeof names, "%c%c%c --%s%s%s", option.shortName ? '-' : ' ',
             option.shortName ? option.shortName : ' ', option.shortName ? ',' : ' ', option.longName,
             option.value ? "=" : "", option.value ? option.value : "");
    fprintf(stream, "  %-24s ", names);
    // A help text's further lines stand under its first.
    for (const char* c = option.help; *c; c++) {
        if (*c == '\n')
            fprintf(stream, "\n%27s", "");
        else
            fputc(*c, stream);
    }
    fputc('\n', stream);
}

void PrintOverview(FILE* stream)
{
    fputs("Usage: vantrel-pack COMMAND [OPTION]... ARGUMENT...\n"
          "Builds, checks and takes apart Vantrel installers for Palm OS databases.\n\nCommands:\n",
          stream);
    for (const CommandShape& shape : kPackCommands)
        fprintf(stream, "  %-9s %s\n", shape.name, shape.summary);
    fputs("\nOptions of every command:\n", stream);
    for (size_t i = 0; i < kPackOptionCount; i++) {
        if (kEveryCommand & kPackOptions[i].option)
            PrintOption(kPackOptions[i], stream);
    }
    fputs("      --version            print the version\n\n"
          "Run 'vantrel-pack COMMAND --help' for what a command does and its options.\n"
          "Exit status: 0 done, 1 a check or an operation failed, 2 a mistake on the command line.\n"
          "See also: man vantrel-pack, and the packager's guide.\n",
          stream);
}

} // namespace

void PrintHelp(PackCommand command, FILE* stream)
{
    const CommandShape* shape = nullptr;
    for (const CommandShape& candidate : kPackCommands) {
        if (candidate.command == command)
            shape = &candidate;
    }
    if (!shape) {
        PrintOverview(stream);
        return;
    }
    fprintf(stream, "Usage: vantrel-pack %s %s\n%s\nOptions:\n", shape->name, shape->operands, shape->description);
    for (size_t i = 0; i < kPackOptionCount; i++) {
        if (shape->options & kPackOptions[i].option)
            PrintOption(kPackOptions[i], stream);
    }
}
