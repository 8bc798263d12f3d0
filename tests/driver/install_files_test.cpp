// The copy stage on a simulated Palm Desktop: what the progress page counts,
// which users are served, how each copy is named, and what a failure leaves.
#include "driver/install_files.h"

#include "installation_fixture.h"
#include "ui/resource_ids.h"

namespace {

const char kCopyErrorTail[] =
    ".\nMake sure the source file has been extracted (if applicable) and present in the correct folder.";

TEST_F(Installation, StepsEveryVisitedSlotAndCopiesOnlyTheSelectedOne)
{
    const std::string database = PalmDatabase("AlphaDB", true, "alpha body");
    AddRecord("alpha.pdb", database);
    WriteBytes("alpha.pdb", PalmDatabase("Impostor", false, "disk body")); // the record wins
    SetSlots({{"first.prc", false}, {"alpha.pdb \t\r\n", true}, {"third.prc", false}});
    SetTargets({"BOB"}); // matched without regard to case; the table's name is used

    EXPECT_FALSE(InstallFiles(5));

    EXPECT_EQ(gFakeLoop.progressMaximum, 3);
    EXPECT_EQ(gFakeLoop.progressStepSize, 1);
    EXPECT_EQ(gFakeLoop.progressSteps, 3);
    EXPECT_EQ(gFakeLoop.pumps, 4); // one per visited slot, one to paint the status text
    EXPECT_EQ(gFake.pauses, std::vector<uint32_t>{1000});
    EXPECT_EQ(gFakePages.created, std::vector<int>{kProgressPage});
    EXPECT_EQ(gFakePages.shown, std::vector<int>{5});
    EXPECT_EQ(gFakePages.destroyed, 1);
    EXPECT_EQ(gState.currentPage, nullptr);

    EXPECT_STREQ(gState.files[1].path, "alpha.pdb");
    EXPECT_EQ(FilesBelowPalmFolder(), (std::vector<std::string>{"BobF\\Install\\AlphaDB.prc",
                                                                    "BobF\\backup\\AlphaDB.prc"}));
    EXPECT_EQ(ReadBytes(Installed(1, "AlphaDB.prc")), database);
    EXPECT_EQ(ReadBytes(BackedUp(1, "AlphaDB.prc")), database);
    EXPECT_TRUE(gFake.copies.empty());
    EXPECT_EQ(gFakePages.controls[kProgressText].text,
              "Copying 'alpha.pdb' to user 'Bob'\n\n(" + Installed(1, "AlphaDB.prc") + ")...");
    EXPECT_EQ(gState.selectedUser, 1);
    EXPECT_TRUE(FlagSet(2));
    EXPECT_FALSE(FlagSet(1));
    EXPECT_TRUE(gFake.messageBoxes.empty());
}

TEST_F(Installation, NamesEachCopyFromItsHeaderElseFromItsSource)
{
    const std::string fullName = "ABCDEFGHIJKLMNOPQRSTUVWXYZ012345"; // 32 characters, no NUL
    const std::string helper = PalmDatabase("Help: Me Now", true, "help");
    const std::string full = PalmDatabase(fullName, false, "full");
    const std::string tiny = std::string(33, 't'); // one byte short of a header
    AddRecord("helper.pdb", helper);
    WriteBytes("full.prc", full);
    AddRecord("tiny.PRC", tiny);
    WriteBytes("short.pdb", "short");
    SetSlots({{"helper.pdb", true}, {"full.prc", true}, {"tiny.PRC", true}, {"short.pdb", true}});
    SetTargets({"Ann Lee"});

    EXPECT_FALSE(InstallFiles(1));

    const std::pair<std::string, std::string> expected[] = {
        {"Help__Me_Now.prc", helper}, {fullName + ".pdb", full}, {"tiny.prc", tiny}, {"short.pdb", "short"}};
    std::vector<std::string> written;
    for (const auto& [name, bytes] : expected) {
        EXPECT_EQ(ReadBytes(Installed(0, name)), bytes) << name;
        EXPECT_EQ(ReadBytes(BackedUp(0, name)), bytes) << name;
        written.push_back("AnnF\\Install\\" + name);
        written.push_back("AnnF\\backup\\" + name);
    }
    std::sort(written.begin(), written.end());
    EXPECT_EQ(FilesBelowPalmFolder(), written);
    EXPECT_EQ(gFake.pauses.size(), 4u);
    EXPECT_TRUE(FlagSet(1));
}

TEST_F(Installation, MissingSourceEndsOnlyThatUsersFilesAndAbortsTheStage)
{
    const std::string database = PalmDatabase("AlphaDB", false, "alpha");
    AddRecord("alpha.pdb", database);
    WriteBytes("later.prc", PalmDatabase("Later", true, "never copied"));
    SetSlots({{"alpha.pdb", true}, {"missing.prc\r\n", true}, {"later.prc", true}});
    SetTargets({"ann lee", "Nobody", "Bob"});

    EXPECT_TRUE(InstallFiles(1));

    ASSERT_EQ(gFake.messageBoxes.size(), 2u);
    for (int user : {0, 1}) {
        SCOPED_TRACE(user);
        const RecordedMessageBox& box = gFake.messageBoxes[user];
        EXPECT_EQ(box.caption, "Installation Aborted");
        EXPECT_EQ(box.text, "File Copy Error\n\nAn error occurred copying file missing.prc to "
                                + Installed(user, "missing.prc") + kCopyErrorTail);
        EXPECT_EQ(ReadBytes(Installed(user, "AlphaDB.pdb")), database);
        EXPECT_EQ(ReadBytes(BackedUp(user, "AlphaDB.pdb")), database);
        EXPECT_FALSE(std::filesystem::exists(Installed(user, "missing.prc")));
        EXPECT_FALSE(std::filesystem::exists(Installed(user, "Later.prc")));
        EXPECT_TRUE(FlagSet(user + 1));
    }
    EXPECT_EQ(gFakeLoop.deleted, (std::vector<std::string>{Installed(0, "missing.prc"), Installed(1, "missing.prc")}));
    EXPECT_EQ(gFakeLoop.progressSteps, 4); // the slot after the failure is never visited
    EXPECT_EQ(gFake.pauses.size(), 2u);    // no pause after a failed copy
    EXPECT_EQ(gState.selectedUser, 1);
    EXPECT_EQ(gFakePages.destroyed, 1);
}

TEST_F(Installation, UnknownUsersQuietModeAndOverlongDestinations)
{
    const std::string database = PalmDatabase("AlphaDB", true, "alpha");
    AddRecord("alpha.pdb", database);

    // Nobody known: one box, nothing visited, nothing flagged.
    SetSlots({{"alpha.pdb", true}});
    SetTargets({"Nobody", "Bobby"});
    EXPECT_TRUE(InstallFiles(1));
    ASSERT_EQ(gFake.messageBoxes.size(), 1u);
    EXPECT_EQ(gFake.messageBoxes[0].text, "No valid users selected");
    EXPECT_EQ(gFake.messageBoxes[0].caption, "Install Error");
    EXPECT_EQ(gFakeLoop.progressSteps, 0);
    EXPECT_FALSE(FlagSet(1));
    EXPECT_FALSE(FlagSet(2));
    EXPECT_TRUE(FilesBelowPalmFolder().empty());
    EXPECT_EQ(gFakePages.destroyed, 1);

    // Quiet: no status text, the copy all the same. A source named from its
    // own long base name would overflow the destination: it is refused
    // before anything is written, naming the install folder.
    gFake.messageBoxes.clear();
    gState.quiet = true;
    const std::string longName = std::string(230, 'L') + ".prc";
    SetSlots({{"alpha.pdb", true}, {longName, true}});
    SetTargets({"Bob"});
    EXPECT_TRUE(InstallFiles(1));
    EXPECT_EQ(gFakePages.controls.count(kProgressText), 0u);
    EXPECT_EQ(ReadBytes(Installed(1, "AlphaDB.prc")), database);
    ASSERT_EQ(gFake.messageBoxes.size(), 1u);
    EXPECT_EQ(gFake.messageBoxes[0].caption, "Installation Aborted");
    EXPECT_EQ(gFake.messageBoxes[0].text, "File Copy Error\n\nAn error occurred copying file " + longName + " to "
                                              + gState.users[1].installPath + kCopyErrorTail);
    EXPECT_EQ(FilesBelowPalmFolder(), (std::vector<std::string>{"BobF\\Install\\AlphaDB.prc",
                                                                    "BobF\\backup\\AlphaDB.prc"}));
    EXPECT_TRUE(gFake.copies.empty());
    EXPECT_TRUE(gFakeLoop.deleted.empty());
    EXPECT_TRUE(FlagSet(2));
}

} // namespace
