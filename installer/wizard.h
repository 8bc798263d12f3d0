// The wizard: the plan's pages in order, the copy stage among them, and the
// end of the run.
#pragma once

#include "installer/install_files.h"

// What the run brings to the wizard besides the plan.
struct WizardRun {
    const PalmUsers* users;
    const Payload* payload;               // nullptr when the program's own file is not read
    const TargetUser* commandLineTargets; // from " -u"
    int commandLineTargetCount;
    bool quiet;                           // " -q": no status texts during the copy
    int showCommand;                      // every page is shown with it
    InstallLog* log;                      // tells of errors, and logs what the copy does
    const char* folder;                   // " -d": the files go there; nullptr: to the users
};

// Shows the plan's pages one after the other, each served until the person
// answers it, and runs the copy stage at its place, until the run ends: on a
// quit request from any page, after an aborted copy stage, or after the last
// page. Returns kExitError when the run ended on an error (a failed copy
// stage, a HotSync flag that could not be set, a page it cannot do without
// that could not be created), else kExitDone.
int RunWizard(const InstallPlan& plan, const WizardRun& run);
