// The unattended run of " -y": the wizard's pages answered with their
// default buttons, with no page and no box.
#pragma once

#include "installer/wizard.h"

// The choices that the pages' default buttons make: the license accepted,
// the files page's boxes as they start ('+' checked, '-' clear; '*' and '!'
// are always installed), and the users named with " -u", else the only Palm
// user, or the folder of " -d". Returns false when no user can be chosen:
// no " -u" and more than one Palm user (or none).
bool ChooseDefaults(const InstallPlan& plan, const WizardRun& run, InstallChoices* choices);

// Installs what ChooseDefaults chose, and ends the run with the exit code
// that the same choices made on the pages give. Each error goes to the log
// only; so does the need to name users with " -u" (kExitError).
int RunUnattended(const InstallPlan& plan, const WizardRun& run);
