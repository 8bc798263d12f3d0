// Start-up of the real vantrel.exe under Wine: the splash page with each user
// found and "Done", quiet mode without it, the two start-up errors ending
// the run without a wizard page, the packaging modes after the splash page,
// and the install script taken from the payload before the disk.
#include "support/program_driver.h"
#include "support/simulated_palm_desktop.h"
#include "wine/end_to_end.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

using namespace std::string_literals;

namespace {

constexpr DWORD kRunMs = 10000;
constexpr DWORD kPollMs = 5;
const char kSplashTitle[] = "Vantrel 1.02 - Universal Installer for PalmOS";
const char kLicenseTitle[] = "License Agreement";
constexpr int kStatusLine = 1048;
constexpr int kLicenseText = 1049;

bool TimeIsLeft(DWORD startTick, DWORD timeoutMs)
{
    return GetTickCount() - startTick < timeoutMs;
}

struct TitleSearch {
    DWORD processId;
    std::vector<std::string> titles;
};

BOOL CALLBACK CollectVisibleTitle(HWND window, LPARAM searchAddress)
{
    auto* search = reinterpret_cast<TitleSearch*>(searchAddress);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId == search->processId && IsWindowVisible(window))
        search->titles.push_back(WindowText(window));
    return TRUE;
}

// The titles of every visible top-level window of the program right now.
std::vector<std::string> VisibleTitles(const DrivenProgram& program)
{
    TitleSearch search = {program.processId, {}};
    EnumWindows(CollectVisibleTitle, reinterpret_cast<LPARAM>(&search));
    return search.titles;
}

// True when the program ends within timeoutMs and meanwhile shows no
// visible window but those titled allowedTitle (none at all when null).
bool EndsShowingOnly(const DrivenProgram& program, const char* allowedTitle, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    do {
        // Checked before the look: a window seen after the end is the last
        // one it showed.
        bool ended = WaitForSingleObject(program.process, 0) == WAIT_OBJECT_0;
        for (const std::string& title : VisibleTitles(program)) {
            if (allowedTitle == nullptr || title != allowedTitle) {
                ADD_FAILURE() << "window shown: \"" << title << "\"";
                return false;
            }
        }
        if (ended)
            return true;
        Sleep(kPollMs);
    } while (TimeIsLeft(start, timeoutMs));
    return false;
}

// What the splash page's status line showed while it was watched.
struct StatusLineHistory {
    std::vector<std::string> texts; // each text once, in order, the empty one left out
    DWORD doneShownMs = 0;          // from "Done" first seen to the splash page's end
};

// Reads the splash page's status line (without asking the program) until
// the page goes away or timeoutMs passes.
StatusLineHistory WatchSplash(HWND splash, DWORD timeoutMs)
{
    StatusLineHistory history;
    DWORD start = GetTickCount();
    DWORD doneSeen = 0;
    while (IsWindow(splash) && TimeIsLeft(start, timeoutMs)) {
        std::string text = DialogItemText(splash, kStatusLine);
        if (!text.empty() && (history.texts.empty() || history.texts.back() != text)) {
            history.texts.push_back(text);
            if (text == "Done")
                doneSeen = GetTickCount();
        }
        Sleep(kPollMs);
    }
    if (doneSeen != 0)
        history.doneShownMs = GetTickCount() - doneSeen;
    return history;
}

// Waits up to timeoutMs for the splash page's status line to read text.
bool WaitForStatus(HWND splash, const std::string& text, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    do {
        if (DialogItemText(splash, kStatusLine) == text)
            return true;
        Sleep(kPollMs);
    } while (IsWindow(splash) && TimeIsLeft(start, timeoutMs));
    return false;
}

std::string LicenseScript(const std::string& text)
{
    return "LICENSE\r\n" + text + "\r\n.\r\n";
}

// Each test works in a fresh folder with a blank in its name, beside a
// simulated Palm Desktop with two users.
struct StartUp : testing::Test {
    TestFolder folder{"start up"};

    void SetUp() override
    {
        ASSERT_FALSE(folder.Path().empty());
        ASSERT_TRUE(BuildSimulatedPalmDesktop(Desktop(PalmFolderKey::kPilotDesktop, true)));
    }

    SimulatedPalmDesktop Desktop(PalmFolderKey folderKey, bool withUsers)
    {
        SimulatedPalmDesktop desktop;
        desktop.palmFolder = folder.PathOf("Palm");
        desktop.folderKey = folderKey;
        desktop.users = {{"Ann Lee", "AnnL", 1}, {"Bob Stone", "Bob", 2}};
        for (SimulatedPalmUser& user : desktop.users)
            user.hasInstallFolder = withUsers;
        return desktop;
    }

    // Serves the license page the run shows, expects its text, closes it
    // with its close box and expects the run to end with exit code 0.
    void CloseLicensePage(const DrivenProgram& program, const std::string& expectedText)
    {
        HWND license = WaitForWindow(program, kLicenseTitle, kRunMs);
        ASSERT_NE(license, nullptr);
        std::string text;
        ASSERT_TRUE(ReadEditText(GetDlgItem(license, kLicenseText), &text));
        EXPECT_EQ(text, expectedText);
        ASSERT_TRUE(CloseWithCloseBox(license));
        EXPECT_TRUE(EndsShowingOnly(program, kLicenseTitle, kRunMs));
    }
};

TEST_F(StartUp, SplashReportsEachUserThenDoneAndGivesWayToTheWizard)
{
    ASSERT_TRUE(WriteBytes(folder.PathOf("Install.ini"), LicenseScript("License from the disk")));
    ScopedProgram run;
    ASSERT_TRUE(StartVantrel(run.program, "", folder.Path()));
    HWND splash = WaitForWindow(run.program, kSplashTitle, kRunMs);
    ASSERT_NE(splash, nullptr);

    StatusLineHistory history = WatchSplash(splash, kRunMs);
    // Wine lists the user folders in no fixed order; each user is reported
    // once, and "Done" comes last.
    ASSERT_EQ(history.texts.size(), 3u) << testing::PrintToString(history.texts);
    std::vector<std::string> found(history.texts.begin(), history.texts.begin() + 2);
    std::sort(found.begin(), found.end());
    EXPECT_EQ(found, (std::vector<std::string>{"Found user 'Ann Lee'", "Found user 'Bob Stone'"}));
    EXPECT_EQ(history.texts.back(), "Done");
    // "Done" stays for the two-second wait before the page is taken down.
    EXPECT_GE(history.doneShownMs, 1500u);
    EXPECT_LT(history.doneShownMs, 5000u);

    // The splash page is gone before the first wizard page shows.
    ASSERT_NO_FATAL_FAILURE(CloseLicensePage(run.program, "License from the disk\r\n"));
    ExpectExitCodeZero(run.program, kRunMs);
}

TEST_F(StartUp, QuietModeShowsNoSplash)
{
    ASSERT_TRUE(WriteBytes(folder.PathOf("Install.ini"), LicenseScript("License from the disk")));
    ScopedProgram run;
    ASSERT_TRUE(StartVantrel(run.program, "-q", folder.Path()));
    // The first window the run shows is the wizard's first page.
    HWND first = WaitForWindow(run.program, nullptr, kRunMs);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(WindowText(first), kLicenseTitle);
    ASSERT_NO_FATAL_FAILURE(CloseLicensePage(run.program, "License from the disk\r\n"));
    ExpectExitCodeZero(run.program, kRunMs);
}

TEST_F(StartUp, EachStartUpErrorShowsItsBoxAndEndsWithoutAPage)
{
    using Box = std::pair<const char*, const char*>; // caption, text
    const Box noUsers = {"Install Error", "No valid Palm users found on this PC"};
    const Box noScript = {"Install Error", "No valid configuration file or install files found"};
    const Box noPalmFolder = {"Registry Error", "Cannot locate a path to the Palm folder"};
    struct Case {
        const char* arguments;
        PalmFolderKey folderKey;
        bool withUsers;
        bool scriptOnDisk;
        std::vector<Box> boxes;
    };
    const Case cases[] = {
        // No user: the one error, and the missing script is not reported too.
        {"", PalmFolderKey::kPilotDesktop, false, false, {noUsers}},
        {"-q", PalmFolderKey::kPilotDesktop, false, false, {noUsers}},
        // No Palm folder: discovery's own box, then the empty user table.
        {"-q", PalmFolderKey::kNone, true, true, {noPalmFolder, noUsers}},
        {"-q", PalmFolderKey::kPilotDesktop, true, false, {noScript}},
        // " -s" at the very end names no script: Install.ini on disk is not
        // looked for.
        {"-q -s", PalmFolderKey::kPilotDesktop, true, true, {noScript}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(testing::Message() << "arguments \"" << test.arguments << "\", boxes " << test.boxes.size());
        ASSERT_TRUE(BuildSimulatedPalmDesktop(Desktop(test.folderKey, test.withUsers)));
        DeleteFileA(folder.PathOf("Install.ini").c_str());
        if (test.scriptOnDisk) {
            ASSERT_TRUE(WriteBytes(folder.PathOf("Install.ini"), LicenseScript("License from the disk")));
        }
        bool quiet = std::string(test.arguments).find("-q") != std::string::npos;

        ScopedProgram run;
        ASSERT_TRUE(StartVantrel(run.program, test.arguments, folder.Path()));
        for (const Box& expected : test.boxes) {
            HWND box = WaitForMessageBox(run.program, expected.first, kRunMs);
            ASSERT_NE(box, nullptr) << expected.first;
            EXPECT_EQ(MessageBoxText(box), expected.second);
            // The box comes while the splash page is still up, and without
            // it in quiet mode.
            std::vector<std::string> shown = VisibleTitles(run.program);
            EXPECT_EQ(std::count(shown.begin(), shown.end(), kSplashTitle), quiet ? 0 : 1);
            EXPECT_EQ(shown.size(), quiet ? 1u : 2u) << testing::PrintToString(shown);
            ASSERT_TRUE(PressOk(box));
            ASSERT_TRUE(WaitUntilGone(box, kRunMs));
        }
        EXPECT_TRUE(EndsShowingOnly(run.program, quiet ? nullptr : kSplashTitle, kRunMs));
        ExpectExitCodeZero(run.program, kRunMs);
    }
}

// A packaging run without -q shows the splash page and "Done" before it
// touches the executable, and then ends without a box or a page, even with
// no Palm user on this PC.
TEST_F(StartUp, PackagingRunsAfterTheSplash)
{
    ASSERT_TRUE(BuildSimulatedPalmDesktop(Desktop(PalmFolderKey::kPilotDesktop, false)));
    const std::string image = "MZ stand-in image\r\n\x1a\0 and more"s;
    const std::string database = "database bytes\r\n\x1a\0\xff"s;
    ASSERT_TRUE(WriteBytes(folder.PathOf("my setup.exe"), image));
    ASSERT_TRUE(WriteBytes(folder.PathOf("my database.prc"), database));

    const std::pair<std::string, std::string> runs[] = {
        {"-a \"my setup.exe\" \"my database.prc\"", image + PayloadRecordBytes(database, "my database.prc")},
        {"-r \"" + folder.PathOf("my setup.exe") + "\"", image},
    };
    for (const auto& [arguments, after] : runs) {
        SCOPED_TRACE(arguments);
        std::string before = ReadBytes(folder.PathOf("my setup.exe"));
        ScopedProgram run;
        ASSERT_TRUE(StartVantrel(run.program, arguments, folder.Path()));
        HWND splash = WaitForWindow(run.program, kSplashTitle, kRunMs);
        ASSERT_NE(splash, nullptr);
        ASSERT_TRUE(WaitForStatus(splash, "Done", kRunMs));
        // Two seconds of "Done" are left before the packaging.
        EXPECT_EQ(ReadBytes(folder.PathOf("my setup.exe")), before);
        EXPECT_TRUE(EndsShowingOnly(run.program, kSplashTitle, kRunMs));
        ExpectExitCodeZero(run.program, kRunMs);
        EXPECT_EQ(ReadBytes(folder.PathOf("my setup.exe")), after);
    }
}

// Installers packaged by the program itself: the payload record
// "install.ini" is the script (the name found in any case) although an
// Install.ini lies on disk; without the record the disk's script is read.
TEST_F(StartUp, PayloadScriptWinsOverTheScriptOnDisk)
{
    const std::string vantrel = FolderOfThisProgram() + "\\vantrel.exe";
    const std::string withPayload = folder.PathOf("setup with payload.exe");
    const std::string plain = folder.PathOf("plain setup.exe");
    ASSERT_TRUE(CopyFileA(vantrel.c_str(), withPayload.c_str(), FALSE));
    ASSERT_TRUE(CopyFileA(vantrel.c_str(), plain.c_str(), FALSE));
    // Its own folder: on disk "install.ini" and "Install.ini" are one file.
    ASSERT_TRUE(CreateDirectoryA(folder.PathOf("payload").c_str(), nullptr));
    const std::string record = folder.PathOf("payload\\install.ini");
    ASSERT_TRUE(WriteBytes(record, LicenseScript("License from the payload")));
    ASSERT_TRUE(WriteBytes(folder.PathOf("Install.ini"), LicenseScript("License from the disk")));
    {
        ScopedProgram packaging;
        ASSERT_TRUE(StartVantrel(packaging.program, "-q -a \"" + withPayload + "\" \"" + record + "\"",
                                 folder.Path()));
        EXPECT_TRUE(EndsShowingOnly(packaging.program, nullptr, kRunMs));
        ExpectExitCodeZero(packaging.program, kRunMs);
    }

    const std::pair<std::string, std::string> installers[] = {
        {withPayload, "License from the payload\r\n"},
        {plain, "License from the disk\r\n"},
    };
    for (const auto& [installer, license] : installers) {
        SCOPED_TRACE(installer);
        ScopedProgram run;
        ASSERT_TRUE(StartProgramAt(run.program, installer, "-q", folder.Path()));
        ASSERT_NO_FATAL_FAILURE(CloseLicensePage(run.program, license));
        ExpectExitCodeZero(run.program, kRunMs);
    }
}

} // namespace
