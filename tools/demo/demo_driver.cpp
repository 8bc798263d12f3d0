// The demo's helper inside Wine: sets up a simulated Palm Desktop, walks an
// installer's wizard, and reports what the installation left behind.
//   vantrel_demo_driver prepare [USER...]
//   vantrel_demo_driver walk <installer.exe> <shots folder>
//   vantrel_demo_driver try <installer.exe> <shots folder>
//   vantrel_demo_driver report [USER...]
// prepare and report take the users' display names (the demo's two when
// none are given). walk clicks through as the demo does; try presses the
// default button of every page and prints the installer's exit code.
// Exit code 0 on success, 1 on failure (the reason on stderr), 2 on misuse.
#include "default_walk.h"
#include "demo_palm_desktop.h"
#include "wizard_walk.h"

#include <cstdio>
#include <cstring>

int main(int argc, char** argv)
{
    const char* mode = argc >= 2 ? argv[1] : "";
    if (std::strcmp(mode, "prepare") == 0) {
        if (BuildDemoPalmDesktop(DemoUsers(argc - 2, argv + 2)))
            return 0;
        std::fprintf(stderr, "cannot write the simulated Palm Desktop\n");
        return 1;
    }
    if (argc == 4 && std::strcmp(mode, "walk") == 0)
        return WalkWizard(argv[2], argv[3]) ? 0 : 1;
    if (argc == 4 && std::strcmp(mode, "try") == 0) {
        DWORD exitCode = 0;
        if (!PressDefaultButtons(argv[2], argv[3], &exitCode))
            return 1;
        std::printf("installer exit code: %lu\n", exitCode);
        return 0;
    }
    if (std::strcmp(mode, "report") == 0) {
        PrintInstallReport(DemoUsers(argc - 2, argv + 2));
        return 0;
    }
    std::fprintf(stderr, "usage: vantrel_demo_driver prepare [USER...] | walk <installer.exe> <shots folder>\n"
                         "       | try <installer.exe> <shots folder> | report [USER...]\n");
    return 2;
}
