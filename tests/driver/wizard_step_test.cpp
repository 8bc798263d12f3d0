// Every row of the wizard's transition table, with the lines that lead
// into each.
#include "driver/wizard_step.h"

#include <gtest/gtest.h>

namespace {

using P = WizardPage;

TEST(WizardStep, FollowsTheTransitionTable)
{
    // Lines carry their line ends, as read; "" is a pass that read nothing.
    struct Row { int stage; const char* line; bool script; int targets; P page; bool viewReadme; int after; };
    const Row rows[] = {
        {0, "license terms\r\n", true, 2, P::kLicense, false, 1},
        {0, "FILES\r\n", true, 0, P::kFiles, false, 2},     // the caller drops an empty page
        {0, "USERS CHOOSE\r\n", true, 0, P::kUser, false, 3},
        {0, "", false, 0, P::kUser, false, 3},               // no script: the user is asked
        {0, "USER\n", true, 1, P::kCopy, false, 3},          // users from the command line
        {0, "", false, 1, P::kCopy, false, 3},
        {0, "README\r\n", true, 0, P::kCopy, true, 4},
        {0, "", true, 0, P::kCopy, false, 4},                // end of script or blank line
        {0, " LICENSE\r\n", true, 0, P::kCopy, false, 4},
        {1, "Files to install\r\n", true, 0, P::kFiles, false, 2},
        {1, "LICENSE\r\n", true, 0, P::kCopy, false, 4},     // never looked for out of order
        {1, "USER\r\n", true, 0, P::kUser, false, 3},
        {1, "user\r\n", true, 3, P::kCopy, false, 3},
        {1, "README\r\n", true, 0, P::kCopy, true, 4},
        {2, "USER\r\n", true, 0, P::kUser, false, 3},
        {2, "", false, 0, P::kUser, false, 3},
        {2, "USER\r\n", true, 1, P::kCopy, false, 3},
        {2, "FILES\r\n", true, 0, P::kCopy, false, 4},
        {2, "readme\n", true, 0, P::kCopy, true, 4},
        {3, "README\r\n", true, 0, P::kCopy, true, 4},
        {3, "USER\r\n", true, 0, P::kCopy, false, 4},
        {3, "", false, 0, P::kCopy, false, 4},
        {4, "", true, 0, P::kReadme, false, 5},
        {5, "", true, 0, P::kQuit, false, 6},
    };
    for (const Row& row : rows) {
        WizardStep step = DecideWizardStep(row.stage, row.line, row.script, row.targets);
        SCOPED_TRACE(testing::Message() << "stage " << row.stage << " line '" << row.line << "'");
        EXPECT_EQ(step.page, row.page);
        EXPECT_EQ(step.showViewReadme, row.viewReadme);
        EXPECT_EQ(step.stageAfter, row.after);
    }
    for (int stage = 0; stage <= 5; stage++)
        EXPECT_EQ(PassReadsSectionLine(stage), stage < 4) << stage;
}

} // namespace
