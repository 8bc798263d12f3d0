// The install script reader: section lines, text blocks, the FILES section.
#include "script/install_script.h"

#include "unit_test.h"

// A script stream over text, standing at skip, with the end bound given.
struct Script {
    explicit Script(const std::string& text, long skip = 0, int32_t endBound = 0)
    {
        WriteBytes("script", text);
        stream = {fopen("script", "rb"), endBound};
        fseek(stream.file, skip, SEEK_SET);
    }
    ~Script() { fclose(stream.file); }
    ScriptStream stream;
};

// The next section line, or "(none)".
static std::string NextLine(const ScriptStream& script)
{
    char line[kScriptLineBytes];
    return ReadSectionLine(script, line) == 0 ? line : "(none)";
}

TEST_F(UnitTest, SectionLinesStopAtTheEndBound)
{
    Script embedded("MZLICENSE\r\nREADME\r\nETag", 2, 2 + 17);
    EXPECT_EQ(NextLine(embedded.stream), "LICENSE\r\n");
    EXPECT_EQ(NextLine(embedded.stream), "README\r\n");
    char line[kScriptLineBytes] = "kept";
    EXPECT_EQ(ReadSectionLine(embedded.stream, line), -1);
    EXPECT_STREQ(line, "kept");
    // A byte order mark that the end bound cuts is no mark.
    Script cut("MZ\xEF\xBB\xBF" "ETag", 2, 4);
    SkipByteOrderMark(cut.stream);
    EXPECT_EQ(NextLine(cut.stream), "\xEF\xBB");
}

TEST_F(UnitTest, TextBlocksEndAtTheirTerminatorOrTheStream)
{
    // The script, the block as the text box gets it, the line read after it.
    const std::tuple<std::string, std::string, const char*> cases[] = {
        {"Title\r\n\r\nTerms\n.\nNEXT\n", "Title\r\n\r\nTerms\r\n", "NEXT\n"},
        {". \n..\n.x\n.\r\nNEXT", ". \r\n..\r\n.x\r\n", "NEXT"},
        {"last\n.", "last\r\n.\r\n", "(none)"}, // a final "." without its line end is text
        {".\n", "", "(none)"},
        {"", "", "(none)"},
        {std::string(2000, 'w') + "\n.\n", std::string(1998, 'w') + "\r\nww\r\n", "(none)"},
    };
    for (const auto& [text, expected, next] : cases) {
        Script script(text);
        TextBlock block;
        ASSERT_EQ(ReadTextBlock(script.stream, &block), 0);
        EXPECT_EQ(std::string(block.text ? block.text : "", block.length), expected) << text;
        EXPECT_EQ(NextLine(script.stream), next) << text;
        ReleaseTextBlock(&block);
    }
}

TEST_F(UnitTest, FilesSectionFillsTheSlotsAndReadsTheDescription)
{
    // The section after its FILES line; the slots (as FileSlots gives them),
    // whether an entry is visible, and the description.
    const std::tuple<std::string, std::vector<std::string>, bool, std::string> cases[] = {
        {"*T\r\nt.prc\r\n+H\r\nh.pdb\r\n-X\r\nx.pdb\r\n!L\r\nl.prc\r\nPick.\r\n.\r\nUSER\r\n",
         {"1t.prc\r\n", "0h.pdb\r\n", "0x.pdb\r\n", "1l.prc\r\n"}, true, "Pick.\r\n"},
        {"Only a description\n.\n", {}, false, "Only a description\r\n"},
        {"!a\nA.prc\n!\nB.prc\n.\n", {"1A.prc\n", "1B.prc\n"}, false, ""},
        {"+1\np1\n+2\np2\n+3\np3\n+4\np4\n+5\np5\n+6\np6\n+7\np7\n.\n", // no seventh entry
         {"0p1\n", "0p2\n", "0p3\n", "0p4\n", "0p5\n", "0p6\n"}, true, "+7\r\np7\r\n"},
        {"-x\n" + std::string(300, 'p') + "\n.\n", {"0" + std::string(254, 'p')}, true, std::string(46, 'p') + "\r\n"},
        {"!a\nA.prc\n+x\n", {"1A.prc\n"}, false, ""}, // an entry the script's end leaves pathless
    };
    for (const auto& [text, slots, visible, description] : cases) {
        ResetInstallState();
        gState.fileCount = 5; // as the command line left it
        Script script(text);
        FilesSection section;
        ReadFilesSection(script.stream, &section);
        EXPECT_EQ(FileSlots(), slots) << text;
        EXPECT_EQ(gState.entryVisible, visible) << text;
        EXPECT_EQ(section.description.text ? section.description.text : "", description) << text;
        ReleaseTextBlock(&section.description);
    }
}
