// Drives a real program from outside: the Win32 calls behind program_driver.h.
#include "program_driver.h"

#include <filesystem>

namespace {

// How long a program may take to answer a message: pages sleep for up to
// two seconds at times, and a program that is merely busy must not fail.
constexpr UINT kAnswerMs = 5000;
constexpr DWORD kPollMs = 20;

struct WindowSearch {
    DWORD processId;
    const char* title;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM searchAddress)
{
    auto* search = reinterpret_cast<WindowSearch*>(searchAddress);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId != search->processId || !IsWindowVisible(window)
        || (search->title != nullptr && WindowText(window) != search->title))
        return TRUE;
    search->found = window;
    return FALSE;
}

// Asked in wide characters: Wine hands an ANSI list box text asked for by
// another process over as unconverted wide characters.
bool Ask(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR* answer)
{
    return SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, kAnswerMs, answer) != 0;
}

// Wide characters to the ANSI code page, as the program sees its text.
std::string Narrow(const wchar_t* wide, int length)
{
    // A length of 0 makes both calls fail, leaving the text empty.
    int bytes = WideCharToMultiByte(CP_ACP, 0, wide, length, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide, length, text.data(), bytes, nullptr, nullptr);
    return text;
}

// The text a window answers to WM_GETTEXT, of any length.
std::string AskText(HWND window, UINT lengthMessage, UINT textMessage, WPARAM index)
{
    DWORD_PTR length = 0;
    if (!Ask(window, lengthMessage, index, 0, &length) || static_cast<LRESULT>(length) < 0)
        return "";
    std::vector<wchar_t> wide(length + 1, L'\0');
    WPARAM wParam = textMessage == WM_GETTEXT ? wide.size() : index;
    DWORD_PTR copied = 0;
    if (!Ask(window, textMessage, wParam, reinterpret_cast<LPARAM>(wide.data()), &copied)
        || static_cast<LRESULT>(copied) < 0)
        return "";
    return Narrow(wide.data(), static_cast<int>(copied < length ? copied : length));
}

} // namespace

std::wstring Widen(const std::string& text)
{
    return std::filesystem::path(std::u8string(text.begin(), text.end())).wstring();
}

Program::~Program()
{
    if (process_ == nullptr)
        return;
    TerminateProcess(process_, 1);
    WaitForSingleObject(process_, kAnswerMs);
    CloseHandle(process_);
}

bool Program::Start(const std::string& path, const std::string& arguments, const std::string& folder)
{
    // CreateProcessW may write into the command line, so it gets a copy.
    std::wstring commandLine = Widen("\"" + path + "\" " + arguments);
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started = {};
    if (!CreateProcessW(Widen(path).c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        Widen(folder).c_str(), &startup, &started))
        return false;
    CloseHandle(started.hThread);
    process_ = started.hProcess;
    id_ = started.dwProcessId;
    return true;
}

HWND Program::WaitForWindow(const char* title, DWORD timeoutMs) const
{
    DWORD start = GetTickCount();
    do {
        // Looked at before the search: a program that ended before the
        // search showed all it ever will.
        bool ended = WaitForSingleObject(process_, 0) == WAIT_OBJECT_0;
        WindowSearch search = {id_, title, nullptr};
        EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found != nullptr || ended)
            return search.found;
        Sleep(kPollMs);
    } while (GetTickCount() - start < timeoutMs); // unsigned: right across the counter's wrap
    return nullptr;
}

bool Program::WaitForExit(DWORD timeoutMs, DWORD* exitCode)
{
    if (WaitForSingleObject(process_, timeoutMs) != WAIT_OBJECT_0) {
        TerminateProcess(process_, 1);
        WaitForSingleObject(process_, kAnswerMs);
        return false;
    }
    return GetExitCodeProcess(process_, exitCode) != 0;
}

std::string WindowText(HWND window)
{
    // InternalGetWindowText reads the text the system keeps for the window
    // and sends no WM_GETTEXT.
    std::vector<wchar_t> wide(32768);
    return Narrow(wide.data(), InternalGetWindowText(window, wide.data(), static_cast<int>(wide.size())));
}

std::string WaitForTextChange(HWND control, const std::string& oldText, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    while (IsWindow(control) && GetTickCount() - start < timeoutMs) {
        std::string text = WindowText(control);
        if (text != oldText)
            return text;
        Sleep(kPollMs);
    }
    return "";
}

std::string EditText(HWND edit)
{
    return AskText(edit, WM_GETTEXTLENGTH, WM_GETTEXT, 0);
}

int CheckState(HWND button)
{
    DWORD_PTR state = 0;
    return Ask(button, BM_GETCHECK, 0, 0, &state) ? static_cast<int>(state) : -1;
}

std::vector<std::string> ListBoxEntries(HWND list)
{
    std::vector<std::string> entries;
    DWORD_PTR count = 0;
    if (!Ask(list, LB_GETCOUNT, 0, 0, &count) || static_cast<LRESULT>(count) == LB_ERR)
        return entries;
    for (WPARAM index = 0; index < count; ++index)
        entries.push_back(AskText(list, LB_GETTEXTLEN, LB_GETTEXT, index));
    return entries;
}

bool SelectListEntry(HWND list, int index)
{
    DWORD_PTR answer = 0;
    return Ask(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0, &answer)
           && static_cast<int>(answer) == index;
}

bool ClickButton(HWND button)
{
    return IsWindow(button) && IsWindowVisible(button) && IsWindowEnabled(button)
           && PostMessageA(button, BM_CLICK, 0, 0);
}
