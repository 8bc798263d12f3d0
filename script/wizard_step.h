// The decision of one pass of the wizard: from the stage counter and the
// section line read at the pass's start, which page follows and where the
// counter stands afterwards.
#pragma once

// Stages of the counter: the test or step that the next pass runs.
constexpr int kStageLicense = 0;
constexpr int kStageFiles = 1;
constexpr int kStageUser = 2;
constexpr int kStageCopy = 3;
constexpr int kStageReadme = 4;
constexpr int kStageQuit = 5;

enum class WizardPage {
    kLicense,  // license page, filled with the license block
    kFiles,    // files page, filled by the FILES section; destroyed unseen
               // when no entry is visible
    kUser,     // user page
    kCopy,     // copy stage behind the progress page, then the completion page
    kReadme,   // readme page, filled with the readme block
    kQuit,     // no page: the process ends
};

struct WizardStep {
    WizardPage page;
    bool showViewReadme; // kCopy only: the completion page offers View Readme
    int stageAfter;      // the counter when the pass is over
};

// True when a pass that begins at stage reads a section line first.
bool PassReadsSectionLine(int stage);

// Decides one pass. sectionLine is the line read at its start (empty when
// none was read); scriptOpen tells whether there is a script at all;
// targetCount is the TargetUser count. A stage past the quit (which no pass
// reaches) quits too.
WizardStep DecideWizardStep(int stage, const char* sectionLine, bool scriptOpen, int targetCount);
