// The seven pages' dialog procedures: the handling they share, and each
// page's commands.
#include "ui/page_procedures.h"

#include "base/install_state.h"
#include "ui/page_choices.h"
#include "ui/resource_ids.h"

namespace {

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

void LicenseCommand(HWND, int id)
{
    if (id == kLicenseAccept)
        ++gState.stepDone;
    else if (id == kLicenseDecline)
        PostQuitMessage(0);
}

void FilesCommand(HWND page, int id)
{
    if (id == kFilesContinue) {
        int boxStates[kFileSlotCount];
        for (int slot = 0; slot < kFileSlotCount; ++slot)
            boxStates[slot] = static_cast<int>(
                SendToControl(page, kFilesCheckBox1 + slot, BM_GETCHECK, 0, 0));
        TakeFileCheckBoxes(boxStates);
        ++gState.stepDone;
    } else if (id == kFilesCancel) {
        PostQuitMessage(0);
    }
}

void FillUserList(HWND page)
{
    for (int user = 0; user < gState.userCount && user < kMaxPalmUsers; ++user)
        // Inserting at an index does not sort, sort style or not: a list
        // position stays a PalmUser table index.
        SendToControl(page, kUserList, LB_INSERTSTRING, static_cast<WPARAM>(user),
                            reinterpret_cast<LPARAM>(gState.users[user].displayName));
    SendToControl(page, kUserList, LB_SETCURSEL, 0, 0);
}

void UserCommand(HWND page, int id)
{
    if (id == kUserContinue) {
        ++gState.stepDone;
        ChooseUser(static_cast<int>(SendToControl(page, kUserList, LB_GETCURSEL, 0, 0)));
    } else if (id == kUserCancel) {
        PostQuitMessage(0);
    }
}

void CompletionCommand(HWND, int id)
{
    // Close ends the run here; View Readme lets the driver go on.
    if (id == kCompletionClose)
        PostQuitMessage(0);
    else if (id == kCompletionViewReadme)
        ++gState.stepDone;
}

void ReadmeCommand(HWND, int id)
{
    if (id == kReadmeClose)
        ++gState.stepDone;
}

} // namespace

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
    INT_PTR result = ServePage(page, message, wParam, UserCommand);
    if (message == WM_INITDIALOG)
        FillUserList(page);
    return result;
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
