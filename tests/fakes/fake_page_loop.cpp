// Recording fakes of the message loop, pump, progress bar and deletion.
#include "fakes/fake_page_loop.h"

#include "fakes/fake_page_controls.h"
#include "driver/install_state.h"
#include "driver/platform.h"

#include <unistd.h>

FakePageLoop gFakeLoop;

void ResetFakePageLoop()
{
    gFakeLoop = FakePageLoop();
}

int ServeCurrentPage()
{
    int dialogId = gFakePages.created.empty() ? 0 : gFakePages.created.back();
    gFakeLoop.served.push_back(dialogId);
    return gFakeLoop.person ? gFakeLoop.person(dialogId) : -1;
}

void PumpMessages(uint32_t)
{
    gFakeLoop.pumps++;
}

void RegisterCommonControls()
{
}

void SetProgressRange(int, int maximum)
{
    gFakeLoop.progressMaximum = maximum;
}

void SetProgressStep(int, int step)
{
    gFakeLoop.progressStepSize = step;
}

void StepProgress(int)
{
    gFakeLoop.progressSteps++;
}

int DeleteFileOnly(const char* path)
{
    gFakeLoop.deleted.push_back(path);
    return unlink(path) == 0 ? 0 : -1;
}
