// The demo's helper inside Wine: sets up the demo's Palm Desktop, walks an
// installer's wizard, and reports what the installation left behind.
//   vantrel_demo_driver prepare
//   vantrel_demo_driver walk <installer.exe> <shots folder>
//   vantrel_demo_driver report
// Exit code 0 on success, 1 on failure (the reason on stderr), 2 on misuse.
#include "demo_palm_desktop.h"
#include "wizard_walk.h"

#include <cstdio>
#include <cstring>

int main(int argc, char** argv)
{
    if (argc == 2 && std::strcmp(argv[1], "prepare") == 0) {
        if (BuildDemoPalmDesktop())
            return 0;
        std::fprintf(stderr, "demo: cannot write the simulated Palm Desktop\n");
        return 1;
    }
    if (argc == 4 && std::strcmp(argv[1], "walk") == 0)
        return WalkWizard(argv[2], argv[3]) ? 0 : 1;
    if (argc == 2 && std::strcmp(argv[1], "report") == 0) {
        PrintInstallReport();
        return 0;
    }
    std::fprintf(stderr, "usage: vantrel_demo_driver prepare | walk <installer.exe> <shots folder> | report\n");
    return 2;
}
