// PumpMessages and the splash page's status line.
#include "base/install_state.h"
#include "ui/pages.h"
#include "ui/resource_ids.h"

#include <windows.h>

void PumpMessages(uint32_t limitMs)
{
    // Signed 32-bit arithmetic on the tick counter, as the wrap rule needs.
    int32_t start = static_cast<int32_t>(GetTickCount());
    for (;;) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        int32_t now = static_cast<int32_t>(GetTickCount());
        if (limitMs == 0 || now < start)
            return;
        int32_t end = static_cast<int32_t>(static_cast<uint32_t>(start) + limitMs);
        if (end <= now)
            return;
    }
}

void SetStatusLine(const char* text)
{
    SetWindowTextA(GetDlgItem(static_cast<HWND>(gState.currentPage), kSplashStatusLine), text);
    PumpMessages(0);
}
