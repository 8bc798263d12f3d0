// Drives a real program from outside, as a user would: starts it, finds its
// windows, reads its controls, presses its buttons and waits for its end.
// Windows only (run under Wine), free of any test framework so that tests
// and the demo share it. Every wait has a timeout; none waits forever.
#pragma once

#include <string>
#include <vector>

#include <windows.h>

// A started program. Handles belong to it until EndProgram.
struct DrivenProgram {
    HANDLE process = nullptr;
    DWORD processId = 0;
};

// ---- Starting and ending -------------------------------------------------

// The folder that holds the running program (the test), without a trailing
// backslash. Empty when it cannot be had.
std::string FolderOfThisProgram();

// Starts the program called name that lies beside the running program, with
// the command line "<its path in quotes> arguments", in currentFolder, with
// showCommand (SW_...) as its first show command. Returns false, program
// untouched, when it cannot be started.
bool StartProgramBeside(DrivenProgram& program, const char* name, const std::string& arguments,
                        const std::string& currentFolder, int showCommand = SW_SHOWNORMAL);

// Starts the program at path (a copy of the installer, say), with the command
// line "<path in quotes> arguments", as StartProgramBeside does.
bool StartProgramAt(DrivenProgram& program, const std::string& path, const std::string& arguments,
                    const std::string& currentFolder, int showCommand = SW_SHOWNORMAL);

// StartProgramBeside for vantrel.exe.
bool StartVantrel(DrivenProgram& program, const std::string& arguments,
                  const std::string& currentFolder, int showCommand = SW_SHOWNORMAL);

// Waits up to timeoutMs for the program to end and stores its exit code.
// On a timeout the program is killed and false returned; exitCode is then
// left alone.
bool WaitForExit(DrivenProgram& program, DWORD timeoutMs, DWORD* exitCode);

// Kills the program if it still runs and closes its handles. Safe to call
// twice and on a program that never started.
void EndProgram(DrivenProgram& program);

// ---- Top-level windows ---------------------------------------------------

enum class WindowWait { Shown, TimedOut, ProgramEnded };

// The program's visible top-level window whose title is exactly title (any
// title when title is null), or null when there is none right now.
HWND FindProgramWindow(const DrivenProgram& program, const char* title);

// Waits up to timeoutMs for FindProgramWindow to find a window. Returns it,
// or null; outcome (optional) tells a timeout from the program's end.
HWND WaitForWindow(const DrivenProgram& program, const char* title, DWORD timeoutMs,
                   WindowWait* outcome = nullptr);

// True when the program shows no window titled title (any window when null)
// during the whole of withinMs, or ends before that without showing one.
bool NoWindowAppears(const DrivenProgram& program, const char* title, DWORD withinMs);

// True when the program ends within timeoutMs without ever showing a
// visible top-level window; false when one shows or the time runs out.
bool EndsWithoutWindow(const DrivenProgram& program, DWORD timeoutMs);

// Waits up to timeoutMs for window to be destroyed. Returns false when it
// still exists then.
bool WaitUntilGone(HWND window, DWORD timeoutMs);

// Waits up to timeoutMs for window's title to differ from oldTitle. Returns
// the new title, or an empty text on a timeout or when the window goes away.
std::string WaitForTitleChange(HWND window, const std::string& oldTitle, DWORD timeoutMs);

// ---- Message boxes -------------------------------------------------------

// The program's visible message box (class #32770) captioned caption, waited
// for up to timeoutMs; null when none shows in time.
HWND WaitForMessageBox(const DrivenProgram& program, const char* caption, DWORD timeoutMs);

// The text of a message box.
std::string MessageBoxText(HWND box);

// Presses a message box's OK button. Returns false when box is no window.
bool PressOk(HWND box);

// ---- Reading controls ----------------------------------------------------

// The text of a window, static or button, read without a message to the
// program: it answers even while the program is busy.
std::string WindowText(HWND window);

// WindowText of the dialog item id ("" when dialog has no such item).
std::string DialogItemText(HWND dialog, int id);

// The text of an edit control of any length, asked of the program with a
// 5-second timeout. Returns false when it did not answer in time.
bool ReadEditText(HWND edit, std::string* text);

bool IsShown(HWND window);
bool IsEnabled(HWND window);

// BST_UNCHECKED, BST_CHECKED or BST_INDETERMINATE; -1 when the button did
// not answer within 5 seconds.
int CheckState(HWND button);

struct ListBoxContents {
    std::vector<std::string> entries;
    int selected = LB_ERR; // LB_ERR when no entry is selected
};

// Reads every entry of a list box (not owner-drawn) and its selection.
// Returns false when the list box did not answer within 5 seconds.
bool ReadListBox(HWND listBox, ListBoxContents* contents);

struct ProgressBarState {
    int low = 0;
    int high = 0;
    int position = 0;
};

// Reads a progress bar's range and position. Returns false when it did not
// answer within 5 seconds.
bool ReadProgressBar(HWND progressBar, ProgressBarState* state);

// One child control of a window, as its template made it.
struct ChildControl {
    HWND window = nullptr;
    int id = 0;
    std::string className;
    std::string text; // WindowText; for an edit control, the text it was created
                      // with; for an icon or bitmap static, empty
    bool visible = false;
};

// Every child control of window, in the order the platform lists them.
std::vector<ChildControl> ListChildControls(HWND window);

// ---- Acting on a page ----------------------------------------------------

// Clicks button, as the mouse would. Refuses (returns false) a button that
// is hidden or disabled, or no window. Returns without waiting for the
// program to act on the click.
bool ClickButton(HWND button);

// Closes a page with its close box. Returns false when page is no window.
bool CloseWithCloseBox(HWND page);

// Presses Enter or Escape on page: the key goes to the control that has the
// keyboard focus in the page's thread, or to the page itself when none has.
// Returns false when page is no window.
bool PressEnter(HWND page);
bool PressEscape(HWND page);
