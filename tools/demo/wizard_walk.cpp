// Clicking through the installer's pages from outside, with a photograph of
// each. Photographs are taken by the demo script on the Linux side, which
// alone can reach the X server: for page P the walk writes P.ready, holding
// the page's place on the screen as "WIDTHxHEIGHT+LEFT+TOP", into the shots
// folder and waits for the script to answer with P.done.
#include "wizard_walk.h"

#include "demo_palm_desktop.h"
#include "support/program_driver.h"
#include "ui/resource_ids.h"

#include <cstdio>

namespace {

constexpr DWORD kPageMs = 30000;
constexpr DWORD kShotMs = 20000;
constexpr DWORD kPollMs = 50;
// A page just shown paints once its program next handles messages.
constexpr DWORD kPaintMs = 700;

bool Fail(const std::string& why)
{
    std::fprintf(stderr, "demo: %s\n", why.c_str());
    return false;
}

bool FileExists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool Photograph(const std::string& shotsFolder, HWND page, const char* name)
{
    RECT place;
    if (!GetWindowRect(page, &place))
        return Fail(std::string("the ") + name + " page went away before its photograph");
    std::string ready = shotsFolder + "\\" + name + ".ready";
    std::string done = shotsFolder + "\\" + name + ".done";
    // Written under another name first: the script must never read half of it.
    std::string partial = ready + ".partial";
    FILE* file = std::fopen(partial.c_str(), "w");
    if (file == nullptr)
        return Fail("cannot write " + partial);
    std::fprintf(file, "%ldx%ld+%ld+%ld\n", place.right - place.left, place.bottom - place.top, place.left,
                 place.top);
    std::fclose(file);
    if (!MoveFileExA(partial.c_str(), ready.c_str(), MOVEFILE_REPLACE_EXISTING))
        return Fail("cannot write " + ready);
    for (DWORD waited = 0; waited < kShotMs; waited += kPollMs) {
        if (FileExists(done))
            return true;
        Sleep(kPollMs);
    }
    return Fail(std::string("no photograph of the ") + name + " page came");
}

HWND AwaitPage(const DrivenProgram& installer, const char* title)
{
    WindowWait outcome = WindowWait::TimedOut;
    HWND page = WaitForWindow(installer, title, kPageMs, &outcome);
    if (page == nullptr)
        Fail(std::string("the page \"") + title + "\" did not come"
             + (outcome == WindowWait::ProgramEnded ? ": the installer ended" : ""));
    return page;
}

bool Press(HWND page, int id, const char* what)
{
    return ClickButton(GetDlgItem(page, id)) || Fail(std::string("cannot press ") + what);
}

// The splash page shows "Done" once discovery is over, and stays for two
// seconds: the moment to photograph it.
bool ShowSplash(const DrivenProgram& installer, const std::string& shots)
{
    HWND splash = AwaitPage(installer, "Vantrel 1.02 - Universal Installer for PalmOS");
    if (splash == nullptr)
        return false;
    for (DWORD waited = 0; DialogItemText(splash, kSplashStatusLine) != "Done"; waited += kPollMs) {
        if (waited >= kPageMs)
            return Fail("the splash page never said \"Done\"");
        Sleep(kPollMs);
    }
    return Photograph(shots, splash, "splash");
}

bool AcceptLicense(const DrivenProgram& installer, const std::string& shots)
{
    HWND page = AwaitPage(installer, "License Agreement");
    if (page == nullptr)
        return false;
    Sleep(kPaintMs);
    return Photograph(shots, page, "license") && Press(page, kLicenseAccept, "I Accept");
}

// Ticks every file that is offered unticked, so that all of them install.
bool ChooseAllFiles(const DrivenProgram& installer, const std::string& shots)
{
    HWND page = AwaitPage(installer, "Files to install...");
    if (page == nullptr)
        return false;
    for (int id = kFilesCheckBox1; id <= kFilesCheckBox6; ++id) {
        HWND box = GetDlgItem(page, id);
        if (!IsShown(box) || CheckState(box) != BST_UNCHECKED)
            continue;
        if (!ClickButton(box))
            return Fail("cannot tick a file");
        for (DWORD waited = 0; CheckState(box) != BST_CHECKED; waited += kPollMs) {
            if (waited >= kPageMs)
                return Fail("a ticked file stayed unticked");
            Sleep(kPollMs);
        }
    }
    Sleep(kPaintMs);
    return Photograph(shots, page, "files") && Press(page, kFilesContinue, "Continue on the files page");
}

bool ChooseUser(const DrivenProgram& installer, const std::string& shots)
{
    HWND page = AwaitPage(installer, "Install to User...");
    if (page == nullptr)
        return false;
    HWND list = GetDlgItem(page, kUserList);
    ListBoxContents users;
    if (!ReadListBox(list, &users))
        return Fail("the user list did not answer");
    int chosen = -1;
    for (size_t i = 0; i < users.entries.size(); ++i) {
        if (users.entries[i] == kDemoChosenUser)
            chosen = static_cast<int>(i);
    }
    if (chosen < 0)
        return Fail(std::string("the user list lacks ") + kDemoChosenUser);
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutA(list, LB_SETCURSEL, static_cast<WPARAM>(chosen), 0, SMTO_NORMAL, 5000, &answer))
        return Fail("cannot choose the user");
    Sleep(kPaintMs);
    return Photograph(shots, page, "user") && Press(page, kUserContinue, "Continue on the user page");
}

// The status text is painted only when the copy stage next pumps messages,
// as it moves on to the following file: once the text names the second
// file, the screen shows the first one's, and the bar two steps.
bool WatchCopying(const DrivenProgram& installer, const std::string& shots)
{
    HWND page = AwaitPage(installer, "Copying Files...");
    if (page == nullptr)
        return false;
    HWND status = GetDlgItem(page, kProgressText);
    std::string text = WindowText(status);
    bool namesFirstFile = false;
    while (!namesFirstFile) {
        namesFirstFile = text.rfind("Copying '", 0) == 0;
        text = WaitForTitleChange(status, text, kPageMs);
        if (text.empty())
            return Fail("the progress page showed no copying");
    }
    return Photograph(shots, page, "progress");
}

bool FinishWithReadme(const DrivenProgram& installer, const std::string& shots)
{
    HWND completion = AwaitPage(installer, "Installation Complete");
    if (completion == nullptr)
        return false;
    Sleep(kPaintMs);
    if (!Photograph(shots, completion, "completion") || !Press(completion, kCompletionViewReadme, "View Readme"))
        return false;
    HWND readme = AwaitPage(installer, "Readme");
    if (readme == nullptr)
        return false;
    Sleep(kPaintMs);
    return Photograph(shots, readme, "readme") && Press(readme, kReadmeClose, "Close on the readme page");
}

bool StartInstaller(DrivenProgram& installer, const std::string& path)
{
    std::string folder = path.substr(0, path.find_last_of("\\/"));
    // CreateProcessA may write into the command line, so it gets a copy.
    std::string commandLine = "\"" + path + "\"";
    commandLine.push_back('\0');
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started = {};
    if (!CreateProcessA(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                        &startup, &started))
        return false;
    CloseHandle(started.hThread);
    installer.process = started.hProcess;
    installer.processId = started.dwProcessId;
    return true;
}

} // namespace

bool WalkWizard(const std::string& installerPath, const std::string& shotsFolder)
{
    DrivenProgram installer;
    if (!StartInstaller(installer, installerPath))
        return Fail("cannot start " + installerPath);
    bool walked = ShowSplash(installer, shotsFolder) && AcceptLicense(installer, shotsFolder)
                  && ChooseAllFiles(installer, shotsFolder) && ChooseUser(installer, shotsFolder)
                  && WatchCopying(installer, shotsFolder) && FinishWithReadme(installer, shotsFolder);
    DWORD exitCode = 1;
    if (walked && !WaitForExit(installer, kPageMs, &exitCode))
        walked = Fail("the installer did not end after the readme page");
    EndProgram(installer);
    return walked;
}
