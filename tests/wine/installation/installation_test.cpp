// The real installer, packaged with -a, run on a simulated Palm Desktop and
// driven page by page: what each page shows, what is installed where, and
// how every way of ending leaves the Palm folder and the HotSync flags.
#include "installer_fixture.h"
#include "installer_scripts.h"

#include "driver/install_state.h"
#include "ui/resource_ids.h"

#include <commctrl.h>

#include <algorithm>
#include <atomic>
#include <thread>

namespace {

const char kCopyErrorTail[] =
    ".\nMake sure the source file has been extracted (if applicable) and present in the correct folder.";

// What the progress page showed while the copy stage ran.
struct CopyStageSeen {
    std::vector<std::string> statuses; // each status text that differed from the one before
    int low = -1;
    int high = -1;
    int lastPosition = -1;
};

// One question to the progress bar, on a thread of its own: the copy stage
// answers only when it pumps messages, once per slot, so each question is
// kept waiting for that moment on its own. A repeated question goes on until
// the bar goes, stops answering, or stop is set.
void Ask(HWND bar, UINT message, WPARAM wParam, std::atomic<int>* answer, bool repeat,
         const std::atomic<bool>* stop)
{
    DWORD_PTR value = 0;
    while (!*stop && SendMessageTimeoutA(bar, message, wParam, 0, SMTO_NORMAL, 3000, &value) && IsWindow(bar)) {
        *answer = static_cast<int>(value);
        if (!repeat)
            return;
    }
}

// Watches the progress page until it goes: its status texts, its range, and
// its position at the last slot.
CopyStageSeen WatchCopyStage(HWND page)
{
    HWND bar = GetDlgItem(page, kProgressBar);
    HWND status = GetDlgItem(page, kProgressText);
    std::atomic<int> low = -1;
    std::atomic<int> high = -1;
    std::atomic<int> position = -1;
    std::atomic<bool> stop = false;
    std::thread askLow(Ask, bar, PBM_GETRANGE, TRUE, &low, false, &stop);
    std::thread askHigh(Ask, bar, PBM_GETRANGE, FALSE, &high, false, &stop);
    std::thread askPosition(Ask, bar, PBM_GETPOS, 0, &position, true, &stop);

    CopyStageSeen seen;
    for (DWORD start = GetTickCount(); IsWindow(page) && GetTickCount() - start < kPageMs; Sleep(10)) {
        std::string text = WindowText(status);
        if (IsWindow(page) && (seen.statuses.empty() || text != seen.statuses.back()))
            seen.statuses.push_back(text);
    }
    stop = true;
    askLow.join();
    askHigh.join();
    askPosition.join();
    seen.low = low;
    seen.high = high;
    seen.lastPosition = position;
    return seen;
}

// The first window the run shows, which must be the progress page: no page
// came before the copy stage.
HWND AwaitFirstPageIsProgress(const DrivenProgram& installer)
{
    HWND first = WaitForWindow(installer, nullptr, kPageMs);
    EXPECT_NE(first, nullptr);
    EXPECT_EQ(WindowText(first), "Copying Files...");
    return first;
}

std::string Status(const std::string& record, const std::string& user, const std::string& destination)
{
    return "Copying '" + record + "' to user '" + user + "'\n\n(" + destination + ")...";
}

TEST_F(Installation, ExampleScriptWalkedPassByPass)
{
    ScopedProgram run;
    Start(run.program, ""); // not quiet: splash page first, status texts

    // Pass 1: the license text of four lines.
    HWND license = AwaitPage(run.program, "License Agreement");
    ASSERT_NE(license, nullptr);
    EXPECT_EQ(EditText(license, kLicenseText),
              "Sample Tools for Palm OS handhelds - license terms\r\n\r\n"
              "You may install and use this software on one handheld.\r\n"
              "Press I Accept to continue, or I Decline to end the installation.\r\n");
    Press(license, kLicenseAccept);

    // Pass 2: a label, a checked and an unchecked box, a hidden entry.
    HWND files = AwaitPage(run.program, "Files to install...");
    ASSERT_NE(files, nullptr);
    struct Slot { bool box; bool label; const char* text; int check; };
    const Slot slots[kFileSlotCount] = {
        {false, true, "Sample Tools 2.0 (always installed)", BST_UNCHECKED},
        {true, false, "Sample Tools help database", BST_CHECKED},
        {true, false, "Sample Tools extra themes", BST_UNCHECKED},
        {}, {}, {},
    };
    for (int k = 0; k < kFileSlotCount; ++k) {
        SCOPED_TRACE(k);
        HWND box = GetDlgItem(files, kFilesCheckBox1 + k);
        HWND label = GetDlgItem(files, kFilesLabel1 + k);
        EXPECT_EQ(IsShown(box), slots[k].box);
        EXPECT_EQ(IsShown(label), slots[k].label);
        if (slots[k].box) {
            EXPECT_EQ(WindowText(box), slots[k].text);
            EXPECT_EQ(CheckState(box), slots[k].check);
        }
        if (slots[k].label) {
            EXPECT_EQ(WindowText(label), slots[k].text);
        }
    }
    EXPECT_EQ(EditText(files, kFilesDescription),
              "Check the items that you want to install, then press Continue.\r\n"
              "They reach the handheld at the next HotSync.\r\n");
    // The help database is left out, the themes taken.
    Press(files, kFilesCheckBox2);
    Press(files, kFilesCheckBox3);
    for (DWORD start = GetTickCount(); GetTickCount() - start < kPageMs; Sleep(20)) {
        if (CheckState(GetDlgItem(files, kFilesCheckBox2)) == BST_UNCHECKED
            && CheckState(GetDlgItem(files, kFilesCheckBox3)) == BST_CHECKED)
            break;
    }
    Press(files, kFilesContinue);

    // Pass 3: the display names in the table's order; the second is chosen.
    HWND userPage = AwaitPage(run.program, "Install to User...");
    ASSERT_NE(userPage, nullptr);
    HWND list = GetDlgItem(userPage, kUserList);
    ListBoxContents listed;
    ASSERT_TRUE(ReadListBox(list, &listed));
    std::vector<std::string> names;
    for (const ListedUser& user : users_)
        names.push_back(user.displayName);
    EXPECT_EQ(listed.entries, names);
    EXPECT_EQ(listed.selected, 0);
    DWORD_PTR answer = 0;
    ASSERT_TRUE(SendMessageTimeoutA(list, LB_SETCURSEL, 1, 0, SMTO_NORMAL, 5000, &answer));
    Press(userPage, kUserContinue);
    const ListedUser& chosen = users_[1];

    // Pass 4: the copy, slot by slot, for the chosen user.
    HWND progress = AwaitPage(run.program, "Copying Files...");
    ASSERT_NE(progress, nullptr);
    CopyStageSeen seen = WatchCopyStage(progress);
    std::vector<std::string> statuses;
    std::vector<std::string> installed;
    for (int slot : {0, 2, 3}) {
        const CarriedDatabase& database = databases_[slot];
        statuses.push_back(Status(database.record, chosen.displayName,
                                  chosen.installFolder + "\\" + database.installedName));
        installed.push_back(chosen.folderName + "\\Install\\" + database.installedName);
        installed.push_back(chosen.folderName + "\\backup\\" + database.installedName);
    }
    seen.statuses.erase(std::remove(seen.statuses.begin(), seen.statuses.end(), "Copying..."),
                        seen.statuses.end());
    EXPECT_EQ(seen.statuses, statuses);
    EXPECT_EQ(seen.low, 0);
    EXPECT_EQ(seen.high, 4);
    EXPECT_EQ(seen.lastPosition, 4);

    HWND completion = AwaitPage(run.program, "Installation Complete");
    ASSERT_NE(completion, nullptr);
    std::sort(installed.begin(), installed.end());
    EXPECT_EQ(EveryInstalledFile(), installed);
    for (int slot : {0, 2, 3}) {
        const CarriedDatabase& database = databases_[slot];
        EXPECT_EQ(ReadBytes(chosen.installFolder + "\\" + database.installedName), database.bytes);
        EXPECT_EQ(ReadBytes(chosen.backupFolder + "\\" + database.installedName), database.bytes);
    }
    for (const ListedUser& user : users_)
        EXPECT_EQ(FlagSet(user), &user == &chosen) << user.displayName;

    // Pass 5: the readme; pass 6: the quit.
    EXPECT_TRUE(IsShown(GetDlgItem(completion, kCompletionViewReadme)));
    Press(completion, kCompletionViewReadme);
    HWND readme = AwaitPage(run.program, "Readme");
    ASSERT_NE(readme, nullptr);
    EXPECT_EQ(EditText(readme, kReadmeText),
              "Thank you for installing Sample Tools.\r\n"
              "Start it from the handheld's application launcher.\r\n");
    Press(readme, kReadmeClose);
    ExpectExitCodeZero(run.program, kPageMs);
}

TEST_F(Installation, ScriptOnDiskEndsAtItsCtrlZ)
{
    // Only a readme section: the copy runs at once, for the first user, with
    // the file named by -f.
    ScopedProgram run;
    Start(run.program, "-q -s " + std::string(kDiskScript.name) + " -f sampletools.prc");
    AwaitFirstPageIsProgress(run.program);
    HWND completion = AwaitPage(run.program, "Installation Complete");
    ASSERT_NE(completion, nullptr);
    Press(completion, kCompletionViewReadme);
    HWND readme = AwaitPage(run.program, "Readme");
    ASSERT_NE(readme, nullptr);
    EXPECT_EQ(EditText(readme, kReadmeText), "Thank you for installing.\r\n");
    Press(readme, kReadmeClose);
    ExpectExitCodeZero(run.program, kPageMs);
    EXPECT_EQ(ReadBytes(users_[0].installFolder + "\\Sample_Tools.prc"), databases_[0].bytes);
    EXPECT_TRUE(FlagSet(users_[0]));
}

TEST_F(Installation, UsersNamedWithDashUAnswerTheUserLineAndNoEntryIsShown)
{
    // All entries carry "!": no files page. The user line asks nothing, the
    // readme is not offered, and quiet mode writes no status text.
    ScopedProgram run;
    Start(run.program, "-q -s hidden.ini -u \"ann lee\" -u \"BOB SMITH\"");
    HWND progress = AwaitFirstPageIsProgress(run.program);
    ASSERT_NE(progress, nullptr);
    for (const std::string& status : WatchCopyStage(progress).statuses)
        EXPECT_EQ(status, "Copying...");
    HWND completion = AwaitPage(run.program, "Installation Complete");
    ASSERT_NE(completion, nullptr);
    EXPECT_FALSE(IsShown(GetDlgItem(completion, kCompletionViewReadme)));
    Press(completion, kCompletionClose);
    ExpectExitCodeZero(run.program, kPageMs);

    for (const ListedUser& user : users_) {
        bool named = user.displayName != "Zoe Quinn";
        SCOPED_TRACE(user.displayName);
        std::vector<std::string> expected;
        if (named)
            expected = {"Sample_Tools.prc", "SharedLib.prc"};
        EXPECT_EQ(FilesIn(user.installFolder), expected);
        EXPECT_EQ(FilesIn(user.backupFolder), FilesIn(user.installFolder));
        EXPECT_EQ(FlagSet(user), named);
    }
}

TEST_F(Installation, MissingSourceAbortsEachUsersFilesButServesEveryUser)
{
    ScopedProgram run;
    Start(run.program, "-q -s missing.ini -u \"Zoe Quinn\" -u \"Ann Lee\"");
    for (const char* name : {"Zoe Quinn", "Ann Lee"}) {
        SCOPED_TRACE(name);
        const ListedUser& user = *std::find_if(users_.begin(), users_.end(),
                                               [&](const ListedUser& u) { return u.displayName == name; });
        HWND box = WaitForMessageBox(run.program, "Installation Aborted", kPageMs);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(MessageBoxText(box), "File Copy Error\n\nAn error occurred copying file missing.prc to "
                                           + user.installFolder + "\\missing.prc" + kCopyErrorTail);
        // The first file stays; the failed destination is gone.
        EXPECT_EQ(FilesIn(user.installFolder), std::vector<std::string>{"Sample_Tools.prc"});
        if (user.displayName == "Zoe Quinn") {
            // The box's own message loop answers for the page beneath it.
            HWND progress = FindProgramWindow(run.program, "Copying Files...");
            ASSERT_NE(progress, nullptr);
            ProgressBarState bar;
            ASSERT_TRUE(ReadProgressBar(GetDlgItem(progress, kProgressBar), &bar));
            EXPECT_EQ(bar.low, 0);
            EXPECT_EQ(bar.high, 2);
            EXPECT_EQ(bar.position, 2);
        }
        ASSERT_TRUE(PressOk(box));
        ASSERT_TRUE(WaitUntilGone(box, kPageMs));
    }
    EXPECT_TRUE(NoWindowAppears(run.program, "Installation Complete", kPageMs));
    ExpectExitCodeZero(run.program, kPageMs);

    for (const ListedUser& user : users_) {
        bool named = user.displayName != "Bob Smith";
        SCOPED_TRACE(user.displayName);
        EXPECT_EQ(ReadBytes(user.backupFolder + "\\Sample_Tools.prc"), named ? databases_[0].bytes : "");
        EXPECT_EQ(FlagSet(user), named);
    }
    EXPECT_EQ(EveryInstalledFile().size(), 4u);
}

TEST_F(Installation, RunsThatEndWithNothingInstalled)
{
    // A license longer than an edit control's default limit is shown whole;
    // I Decline then ends the run before its FILES section is read.
    {
        ScopedProgram run;
        Start(run.program, "-q -s long.ini");
        HWND license = AwaitPage(run.program, "License Agreement");
        ASSERT_NE(license, nullptr);
        std::string expected;
        for (const std::string& line : LongLicenseLines())
            expected += line + "\r\n";
        ASSERT_GT(expected.size(), 32767u);
        EXPECT_EQ(EditText(license, kLicenseText), expected);
        Press(license, kLicenseDecline);
        EXPECT_TRUE(NoWindowAppears(run.program, "Copying Files...", kPageMs));
        ExpectExitCodeZero(run.program, kPageMs);
    }
    // No user named with -u is known.
    {
        ScopedProgram run;
        Start(run.program, "-q -s hidden.ini -u Nobody");
        HWND box = WaitForMessageBox(run.program, "Install Error", kPageMs);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(MessageBoxText(box), "No valid users selected");
        ASSERT_TRUE(PressOk(box));
        EXPECT_TRUE(NoWindowAppears(run.program, "Installation Complete", kPageMs));
        ExpectExitCodeZero(run.program, kPageMs);
    }
    EXPECT_TRUE(EveryInstalledFile().empty());
    for (const ListedUser& user : users_)
        EXPECT_FALSE(FlagSet(user)) << user.displayName;
}

} // namespace
