// A stand-in for a real page, for testing the program driver: a modeless
// dialog served by an IsDialogMessage loop, as the installer's pages are.
// The command that ends the page becomes the exit code.
#include "practice_page.h"

#include <cstring>

#include <windows.h>
#include <commctrl.h>

namespace {

void FillPage(HWND page)
{
    char folder[MAX_PATH] = "";
    GetCurrentDirectoryA(sizeof folder, folder);
    SetDlgItemTextA(page, IDC_FOLDER, folder);
    SetDlgItemTextA(page, IDC_COMMAND_LINE, GetCommandLineA());
    SetDlgItemTextA(page, IDC_NOTES, PracticeNotes().c_str());
    CheckDlgButton(page, IDC_OPTION, BST_CHECKED);
    for (const char* name : {"Alice", "Bob Smith", "Carol"})
        SendDlgItemMessageA(page, IDC_NAMES, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
    SendDlgItemMessageA(page, IDC_NAMES, LB_SETCURSEL, 1, 0);
    SendDlgItemMessageA(page, IDC_PROGRESS, PBM_SETRANGE32, 10, 250);
    SendDlgItemMessageA(page, IDC_PROGRESS, PBM_SETPOS, 120, 0);
}

INT_PTR CALLBACK PracticePageProc(HWND page, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        FillPage(page);
        return TRUE;
    case WM_CLOSE:
        PostQuitMessage(PRACTICE_CLOSED);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_SLOW:
            // Busy without answering messages, as a page is in its pauses.
            Sleep(3000);
            SetWindowTextA(page, "Practice page rested");
            return TRUE;
        case IDC_MESSAGE:
            MessageBoxA(nullptr, "Practice text", "Practice Box", MB_OK);
            return TRUE;
        case IDC_CONTINUE:
        case IDC_DISABLED:
        case IDC_HIDDEN:
        case IDCANCEL:
            PostQuitMessage(LOWORD(wParam));
            return TRUE;
        }
        break;
    }
    return FALSE;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR arguments, int showCommand)
{
    if (std::strstr(arguments, "vanish") != nullptr)
        return PRACTICE_VANISHED;
    InitCommonControls();
    HWND page = CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_PRACTICE_PAGE), nullptr, PracticePageProc, 0);
    if (page == nullptr)
        return 100;
    ShowWindow(page, showCommand);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (!IsDialogMessageA(page, &message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    DestroyWindow(page);
    return static_cast<int>(message.wParam);
}
