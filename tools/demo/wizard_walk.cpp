// Clicking through the installer's pages from outside, with a photograph of
// each.
#include "wizard_walk.h"

#include "demo_palm_desktop.h"
#include "page_photograph.h"
#include "program_driver.h"
#include "ui/resource_ids.h"

#include <algorithm>

namespace {

constexpr DWORD kPageMs = 30000;
// A page just shown paints once its program next handles messages.
constexpr DWORD kPaintMs = 700;

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
