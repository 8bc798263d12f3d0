// The installer: the options, the wizard's transitions, the copy stage and
// start-up, run over the fakes with real files.
#include "installer/command_line.h"
#include "installer/install_files.h"
#include "installer/start_up.h"
#include "palm/user_discovery.h"
#include "payload/installer_checksum.h"
#include "payload/payload_archive.h"
#include "script/wizard_step.h"
#include "ui/page_choices.h"
#include "ui/resource_ids.h"

#include "unit_test.h"

TEST(HandleOptions, FillTheScriptNameUsersAndFiles)
{
    const std::string path255(255, 'p');
    std::string many = "setup.exe"; // 26 users and 7 files
    for (int i = 0; i < 26; i++)
        many += i < 7 ? " -u x -f y" : " -u x";
    // The command line; the script name, the users and the files it gives.
    const std::tuple<std::string, const char*, std::vector<std::string>, std::vector<std::string>> cases[] = {
        {"setup.exe -u \"Jane Doe\" -u Bob -f a.prc -f \"b c.pdb\"", "Install.ini", {"Jane Doe", "Bob"},
         {"1a.prc", "1b c.pdb"}},
        {"setup.exe -sSetup.ini -s other.ini", "Setup.ini", {}, {}},
        {"setup.exe -s", "", {}, {}},
        {"setup.exe -s " + std::string(100, 's'), "", {}, {}}, // cut, it could name another script
        {"setup.exe -s \"un\\terminated -u x", "un\\terminated -u x", {"x"}, {}}, // no escape character
        {"setup.exe -s in\"side\" -u\t\"\" -f \"a b\"c", "in\"side\"", {""}, {"1a b"}},
        {"c:\\my -u dir\\setup.exe", "Install.ini", {"dir\\setup.exe"}, {}}, // found in the path too
        {"setup.exe -u " + std::string(120, 'n'), "Install.ini", {std::string(99, 'n')}, {}},
        {"setup.exe -f " + path255 + " -f " + path255 + "q -f ok.prc", "Install.ini", {}, {"1" + path255, "1ok.prc"}},
        {many, "Install.ini", std::vector<std::string>(25, "x"), std::vector<std::string>(6, "1y")},
    };
    for (const auto& [commandLine, scriptName, users, files] : cases) {
        ResetInstallState();
        gState.fileCount = 3;
        StartUpValues values;
        HandleOptions(commandLine.c_str(), &values);
        std::vector<std::string> targets;
        for (int i = 0; i < gState.targetCount; i++)
            targets.push_back(gState.targets[i].name);
        EXPECT_STREQ(values.scriptName, scriptName) << commandLine;
        EXPECT_EQ(targets, users) << commandLine;
        EXPECT_EQ(FileSlots(), files) << commandLine;
    }
}

TEST(WizardStep, EachPassTestsTheLineAgainstTheSectionsStillToCome)
{
    using enum WizardPage;
    // The stage, the line, whether a script is open, the target users; the
    // page, whether it offers View Readme, the stage after.
    const std::tuple<int, const char*, bool, int, WizardPage, bool, int> cases[] = {
        // The example script, pass by pass: LICENSE, FILES, USERS CHOOSE, README.
        {0, "LICENSE\r\n", true, 0, kLicense, false, 1},
        {1, "FILES\r\n", true, 0, kFiles, false, 2},
        {2, "USERS CHOOSE\r\n", true, 0, kUser, false, 3}, // a section line is a case-blind prefix
        {3, "README\r\n", true, 0, kCopy, true, 4},
        {4, "", true, 0, kReadme, false, 5},
        {5, "", true, 0, kQuit, false, 6},
        // Falling through the tests on one line; what a section line is.
        {0, " LICENSE", true, 0, kCopy, false, 4},
        {0, "LICENS", true, 0, kCopy, false, 4},
        {0, "Files to install", true, 0, kFiles, false, 2},
        {0, "USER", true, 2, kCopy, false, 3},
        {0, "", false, 0, kUser, false, 3},
        {1, "LICENSE", true, 0, kCopy, false, 4},
    };
    for (const auto& [stage, line, scriptOpen, targets, page, viewReadme, stageAfter] : cases) {
        WizardStep step = DecideWizardStep(stage, line, scriptOpen, targets);
        EXPECT_EQ(std::tuple(step.page, step.showViewReadme, step.stageAfter), std::tuple(page, viewReadme, stageAfter))
            << stage << " " << line << " " << targets;
    }
}

// Two Palm users, Ann Lee and Bob (numbers 1 and 2); the running program is
// "setup.exe".
class Installer : public UnitTest {
protected:
    void SetUp() override
    {
        UnitTest::SetUp();
        palm = MakePalmDesktop(root, {{"Ann Lee", "AnnF", 1}, {"Bob", "BobF", 2}});
        ASSERT_EQ(DiscoverPalmUsers(nullptr), 0);
        gFakes.ownPath = root + "/setup.exe";
    }

    // Every file written below the Palm folder, users.dat aside, with its bytes.
    std::map<std::string, std::string> FilesWritten() const
    {
        std::map<std::string, std::string> files;
        for (const auto& entry : std::filesystem::directory_iterator(root)) {
            std::string name = entry.path().filename().string();
            if (name.starts_with("Palm\\") && name != "Palm\\users.dat")
                files[name.substr(5)] = ReadBytes(name);
        }
        return files;
    }

    std::string palm;
};

TEST_F(Installer, ACopyFailureEndsOnlyThatUsersFilesAndAbortsTheRun)
{
    const std::string alpha = PalmDatabase("AlphaDB", false, "alpha body");
    WriteBytes("setup.exe", "MZ image" + Record(alpha, "alpha.pdb"));
    WriteBytes("later.prc", PalmDatabase("Later", true, ""));
    StartUpValues values;
    HandleOptions("setup.exe -u \"ann lee\" -u Nobody -u Bob -f alpha.pdb -f missing.prc -f later.prc", &values);

    EXPECT_EQ(InstallFiles(1), CopyStageEnd::kAborted);
    std::vector<std::string> boxes;
    for (const char* folder : {"AnnF", "BobF"})
        boxes.push_back("Installation Aborted: File Copy Error\n\nAn error occurred copying file missing.prc to "
                        + palm + "\\" + folder
                        + "\\Install\\missing.prc.\nMake sure the source file has been extracted (if applicable)"
                          " and present in the correct folder.");
    EXPECT_EQ(gFakes.boxes, boxes);
    EXPECT_EQ(FilesWritten(), (std::map<std::string, std::string>{
                                  {"AnnF\\Install\\AlphaDB.pdb", alpha}, {"AnnF\\backup\\AlphaDB.pdb", alpha},
                                  {"BobF\\Install\\AlphaDB.pdb", alpha}, {"BobF\\backup\\AlphaDB.pdb", alpha}}));
    EXPECT_EQ(InstallFlags(), (std::vector<std::string>{"Install1", "Install2"}));
}

// A whole run of an embedded script of every section, saved with a UTF-8
// byte order mark: what each page showed when the person pressed its
// forward button, and what was installed.
TEST_F(Installer, EmbeddedScriptShowsEveryPageAndInstallsTheChosenFiles)
{
    const std::string tools = PalmDatabase("Tools: 2", true, "tools");
    const std::string help = PalmDatabase("Help", false, "help");
    const std::string lib = PalmDatabase("Lib", false, "lib");
    WriteBytes("help.pdb", PalmDatabase("Impostor", false, "")); // the record wins
    WriteBytes("lib.PRC", lib);
    const std::string script = "\xEF\xBB\xBFLICENSE\r\nTerms\r\n\r\nMore terms\r\n.\r\nFILES\r\n*Tools\r\n"
                               "tools.pdb \t\r\n+Help\r\nhelp.pdb\r\n-Themes\r\nthemes.pdb\r\n!Lib\r\nlib.PRC\r\n"
                               "Pick.\r\n.\r\nUSERS CHOOSE\r\nREADME\r\nThanks.\r\n.\r\n";
    WriteBytes("setup.exe",
               "MZ image" + Record(tools, "tools.pdb") + Record(help, "help.pdb") + Record(script, "install.ini"));
    // Two users of one display name: the second one chosen gets the files.
    WriteBytes(palm + "\\users.dat", UsersDat({{"Ann Lee", "AnnF", 1}, {"Ann Lee", "BobF", 2}}));
    std::vector<std::string> seen;
    gFakes.person = [&seen](int page) {
        std::string shown = std::to_string(page) + ":";
        for (const auto& [id, control] : gFakes.controls)
            shown += " " + std::to_string(id) + (control.shown ? "+" : "") + (control.checked ? "x" : "") + "="
                + control.text;
        seen.push_back(shown);
        if (page == kFilesPage)
            TakeFileCheckBoxes({kCheckBoxClear, 1, kCheckBoxClear, kCheckBoxClear, 0, 0});
        if (page == kUserPage)
            ChooseUser(1);
        return true;
    };
    EXPECT_EQ(RunInstaller(nullptr, "setup.exe", 1), kExitDone);

    EXPECT_EQ(seen, (std::vector<std::string>{"114: 1049=Terms\r\n\r\nMore terms\r\n",
                                              "113: 1046+x=Help 1047+=Themes 1052=Pick.\r\n 1053+=Tools", "110:",
                                              "112: 1012+=", "115: 1049=Thanks.\r\n"}));
    EXPECT_EQ(FilesWritten(), (std::map<std::string, std::string>{
                                  {"BobF\\Install\\Help.pdb", help}, {"BobF\\Install\\Lib.pdb", lib},
                                  {"BobF\\Install\\Tools__2.prc", tools}, {"BobF\\backup\\Help.pdb", help},
                                  {"BobF\\backup\\Lib.pdb", lib}, {"BobF\\backup\\Tools__2.prc", tools}}));
    EXPECT_EQ(InstallFlags(), std::vector<std::string>{"Install2"});
    EXPECT_EQ(gFakes.boxes, std::vector<std::string>());
}

// The flag's number is the one users.dat stores with the user's folder,
// whatever the display name; without one the completion page still follows
// and the run ends on an error.
TEST_F(Installer, TheFlagTakesTheNumberStoredWithTheUsersFolder)
{
    const std::string long60(60, 'L');
    WriteBytes("setup.exe", "MZ image");
    WriteBytes("a.prc", PalmDatabase("A", true, ""));
    // users.dat, the -u name; the flags set and the exit code.
    const std::tuple<std::string, std::string, std::vector<std::string>, int> cases[] = {
        {UsersDat({{long60, "AnnF", -300}}), long60.substr(0, 49), {"Install-300"}, 0},
        {UsersDat({{"Bob", "BobF", 2}, {"", "AnnF", 6}}), "AnnF", {"Install6"}, 0}, // length 0: no room for a name
        {std::string("\x07\x00\xA5\x00\x09\x04" "AnnF", 10), "\"\"", {"Install7"}, 0}, // an empty display name
        {"QQQName\x04" "AnnF", "QName", {}, 2}, // no zero byte: no room for a number
    };
    for (const auto& [usersDat, user, flags, exitCode] : cases) {
        gFakes.registry.erase("Software\\U.S. Robotics\\Pilot Desktop\\HotSync Manager");
        WriteBytes(palm + "\\users.dat", usersDat);
        std::vector<int> pages;
        gFakes.person = [&pages](int page) { return pages.push_back(page), false; };
        EXPECT_EQ(RunInstaller(nullptr, ("setup.exe -q -f a.prc -u " + user).c_str(), 1), exitCode) << user;
        EXPECT_EQ(pages, std::vector<int>{kCompletionPage}) << user;
        EXPECT_EQ(InstallFlags(), flags) << user;
    }
}

TEST_F(UnitTest, StartUpSaysWhyNothingCanBeInstalledAndEndsWithItsExitCode)
{
    const std::vector<std::string> kFound = {"Found user 'Ann Lee'", "Found user 'Bob'", "Done"};
    const std::vector<std::string> kDone = {"Done"};
    const std::string kNoScript = "Install Error: No valid configuration file or install files found";
    WriteBytes("setup.exe", "MZ image" + Record("old", "old.prc"));
    ASSERT_EQ(AppendChecksumRecord("setup.exe"), kAppended);
    const std::string image = ReadBytes("setup.exe");
    std::string damaged = image;
    damaged[8] ^= 1; // in the data of old.prc
    // Users (-1: no Palm folder in the registry), whether setup.exe arrived
    // damaged, the options; the boxes, the status lines, whether setup.exe
    // became the image with in.prc alone (else it stays as it was), the exit code.
    const std::tuple<int, bool, std::string, std::vector<std::string>, std::vector<std::string>, bool, int> cases[] = {
        {-1, false, "", {"Registry Error: Cannot locate a path to the Palm folder",
                         "Install Error: No valid Palm users found on this PC"}, kDone, false, 2},
        {0, false, "", {"Install Error: No valid Palm users found on this PC"}, kDone, false, 2},
        {2, false, "", {kNoScript}, kFound, false, 2},
        {2, false, " -q -s", {kNoScript}, {}, false, 2},
        {2, false, " -f a.prc", {}, kFound, false, 0}, // the user page, where the person quits
        {2, false, " -u Nobody -f a.prc", {"Install Error: No valid users selected"}, kFound, false, 2},
        {2, true, " -f a.prc", // before the splash page
         {"Installer Damaged: This installer is damaged or incomplete. Please download it again."}, {}, false, 2},
        {0, true, " -r setup.exe -a setup.exe in.prc", {}, kDone, true, 0}, // packaging needs no whole installer
        {0, false, " -r in.prc", {}, kDone, false, 0}, // nothing to strip
        {0, false, " -r missing.exe", {}, kDone, false, 1},
        {0, false, " -a setup.exe", {"Append Error: Cannot open input file for read"}, kDone, false, 1},
        {0, false, " -a missing.exe in.prc", {"Append Error: Cannot open executable file for write"}, kDone, false, 1},
        {0, false, " -a setup.exe in.abcdefghijklmnopqrs", {"Append Error: Input file name is too long"}, kDone, false,
         1},
    };
    for (const auto& [users, isDamaged, options, boxes, statusLines, appended, exitCode] : cases) {
        ResetFakes();
        if (users >= 0)
            MakePalmDesktop(root, users ? std::vector<UserRecord>{{"Ann Lee", "AnnF", 1}, {"Bob", "BobF", 2}}
                                        : std::vector<UserRecord>{});
        gFakes.ownPath = root + "/setup.exe";
        WriteBytes("setup.exe", isDamaged ? damaged : image);
        WriteBytes("in.prc", "new");
        EXPECT_EQ(RunInstaller(nullptr, ("setup.exe" + options).c_str(), 1), exitCode) << options;
        EXPECT_EQ(gFakes.boxes, boxes) << options;
        EXPECT_EQ(gFakes.statusLines, statusLines) << options;
        EXPECT_EQ(ReadBytes("setup.exe"), appended ? "MZ image" + Record("new", "in.prc") : isDamaged ? damaged : image)
            << options;
    }
}
