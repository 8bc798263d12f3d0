// The program driver against the practice page, a real program of its own.
#include "support/program_driver.h"
#include "wine/program_driver/practice_page.h"

#include <gtest/gtest.h>

namespace {

constexpr DWORD kShowMs = 20000;

std::string TempFolder()
{
    char folder[MAX_PATH] = "";
    DWORD length = GetTempPathA(sizeof folder, folder);
    return std::string(folder, length - 1); // without its trailing backslash
}

// Starts the practice page and waits for it; the program ends with the test.
struct PracticePage : testing::Test {
    DrivenProgram program;
    HWND page = nullptr;

    void Start(const std::string& arguments = "")
    {
        ASSERT_TRUE(StartProgramBeside(program, "practice_page.exe", arguments, TempFolder()));
        page = WaitForWindow(program, "Practice page", kShowMs);
        ASSERT_NE(page, nullptr);
    }
    HWND Item(int id) { return GetDlgItem(page, id); }
    void TearDown() override { EndProgram(program); }
};

TEST_F(PracticePage, ReadsEveryKindOfControl)
{
    Start("-x \"two words\"");
    EXPECT_EQ(DialogItemText(page, IDC_FOLDER), TempFolder());
    std::string ownPath = FolderOfThisProgram() + "\\practice_page.exe";
    EXPECT_EQ(DialogItemText(page, IDC_COMMAND_LINE), "\"" + ownPath + "\" -x \"two words\"");
    EXPECT_EQ(DialogItemText(page, 999), "");

    struct Expected {
        int id;
        const char* className;
        const char* text;
        bool visible;
    };
    const Expected expected[] = {
        {IDC_CONTINUE, "Button", "Continue", true},  {IDC_GREETING, "Static", "Hello from the practice page", true},
        {IDC_FOLDER, "Static", nullptr, true},       {IDC_COMMAND_LINE, "Static", nullptr, true},
        {IDC_NOTES, "Edit", nullptr, true},          {IDC_OPTION, "Button", "Option", true},
        {IDC_NAMES, "ListBox", "", true},            {IDC_PROGRESS, "msctls_progress32", "", true},
        {IDC_PICTURE, "Static", "", true},
        {IDC_SLOW, "Button", "Slow", true},          {IDC_MESSAGE, "Button", "Message", true},
        {IDC_DISABLED, "Button", "Disabled", true},  {IDC_HIDDEN, "Button", "Hidden", false},
        {IDCANCEL, "Button", "Cancel", true},
    };
    std::vector<ChildControl> controls = ListChildControls(page);
    ASSERT_EQ(controls.size(), std::size(expected));
    for (size_t i = 0; i < controls.size(); ++i) {
        SCOPED_TRACE(expected[i].id);
        EXPECT_EQ(controls[i].id, expected[i].id);
        EXPECT_EQ(controls[i].window, Item(expected[i].id));
        EXPECT_STREQ(controls[i].className.c_str(), expected[i].className);
        if (expected[i].text != nullptr) {
            EXPECT_EQ(controls[i].text, expected[i].text);
        }
        EXPECT_EQ(controls[i].visible, expected[i].visible);
    }

    std::string notes;
    ASSERT_TRUE(ReadEditText(Item(IDC_NOTES), &notes));
    EXPECT_GT(notes.size(), 40000u);
    EXPECT_EQ(notes, PracticeNotes());

    ListBoxContents names;
    ASSERT_TRUE(ReadListBox(Item(IDC_NAMES), &names));
    EXPECT_EQ(names.entries, (std::vector<std::string>{"Alice", "Bob Smith", "Carol"}));
    EXPECT_EQ(names.selected, 1);

    ProgressBarState progress;
    ASSERT_TRUE(ReadProgressBar(Item(IDC_PROGRESS), &progress));
    EXPECT_EQ(progress.low, 10);
    EXPECT_EQ(progress.high, 250);
    EXPECT_EQ(progress.position, 120);

    EXPECT_TRUE(IsShown(page));
    EXPECT_FALSE(IsShown(Item(IDC_HIDDEN)));
    EXPECT_FALSE(IsEnabled(Item(IDC_DISABLED)));
    EXPECT_TRUE(IsEnabled(Item(IDC_SLOW)));

    // A click toggles the check box; the program handles it after the read
    // that may come first, so the new state is waited for.
    EXPECT_EQ(CheckState(Item(IDC_OPTION)), BST_CHECKED);
    ASSERT_TRUE(ClickButton(Item(IDC_OPTION)));
    int state = BST_CHECKED;
    for (DWORD start = GetTickCount(); state == BST_CHECKED && GetTickCount() - start < 5000; Sleep(25))
        state = CheckState(Item(IDC_OPTION));
    EXPECT_EQ(state, BST_UNCHECKED);
}

TEST_F(PracticePage, ReadsTextsAndMessageBoxesWhileProgramIsBusy)
{
    Start();
    ASSERT_TRUE(ClickButton(Item(IDC_SLOW)));
    Sleep(300); // the program is now asleep for three seconds
    DWORD start = GetTickCount();
    EXPECT_EQ(DialogItemText(page, IDC_GREETING), "Hello from the practice page");
    EXPECT_EQ(WindowText(Item(IDC_SLOW)), "Slow");
    EXPECT_LT(GetTickCount() - start, 1000u);
    EXPECT_EQ(WaitForTitleChange(page, "Practice page", 10000), "Practice page rested");
    EXPECT_EQ(WaitForTitleChange(page, "Practice page rested", 300), "");

    EXPECT_EQ(WaitForMessageBox(program, "Practice Box", 500), nullptr);
    ASSERT_TRUE(ClickButton(Item(IDC_MESSAGE)));
    HWND box = WaitForMessageBox(program, "Practice Box", kShowMs);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box), "Practice text");
    ASSERT_TRUE(PressOk(box));
    EXPECT_TRUE(WaitUntilGone(box, 5000));
    EXPECT_TRUE(IsWindow(page));
}

TEST_F(PracticePage, RefusesHiddenAndDisabledButtons)
{
    Start();
    EXPECT_FALSE(ClickButton(Item(IDC_HIDDEN)));
    EXPECT_FALSE(ClickButton(Item(IDC_DISABLED)));
    EXPECT_FALSE(ClickButton(nullptr));
    // Had either click gone through, the page would have ended by now.
    EXPECT_TRUE(NoWindowAppears(program, "no such title", 1000));
    EXPECT_TRUE(IsWindow(page));
}

// Each way of ending a page, and the exit code that proves which one it was.
TEST_F(PracticePage, EndsThePageEachWay)
{
    struct Ending {
        const char* name;
        bool (*act)(HWND page);
        DWORD exitCode;
    };
    const Ending endings[] = {
        {"click", [](HWND p) { return ClickButton(GetDlgItem(p, IDC_CONTINUE)); }, IDC_CONTINUE},
        {"enter", PressEnter, IDC_CONTINUE},
        {"escape", PressEscape, IDCANCEL},
        {"close box", CloseWithCloseBox, PRACTICE_CLOSED},
    };
    for (const Ending& ending : endings) {
        SCOPED_TRACE(ending.name);
        Start();
        ASSERT_TRUE(ending.act(page));
        DWORD exitCode = 0;
        ASSERT_TRUE(WaitForExit(program, 10000, &exitCode));
        EXPECT_EQ(exitCode, ending.exitCode);
        EndProgram(program);
    }
}

TEST(ProgramDriver, TellsProgramsThatShowNothing)
{
    DrivenProgram vanishing;
    ASSERT_TRUE(StartProgramBeside(vanishing, "practice_page.exe", "vanish", TempFolder()));
    WindowWait outcome = WindowWait::Shown;
    EXPECT_EQ(WaitForWindow(vanishing, nullptr, kShowMs, &outcome), nullptr);
    EXPECT_EQ(outcome, WindowWait::ProgramEnded);
    EXPECT_TRUE(EndsWithoutWindow(vanishing, 1000));
    DWORD exitCode = 0;
    EXPECT_TRUE(WaitForExit(vanishing, 1000, &exitCode));
    EXPECT_EQ(exitCode, static_cast<DWORD>(PRACTICE_VANISHED));
    EndProgram(vanishing);

    // Started hidden, the page exists but never shows; waiting on it kills it.
    DrivenProgram hidden;
    ASSERT_TRUE(StartProgramBeside(hidden, "practice_page.exe", "", TempFolder(), SW_HIDE));
    EXPECT_TRUE(NoWindowAppears(hidden, "Practice page", 2000));
    EXPECT_FALSE(EndsWithoutWindow(hidden, 500));
    exitCode = 77;
    EXPECT_FALSE(WaitForExit(hidden, 500, &exitCode));
    EXPECT_EQ(exitCode, 77u);
    EXPECT_EQ(WaitForSingleObject(hidden.process, 0), WAIT_OBJECT_0);
    EndProgram(hidden);
    EndProgram(hidden);

    DrivenProgram missing;
    EXPECT_FALSE(StartProgramBeside(missing, "no_such_program.exe", "", TempFolder()));
    EXPECT_EQ(missing.process, nullptr);
}

TEST_F(PracticePage, SeesAShownPage)
{
    Start();
    EXPECT_FALSE(NoWindowAppears(program, "Practice page", 1000));
    EXPECT_FALSE(EndsWithoutWindow(program, 1000));
    EXPECT_EQ(FindProgramWindow(program, nullptr), page);
    EXPECT_FALSE(WaitUntilGone(page, 300));
}

} // namespace
