// The shipped program as its users meet it: an installer packaged with its
// own -q -a, walked through the example install script page by page on a
// simulated Palm Desktop; a failed copy; and -r undoing -a.
#include "simulated_palm_desktop.h"
#include "wine_test.h"

#include "ui/resource_ids.h"

#include <algorithm>
#include <vector>

namespace {

const char kInstaller[] = "sample setup.exe";

// Display names that sort otherwise than their folders: a list box sorted
// by name would show another order than the installer's user table.
const std::vector<SimulatedPalmUser> kUsers = {
    {"Zoe Quinn", "Quinn1", 12}, {"Ann Lee", "Lee2", 7}, {"Bob Smith", "Smith3", 4}};

const char kExampleScript[] = "LICENSE\r\n"
                              "Sample Tools for Palm OS handhelds - license terms\r\n"
                              "\r\n"
                              "You may install and use this software on one handheld.\r\n"
                              "Press I Accept to continue, or I Decline to end the installation.\r\n"
                              ".\r\n"
                              "FILES\r\n"
                              "*Sample Tools 2.0 (always installed)\r\n"
                              "sampletools.prc\r\n"
                              "+Sample Tools help database\r\n"
                              "samplehelp.pdb\r\n"
                              "-Sample Tools extra themes\r\n"
                              "samplethemes.pdb\r\n"
                              "!Shared runtime library\r\n"
                              "sharedlib.prc\r\n"
                              "Check the items that you want to install, then press Continue.\r\n"
                              "They reach the handheld at the next HotSync.\r\n"
                              ".\r\n"
                              "USERS CHOOSE\r\n"
                              "README\r\n"
                              "Thank you for installing Sample Tools.\r\n"
                              "Start it from the handheld's application launcher.\r\n"
                              ".\r\n";

// A 78-byte Palm OS database header (name, attributes, type and creator)
// and a body of many byte values, CR LF and Ctrl-Z among them, so that a
// text-mode copy would show.
std::string PalmDatabase(const std::string& name, bool resource, int seed)
{
    std::string bytes = name;
    bytes.resize(32, '\0');
    bytes += std::string("\0", 1) + (resource ? '\x01' : '\0');
    bytes += std::string(26, '\0') + (resource ? "appl" : "DATA") + "Vtst" + std::string(10, '\0');
    for (int i = 0; i < 300; ++i)
        bytes += static_cast<char>(i * 7 + seed);
    return bytes + "\r\n\x1a end";
}

// A database the installer carries: its record name, the name its header
// gives the installed copy, its bytes, and whether the walk installs it.
struct Carried {
    const char* record;
    const char* installedName;
    std::string bytes;
    bool installed;
};

// In the order of the example script. The header, not the record name,
// decides the extension; the colon and blanks become underscores.
const std::vector<Carried> kCarried = {
    {"sampletools.prc", "Sample_Tools.prc", PalmDatabase("Sample Tools", true, 1), true},
    {"samplehelp.pdb", "SampleHelp.pdb", PalmDatabase("SampleHelp", false, 2), false},
    {"samplethemes.pdb", "Themes__Sample_Tools.prc", PalmDatabase("Themes: Sample Tools", true, 3), true},
    {"sharedlib.prc", "SharedLib.prc", PalmDatabase("SharedLib", true, 4), true},
};

class Installer : public testing::Test {
protected:
    // Packages the example script and its databases into a copy of the
    // program, one -q -a run per file, and deletes the files: what is
    // installed comes from the payload.
    static void SetUpTestSuite()
    {
        std::string folder = FreshFolder();
        installer_ = folder + "\\" + kInstaller;
        if (!BuildSimulatedPalmDesktop(folder + "\\Palm", kUsers)
            || !CopyFileA(VantrelExe().c_str(), installer_.c_str(), FALSE))
            return;
        std::vector<std::pair<std::string, std::string>> records = {{"Install.ini", kExampleScript}};
        for (const Carried& database : kCarried)
            records.emplace_back(database.record, database.bytes);
        for (const auto& [name, bytes] : records) {
            Program packager;
            DWORD exitCode = 1;
            if (!WriteBytes(folder + "\\" + name, bytes)
                || !packager.Start(VantrelExe(), "-q -a \"" + installer_ + "\" " + name, folder)
                || !packager.WaitForExit(kWaitMs, &exitCode) || exitCode != 0
                || !DeleteFileA((folder + "\\" + name).c_str()))
                return;
        }
        ready_ = true;
    }

    // A fresh Palm folder of the three users for each test.
    void SetUp() override
    {
        ASSERT_TRUE(ready_) << "the installer could not be packaged";
        folder_ = FreshFolder();
        ASSERT_TRUE(BuildSimulatedPalmDesktop(PalmFolder(), kUsers));
    }

    std::string PalmFolder() const { return folder_ + "\\Palm"; }
    std::string InstallFolder(const SimulatedPalmUser& user) const
    {
        return PalmFolder() + "\\" + user.folderName + "\\Install";
    }

    static HWND AwaitPage(const Program& installer, const char* title)
    {
        HWND page = installer.WaitForWindow(title, kWaitMs);
        EXPECT_NE(page, nullptr) << "no page \"" << title << "\"";
        return page;
    }

    static std::string installer_;
    static bool ready_;
    std::string folder_;
};

std::string Installer::installer_;
bool Installer::ready_ = false;

TEST_F(Installer, WalksTheExampleScript)
{
    Program run;
    Start(run, installer_, "", folder_);

    HWND license = AwaitPage(run, "License Agreement");
    ASSERT_NE(license, nullptr);
    EXPECT_EQ(EditText(GetDlgItem(license, kLicenseText)),
              "Sample Tools for Palm OS handhelds - license terms\r\n\r\n"
              "You may install and use this software on one handheld.\r\n"
              "Press I Accept to continue, or I Decline to end the installation.\r\n");
    ASSERT_TRUE(ClickButton(GetDlgItem(license, kLicenseAccept)));

    HWND files = AwaitPage(run, "Files to install...");
    ASSERT_NE(files, nullptr);
    struct Slot {
        bool box, label;
        const char* text;
        int check;
    };
    const Slot slots[6] = {
        {false, true, "Sample Tools 2.0 (always installed)", BST_UNCHECKED},
        {true, false, "Sample Tools help database", BST_CHECKED},
        {true, false, "Sample Tools extra themes", BST_UNCHECKED},
    };
    for (int k = 0; k < 6; ++k) {
        SCOPED_TRACE(k);
        HWND box = GetDlgItem(files, kFilesCheckBox1 + k);
        HWND label = GetDlgItem(files, kFilesLabel1 + k);
        EXPECT_EQ(IsWindowVisible(box) != FALSE, slots[k].box);
        EXPECT_EQ(IsWindowVisible(label) != FALSE, slots[k].label);
        if (slots[k].box) {
            EXPECT_EQ(WindowText(box), slots[k].text);
            EXPECT_EQ(CheckState(box), slots[k].check);
        }
        if (slots[k].label) {
            EXPECT_EQ(WindowText(label), slots[k].text);
        }
    }
    EXPECT_EQ(EditText(GetDlgItem(files, kFilesDescription)),
              "Check the items that you want to install, then press Continue.\r\n"
              "They reach the handheld at the next HotSync.\r\n");
    // The help database left out, the themes taken: the clicks are posted,
    // so the page handles them before Continue.
    ASSERT_TRUE(ClickButton(GetDlgItem(files, kFilesCheckBox2)));
    ASSERT_TRUE(ClickButton(GetDlgItem(files, kFilesCheckBox3)));
    ASSERT_TRUE(ClickButton(GetDlgItem(files, kFilesContinue)));

    HWND userPage = AwaitPage(run, "Install to User...");
    ASSERT_NE(userPage, nullptr);
    HWND list = GetDlgItem(userPage, kUserList);
    std::vector<std::string> listed = ListBoxEntries(list);
    ASSERT_EQ(listed.size(), kUsers.size());
    // Whatever order the folder listing gave, the second entry's user is the
    // one who must get the files.
    const SimulatedPalmUser& chosen =
        *std::find_if(kUsers.begin(), kUsers.end(), [&](const auto& user) { return user.displayName == listed[1]; });
    std::sort(listed.begin(), listed.end());
    EXPECT_EQ(listed, (std::vector<std::string>{"Ann Lee", "Bob Smith", "Zoe Quinn"}));
    ASSERT_TRUE(SelectListEntry(list, 1));
    ASSERT_TRUE(ClickButton(GetDlgItem(userPage, kUserContinue)));

    HWND progress = AwaitPage(run, "Copying Files...");
    ASSERT_NE(progress, nullptr);
    HWND status = GetDlgItem(progress, kProgressText);
    // Each file's status, in order; the template's "Copying..." may be gone
    // before the first look.
    std::vector<std::string> statuses;
    for (std::string text = WindowText(status); !text.empty(); text = WaitForTextChange(status, text, kWaitMs)) {
        if (text != "Copying...")
            statuses.push_back(text);
    }
    std::vector<std::string> expected;
    for (const Carried& database : kCarried) {
        if (database.installed)
            expected.push_back("Copying '" + std::string(database.record) + "' to user '" + chosen.displayName
                               + "'\n\n(" + InstallFolder(chosen) + "\\" + database.installedName + ")...");
    }
    EXPECT_EQ(statuses, expected);

    HWND completion = AwaitPage(run, "Installation Complete");
    ASSERT_NE(completion, nullptr);
    for (const SimulatedPalmUser& user : kUsers) {
        SCOPED_TRACE(user.displayName);
        for (const Carried& database : kCarried) {
            std::string bytes = &user == &chosen && database.installed ? database.bytes : "";
            std::string userFolder = PalmFolder() + "\\" + user.folderName;
            EXPECT_EQ(ReadBytes(userFolder + "\\Install\\" + database.installedName), bytes);
            EXPECT_EQ(ReadBytes(userFolder + "\\backup\\" + database.installedName), bytes);
        }
        EXPECT_EQ(HotSyncFlagSet(user.userNumber), &user == &chosen);
    }
    ASSERT_TRUE(ClickButton(GetDlgItem(completion, kCompletionViewReadme)));

    HWND readme = AwaitPage(run, "Readme");
    ASSERT_NE(readme, nullptr);
    EXPECT_EQ(EditText(GetDlgItem(readme, kReadmeText)),
              "Thank you for installing Sample Tools.\r\n"
              "Start it from the handheld's application launcher.\r\n");
    ASSERT_TRUE(ClickButton(GetDlgItem(readme, kReadmeClose)));
    ExpectCleanEnd(run);
}

// A file neither in the payload nor on disk aborts the installation with
// its box, and no completion page follows.
TEST_F(Installer, FailedCopyAbortsTheInstallation)
{
    ASSERT_TRUE(WriteBytes(folder_ + "\\missing.ini", "FILES\r\n!Gone\r\nmissing.prc\r\n.\r\n"));
    Program run;
    Start(run, installer_, "-q -s missing.ini -u \"Ann Lee\"", folder_);
    HWND box = run.WaitForWindow("Installation Aborted", kWaitMs);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(ItemText(box, kUnaddressed),
              "File Copy Error\n\nAn error occurred copying file missing.prc to " + InstallFolder(kUsers[1])
                  + "\\missing.prc.\nMake sure the source file has been extracted (if applicable) and present "
                    "in the correct folder.");
    ASSERT_TRUE(PressOk(box));
    EXPECT_EQ(run.WaitForWindow("Installation Complete", kWaitMs), nullptr);
    ExpectCleanEnd(run);
}

// -r strips every record that -a appended: what is left is the program
// exactly as it was built.
TEST_F(Installer, StrippingGivesBackTheProgram)
{
    std::string stripped = folder_ + "\\stripped setup.exe";
    ASSERT_TRUE(CopyFileA(installer_.c_str(), stripped.c_str(), FALSE));
    std::string program = ReadBytes(VantrelExe());
    ASSERT_GT(ReadBytes(stripped).size(), program.size());
    Program run;
    Start(run, VantrelExe(), "-q -r \"" + stripped + "\"", folder_);
    ExpectCleanEnd(run);
    EXPECT_EQ(ReadBytes(stripped), program);
}

} // namespace
