// The unattended run: the copy stage with the pages' default answers.
#include "installer/unattended.h"

#include "installer/exit_code.h"
#include "installer/install_log.h"

namespace {

void Nothing() {}
void NoStatus(const char*) {}

} // namespace

bool ChooseDefaults(const InstallPlan& plan, const WizardRun& run, InstallChoices* choices)
{
    static const TargetUser kOnlyUser = {"", 0};
    *choices = {{}, run.commandLineTargets, run.commandLineTargetCount, run.folder};
    for (int slot = 0; slot < plan.fileCount; slot++)
        choices->checked[slot] = plan.files[slot].marker == '+';
    if (run.folder || choices->targetCount > 0)
        return true;
    choices->targets = &kOnlyUser;
    choices->targetCount = 1;
    return run.users->count == 1;
}

int RunUnattended(const InstallPlan& plan, const WizardRun& run)
{
    InstallChoices choices;
    if (!ChooseDefaults(plan, run, &choices)) {
        Tell(run.log, "More than one Palm user on this PC: name the users to install for with -u", "Install Error");
        return kExitError;
    }
    // No page to paint and nobody to watch it: no pause either.
    const ProgressSink sink = {Nothing, NoStatus, Nothing, run.log};
    return Install(plan, choices, *run.users, run.payload, sink) == CopyStageEnd::kInstalled ? kExitDone : kExitError;
}
