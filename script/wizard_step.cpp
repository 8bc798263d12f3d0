// The transition of one wizard pass, kept apart from the pages it shows.
#include "script/wizard_step.h"

#include "script/install_script.h"

bool PassReadsSectionLine(int stage)
{
    return stage < kStageReadme;
}

WizardStep DecideWizardStep(int stage, const char* sectionLine, bool scriptOpen, int targetCount)
{
    // Each test that does not match adds 1 before the next test looks at the
    // same line, so a pass can run several stages' tests.
    int counter = stage + 1;
    switch (stage) {
    case kStageLicense:
        if (IsLicenseSection(sectionLine))
            return {WizardPage::kLicense, false, counter};
        counter++;
        [[fallthrough]];
    case kStageFiles:
        if (IsFilesSection(sectionLine))
            return {WizardPage::kFiles, false, counter};
        counter++;
        [[fallthrough]];
    case kStageUser:
        // Without a script nobody else can name the user: the page asks,
        // unless the command line already named the users.
        if (!scriptOpen || IsUserSection(sectionLine)) {
            if (targetCount == 0)
                return {WizardPage::kUser, false, counter};
        } else {
            counter++;
        }
        [[fallthrough]];
    case kStageCopy:
        return {WizardPage::kCopy, IsReadmeSection(sectionLine), counter};
    case kStageReadme:
        return {WizardPage::kReadme, false, counter};
    default:
        return {WizardPage::kQuit, false, counter};
    }
}
