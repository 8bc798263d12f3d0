// The common controls and the progress bar of the copy stage.
#include "base/install_state.h"
#include "ui/pages.h"

#include <windows.h>
#include <commctrl.h>

void RegisterCommonControls()
{
    InitCommonControls();
}

static LRESULT SendToControl(int id, UINT message, WPARAM wParam, LPARAM lParam)
{
    HWND page = static_cast<HWND>(gState.currentPage);
    if (!page)
        return 0;
    return SendMessageA(GetDlgItem(page, id), message, wParam, lParam);
}

void SetProgressRange(int id, int maximum)
{
    // The range's high word is the maximum, the low word 0.
    SendToControl(id, PBM_SETRANGE, 0, MAKELPARAM(0, maximum));
}

void SetProgressStep(int id, int step)
{
    SendToControl(id, PBM_SETSTEP, static_cast<WPARAM>(step), 0);
}

void StepProgress(int id)
{
    SendToControl(id, PBM_STEPIT, 0, 0);
}
