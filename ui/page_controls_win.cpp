// Filling the controls of the current page: texts, visibility, check boxes,
// the user list and the text boxes that take the license, description and readme texts.
#include "base/install_state.h"
#include "ui/pages.h"

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

void InsertListEntry(int id, int position, const char* text)
{
    // Inserting at a position does not sort, sort style or not: a list
    // position stays what the caller made it.
    SendMessageA(Control(id), LB_INSERTSTRING, static_cast<WPARAM>(position), reinterpret_cast<LPARAM>(text));
}

void SelectListEntry(int id, int position)
{
    SendMessageA(Control(id), LB_SETCURSEL, static_cast<WPARAM>(position), 0);
}

void SetTextBoxText(int id, const char* text)
{
    HWND box = Control(id);
    // The default limit (30,000 characters on Windows 9x, 32,767 on NT)
    // would silently cut a long license; 0 asks for the largest there is.
    SendMessageA(box, EM_SETLIMITTEXT, 0, 0);
    // One step, not a line at a time: each append would select and scan
    // the whole text again, which grows with the square of its length.
    SetWindowTextA(box, text);
    // 500 lines back up shows the text from its first line.
    SendMessageA(box, EM_LINESCROLL, 0, -500);
}
