// The install plan: which pages the script leads to, their texts, and the
// files, read as the installer reads them.
#include "script/install_plan.h"

#include "unit_test.h"

namespace {

// The pages in order: L, F, U, C (C+ with View Readme), R.
std::string Pages(const InstallPlan& plan)
{
    std::string pages;
    for (int i = 0; i < plan.stepCount; i++)
        pages += std::string(i ? " " : "") + "LFUCR"[static_cast<int>(plan.steps[i].page)]
            + (plan.steps[i].viewReadme ? "+" : "");
    return pages;
}

std::string Text(const InstallPlan& plan, int step) { return plan.steps[step].text.text ? plan.steps[step].text.text : ""; }

// The files, each its marker and path, '1' before it when always installed.
std::vector<std::string> Files(const InstallPlan& plan)
{
    std::vector<std::string> files;
    for (int i = 0; i < plan.fileCount; i++)
        files.push_back((plan.files[i].alwaysInstalled ? "1" : "") + std::string(1, plan.files[i].marker)
                        + plan.files[i].path);
    return files;
}

} // namespace

TEST(InstallPlan, EachPassTestsItsLineForTheSectionsStillToCome)
{
    const std::string example = "LICENSE\r\nTerms\r\n.\r\nFILES\r\n+H\r\nh.pdb\r\n.\r\nUSERS CHOOSE\r\nREADME\r\nThanks\r\n.\r\n";
    // The script, whether " -u" named users; the pages the installer shows.
    const std::tuple<std::string, bool, const char*> cases[] = {
        {example, false, "L F U C+ R"},
        {example, true, "L F C"}, // the USER line runs the copy at once, and no readme follows
        {"README\nThanks\n.\n", false, "C+ R"},
        {"license\nx\n.\nFiles to install\n.\nUSER\n", false, "L F U C"}, // a case-blind prefix
        {" LICENSE\nx\n.\nFILES\n.\n", false, "C"},                        // indented: it hides the rest
        {"LICENS\nx\n.\n", false, "C"},                                    // misspelt
        {"LICENSE\nx\n.\n\nFILES\n.\n", false, "L C"},                     // a blank line between sections
        {"FILES\n.\nLICENSE\nx\n.\n", false, "F C"},                       // never looked for out of order
        {"LICENSE\nx\nFILES\n.\n", false, "L C"},                          // no terminator: the block runs on
        {"USER\nUSER\nREADME\n", false, "U C"},
        {"", false, "C"},
        {"(none)", false, "U C"}, // without a script the user page asks
        {"(none)", true, "C"},
    };
    for (const auto& [script, usersGiven, pages] : cases) {
        EXPECT_EQ(Pages(Plan(script, usersGiven).plan), pages) << script << " " << usersGiven;
    }
}

TEST(InstallPlan, TextBlocksEndAtTheirTerminatorOrTheScript)
{
    // The license block after its section line; the text as the page gets it,
    // and the page its next line leads to (F: it read the FILES line).
    const std::tuple<std::string, std::string, const char*> cases[] = {
        {"Title\r\n\r\nTerms\n.\nFILES\n.\n", "Title\r\n\r\nTerms\r\n", "L F C"},
        {". \n..\n.x\n.\r\nFILES\n.\n", ". \r\n..\r\n.x\r\n", "L F C"},
        {"last\n.", "last\r\n.\r\n", "L C"}, // a final "." without its line end is text
        {".\n", "", "L C"},
        {"", "", "L C"},
        {std::string(2000, 'w') + "\n.\n", std::string(1998, 'w') + "\r\nww\r\n", "L C"},
    };
    for (const auto& [block, text, pages] : cases) {
        Plan plan("LICENSE\n" + block);
        EXPECT_EQ(Text(plan.plan, 0), text) << block;
        EXPECT_EQ(Pages(plan.plan), pages) << block;
    }
    // A byte order mark is read past; one that the script's end cuts is no mark.
    EXPECT_EQ(Text(Plan("\xEF\xBB\xBFREADME\nThanks\n.\n").plan, 1), "Thanks\r\n");
    Plan cut("\xEF\xBB");
    EXPECT_EQ(std::tuple(Pages(cut.plan), cut.plan.steps[0].lineRead), std::tuple("C", true));
}

TEST(InstallPlan, FilesSectionReplacesTheCommandLineFiles)
{
    // The section after its FILES line; the files, whether an entry is
    // visible, and the description.
    const std::tuple<std::string, std::vector<std::string>, bool, std::string> cases[] = {
        {"*T\r\nt.prc \t\r\n+H\r\nh.pdb\r\n-X\r\nx.pdb\r\n!L\r\nl.prc\r\nPick.\r\n.\r\nUSER\r\n",
         {"1*t.prc", "+h.pdb", "-x.pdb", "1!l.prc"}, true, "Pick.\r\n"},
        {"Only a description\n.\n", {}, false, "Only a description\r\n"},
        {"!a\nA.prc\n!\nB.prc\n.\n", {"1!A.prc", "1!B.prc"}, false, ""},
        {"+1\np1\n+2\np2\n+3\np3\n+4\np4\n+5\np5\n+6\np6\n+7\np7\n.\n", // no seventh entry
         {"+p1", "+p2", "+p3", "+p4", "+p5", "+p6"}, true, "+7\r\np7\r\n"},
        {"-x\n" + std::string(300, 'p') + "\n.\n", {"-" + std::string(254, 'p')}, true, std::string(46, 'p') + "\r\n"},
        {"!a\nA.prc\n+x\n", {"1!A.prc"}, false, ""}, // an entry the script's end leaves pathless
    };
    for (const auto& [section, files, visible, description] : cases) {
        Plan plan("FILES\n" + section, false, {"a.prc", "b.prc", "c.prc", "d.prc", "e.prc"});
        EXPECT_EQ(Files(plan.plan), files) << section;
        EXPECT_EQ(plan.plan.entryVisible, visible) << section;
        EXPECT_EQ(Text(plan.plan, 0), description) << section;
    }
    // Without a FILES section the " -f" files stand, cleaned as path lines are.
    EXPECT_EQ(Files(Plan("USER\n", false, {"a.prc \t", "b c.pdb"}).plan), (std::vector<std::string>{"1!a.prc", "1!b c.pdb"}));
}
