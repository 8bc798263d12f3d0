// The wizard's decisions wired to its pages: a quit request or a page that
// cannot be created ends the run, and never with anything installed that the
// person did not agree to.
#include "driver/wizard.h"

#include "installation_fixture.h"
#include "ui/resource_ids.h"

#include <cstdio>
#include <cstring>

namespace {

const char kScript[] = "LICENSE\nterms\n.\nFILES\n*Alpha\nalpha.pdb\ndescription\n.\nUSER\n";

int StepEveryPage(int)
{
    gState.stepDone = 1;
    return 0;
}

TEST_F(Installation, WizardEndsOnDeclineOrAnUncreatablePageWithNothingInstalled)
{
    AddRecord("alpha.pdb", PalmDatabase("AlphaDB", true, "alpha"));
    struct Case {
        const char* what;
        std::string script;
        bool creationFails;
        int page; // the one page asked for
    } cases[] = {
        {"I Decline", kScript, false, kLicensePage},
        {"no license page", kScript, true, kLicensePage},
        {"no files page", std::string(kScript).substr(strlen("LICENSE\nterms\n.\n")), true, kFilesPage},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ResetFakePageControls();
        ResetFakePageLoop();
        gFakePages.creationFails = c.creationFails;
        SetSlots({{"alpha.pdb", true}}); // as " -f" would, until a FILES section replaces it
        WriteBytes("Install.ini", c.script);

        RunWizard(false, {fopen("Install.ini", "rt"), 0}, 1);

        EXPECT_EQ(gFakePages.created, std::vector<int>{c.page});
        EXPECT_EQ(gFakeLoop.served.size(), c.creationFails ? 0u : 1u);
        // The FILES section was never read: the slot is still the command line's.
        EXPECT_EQ(gState.fileCount, 1);
        EXPECT_FALSE(gState.entryVisible);
        EXPECT_TRUE(FilesBelowPalmFolder().empty());
        EXPECT_FALSE(FlagSet(1));
        EXPECT_TRUE(gFake.messageBoxes.empty());
    }
}

TEST_F(Installation, WizardEndsAfterInstallingWhenTheCompletionPageCannotBeCreated)
{
    const std::string database = PalmDatabase("AlphaDB", true, "alpha");
    AddRecord("alpha.pdb", database);
    SetSlots({{"alpha.pdb", true}});
    // No script: the user page asks. From there on no page can be created,
    // the progress page included, which the copy stage does without.
    gFakeLoop.person = [](int dialogId) {
        EXPECT_EQ(dialogId, kUserPage);
        gState.selectedUser = 1;
        gFakePages.creationFails = true;
        return StepEveryPage(dialogId);
    };

    RunWizard(false, {nullptr, 0}, 1);

    EXPECT_EQ(gFakePages.created, (std::vector<int>{kUserPage, kProgressPage, kCompletionPage}));
    EXPECT_EQ(gFakeLoop.served, std::vector<int>{kUserPage});
    EXPECT_STREQ(gState.targets[0].name, "Bob");
    EXPECT_EQ(ReadBytes(Installed(1, "AlphaDB.prc")), database);
    EXPECT_EQ(ReadBytes(BackedUp(1, "AlphaDB.prc")), database);
    EXPECT_TRUE(FlagSet(2));
    EXPECT_TRUE(gFake.messageBoxes.empty());
}

} // namespace
