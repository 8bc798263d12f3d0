// The seven pages' dialog procedures, the handling they share, each page's
// commands, and the loop that serves a page until the person answers it.
#include "ui/page_procedures.h"

#include "base/install_state.h"
#include "ui/pages.h"
#include "ui/resource_ids.h"

namespace {

// The answer of the page being served: written by its procedure when the
// person goes forward, handed back by ServeCurrentPage, which alone starts
// it afresh. A quit request answers through the message loop.
PageAnswer gAnswer;

// A page's own commands, given the control id of a WM_COMMAND.
using CommandHandler = void (*)(HWND page, int id);

LRESULT SendToControl(HWND page, int id, UINT message, WPARAM wParam, LPARAM lParam)
{
    return SendMessageA(GetDlgItem(page, id), message, wParam, lParam);
}

void SetPageIcons(HWND page)
{
    HINSTANCE instance = static_cast<HINSTANCE>(gState.instance);
    SendMessageA(page, WM_SETICON, ICON_SMALL,
                 reinterpret_cast<LPARAM>(LoadIconA(instance, MAKEINTRESOURCEA(kPageIcon))));
    SendMessageA(page, WM_SETICON, ICON_BIG,
                 reinterpret_cast<LPARAM>(LoadIconA(instance, MAKEINTRESOURCEA(kPageIcon))));
}

INT_PTR ServePage(HWND page, UINT message, WPARAM wParam, CommandHandler onCommand)
{
    switch (message) {
    case WM_INITDIALOG:
        SetPageIcons(page);
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        BeginPaint(page, &paint);
        EndPaint(page, &paint);
        return 0;
    }
    case WM_CLOSE:
        // The close box, Alt+F4 and the system menu's Close all end the run.
        PostQuitMessage(0);
        return 0;
    case WM_COMMAND:
        // Only the control id counts, whatever the notification.
        if (onCommand)
            onCommand(page, LOWORD(wParam));
        return 0;
    default:
        return 0;
    }
}

void GoForward()
{
    gAnswer.forward = true;
}

void LicenseCommand(HWND, int id)
{
    if (id == kLicenseAccept)
        GoForward();
    else if (id == kLicenseDecline)
        PostQuitMessage(0);
}

void FilesCommand(HWND page, int id)
{
    if (id == kFilesContinue) {
        for (int slot = 0; slot < kFileSlotCount; ++slot)
            gAnswer.boxStates[slot] = static_cast<int>(SendToControl(page, kFilesCheckBox1 + slot, BM_GETCHECK, 0, 0));
        GoForward();
    } else if (id == kFilesCancel) {
        PostQuitMessage(0);
    }
}

void UserCommand(HWND page, int id)
{
    if (id == kUserContinue) {
        gAnswer.listPosition = static_cast<int>(SendToControl(page, kUserList, LB_GETCURSEL, 0, 0));
        GoForward();
    } else if (id == kUserCancel) {
        PostQuitMessage(0);
    }
}

void CompletionCommand(HWND, int id)
{
    // Close ends the run here; View Readme leads on.
    if (id == kCompletionClose)
        PostQuitMessage(0);
    else if (id == kCompletionViewReadme)
        GoForward();
}

void ReadmeCommand(HWND, int id)
{
    if (id == kReadmeClose)
        GoForward();
}

} // namespace

PageAnswer ServeCurrentPage()
{
    gAnswer = {false, {}, -1};
    MSG msg;
    // GetMessageA returns 0 for the quit request and -1 on an invalid call;
    // either ends the run.
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        HWND page = static_cast<HWND>(gState.currentPage);
        if (!page || !IsDialogMessageA(page, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (gAnswer.forward)
            break;
    }
    return gAnswer;
}

INT_PTR CALLBACK SplashPageProc(HWND page, UINT message, WPARAM wParam, LPARAM)
{
    return ServePage(page, message, wParam, nullptr);
}

INT_PTR CALLBACK LicensePageProc(HWND page, UINT message, WPARAM wParam, LPARAM)
{
    return ServePage(page, message, wParam, LicenseCommand);
}

INT_PTR CALLBACK FilesPageProc(HWND page, UINT message, WPARAM wParam, LPARAM)
{
    return ServePage(page, message, wParam, FilesCommand);
}

INT_PTR CALLBACK UserPageProc(HWND page, UINT message, WPARAM wParam, LPARAM)
{
    return ServePage(page, message, wParam, UserCommand);
}

INT_PTR CALLBACK ProgressPageProc(HWND page, UINT message, WPARAM wParam, LPARAM)
{
    return ServePage(page, message, wParam, nullptr);
}

INT_PTR CALLBACK CompletionPageProc(HWND page, UINT message, WPARAM wParam, LPARAM)
{
    return ServePage(page, message, wParam, CompletionCommand);
}

INT_PTR CALLBACK ReadmePageProc(HWND page, UINT message, WPARAM wParam, LPARAM)
{
    return ServePage(page, message, wParam, ReadmeCommand);
}
