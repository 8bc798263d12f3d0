// Clicking through the installer's pages from outside, with a photograph of
// each. Photographs are taken by the demo script on the Linux side, which
// alone can reach the X server: for page P the walk writes P.ready, holding
// the page's place on the screen as "WIDTHxHEIGHT+LEFT+TOP", into the shots
// folder and waits for the script to answer with P.done.
#include "wizard_walk.h"

#include "demo_palm_desktop.h"
#include "program_driver.h"
#include "ui/resource_ids.h"

#include <algorithm>
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
        if (GetFileAttributesA(done.c_str()) != INVALID_FILE_ATTRIBUTES)
            return true;
        Sleep(kPollMs);
    }
    return Fail(std::string("no photograph of the ") + name + " page came");
}

// The page titled title, painted.
HWND AwaitPage(const Program& installer, const char* title)
{
    HWND page = installer.WaitForWindow(title, kPageMs);
    if (page == nullptr)
        Fail(std::string("the page \"") + title + "\" did not come");
    else
        Sleep(kPaintMs);
    return page;
}

bool Press(HWND page, int id, const char* what)
{
    return ClickButton(GetDlgItem(page, id)) || Fail(std::string("cannot press ") + what);
}

// The splash page shows "Done" once discovery is over, and stays for two
// seconds: the moment to photograph it.
bool ShowSplash(const Program& installer, const std::string& shots)
{
    HWND splash = installer.WaitForWindow("Vantrel 1.02 - Universal Installer for PalmOS", kPageMs);
    if (splash == nullptr)
        return Fail("the splash page did not come");
    HWND status = GetDlgItem(splash, kSplashStatusLine);
    for (std::string text = WindowText(status); text != "Done";) {
        text = WaitForTextChange(status, text, kPageMs);
        if (text.empty())
            return Fail("the splash page never said \"Done\"");
    }
    return Photograph(shots, splash, "splash");
}

bool AcceptLicense(const Program& installer, const std::string& shots)
{
    HWND page = AwaitPage(installer, "License Agreement");
    return page != nullptr && Photograph(shots, page, "license") && Press(page, kLicenseAccept, "I Accept");
}

// Ticks every file that is offered unticked, so that all of them install.
bool ChooseAllFiles(const Program& installer, const std::string& shots)
{
    HWND page = AwaitPage(installer, "Files to install...");
    if (page == nullptr)
        return false;
    for (int id = kFilesCheckBox1; id <= kFilesCheckBox6; ++id) {
        HWND box = GetDlgItem(page, id);
        if (IsWindowVisible(box) && CheckState(box) == BST_UNCHECKED && !ClickButton(box))
            return Fail("cannot tick a file");
    }
    // The ticks are posted before the photograph is asked of the screen.
    Sleep(kPaintMs);
    return Photograph(shots, page, "files") && Press(page, kFilesContinue, "Continue on the files page");
}

bool ChooseUser(const Program& installer, const std::string& shots)
{
    HWND page = AwaitPage(installer, "Install to User...");
    if (page == nullptr)
        return false;
    HWND list = GetDlgItem(page, kUserList);
    std::vector<std::string> users = ListBoxEntries(list);
    auto chosen = std::find(users.begin(), users.end(), kDemoChosenUser);
    if (chosen == users.end() || !SelectListEntry(list, static_cast<int>(chosen - users.begin())))
        return Fail(std::string("cannot choose ") + kDemoChosenUser);
    Sleep(kPaintMs);
    return Photograph(shots, page, "user") && Press(page, kUserContinue, "Continue on the user page");
}

// The status text is painted only when the copy stage next pumps messages,
// as it moves on to the following file: once the text names the second
// file, the screen shows the first one's.
bool WatchCopying(const Program& installer, const std::string& shots)
{
    HWND page = AwaitPage(installer, "Copying Files...");
    if (page == nullptr)
        return false;
    HWND status = GetDlgItem(page, kProgressText);
    std::string text = WindowText(status);
    for (bool namesFirstFile = false; !namesFirstFile;) {
        namesFirstFile = text.rfind("Copying '", 0) == 0;
        text = WaitForTextChange(status, text, kPageMs);
        if (text.empty())
            return Fail("the progress page showed no copying");
    }
    return Photograph(shots, page, "progress");
}

bool FinishWithReadme(const Program& installer, const std::string& shots)
{
    HWND completion = AwaitPage(installer, "Installation Complete");
    if (completion == nullptr || !Photograph(shots, completion, "completion")
        || !Press(completion, kCompletionViewReadme, "View Readme"))
        return false;
    HWND readme = AwaitPage(installer, "Readme");
    return readme != nullptr && Photograph(shots, readme, "readme")
           && Press(readme, kReadmeClose, "Close on the readme page");
}

} // namespace

bool WalkWizard(const std::string& installerPath, const std::string& shotsFolder)
{
    Program installer;
    if (!installer.Start(installerPath, "", installerPath.substr(0, installerPath.find_last_of('\\'))))
        return Fail("cannot start " + installerPath);
    DWORD exitCode = 1;
    return ShowSplash(installer, shotsFolder) && AcceptLicense(installer, shotsFolder)
           && ChooseAllFiles(installer, shotsFolder) && ChooseUser(installer, shotsFolder)
           && WatchCopying(installer, shotsFolder) && FinishWithReadme(installer, shotsFolder)
           && (installer.WaitForExit(kPageMs, &exitCode) || Fail("the installer did not end after the readme page"));
}
