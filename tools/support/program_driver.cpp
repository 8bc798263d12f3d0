// Drives a real program from outside: the Win32 calls behind program_driver.h.
#include "support/program_driver.h"

#include <commctrl.h>

namespace {

// How long a program may take to answer a sent message. Pages sleep for up
// to two seconds at times; a program that is merely busy must not fail a read.
constexpr UINT kAnswerTimeoutMs = 5000;
constexpr DWORD kPollMs = 25;

bool TimeIsLeft(DWORD startTick, DWORD timeoutMs)
{
    // Unsigned subtraction stays right across the tick counter's wrap.
    return GetTickCount() - startTick < timeoutMs;
}

bool HasEnded(const DrivenProgram& program)
{
    return program.process == nullptr || WaitForSingleObject(program.process, 0) == WAIT_OBJECT_0;
}

struct WindowSearch {
    DWORD processId;
    const char* title;     // null: any title
    const char* className; // null: any class
    HWND found;
};

BOOL CALLBACK MatchTopLevelWindow(HWND window, LPARAM searchAddress)
{
    auto* search = reinterpret_cast<WindowSearch*>(searchAddress);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId != search->processId || !IsWindowVisible(window))
        return TRUE;
    if (search->title != nullptr && WindowText(window) != search->title)
        return TRUE;
    if (search->className != nullptr) {
        char className[64] = "";
        GetClassNameA(window, className, sizeof className);
        if (lstrcmpA(className, search->className) != 0)
            return TRUE;
    }
    search->found = window;
    return FALSE;
}

HWND FindWindowOf(const DrivenProgram& program, const char* title, const char* className)
{
    WindowSearch search = {program.processId, title, className, nullptr};
    EnumWindows(MatchTopLevelWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool AskWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR* answer)
{
    return SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, kAnswerTimeoutMs, answer) != 0;
}

bool AskWindowWide(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR* answer)
{
    return SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, kAnswerTimeoutMs, answer) != 0;
}

// Wide characters to the system's ANSI code page, as the program sees text.
std::string NarrowText(const wchar_t* wide, size_t length)
{
    if (length == 0)
        return "";
    int wideLength = static_cast<int>(length);
    int bytes = WideCharToMultiByte(CP_ACP, 0, wide, wideLength, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide, wideLength, text.data(), bytes, nullptr, nullptr);
    return text;
}

BOOL CALLBACK CollectChildControl(HWND window, LPARAM listAddress)
{
    auto* controls = reinterpret_cast<std::vector<ChildControl>*>(listAddress);
    ChildControl control;
    control.window = window;
    control.id = GetDlgCtrlID(window);
    char className[64] = "";
    GetClassNameA(window, className, sizeof className);
    control.className = className;
    LONG style = GetWindowLongA(window, GWL_STYLE);
    // An image static shows no text: its window text holds the image's
    // resource ordinal ("\xFF" and the id), not words a user sees.
    int staticType = style & SS_TYPEMASK;
    bool image = lstrcmpiA(className, "Static") == 0 && (staticType == SS_ICON || staticType == SS_BITMAP);
    control.text = image ? "" : WindowText(window);
    // The control's own style, not IsWindowVisible: a page that is not shown
    // yet still tells which of its controls it will show.
    control.visible = (style & WS_VISIBLE) != 0;
    controls->push_back(control);
    return TRUE;
}

// Posts a key press and release. A page's message loop hands the key to
// IsDialogMessage, which turns Enter into the default button's command and
// Escape into IDCANCEL; posting never waits for the program.
bool PressKey(HWND page, WPARAM key)
{
    if (!IsWindow(page))
        return false;
    HWND target = page;
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    if (GetGUIThreadInfo(GetWindowThreadProcessId(page, nullptr), &info) && info.hwndFocus != nullptr
        && IsChild(page, info.hwndFocus))
        target = info.hwndFocus;
    LPARAM scanCode = static_cast<LPARAM>(MapVirtualKeyA(static_cast<UINT>(key), MAPVK_VK_TO_VSC)) << 16;
    return PostMessageA(target, WM_KEYDOWN, key, scanCode | 1)
           && PostMessageA(target, WM_KEYUP, key, scanCode | 1 | (LPARAM{3} << 30));
}

} // namespace

// ---- Starting and ending -------------------------------------------------

std::string FolderOfThisProgram()
{
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    if (length == 0 || length >= sizeof path)
        return "";
    std::string folder(path, length);
    size_t slash = folder.find_last_of("\\/");
    return slash == std::string::npos ? "" : folder.substr(0, slash);
}

bool StartProgramBeside(DrivenProgram& program, const char* name, const std::string& arguments,
                        const std::string& currentFolder, int showCommand)
{
    return StartProgramAt(program, FolderOfThisProgram() + "\\" + name, arguments, currentFolder, showCommand);
}

bool StartProgramAt(DrivenProgram& program, const std::string& path, const std::string& arguments,
                    const std::string& currentFolder, int showCommand)
{
    // CreateProcessA may write into the command line, so it gets a copy.
    std::string commandLine = "\"" + path + "\" " + arguments;
    std::vector<char> writableCommandLine(commandLine.begin(), commandLine.end());
    writableCommandLine.push_back('\0');

    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(showCommand);
    PROCESS_INFORMATION started = {};
    if (!CreateProcessA(path.c_str(), writableCommandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        currentFolder.empty() ? nullptr : currentFolder.c_str(), &startup, &started))
        return false;
    CloseHandle(started.hThread);
    program.process = started.hProcess;
    program.processId = started.dwProcessId;
    return true;
}

bool StartVantrel(DrivenProgram& program, const std::string& arguments, const std::string& currentFolder,
                  int showCommand)
{
    return StartProgramBeside(program, "vantrel.exe", arguments, currentFolder, showCommand);
}

bool WaitForExit(DrivenProgram& program, DWORD timeoutMs, DWORD* exitCode)
{
    if (program.process == nullptr)
        return false;
    if (WaitForSingleObject(program.process, timeoutMs) != WAIT_OBJECT_0) {
        TerminateProcess(program.process, 1);
        WaitForSingleObject(program.process, kAnswerTimeoutMs);
        return false;
    }
    DWORD code = 0;
    if (!GetExitCodeProcess(program.process, &code))
        return false;
    *exitCode = code;
    return true;
}

void EndProgram(DrivenProgram& program)
{
    if (program.process == nullptr)
        return;
    if (!HasEnded(program)) {
        TerminateProcess(program.process, 1);
        WaitForSingleObject(program.process, kAnswerTimeoutMs);
    }
    CloseHandle(program.process);
    program.process = nullptr;
    program.processId = 0;
}

// ---- Top-level windows ---------------------------------------------------

HWND FindProgramWindow(const DrivenProgram& program, const char* title)
{
    return FindWindowOf(program, title, nullptr);
}

HWND WaitForWindow(const DrivenProgram& program, const char* title, DWORD timeoutMs, WindowWait* outcome)
{
    WindowWait result = WindowWait::TimedOut;
    HWND found = nullptr;
    DWORD start = GetTickCount();
    do {
        // Checked before the search: a window seen by the search may belong
        // to a program that ended right after, but never the other way round.
        bool ended = HasEnded(program);
        found = FindProgramWindow(program, title);
        if (found != nullptr) {
            result = WindowWait::Shown;
            break;
        }
        if (ended) {
            result = WindowWait::ProgramEnded;
            break;
        }
        Sleep(kPollMs);
    } while (TimeIsLeft(start, timeoutMs));
    if (outcome != nullptr)
        *outcome = result;
    return found;
}

bool NoWindowAppears(const DrivenProgram& program, const char* title, DWORD withinMs)
{
    WindowWait outcome = WindowWait::TimedOut;
    WaitForWindow(program, title, withinMs, &outcome);
    return outcome != WindowWait::Shown;
}

bool EndsWithoutWindow(const DrivenProgram& program, DWORD timeoutMs)
{
    WindowWait outcome = WindowWait::TimedOut;
    WaitForWindow(program, nullptr, timeoutMs, &outcome);
    return outcome == WindowWait::ProgramEnded;
}

bool WaitUntilGone(HWND window, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    while (IsWindow(window)) {
        if (!TimeIsLeft(start, timeoutMs))
            return false;
        Sleep(kPollMs);
    }
    return true;
}

std::string WaitForTitleChange(HWND window, const std::string& oldTitle, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    do {
        if (!IsWindow(window))
            return "";
        std::string title = WindowText(window);
        if (title != oldTitle)
            return title;
        Sleep(kPollMs);
    } while (TimeIsLeft(start, timeoutMs));
    return "";
}

// ---- Message boxes -------------------------------------------------------

HWND WaitForMessageBox(const DrivenProgram& program, const char* caption, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    do {
        // A message box is created hidden and shown once laid out; only a
        // visible one is found, so its text is there to read.
        if (HWND box = FindWindowOf(program, caption, "#32770"))
            return box;
        if (HasEnded(program))
            return nullptr;
        Sleep(kPollMs);
    } while (TimeIsLeft(start, timeoutMs));
    return nullptr;
}

std::string MessageBoxText(HWND box)
{
    // The message text is the static control with id 65535 (-1).
    return DialogItemText(box, 0xFFFF);
}

bool PressOk(HWND box)
{
    // Posted: a sent message would wait on the box's own modal loop.
    return IsWindow(box)
           && PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                           reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
}

// ---- Reading controls ----------------------------------------------------

std::string WindowText(HWND window)
{
    // InternalGetWindowText reads the text the system keeps for the window
    // and never sends WM_GETTEXT, so a sleeping program cannot hold it up.
    std::vector<wchar_t> wide(32768);
    int length = InternalGetWindowText(window, wide.data(), static_cast<int>(wide.size()));
    return length <= 0 ? "" : NarrowText(wide.data(), static_cast<size_t>(length));
}

std::string DialogItemText(HWND dialog, int id)
{
    HWND item = GetDlgItem(dialog, id);
    return item == nullptr ? "" : WindowText(item);
}

bool ReadEditText(HWND edit, std::string* text)
{
    DWORD_PTR length = 0;
    if (!AskWindow(edit, WM_GETTEXTLENGTH, 0, 0, &length))
        return false;
    std::vector<char> buffer(length + 1, '\0');
    DWORD_PTR copied = 0;
    if (!AskWindow(edit, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()), &copied))
        return false;
    text->assign(buffer.data(), copied < length ? copied : length);
    return true;
}

bool IsShown(HWND window)
{
    return IsWindowVisible(window) != FALSE;
}

bool IsEnabled(HWND window)
{
    return IsWindowEnabled(window) != FALSE;
}

int CheckState(HWND button)
{
    DWORD_PTR state = 0;
    return AskWindow(button, BM_GETCHECK, 0, 0, &state) ? static_cast<int>(state) : -1;
}

bool ReadListBox(HWND listBox, ListBoxContents* contents)
{
    DWORD_PTR count = 0;
    DWORD_PTR selected = 0;
    if (!AskWindow(listBox, LB_GETCOUNT, 0, 0, &count) || static_cast<LRESULT>(count) == LB_ERR
        || !AskWindow(listBox, LB_GETCURSEL, 0, 0, &selected))
        return false;
    contents->entries.clear();
    for (DWORD_PTR index = 0; index < count; ++index) {
        // Asked in wide characters: Wine hands an ANSI LB_GETTEXT from
        // another process the entry's wide characters unconverted.
        DWORD_PTR length = 0;
        if (!AskWindowWide(listBox, LB_GETTEXTLEN, index, 0, &length) || static_cast<LRESULT>(length) == LB_ERR)
            return false;
        std::vector<wchar_t> entry(length + 1, L'\0');
        DWORD_PTR copied = 0;
        if (!AskWindowWide(listBox, LB_GETTEXT, index, reinterpret_cast<LPARAM>(entry.data()), &copied)
            || static_cast<LRESULT>(copied) == LB_ERR)
            return false;
        contents->entries.push_back(NarrowText(entry.data(), copied < length ? copied : length));
    }
    contents->selected = static_cast<int>(static_cast<LRESULT>(selected));
    return true;
}

bool ReadProgressBar(HWND progressBar, ProgressBarState* state)
{
    // PBM_GETRANGE: wParam TRUE asks for the low end, FALSE for the high end;
    // with a null lParam nothing has to cross the process boundary.
    DWORD_PTR low = 0;
    DWORD_PTR high = 0;
    DWORD_PTR position = 0;
    if (!AskWindow(progressBar, PBM_GETRANGE, TRUE, 0, &low) || !AskWindow(progressBar, PBM_GETRANGE, FALSE, 0, &high)
        || !AskWindow(progressBar, PBM_GETPOS, 0, 0, &position))
        return false;
    state->low = static_cast<int>(low);
    state->high = static_cast<int>(high);
    state->position = static_cast<int>(position);
    return true;
}

std::vector<ChildControl> ListChildControls(HWND window)
{
    std::vector<ChildControl> controls;
    EnumChildWindows(window, CollectChildControl, reinterpret_cast<LPARAM>(&controls));
    return controls;
}

// ---- Acting on a page ----------------------------------------------------

bool ClickButton(HWND button)
{
    if (!IsWindow(button) || !IsWindowVisible(button) || !IsWindowEnabled(button))
        return false;
    return PostMessageA(button, BM_CLICK, 0, 0) != FALSE;
}

bool CloseWithCloseBox(HWND page)
{
    return IsWindow(page) && PostMessageA(page, WM_SYSCOMMAND, SC_CLOSE, 0);
}

bool PressEnter(HWND page)
{
    return PressKey(page, VK_RETURN);
}

bool PressEscape(HWND page)
{
    return PressKey(page, VK_ESCAPE);
}
