// vantrel-pack: builds, checks, lists, verifies and takes apart installers
// from any build machine, with no dialogs.
#include "packager/command_table.h"
#include "packager/commands.h"
#include "packager/diagnostics.h"

#include <cstdio>

int main(int argc, char** argv)
{
    PackArguments arguments;
    if (ParsePackArguments(argc, argv, &arguments) != 0)
        return 2;
    SetMessageLevel(arguments.quiet ? MessageLevel::kErrors
                    : arguments.verbose ? MessageLevel::kVerbose : MessageLevel::kNormal);
    switch (arguments.command) {
    case PackCommand::kHelp:
        PrintHelp(arguments.helpFor, stdout);
        return 0;
    case PackCommand::kVersion:
        puts("vantrel-pack 1.02");
        return 0;
    case PackCommand::kBuild:
        return RunBuild(arguments);
    case PackCommand::kCheck:
        return RunCheck(arguments);
    case PackCommand::kList:
        return RunList(arguments);
    case PackCommand::kVerify:
        return RunVerify(arguments);
    case PackCommand::kExtract:
        return RunExtract(arguments);
    case PackCommand::kAppend:
        return RunAppend(arguments);
    case PackCommand::kStrip:
        return RunStrip(arguments);
    }
    return 2;
}
