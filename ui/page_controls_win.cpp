// Filling the controls of the current page: texts, visibility, check boxes
// and the text boxes that take the license, description and readme texts.
#include "driver/install_state.h"
#include "driver/platform.h"

#include <windows.h>

namespace {

HWND Control(int id)
{
    return GetDlgItem(static_cast<HWND>(gState.currentPage), id);
}

} // namespace

void SetControlText(int id, const char* text)
{
    SetWindowTextA(Control(id), text);
}

void ShowControl(int id)
{
    ShowWindow(Control(id), SW_SHOW);
}

void SetCheckBox(int id, bool checked)
{
    SendMessageA(Control(id), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void AppendToTextBox(int id, const char* text)
{
    HWND box = Control(id);
    // The default limit (30,000 characters on Windows 9x, 32,767 on NT)
    // would silently cut a long license; 0 asks for the largest there is.
    SendMessageA(box, EM_SETLIMITTEXT, 0, 0);
    SendMessageA(box, EM_SETSEL, 0, -1);
    // The end comes through the pointer: the packed return value holds only
    // 16 bits of each position.
    DWORD start = 0;
    DWORD end = 0;
    SendMessageA(box, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    SendMessageA(box, EM_SETSEL, end, end);
    SendMessageA(box, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text));
}

void ScrollTextBox(int id, int lines)
{
    SendMessageA(Control(id), EM_LINESCROLL, 0, lines);
}
