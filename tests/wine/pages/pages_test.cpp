// The seven pages, each shown by the page host as the driver shows it: what
// each template puts on screen, what the driver's fillings show, and what
// every button, key and close box does.
#include "support/program_driver.h"
#include "ui/resource_ids.h"
#include "page_host/page_host_report.h"

#include <gtest/gtest.h>

namespace {

constexpr DWORD kShowMs = 20000;
constexpr DWORD kEndMs = 10000;

const char* const kSplashTitle = "Vantrel 1.02 - Universal Installer for PalmOS";
const char* const kCompletionText =
    "Installation Complete\n\nThe selected file(s) have been marked for installation.  "
    "HotSync to transfer the data to the handheld.";

std::string TempFolder()
{
    char folder[MAX_PATH] = "";
    DWORD length = GetTempPathA(sizeof folder, folder);
    return std::string(folder, length - 1);
}

const char* TitleOf(const std::string& pageName)
{
    struct Title {
        const char* page;
        const char* title;
    };
    static const Title titles[] = {
        {"splash", kSplashTitle},
        {"license", "License Agreement"},
        {"files", "Files to install..."},
        {"user", "Install to User..."},
        {"progress", "Copying Files..."},
        {"completion", "Installation Complete"},
        {"readme", "Readme"},
    };
    for (const Title& t : titles) {
        if (pageName == t.page)
            return t.title;
    }
    return "";
}

// One page host with its page on screen; ended with the test.
struct PageHost : testing::Test {
    DrivenProgram program;
    HWND page = nullptr;

    void Show(const std::string& pageName, const std::string& mode = "")
    {
        EndProgram(program);
        std::string arguments = mode.empty() ? pageName : pageName + " " + mode;
        ASSERT_TRUE(StartProgramBeside(program, "page_host.exe", arguments, TempFolder()));
        page = WaitForWindow(program, TitleOf(pageName), kShowMs);
        ASSERT_NE(page, nullptr) << pageName;
    }
    HWND Item(int id) { return GetDlgItem(page, id); }
    DWORD ExitCode()
    {
        DWORD code = 0;
        EXPECT_TRUE(WaitForExit(program, kEndMs, &code));
        return code;
    }
    // The report without the icon bit, which the templates test looks at.
    DWORD Outcome() { return ExitCode() & ~static_cast<DWORD>(kHostIconsSet); }
    bool StillServing() { return WaitForSingleObject(program.process, 700) == WAIT_TIMEOUT && IsWindowVisible(page); }
    void TearDown() override { EndProgram(program); }
};

LRESULT Ask(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 5000, &result))
        return 0;
    return static_cast<LRESULT>(result);
}

struct ExpectedControl {
    int id;
    const char* className;
    const char* text;
    bool visible;
};

struct ExpectedPage {
    const char* name;
    std::vector<ExpectedControl> controls;
};

TEST_F(PageHost, EachTemplateShowsItsTitleTextsAndVisibility)
{
    const ExpectedPage pages[] = {
        {"splash",
         {{kUnaddressed, "Static", "Initializing Vantrel.  Please wait...", true},
          {kSplashStatusLine, "Static", "", true},
          {kUnaddressed, "Static", nullptr, true}}},
        {"license",
         {{kLicenseAccept, "Button", "I &Accept", true},
          {kLicenseDecline, "Button", "I &Decline", true},
          {kUnaddressed, "Static", "Accept the License Agreement?", true},
          {kLicenseText, "Edit", "", true}}},
        {"files",
         {{kFilesContinue, "Button", "C&ontinue", true},
          {kFilesCheckBox1, "Button", "HotSync File1", false}, {kFilesCheckBox2, "Button", "HotSync File2", false},
          {kFilesCheckBox3, "Button", "HotSync File3", false}, {kFilesCheckBox4, "Button", "HotSync File4", false},
          {kFilesCheckBox5, "Button", "HotSync File5", false}, {kFilesCheckBox6, "Button", "HotSync File6", false},
          {kFilesCancel, "Button", "&Cancel", true},
          {kFilesDescription, "Edit", "", true},
          {kFilesLabel1, "Static", "Static", false}, {kFilesLabel2, "Static", "Static", false},
          {kFilesLabel3, "Static", "Static", false}, {kFilesLabel4, "Static", "Static", false},
          {kFilesLabel5, "Static", "Static", false}, {kFilesLabel6, "Static", "Static", false}}},
        {"user",
         {{kUserContinue, "Button", "C&ontinue", true},
          {kUserList, "ListBox", "", true},
          {kUserCancel, "Button", "&Cancel", true},
          {kUnaddressed, "Static", "Select a user to install the selected Palm-OS format file(s).", true}}},
        {"progress",
         {{kProgressBar, "msctls_progress32", "Progress1", true},
          {kProgressText, "Static", "Copying...", true}}},
        {"completion",
         {{kCompletionClose, "Button", "&Close", true},
          {kCompletionViewReadme, "Button", "&View Readme", false},
          {kUnaddressed, "Static", kCompletionText, true}}},
        {"readme",
         {{kReadmeClose, "Button", "&Close", true},
          {kReadmeText, "Edit", "", true}}},
    };
    for (const ExpectedPage& expected : pages) {
        SCOPED_TRACE(expected.name);
        Show(expected.name, "bare");
        EXPECT_TRUE(IsShown(page));

        std::vector<ChildControl> controls = ListChildControls(page);
        ASSERT_EQ(controls.size(), expected.controls.size());
        for (size_t i = 0; i < controls.size(); ++i) {
            const ExpectedControl& want = expected.controls[i];
            SCOPED_TRACE(want.id);
            EXPECT_EQ(controls[i].id, want.id);
            EXPECT_STRCASEEQ(controls[i].className.c_str(), want.className);
            if (want.text) {
                EXPECT_EQ(controls[i].text, want.text);
            }
            EXPECT_EQ(controls[i].visible, want.visible);
        }
        if (std::string(expected.name) == "splash") {
            HWND picture = controls[2].window;
            EXPECT_NE(Ask(picture, STM_GETIMAGE, IMAGE_BITMAP, 0), 0);
        }
        // The close box posts the quit request on every page; the host
        // also tells whether the page's small and big icons were set.
        ASSERT_TRUE(CloseWithCloseBox(page));
        EXPECT_EQ(ExitCode(), static_cast<DWORD>(kHostQuit | kHostIconsSet));
    }
}

TEST_F(PageHost, FillingsThroughThePageControlsShow)
{
    // Long texts pass the text boxes' default limit of 32,767 characters.
    const std::pair<const char*, int> textBoxes[] = {{"license", kLicenseText}, {"readme", kReadmeText}};
    for (const auto& [name, textBox] : textBoxes) {
        SCOPED_TRACE(name);
        Show(name, "long");
        std::string text;
        ASSERT_TRUE(ReadEditText(Item(textBox), &text));
        EXPECT_GT(text.size(), 32767u);
        EXPECT_EQ(text.substr(text.size() - 11), "END OF TEXT");
    }

    Show("files");
    EXPECT_EQ(DialogItemText(page, kFilesCheckBox1), "Notes.prc");
    EXPECT_EQ(CheckState(Item(kFilesCheckBox1)), BST_CHECKED);
    EXPECT_EQ(CheckState(Item(kFilesCheckBox2)), BST_UNCHECKED);
    EXPECT_TRUE(IsShown(Item(kFilesCheckBox2)));
    EXPECT_FALSE(IsShown(Item(kFilesCheckBox3)));
    EXPECT_EQ(DialogItemText(page, kFilesLabel3), "Vantrel Runtime.prc");
    EXPECT_TRUE(IsShown(Item(kFilesLabel3)));
    std::string description;
    ASSERT_TRUE(ReadEditText(Item(kFilesDescription), &description));
    EXPECT_EQ(description, "Notes and its expense book.\r\nThe runtime is always installed.");

    // Inserted at their table index: table order, not sorted, first chosen.
    Show("user");
    ListBoxContents users;
    ASSERT_TRUE(ReadListBox(Item(kUserList), &users));
    EXPECT_EQ(users.entries, (std::vector<std::string>{"Zoe Walker", "Adam Brown", "Mia Chen"}));
    EXPECT_EQ(users.selected, 0);

    Show("progress");
    ProgressBarState bar;
    ASSERT_TRUE(ReadProgressBar(Item(kProgressBar), &bar));
    EXPECT_EQ(bar.low, 0);
    EXPECT_EQ(bar.high, 3);
    EXPECT_EQ(bar.position, 2);

    Show("splash");
    EXPECT_EQ(DialogItemText(page, kSplashStatusLine), "Found user 'Zoe Walker'");
}

enum class Act { Click, Enter, Escape };

struct Command {
    const char* page;
    int selectUser;  // a list position to choose first, or -1
    int checkFirst;  // a check box to click first, or 0
    Act act;
    int id;          // the button clicked
    int outcome;     // the host's exit code; 0: the page goes on serving
};

constexpr int kStep = kHostStepDone;

TEST_F(PageHost, EachButtonAndKeyDoesWhatItsPageSays)
{
    const Command commands[] = {
        {"license", -1, 0, Act::Click, kLicenseAccept, kStep},
        {"license", -1, 0, Act::Click, kLicenseDecline, kHostQuit},
        {"license", -1, 0, Act::Enter, 0, kStep},
        {"license", -1, 0, Act::Escape, 0, 0},
        // Slot 0 checked, slot 1 clear, slot 2 always installed.
        {"files", -1, 0, Act::Click, kFilesContinue, kStep | 0x5},
        {"files", -1, kFilesCheckBox2, Act::Click, kFilesContinue, kStep | 0x7},
        {"files", -1, kFilesCheckBox1, Act::Click, kFilesContinue, kStep | 0x4},
        {"files", -1, 0, Act::Click, kFilesCancel, kHostQuit},
        {"files", -1, 0, Act::Enter, 0, kStep | 0x5},
        {"files", -1, 0, Act::Escape, 0, 0},
        {"user", 2, 0, Act::Click, kUserContinue, kStep | (2 << kHostUserShift)},
        {"user", -1, 0, Act::Enter, 0, kStep},
        {"user", -1, 0, Act::Click, kUserCancel, kHostQuit},
        {"user", -1, 0, Act::Escape, 0, 0},
        {"completion", -1, 0, Act::Click, kCompletionClose, kHostQuit},
        {"completion", -1, 0, Act::Click, kCompletionViewReadme, kStep},
        {"completion", -1, 0, Act::Enter, 0, kHostQuit},
        {"completion", -1, 0, Act::Escape, 0, 0},
        {"readme", -1, 0, Act::Click, kReadmeClose, kStep},
        {"readme", -1, 0, Act::Enter, 0, kStep},
        {"readme", -1, 0, Act::Escape, 0, 0},
        {"splash", -1, 0, Act::Enter, 0, 0},
        {"splash", -1, 0, Act::Escape, 0, 0},
        {"progress", -1, 0, Act::Enter, 0, 0},
        {"progress", -1, 0, Act::Escape, 0, 0},
    };
    for (const Command& command : commands) {
        SCOPED_TRACE(std::string(command.page) + " act " + std::to_string(static_cast<int>(command.act)) +
                     " id " + std::to_string(command.id));
        Show(command.page);
        if (command.selectUser >= 0) {
            ASSERT_EQ(Ask(Item(kUserList), LB_SETCURSEL, command.selectUser, 0), command.selectUser);
        }
        if (command.checkFirst != 0) {
            int before = CheckState(Item(command.checkFirst));
            ASSERT_TRUE(ClickButton(Item(command.checkFirst)));
            for (DWORD start = GetTickCount(); CheckState(Item(command.checkFirst)) == before;) {
                ASSERT_LT(GetTickCount() - start, 5000u);
                Sleep(25);
            }
        }
        if (command.act == Act::Click)
            ASSERT_TRUE(ClickButton(Item(command.id)));
        else if (command.act == Act::Enter)
            ASSERT_TRUE(PressEnter(page));
        else
            ASSERT_TRUE(PressEscape(page));

        if (command.outcome == 0) {
            EXPECT_TRUE(StillServing());
            continue;
        }
        EXPECT_EQ(Outcome(), static_cast<DWORD>(command.outcome));
    }
}

} // namespace
