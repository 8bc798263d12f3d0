// The shipped program as its users meet it: the installer that vantrel-pack
// built from the example install script, walked page by page on a
// simulated Palm Desktop, and the same signed; what -q -a appends and -r
// strips.
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

// A database the installer carries (pack-installers.py wrote it): its
// record name, the name its header gives the installed copy, and whether
// the walk installs it.
struct Carried {
    const char* record;
    const char* installedName;
    bool installed;
};

// In the order of the example script. The header, not the record name,
// decides the extension; the colon and blanks become underscores.
const std::vector<Carried> kCarried = {
    {"sampletools.prc", "Sample_Tools.prc", true},
    {"samplehelp.pdb", "SampleHelp.pdb", false},
    {"samplethemes.pdb", "Themes__Sample_Tools.prc", true},
    {"sharedlib.prc", "SharedLib.prc", true},
};

class Installer : public testing::Test {
protected:
    // Packages the example script and its databases into a copy of the
    // program as -q -a does, one run per file in vantrel-pack's order.
    static void SetUpTestSuite()
    {
        std::string folder = FreshFolder();
        installer_ = folder + "\\" + kInstaller;
        // Discovery runs before the packaging: without a Palm folder it
        // would stop at its box.
        if (!BuildSimulatedPalmDesktop(folder + "\\Palm", kUsers)
            || !CopyFileA(VantrelExe().c_str(), installer_.c_str(), FALSE))
            return;
        std::vector<std::string> files;
        for (const Carried& database : kCarried)
            files.push_back(database.record);
        files.push_back("Install.ini");
        for (const std::string& name : files) {
            Program packager;
            DWORD exitCode = 1;
            if (!packager.Start(VantrelExe(), "-q -a \"" + installer_ + "\" " + name, Payload(""))
                || !packager.WaitForExit(kWaitMs, &exitCode) || exitCode != 0)
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

// The same walk twice, each on a Palm Desktop of its own, with the same
// outcome: signing put its certificate table after the records, and the
// installer reads them as before.
TEST_F(Installer, WalksTheExampleScriptSignedOrNot)
{
    for (const char* installer : {"packed setup.exe", "signed setup.exe"}) {
        SCOPED_TRACE(installer);
        folder_ = FreshFolder() + "\\" + installer + " run";
        ASSERT_TRUE(CreateDirectoryA(folder_.c_str(), nullptr));
        ASSERT_TRUE(BuildSimulatedPalmDesktop(PalmFolder(), kUsers));
        Program run;
        Start(run, Payload(installer), "", folder_);

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
            *std::find_if(kUsers.begin(), kUsers.end(), [&](const auto& u) { return u.displayName == listed[1]; });
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
                std::string bytes = &user == &chosen && database.installed ? ReadBytes(Payload(database.record)) : "";
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
        ExpectEnd(run, 0);
    }
}

// vantrel-pack build wrote exactly the records that -q -a appends, then its
// checksum record; -r strips every one of them, and what is left is the
// program exactly as it was built.
TEST_F(Installer, PackagerWritesWhatAppendWritesAndStripTakesItOff)
{
    std::string appended = ReadBytes(installer_);
    std::string packed = ReadBytes(Payload("packed setup.exe"));
    ASSERT_GT(packed.size(), appended.size());
    EXPECT_EQ(packed.substr(0, appended.size()), appended);
    std::string stripped = folder_ + "\\stripped setup.exe";
    ASSERT_TRUE(WriteBytes(stripped, packed));
    Program run;
    Start(run, VantrelExe(), "-q -r \"" + stripped + "\"", folder_);
    ExpectEnd(run, 0);
    EXPECT_EQ(ReadBytes(stripped), ReadBytes(VantrelExe()));
}

} // namespace
