// Drives a real program from outside, as a user would: starts it, finds its
// windows, reads its controls, presses its buttons and waits for its end.
// Windows only (run under Wine), free of any test framework so that the
// tests and the demo share it. Every wait has a timeout; none waits forever.
#pragma once

#include <string>
#include <vector>

#include <windows.h>

// A started program; killed, if it still runs, when this goes out of scope,
// so that a failed test leaves nothing behind for the next one.
class Program {
public:
    Program() = default;
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;
    ~Program();

    // Starts path with the command line "\"path\" arguments" in folder, all
    // three in UTF-8 (ASCII is UTF-8 too), so that a path may hold any
    // character. Returns false when it cannot be started.
    bool Start(const std::string& path, const std::string& arguments, const std::string& folder);

    // The program's visible top-level window titled title (any title when
    // null), waited for up to timeoutMs; null on a timeout or when the
    // program ended without showing it. Finds message boxes by caption too.
    HWND WaitForWindow(const char* title, DWORD timeoutMs) const;

    // Waits up to timeoutMs for the end and stores the exit code. On a
    // timeout the program is killed, its end waited for, and false returned.
    bool WaitForExit(DWORD timeoutMs, DWORD* exitCode);

private:
    HANDLE process_ = nullptr;
    DWORD id_ = 0;
};

// UTF-8 text as wide characters, for the calls that take any character.
std::wstring Widen(const std::string& text);

// A window's text, read without a message to the program, so a busy program
// cannot hold it up ("" for no window). A message box keeps its text in
// item 65535.
std::string WindowText(HWND window);

// Waits up to timeoutMs for control's text to differ from oldText. Returns
// the new text, or "" on a timeout or when the control goes away.
std::string WaitForTextChange(HWND control, const std::string& oldText, DWORD timeoutMs);

// The text of an edit control of any length ("" when it does not answer).
std::string EditText(HWND edit);

// BST_UNCHECKED, BST_CHECKED or BST_INDETERMINATE; -1 without an answer.
int CheckState(HWND button);

// Every entry of a list box, in its order (empty without an answer), and
// the choice of entry index.
std::vector<std::string> ListBoxEntries(HWND list);
bool SelectListEntry(HWND list, int index);

// Clicks button as the mouse would, without waiting for the program to act
// (posted: a sent message would wait on a message box's own modal loop).
// Refuses (false) a button that is hidden, disabled or no window.
bool ClickButton(HWND button);
