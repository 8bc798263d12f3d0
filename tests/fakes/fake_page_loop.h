// Recording fakes of the message loop, the message pump, the progress bar
// and file deletion, for native tests of the wizard and the copy stage.
// ResetFakePlatform() clears them; ResetFakePageLoop() clears them alone.
#pragma once

#include <functional>
#include <string>
#include <vector>

struct FakePageLoop {
    // Plays the person at the page: called once per ServeCurrentPage with the
    // current page's dialog id; raise gState.stepDone and return 0 for a step,
    // return -1 for a quit request. Without it every page is quit.
    std::function<int(int dialogId)> person;
    std::vector<int> served;           // dialog ids, in order of serving

    int pumps = 0;                     // PumpMessages calls
    int progressMaximum = -1;          // the last SetProgressRange
    int progressStepSize = 0;          // the last SetProgressStep
    int progressSteps = 0;             // StepProgress calls
    std::vector<std::string> deleted;  // DeleteFileOnly paths
};

extern FakePageLoop gFakeLoop;

void ResetFakePageLoop();
