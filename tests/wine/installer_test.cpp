// The shipped program as its users meet it: the installer that vantrel-pack
// built from the example install script, walked page by page on a
// simulated Palm Desktop, its databases compressed or stored, and signed;
// what -q -a appends and -r strips.
#include "simulated_palm_desktop.h"
#include "wine_test.h"

#include "ui/resource_ids.h"

#include <algorithm>
#include <tuple>
#include <vector>

namespace {

// Display names that sort otherwise than their folders: a list box sorted
// by name would show another order than the installer's user table.
const std::vector<SimulatedPalmUser> kUsers = {
    {"Zoe Quinn", "Quinn1", 12}, {"Ann Lee", "Lee2", 7}, {"Bob Smith", "Smith3", 4}};

// The databases the installer carries (pack-installers.py wrote them), in
// the order of the example script: the record name, the name the header
// gives the installed copy, whether the walk installs it. The header, not
// the record name, decides the extension; the colon and blanks become
// underscores.
const std::tuple<const char*, const char*, bool> kCarried[] = {
    {"sampletools.prc", "Sample_Tools.prc", true}, {"samplehelp.pdb", "SampleHelp.pdb", false},
    {"samplethemes.pdb", "Themes__Sample_Tools.prc", true}, {"sharedlib.prc", "SharedLib.prc", true}};

// The same walk three times, each on a Palm Desktop of its own, with the
// same outcome, every copy byte for byte: the databases compressed; the
// same signed, which put its certificate table after the records; and the
// databases stored raw, as every installer built before compression.
TEST(Installer, WalksTheExampleScriptCompressedSignedOrStored)
{
    for (const char* installer : {"packed setup.exe", "signed setup.exe", "stored setup.exe"}) {
        SCOPED_TRACE(installer);
        std::string folder = FreshFolder() + "\\" + installer, palm = folder + "\\Palm";
        ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
        ASSERT_TRUE(BuildSimulatedPalmDesktop(palm, kUsers));
        Program run;
        ASSERT_TRUE(run.Start(Payload(installer), "", folder));

        HWND license = AwaitWindow(run, "License Agreement");
        EXPECT_EQ(EditText(GetDlgItem(license, kLicenseText)),
                  "Sample Tools for Palm OS handhelds - license terms\r\n\r\n"
                  "You may install and use this software on one handheld.\r\n"
                  "Press I Accept to continue, or I Decline to end the installation.\r\n");
        ASSERT_TRUE(ClickButton(GetDlgItem(license, kLicenseAccept)));

        HWND files = AwaitWindow(run, "Files to install...");
        // Per slot what shows: its check box with its state, its label, or neither.
        std::vector<std::string> slots;
        for (int k = 0; k < 6; ++k) {
            HWND box = GetDlgItem(files, kFilesCheckBox1 + k), label = GetDlgItem(files, kFilesLabel1 + k);
            std::string shown = IsWindowVisible(label) ? "label " + WindowText(label) : "";
            if (IsWindowVisible(box))
                shown += "box " + std::to_string(CheckState(box)) + " " + WindowText(box);
            slots.push_back(shown);
        }
        EXPECT_EQ(slots, (std::vector<std::string>{"label Sample Tools 2.0 (always installed)",
                                                   "box 1 Sample Tools help database",
                                                   "box 0 Sample Tools extra themes", "", "", ""}));
        EXPECT_EQ(EditText(GetDlgItem(files, kFilesDescription)),
                  "Check the items that you want to install, then press Continue.\r\n"
                  "They reach the handheld at the next HotSync.\r\n");
        // The help database left out, the themes taken: the clicks are posted,
        // so the page handles them before Continue.
        ASSERT_TRUE(ClickButton(GetDlgItem(files, kFilesCheckBox2)));
        ASSERT_TRUE(ClickButton(GetDlgItem(files, kFilesCheckBox3)));
        ASSERT_TRUE(ClickButton(GetDlgItem(files, kFilesContinue)));

        HWND userPage = AwaitWindow(run, "Install to User...");
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

        HWND progress = AwaitWindow(run, "Copying Files...");
        HWND status = GetDlgItem(progress, kProgressText);
        // Each file's status, in order; the template's "Copying..." may be gone
        // before the first look.
        std::vector<std::string> statuses;
        for (std::string text = WindowText(status); !text.empty(); text = WaitForTextChange(status, text, kWaitMs)) {
            if (text != "Copying...")
                statuses.push_back(text);
        }
        std::vector<std::string> expected;
        for (const auto& [record, installedName, installed] : kCarried) {
            if (installed)
                expected.push_back("Copying '" + std::string(record) + "' to user '" + chosen.displayName + "'\n\n("
                                   + palm + "\\" + chosen.folderName + "\\Install\\" + installedName + ")...");
        }
        EXPECT_EQ(statuses, expected);

        HWND completion = AwaitWindow(run, "Installation Complete");
        for (const SimulatedPalmUser& user : kUsers) {
            SCOPED_TRACE(user.displayName);
            for (const auto& [record, installedName, installed] : kCarried) {
                std::string bytes = &user == &chosen && installed ? ReadBytes(Payload(record)) : "";
                for (const char* copy : {"\\Install\\", "\\backup\\"})
                    EXPECT_EQ(ReadBytes(palm + "\\" + user.folderName + copy + installedName), bytes) << copy;
            }
            EXPECT_EQ(HotSyncFlagSet(user.userNumber), &user == &chosen);
        }
        ASSERT_TRUE(ClickButton(GetDlgItem(completion, kCompletionViewReadme)));

        HWND readme = AwaitWindow(run, "Readme");
        EXPECT_EQ(EditText(GetDlgItem(readme, kReadmeText)),
                  "Thank you for installing Sample Tools.\r\n"
                  "Start it from the handheld's application launcher.\r\n");
        ASSERT_TRUE(ClickButton(GetDlgItem(readme, kReadmeClose)));
        ExpectEnd(run, 0);
    }
}

// vantrel-pack build --store wrote exactly the records that -q -a appends,
// one run per file in its order, then its checksum record; -r strips every
// record, compressed ones too, and what is left is the program exactly as
// it was built.
TEST(Installer, PackagerWritesWhatAppendWritesAndStripTakesItOff)
{
    std::string folder = FreshFolder(), appended = folder + "\\appended.exe", stripped = folder + "\\stripped.exe";
    // Discovery runs before the packaging: without a Palm folder it would
    // stop at its box.
    ASSERT_TRUE(BuildSimulatedPalmDesktop(folder + "\\Palm", kUsers));
    ASSERT_TRUE(CopyFileA(VantrelExe().c_str(), appended.c_str(), FALSE));
    for (size_t i = 0; i <= std::size(kCarried); ++i) {
        std::string name = i < std::size(kCarried) ? std::get<0>(kCarried[i]) : "Install.ini";
        Program packager;
        ASSERT_TRUE(packager.Start(VantrelExe(), "-q -a \"" + appended + "\" " + name, Payload("")));
        ExpectEnd(packager, 0);
    }
    std::string stored = ReadBytes(Payload("stored setup.exe")), bytes = ReadBytes(appended);
    EXPECT_GT(stored.size(), bytes.size());
    EXPECT_EQ(stored.substr(0, bytes.size()), bytes);
    ASSERT_TRUE(WriteBytes(stripped, ReadBytes(Payload("packed setup.exe"))));
    Program run;
    ASSERT_TRUE(run.Start(VantrelExe(), "-q -r \"" + stripped + "\"", folder));
    ExpectEnd(run, 0);
    EXPECT_EQ(ReadBytes(stripped), ReadBytes(VantrelExe()));
}

// -q -a onto an installer whose databases are compressed appends the file
// raw, as ever; the installer then installs that file, the later record of
// its name, byte for byte.
TEST(Installer, AppendedFileWinsOverItsCompressedRecord)
{
    std::string folder = FreshFolder(), palm = folder + "\\Palm";
    ASSERT_TRUE(BuildSimulatedPalmDesktop(palm, kUsers));
    ASSERT_TRUE(CopyFileA(Payload("packed setup.exe").c_str(), (folder + "\\setup.exe").c_str(), FALSE));
    std::string newer = ReadBytes(Payload("sampletools.prc")) + " and a newer build";
    ASSERT_TRUE(WriteBytes(folder + "\\sampletools.prc", newer));
    Program append;
    ASSERT_TRUE(append.Start(VantrelExe(), "-q -a setup.exe sampletools.prc", folder));
    ExpectEnd(append, 0);

    Program run;
    ASSERT_TRUE(run.Start(folder + "\\setup.exe", "-q -s none.ini -u \"Ann Lee\" -f sampletools.prc", folder));
    ASSERT_TRUE(ClickButton(GetDlgItem(AwaitWindow(run, "Installation Complete"), kCompletionClose)));
    ExpectEnd(run, 0);
    for (const char* copy : {"\\Install\\", "\\backup\\"})
        EXPECT_EQ(ReadBytes(palm + "\\Lee2" + copy + "Sample_Tools.prc"), newer) << copy;
}

} // namespace
