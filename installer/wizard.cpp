// The wizard sequence: one section line, one page and one step per pass.
#include "installer/wizard.h"

#include "base/bounded_text.h"
#include "base/install_state.h"
#include "installer/exit_code.h"
#include "installer/install_files.h"
#include "script/wizard_step.h"
#include "script/install_script.h"
#include "ui/pages.h"
#include "ui/resource_ids.h"

namespace {

// Shows a script's text block in a text box of the current page.
void ShowTextBlock(const TextBlock& block, int textBoxId)
{
    SetTextBoxText(textBoxId, block.text ? block.text : "");
}

// Shows each FILES entry on the files page: a check box ('+' checked, '-'
// clear) or, for '*', the label in its place; '!' shows nothing.
void FillFilesPage(const FilesSection& section)
{
    for (int slot = 0; slot < gState.fileCount; slot++) {
        const FileEntry& entry = section.entries[slot];
        if (entry.marker == '!')
            continue;
        int control = entry.marker == '*' ? kFilesLabel1 + slot : kFilesCheckBox1 + slot;
        if (entry.marker == '+')
            SetCheckBox(control, true);
        ShowControl(control);
        SetControlText(control, entry.label);
    }
    ShowTextBlock(section.description, kFilesDescription);
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

// How a pass ends: the next pass follows, or the run ends as asked (the
// last page, a quit request) or on an error.
enum class PassEnd { kNext, kRunDone, kRunFailed };

// What the passes carry from one to the next.
struct WizardRun {
    int stage;       // the stage the next pass starts from
    bool flagNotSet; // a HotSync flag could not be set: the run ends on an error, after its pages
};

// Shows the current page and serves it: the step done leads on, a quit
// request is the person's own choice.
PassEnd Serve(int showCommand)
{
    return WaitForStep(showCommand) == 0 ? PassEnd::kNext : PassEnd::kRunDone;
}

// Runs one pass's page.
PassEnd RunPage(const WizardStep& step, const ScriptStream& script, int showCommand, WizardRun* run)
{
    switch (step.page) {
    case WizardPage::kLicense:
        // Without the license page nothing may be installed: the run ends.
        if (!OpenPage(kLicensePage))
            return PassEnd::kRunFailed;
        LoadTextBlock(script, kLicenseText);
        return Serve(showCommand);

    case WizardPage::kFiles:
        // Without the files page the choice cannot be offered: the run ends
        // rather than install what the person never saw.
        if (!OpenPage(kFilesPage))
            return PassEnd::kRunFailed;
        return ServeFilesPage(script, showCommand) == 0 ? PassEnd::kNext : PassEnd::kRunDone;

    case WizardPage::kUser:
        // Without the user page the copy stage runs for the selected user.
        if (!OpenPage(kUserPage))
            return PassEnd::kNext;
        return Serve(showCommand);

    case WizardPage::kCopy:
        // A selection outside the table names nobody: the copy stage then
        // says that no valid user was selected. Display names need not be
        // unique, so the choice travels as the entry, not as its name.
        if (gState.targetCount == 0 && gState.selectedUser >= 0
            && gState.selectedUser < gState.userCount) {
            CopyText(gState.targets[0].name, gState.users[gState.selectedUser].displayName);
            gState.targets[0].userIndex = gState.selectedUser;
            gState.targetCount = 1;
        }
        switch (InstallFiles(showCommand)) {
        case CopyStageEnd::kAborted:
            return PassEnd::kRunFailed;
        case CopyStageEnd::kFlagNotSet:
            // The files are in place; HotSync may still not take them
            // without the flag, which the exit code says.
            run->flagNotSet = true;
            break;
        case CopyStageEnd::kInstalled:
            break;
        }
        // The files are installed; without a completion page there is
        // nothing left to wait for.
        if (!OpenPage(kCompletionPage))
            return PassEnd::kRunDone;
        if (step.showViewReadme)
            ShowControl(kCompletionViewReadme);
        return Serve(showCommand);

    case WizardPage::kReadme:
        // The files are installed: without the readme page the run is over.
        if (!OpenPage(kReadmePage))
            return PassEnd::kRunDone;
        LoadTextBlock(script, kReadmeText);
        return Serve(showCommand);

    case WizardPage::kQuit:
        break;
    }
    return PassEnd::kRunDone;
}

} // namespace

void LoadTextBlock(const ScriptStream& script, int textBoxId)
{
    TextBlock block;
    ReadTextBlock(script, &block);
    ShowTextBlock(block, textBoxId);
    ReleaseTextBlock(&block);
}

int ServeFilesPage(const ScriptStream& script, int showCommand)
{
    FilesSection section;
    ReadFilesSection(script, &section);
    FillFilesPage(section);
    ReleaseTextBlock(&section.description);
    if (!gState.entryVisible)
        return 0;
    return WaitForStep(showCommand);
}

int WaitForStep(int showCommand)
{
    ShowPage(gState.currentPage, showCommand);
    return ServeCurrentPage();
}

int RunWizard(bool abortRun, ScriptStream script, int showCommand)
{
    WizardRun run = {0, false};
    PassEnd end = abortRun ? PassEnd::kRunDone : PassEnd::kNext;
    while (end == PassEnd::kNext) {
        gState.stepDone = 0;
        char line[kScriptLineBytes];
        line[0] = '\0';
        if (PassReadsSectionLine(run.stage))
            ReadSectionLine(script, line);

        WizardStep step = DecideWizardStep(run.stage, line, script.file != nullptr, gState.targetCount);
        run.stage = step.stageAfter;
        end = RunPage(step, script, showCommand, &run);
        DestroyCurrentPage();
    }
    DestroyCurrentPage();
    if (script.file)
        fclose(script.file);
    return end == PassEnd::kRunFailed || run.flagNotSet ? kExitError : kExitDone;
}
