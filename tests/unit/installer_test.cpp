// The installer: the options, the copy stage and start-up, run over the
// fakes with real files.
#include "installer/command_line.h"
#include "installer/install_log.h"
#include "installer/start_up.h"
#include "installer/unattended.h"
#include "palm/user_discovery.h"
#include "payload/installer_checksum.h"
#include "payload/payload_archive.h"
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
         {"a.prc", "b c.pdb"}},
        {"setup.exe -sSetup.ini -s other.ini", "Setup.ini", {}, {}},
        {"setup.exe -s", "", {}, {}},
        {"setup.exe -s " + std::string(100, 's'), "", {}, {}}, // cut, it could name another script
        {"setup.exe -s \"un\\terminated -u x", "un\\terminated -u x", {"x"}, {}}, // no escape character
        {"setup.exe -s in\"side\" -u\t\"\" -f \"a b\"c", "in\"side\"", {""}, {"a b"}},
        // The program's path holds no options, quoted; unquoted, it ends at its first blank.
        {"\"c:\\Palm Tools -setup -update -f -remix.exe\" -u x", "Install.ini", {"x"}, {}},
        {"c:\\my -u dir\\setup.exe", "Install.ini", {"dir\\setup.exe"}, {}},
        {"setup.exe -u " + std::string(120, 'n'), "Install.ini", {std::string(99, 'n')}, {}},
        {"setup.exe -f " + path255 + " -f " + path255 + "q -f ok.prc", "Install.ini", {}, {path255, "ok.prc"}},
        {many, "Install.ini", std::vector<std::string>(25, "x"), std::vector<std::string>(6, "y")},
    };
    for (const auto& [commandLine, scriptName, users, files] : cases) {
        StartUpValues values;
        HandleOptions(commandLine.c_str(), &gNoLog, &values);
        std::vector<std::string> targets, paths(values.files, values.files + values.fileCount);
        for (int i = 0; i < values.targetCount; i++)
            targets.push_back(values.targets[i].name);
        EXPECT_STREQ(values.scriptName, scriptName) << commandLine;
        EXPECT_EQ(targets, users) << commandLine;
        EXPECT_EQ(paths, files) << commandLine;
    }
}

// What -y answers for the person: the files page's boxes as they start
// ('*' and '!' need none), and the users named, else the only one.
TEST(ChooseDefaults, AnswerEachPageWithItsDefaultButton)
{
    Plan plan("LICENSE\nx\n.\nFILES\n-Themes\nt.pdb\n+Help\nh.pdb\n*Tools\nx.prc\n!Lib\nl.prc\n.\nUSER\n");
    const TargetUser named[] = {{"Bob", -1}, {"Ann", -1}};
    // The users named, the Palm users, the folder of -d; the first target
    // (its name, '#', the index of the user chosen: -1 to find the name) or
    // the folder, or "refused".
    const std::tuple<int, int, const char*, std::string> cases[] = {
        {0, 1, nullptr, "#0"}, {0, 2, nullptr, "refused"}, {2, 2, nullptr, "Bob#-1"}, {0, 3, "rom", "rom"}};
    for (const auto& [namedCount, userCount, folder, chosen] : cases) {
        PalmUsers users = {};
        users.count = userCount;
        InstallChoices choices = {};
        bool made = ChooseDefaults(plan.plan, {&users, nullptr, named, namedCount, true, 1, &gNoLog, folder}, &choices);
        const TargetUser& first = choices.targets[0];
        EXPECT_EQ(!made ? "refused" : folder ? choices.folder : first.name + ("#" + std::to_string(first.userIndex)),
                  chosen);
        EXPECT_EQ(std::vector<bool>(choices.checked, choices.checked + 4), std::vector<bool>({false, true, false, false}));
    }
}

// Each line behind the local time; a message's lines joined; a log that
// cannot be written told once, unless unattended, and the run goes on.
TEST_F(UnitTest, TheLogStampsEachLineAndReportsAFailureOnce)
{
    std::filesystem::create_directory("folder");
    gFakes.now = {2026, 12, 6, 9, 5, 3};
    const std::string stamp = "2026-12-06 09:05:03 ";
    // The options; the lines appended, the boxes.
    const std::tuple<std::string, std::string, std::vector<std::string>> cases[] = {
        {" -l run.log", stamp + "installed a.prc as A.prc, 3000000000 bytes\r\n" + stamp + "error: Oops: A B\r\n",
         {"Oops: A\n\nB"}},
        {" -l folder", "", {"Log Error: Cannot write to log file folder", "Oops: A\n\nB"}},
        {" -y -l folder", "", {}},
    };
    for (const auto& [options, lines, boxes] : cases) {
        WriteBytes("run.log", "earlier\r\n");
        gFakes.boxes.clear();
        InstallLog log = MakeInstallLog(ReadDeploymentOptions(("setup.exe" + options).c_str()));
        LogDatabaseInstalled(&log, "a.prc", "A.prc", 3000000000);
        Tell(&log, "A\n\nB", "Oops");
        EXPECT_EQ(ReadBytes("run.log"), "earlier\r\n" + lines) << options;
        EXPECT_EQ(gFakes.boxes, boxes) << options;
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
        gFakes.ownPath = root + "/setup.exe";
    }

    // Installs the plan of script (with the " -f" files) from setup.exe with
    // choices, for the users that users.dat now names.
    CopyStageEnd Install(const Plan& plan, const InstallChoices& choices)
    {
        PalmUsers users;
        Payload payload;
        EXPECT_EQ(DiscoverPalmUsers(&users, nullptr), 0);
        EXPECT_EQ(OpenPayload("setup.exe", false, &payload).fault, PayloadFault::kNone);
        CopyStageEnd end = ::Install(plan.plan, choices, users, &payload, kRecordingSink);
        ClosePayload(&payload);
        return end;
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
    const TargetUser targets[] = {{"ann lee", -1}, {"Nobody", -1}, {"Bob", -1}};
    const InstallChoices choices = {{}, targets, 3};

    EXPECT_EQ(Install(Plan("(none)", true, {"alpha.pdb", "missing.prc", "later.prc"}), choices), CopyStageEnd::kAborted);
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

// The files of a FILES section that the person chose, for the one of two
// users of the same display name that the user page chose: each named by its
// header, a record winning over a file of its name on disk.
TEST_F(Installer, InstallsTheChosenFilesForTheChosenUser)
{
    const std::string tools = PalmDatabase("Tools: 2", true, "tools");
    const std::string help = PalmDatabase("Help", false, "help");
    const std::string lib = PalmDatabase("Lib", false, "lib");
    WriteBytes("help.pdb", PalmDatabase("Impostor", false, "")); // the record wins
    WriteBytes("lib.PRC", lib);
    const std::string script = "FILES\r\n*Tools\r\ntools.pdb \t\r\n+Help\r\nhelp.pdb\r\n-Themes\r\nthemes.pdb\r\n"
                               "!Lib\r\nlib.PRC\r\n+Short\r\nshort.prc\r\n.\r\n";
    WriteBytes("setup.exe", "MZ image" + Record(tools, "tools.pdb") + Record(help, "help.pdb")
                                + Record("tiny", "short.prc"));
    WriteBytes(palm + "\\users.dat", UsersDat({{"Ann Lee", "AnnF", 1}, {"Ann Lee", "BobF", 2}}));
    // Help's box left checked, Themes' left clear, Short's indeterminate.
    const TargetUser chosen = {"", 1};
    const InstallChoices choices = {{false, true, false, false, true}, &chosen, 1};

    EXPECT_EQ(Install(Plan(script, true, {"cmd.prc"}), choices), CopyStageEnd::kInstalled);
    EXPECT_EQ(FilesWritten(), (std::map<std::string, std::string>{
                                  {"BobF\\Install\\Help.pdb", help}, {"BobF\\Install\\Lib.pdb", lib},
                                  {"BobF\\Install\\Tools__2.prc", tools}, {"BobF\\Install\\short.prc", "tiny"},
                                  {"BobF\\backup\\Help.pdb", help}, {"BobF\\backup\\Lib.pdb", lib},
                                  {"BobF\\backup\\Tools__2.prc", tools}, {"BobF\\backup\\short.prc", "tiny"}}));
    EXPECT_EQ(InstallFlags(), std::vector<std::string>{"Install2"});
    EXPECT_EQ(gFakes.boxes, std::vector<std::string>());
}

TEST_F(UnitTest, StartUpSaysWhyNothingCanBeInstalledAndEndsWithItsExitCode)
{
    const std::vector<std::string> kFound = {"Found user 'Ann Lee'", "Found user 'Bob'", "Done"};
    const std::vector<std::string> kDone = {"Done"};
    const std::string kNoScript = "Install Error: No valid configuration file or install files found";
    const std::string kDamaged = "Installer Damaged: This installer is damaged or incomplete. Please download it again.";
    const std::string cut = "MZ image" + Record("old", "old.prc"); // before its script and checksum record
    WriteBytes("setup.exe", cut);
    ASSERT_EQ(AppendChecksumRecord("setup.exe").fault, PayloadFault::kNone);
    const std::string image = ReadBytes("setup.exe");
    std::string damaged = image;
    damaged[8] ^= 1; // in the data of old.prc
    // Users (-1: no Palm folder in the registry), setup.exe as it arrived,
    // the options; the boxes, the status lines, whether setup.exe became the
    // image with in.prc alone (else it stays as it was), the exit code.
    const std::tuple<int, std::string, std::string, std::vector<std::string>, std::vector<std::string>, bool, int>
        cases[] = {
        {-1, image, "", {"Registry Error: Cannot locate a path to the Palm folder",
                         "Install Error: No valid Palm users found on this PC"}, kDone, false, 2},
        {0, image, "", {"Install Error: No valid Palm users found on this PC"}, kDone, false, 2},
        {2, image, "", {kNoScript}, kFound, false, 2},
        {2, image, " -q -s", {kNoScript}, {}, false, 2},
        {2, image, " -f a.prc", {}, kFound, false, 0}, // the user page, where the person quits
        {2, image, " -u Nobody -f a.prc", {"Install Error: No valid users selected"}, kFound, false, 2},
        {2, damaged, " -f a.prc", {kDamaged}, {}, false, 2}, // before the splash page
        {2, cut, "", {kDamaged}, kFound, false, 2}, // a script would do without its checksum record
        {0, damaged, " -r setup.exe -a setup.exe in.prc", {}, kDone, true, 0}, // packaging needs no whole installer
        {0, image, " -r in.prc", {}, kDone, false, 0}, // nothing to strip
        {0, image, " -r missing.exe", {}, kDone, false, 1},
        {0, image, " -a setup.exe", {"Append Error: Cannot open input file for read"}, kDone, false, 1},
        {0, image, " -a missing.exe in.prc", {"Append Error: Cannot open executable file for write"}, kDone, false, 1},
        {0, image, " -a setup.exe in.abcdefghijklmnopqrs", {"Append Error: Input file name is too long"}, kDone, false,
         1},
    };
    for (const auto& [users, bytes, options, boxes, statusLines, appended, exitCode] : cases) {
        ResetFakes();
        if (users >= 0)
            MakePalmDesktop(root, users ? std::vector<UserRecord>{{"Ann Lee", "AnnF", 1}, {"Bob", "BobF", 2}}
                                        : std::vector<UserRecord>{});
        gFakes.ownPath = root + "/setup.exe";
        WriteBytes("setup.exe", bytes);
        WriteBytes("in.prc", "new");
        EXPECT_EQ(RunInstaller(nullptr, ("setup.exe" + options).c_str(), 1), exitCode) << options;
        EXPECT_EQ(gFakes.boxes, boxes) << options;
        EXPECT_EQ(gFakes.statusLines, statusLines) << options;
        EXPECT_EQ(ReadBytes("setup.exe"), appended ? "MZ image" + Record("new", "in.prc") : bytes) << options;
    }
}
