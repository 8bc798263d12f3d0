// The default-button walk: whatever the installer shows next is
// photographed and answered with its default button, until it ends.
#include "default_walk.h"

#include "page_photograph.h"
#include "program_driver.h"
#include "ui/resource_ids.h"

#include <cstdio>

namespace {

// Long enough for the progress page of six databases for several users.
constexpr DWORD kPageMs = 120000;
constexpr DWORD kPollMs = 50;
// A page just shown paints once its program next handles messages.
constexpr DWORD kPaintMs = 700;

// A page's title is one of the seven; a message box's is its caption.
const char* PageName(const std::string& title);

struct Search {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK MatchMessageBox(HWND window, LPARAM searchAddress)
{
    auto* search = reinterpret_cast<Search*>(searchAddress);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId != search->processId || !IsWindowVisible(window)
        || std::string(PageName(WindowText(window))) != "message")
        return TRUE;
    search->found = window;
    return FALSE;
}

// The window to answer next: a message box shown over a page before the page.
HWND Foremost(HWND window)
{
    Search search = {0, nullptr};
    GetWindowThreadProcessId(window, &search.processId);
    EnumWindows(MatchMessageBox, reinterpret_cast<LPARAM>(&search));
    return search.found ? search.found : window;
}

bool WaitUntilGone(HWND window)
{
    for (DWORD waited = 0; waited < kPageMs; waited += kPollMs) {
        if (!IsWindow(window) || !IsWindowVisible(window))
            return true;
        Sleep(kPollMs);
    }
    return false;
}

// A short name for the page's photograph, from its title.
const char* PageName(const std::string& title)
{
    const struct { const char* title; const char* name; } kPages[] = {
        {"Vantrel 1.02 - Universal Installer for PalmOS", "splash"}, {"License Agreement", "license"},
        {"Files to install...", "files"}, {"Install to User...", "user"}, {"Copying Files...", "progress"},
        {"Installation Complete", "completion"}, {"Readme", "readme"}};
    for (const auto& page : kPages) {
        if (title == page.title)
            return page.name;
    }
    return "message";
}

// The button's text as shown, without its mnemonic mark.
std::string ButtonText(HWND button)
{
    std::string text;
    for (char c : WindowText(button)) {
        if (c != '&')
            text += c;
    }
    return text;
}

// The splash page says "Done" once discovery is over and stays for two
// seconds: the moment to photograph it.
void AwaitSplashDone(HWND splash)
{
    HWND status = GetDlgItem(splash, kSplashStatusLine);
    for (std::string text = WindowText(status); text != "Done";) {
        text = WaitForTextChange(status, text, kPageMs);
        if (text.empty())
            return;
    }
}

} // namespace

bool PressDefaultButtons(const std::string& installerPath, const std::string& shotsFolder, DWORD* exitCode)
{
    Program installer;
    std::string folder = installerPath.substr(0, installerPath.find_last_of('\\'));
    if (!installer.Start(installerPath, "", folder))
        return Fail("cannot start " + installerPath);
    for (int number = 1;; number++) {
        // Each window is gone before the next is looked for: Wine may give
        // the next page the handle of the last.
        HWND window = installer.WaitForWindow(nullptr, kPageMs);
        if (window == nullptr)
            break;
        window = Foremost(window);
        std::string title = WindowText(window);
        const char* name = PageName(title);
        if (std::string(name) == "splash")
            AwaitSplashDone(window);
        Sleep(kPaintMs);
        char shot[64];
        std::snprintf(shot, sizeof shot, "%02d-%s", number, name);
        bool photographed = Photograph(shotsFolder, window, shot);
        // A message box's OK is item 1; a page's default button is item 1011.
        HWND button = GetDlgItem(window, std::string(name) == "message" ? IDOK : kLicenseAccept);
        std::string text = std::string(name) == "message" ? ": " + WindowText(GetDlgItem(window, 0xFFFF)) : "";
        for (char& c : text)
            c = c == '\r' || c == '\n' ? ' ' : c;
        std::printf("%2d  %-46s %s%s", number, (title + text).c_str(), photographed ? shot : "(no photograph)",
                    photographed ? ".png" : "");
        if (ClickButton(button))
            std::printf(", pressed %s", ButtonText(button).c_str());
        std::printf("\n");
        std::fflush(stdout);
        if (!WaitUntilGone(window))
            return Fail("\"" + title + "\" stayed on the screen for two minutes");
    }
    if (!installer.WaitForExit(kPageMs, exitCode))
        return Fail("the installer did not end");
    return true;
}
