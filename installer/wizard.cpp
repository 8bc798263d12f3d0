// The wizard: one page of the plan after the other.
#include "installer/wizard.h"

#include "installer/exit_code.h"
#include "platform/process.h"
#include "ui/pages.h"
#include "ui/resource_ids.h"

namespace {

constexpr uint32_t kPausePerFileMs = 1000;

// The progress page's sinks: with status texts, and quiet.
void StepSlot()
{
    StepProgress(kProgressBar);
    PumpMessages(0);
}

void ShowCopying(const char* status)
{
    SetControlText(kProgressText, status);
    // Paint it now, not at the next slot's pump: the copy that follows
    // takes a while, and the text should name the file being copied.
    PumpMessages(0);
}

void QuietCopying(const char*) {}

void PauseAfterFile()
{
    PauseMilliseconds(kPausePerFileMs);
}


void DestroyCurrentPage()
{
    if (gState.currentPage)
        DestroyPage(gState.currentPage);
    gState.currentPage = nullptr;
}

// Creates the page and makes it current. Returns false when it cannot be
// created.
bool OpenPage(int dialogId)
{
    gState.currentPage = CreatePage(dialogId);
    return gState.currentPage != nullptr;
}

// Shows the current page and serves it until the person answers.
PageAnswer Serve(const WizardRun& run)
{
    ShowPage(gState.currentPage, run.showCommand);
    return ServeCurrentPage();
}

void ShowText(const TextBlock& block, int textBoxId)
{
    SetTextBoxText(textBoxId, block.text ? block.text : "");
}

// Shows each FILES entry on the files page: a check box ('+' checked, '-'
// clear) or, for '*', the label in its place; '!' shows nothing.
void FillFilesPage(const InstallPlan& plan, const PlanStep& step)
{
    for (int slot = 0; slot < plan.fileCount; slot++) {
        const PlanFile& file = plan.files[slot];
        if (file.marker == '!')
            continue;
        int control = file.marker == '*' ? kFilesLabel1 + slot : kFilesCheckBox1 + slot;
        if (file.marker == '+')
            SetCheckBox(control, true);
        ShowControl(control);
        SetControlText(control, file.label);
    }
    ShowText(step.text, kFilesDescription);
}

// Lists the users in table order, so that a list position is a user's index.
void FillUserList(const PalmUsers& users)
{
    for (int user = 0; user < users.count; ++user)
        InsertListEntry(kUserList, user, users.users[user].displayName);
    SelectListEntry(kUserList, 0);
}

// How a step ends: the next step follows, or the run ends as asked (the
// last page, a quit request) or on an error.
enum class StepEnd { kNext, kRunDone, kRunFailed };

// What the steps carry from one to the next.
struct Choices {
    InstallChoices install;
    int chosenUser;   // the user page's choice; the first user until then
    bool flagNotSet;  // a HotSync flag could not be set: the run ends on an error, after its pages
};

StepEnd RunCopy(const InstallPlan& plan, const PlanStep& step, const WizardRun& run, Choices* choices)
{
    InstallChoices& install = choices->install;
    install.targets = run.commandLineTargets;
    install.targetCount = run.commandLineTargetCount;
    install.folder = run.folder;
    // Display names need not be unique, so the choice travels as the entry,
    // not as its name.
    const TargetUser chosen = {"", choices->chosenUser};
    if (install.targetCount == 0 && choices->chosenUser < run.users->count) {
        install.targets = &chosen;
        install.targetCount = 1;
    }
    RegisterCommonControls();
    // Without the progress page the installation still runs: the page only
    // shows how far it has come, and every use of it tolerates its absence.
    OpenPage(kProgressPage);
    SetProgressRange(kProgressBar, plan.fileCount);
    SetProgressStep(kProgressBar, 1);
    if (gState.currentPage)
        ShowPage(gState.currentPage, run.showCommand);
    const ProgressSink sink = {StepSlot, run.quiet ? QuietCopying : ShowCopying, PauseAfterFile, run.log};
    CopyStageEnd end = Install(plan, install, *run.users, run.payload, sink);
    DestroyCurrentPage();
    if (end == CopyStageEnd::kAborted)
        return StepEnd::kRunFailed;
    // The files are in place; HotSync may still not take them without the
    // flag, which the exit code says.
    choices->flagNotSet = end == CopyStageEnd::kFlagNotSet;
    // The files are installed; without a completion page there is nothing
    // left to wait for.
    if (!OpenPage(kCompletionPage))
        return StepEnd::kRunDone;
    if (step.viewReadme)
        ShowControl(kCompletionViewReadme);
    return Serve(run).forward ? StepEnd::kNext : StepEnd::kRunDone;
}

StepEnd RunStep(const InstallPlan& plan, const PlanStep& step, const WizardRun& run, Choices* choices)
{
    PageAnswer answer;
    switch (step.page) {
    case PlanPage::kLicense:
        // Without the license page nothing may be installed: the run ends.
        if (!OpenPage(kLicensePage))
            return StepEnd::kRunFailed;
        ShowText(step.text, kLicenseText);
        return Serve(run).forward ? StepEnd::kNext : StepEnd::kRunDone;

    case PlanPage::kFiles:
        // Without the files page the choice cannot be offered: the run ends
        // rather than install what the person never saw.
        if (!OpenPage(kFilesPage))
            return StepEnd::kRunFailed;
        FillFilesPage(plan, step);
        if (!plan.entryVisible)
            return StepEnd::kNext;
        answer = Serve(run);
        // Indeterminate counts as chosen: only a clear box leaves a file out.
        for (int slot = 0; slot < kFileSlotCount; slot++)
            choices->install.checked[slot] = answer.boxStates[slot] != kCheckBoxClear;
        return answer.forward ? StepEnd::kNext : StepEnd::kRunDone;

    case PlanPage::kUser:
        // Without the user page the copy stage runs for the first user.
        if (!OpenPage(kUserPage))
            return StepEnd::kNext;
        FillUserList(*run.users);
        answer = Serve(run);
        // No selection leaves the choice as it was.
        if (answer.listPosition >= 0 && answer.listPosition < run.users->count)
            choices->chosenUser = answer.listPosition;
        return answer.forward ? StepEnd::kNext : StepEnd::kRunDone;

    case PlanPage::kCopy:
        return RunCopy(plan, step, run, choices);

    case PlanPage::kReadme:
        // The files are installed: without the readme page the run is over.
        if (!OpenPage(kReadmePage))
            return StepEnd::kRunDone;
        ShowText(step.text, kReadmeText);
        return Serve(run).forward ? StepEnd::kNext : StepEnd::kRunDone;
    }
    return StepEnd::kRunDone;
}

} // namespace

int RunWizard(const InstallPlan& plan, const WizardRun& run)
{
    Choices choices = {};
    StepEnd end = StepEnd::kNext;
    for (int i = 0; i < plan.stepCount && end == StepEnd::kNext; i++) {
        end = RunStep(plan, plan.steps[i], run, &choices);
        DestroyCurrentPage();
    }
    return end == StepEnd::kRunFailed || choices.flagNotSet ? kExitError : kExitDone;
}
