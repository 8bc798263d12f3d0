// The install script reader on scripts on disk (LF line ends, no bound) and
// embedded in an executable (CR LF, an end bound with bytes after it that
// must never be read).
#include "script/install_script.h"

#include "driver/install_state.h"
#include "fakes/fake_page_controls.h"
#include "fakes/fake_platform.h"
#include "ui/resource_ids.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

const char kAfterScript[] = "SECRET bytes after the script\r\n.\r\n";

class InstallScript : public ::testing::Test {
protected:
    std::vector<FILE*> files;

    void SetUp() override
    {
        ResetFakePlatform();
    }

    void TearDown() override
    {
        for (FILE* file : files)
            fclose(file);
    }

    ScriptStream OnDisk(const std::string& script)
    {
        FILE* file = tmpfile();
        fwrite(script.data(), 1, script.size(), file);
        rewind(file);
        files.push_back(file);
        return {file, 0};
    }

    // The script lies between an executable image and bytes that follow it.
    ScriptStream Embedded(const std::string& script, const std::string& after = kAfterScript)
    {
        std::string image = "MZ image bytes\r\n";
        ScriptStream stream = OnDisk(image + script + after);
        fseek(stream.file, static_cast<long>(image.size()), SEEK_SET);
        stream.endBound = static_cast<int32_t>(image.size() + script.size());
        return stream;
    }

    static std::string Section(const ScriptStream& script)
    {
        char line[kScriptLineBytes] = "";
        ReadSectionLine(script, line);
        return line;
    }

    static const FakeControl& Control(int id) { return gFakePages.controls[id]; }
};

std::string WithLineEnds(const std::string& lf, const char* lineEnd)
{
    std::string out;
    for (char c : lf)
        out += c == '\n' ? std::string(lineEnd) : std::string(1, c);
    return out;
}

const char kExample[] =
    "LICENSE\n"
    "Sample Tools for Palm OS handhelds - license terms\n"
    "\n"
    "You may install and use this software on one handheld.\n"
    "Press I Accept to continue, or I Decline to end the installation.\n"
    ".\n"
    "FILES\n"
    "*Sample Tools 2.0 (always installed)\n"
    "sampletools.prc\n"
    "+Sample Tools help database\n"
    "samplehelp.pdb\n"
    "-Sample Tools extra themes\n"
    "samplethemes.pdb\n"
    "!Shared runtime library\n"
    "sharedlib.prc\n"
    "Check the items that you want to install, then press Continue.\n"
    "They reach the handheld at the next HotSync.\n"
    ".\n"
    "USERS CHOOSE\n"
    "README\n"
    "Thank you for installing Sample Tools.\n"
    "Start it from the handheld's application launcher.\n"
    ".\n";

TEST_F(InstallScript, ReadsTheExampleEmbeddedAndOnDisk)
{
    for (std::string end : {"\r\n", "\n"}) {
        SCOPED_TRACE(end == "\n" ? "on disk, LF" : "embedded, CR LF");
        ResetFakePageControls();
        std::string text = WithLineEnds(kExample, end.c_str());
        ScriptStream script = end == "\n" ? OnDisk(text) : Embedded(text);

        EXPECT_EQ(Section(script), "LICENSE" + end);
        LoadTextBlock(script, kLicenseText);
        EXPECT_EQ(Control(kLicenseText).appended,
                  "Sample Tools for Palm OS handhelds - license terms\r\n\r\n"
                  "You may install and use this software on one handheld.\r\n"
                  "Press I Accept to continue, or I Decline to end the installation.\r\n");
        EXPECT_EQ(Control(kLicenseText).scrolledLines, -500);

        ResetFakePageControls();
        EXPECT_EQ(Section(script), "FILES" + end);
        ReadFilesSection(script);
        EXPECT_EQ(gState.fileCount, 4);
        EXPECT_TRUE(gState.entryVisible);
        const char* paths[] = {"sampletools.prc", "samplehelp.pdb", "samplethemes.pdb", "sharedlib.prc"};
        for (int slot = 0; slot < 4; slot++) {
            EXPECT_EQ(gState.files[slot].path, paths[slot] + end);
            EXPECT_EQ(gState.files[slot].selected, slot == 0 || slot == 3) << slot;
        }
        // Slot 0 a label, slot 1 a checked box, slot 2 an unchecked one, slot 3 nothing.
        EXPECT_EQ(gFakePages.controls.size(), 4u);
        EXPECT_TRUE(Control(kFilesLabel1).shown && !Control(kFilesLabel1).checked);
        EXPECT_EQ(Control(kFilesLabel1).text, "Sample Tools 2.0 (always installed)");
        EXPECT_TRUE(Control(kFilesCheckBox2).shown && Control(kFilesCheckBox2).checked);
        EXPECT_EQ(Control(kFilesCheckBox2).text, "Sample Tools help database");
        EXPECT_TRUE(Control(kFilesCheckBox3).shown && !Control(kFilesCheckBox3).checked);
        EXPECT_EQ(Control(kFilesDescription).appended,
                  "Check the items that you want to install, then press Continue.\r\n"
                  "They reach the handheld at the next HotSync.\r\n");

        EXPECT_EQ(Section(script), "USERS CHOOSE" + end);
        EXPECT_EQ(Section(script), "README" + end);
        LoadTextBlock(script, kReadmeText);
        EXPECT_EQ(Control(kReadmeText).appended, "Thank you for installing Sample Tools.\r\n"
                                                 "Start it from the handheld's application launcher.\r\n");
        EXPECT_EQ(Section(script), "");
    }
}

TEST(SectionTests, CompareExactlyTheKeywordsLength)
{
    // Which test matches: L(ICENSE), F(ILES), U(SER), R(EADME), or none.
    struct { const char* line; char matches; } cases[] = {
        {"LICENSE\r\n", 'L'}, {"license", 'L'}, {"LICENS\r\n", '-'}, {" LICENSE", '-'},
        {"Files to install", 'F'}, {"FILE\n", '-'}, {"USERS CHOOSE", 'U'}, {"usEr", 'U'},
        {"USE", '-'}, {"README\r\n", 'R'}, {"ReadMeToo", 'R'}, {"", '-'}, {"\x1A", '-'},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsLicenseSection(c.line), c.matches == 'L') << c.line;
        EXPECT_EQ(IsFilesSection(c.line), c.matches == 'F') << c.line;
        EXPECT_EQ(IsUserSection(c.line), c.matches == 'U') << c.line;
        EXPECT_EQ(IsReadmeSection(c.line), c.matches == 'R') << c.line;
    }
}

TEST_F(InstallScript, LinesLongerThanTheBufferAreReadInParts)
{
    std::string fits(kScriptLineBytes - 2, 'a');      // 1,997 characters and LF: one read
    std::string split(kScriptLineBytes + 1, 'b');     // 2,000 characters: 1,998 and the rest
    ScriptStream script = OnDisk(fits + "\n" + split + "\r\n");
    EXPECT_EQ(Section(script), fits + "\n");
    EXPECT_EQ(Section(script), std::string(kScriptLineBytes - 1, 'b'));
    EXPECT_EQ(Section(script), "bb\r\n");

    ResetFakePageControls();
    LoadTextBlock(OnDisk(split + "\n.\n"), kReadmeText);
    EXPECT_EQ(Control(kReadmeText).appended, std::string(kScriptLineBytes - 1, 'b') + "\r\nbb\r\n");

    char untouched[kScriptLineBytes] = "kept";
    EXPECT_EQ(ReadSectionLine(ScriptStream{nullptr, 0}, untouched), -1);
    EXPECT_STREQ(untouched, "kept");
}

TEST_F(InstallScript, TextBlockEndsOnlyAtADotAndItsLineEnd)
{
    struct { std::string script; std::string shown; std::string next; } cases[] = {
        {". \n..\n.x\n.\nREADME\n", ". \r\n..\r\n.x\r\n", "README\n"},
        {"a\r\n\r\nb\r\n.\r\nREADME\r\n", "a\r\n\r\nb\r\n", "README\r\n"},
        {"a\n.\rUSER\nREADME\n", "a\r\n", "README\n"}, // a CR is no line end for the read
        {"a\n.", "a\r\n.\r\n", ""},                    // no line end: text, and the stream ends
        {"no terminator\nat all", "no terminator\r\nat all\r\n", ""},
        {"", "", ""},
    };
    for (const auto& c : cases) {
        ResetFakePageControls();
        ScriptStream script = OnDisk(c.script);
        LoadTextBlock(script, kLicenseText);
        EXPECT_EQ(Control(kLicenseText).appended, c.shown) << c.script;
        EXPECT_EQ(Control(kLicenseText).scrolledLines, -500);
        EXPECT_EQ(Section(script), c.next) << c.script;
    }
}

TEST_F(InstallScript, FilesSectionEntriesAndPathLines)
{
    // Seven entries: the seventh and its path line begin the description.
    std::string seven;
    for (int i = 1; i <= 7; i++)
        seven += "+entry" + std::to_string(i) + "\r\npath" + std::to_string(i) + "\r\n";
    ReadFilesSection(OnDisk(seven + ".\r\n"));
    EXPECT_EQ(gState.fileCount, 6);
    EXPECT_STREQ(gState.files[5].path, "path6\r\n");
    EXPECT_EQ(Control(kFilesCheckBox6).text, "entry6");
    EXPECT_EQ(Control(kFilesDescription).appended, "+entry7\r\npath7\r\n");

    // All "!": selected, nothing shown. No entries: the command line's files go.
    ResetFakePageControls();
    ReadFilesSection(OnDisk("!a\na.prc\n!\nb.pdb\nWords\n.\n"));
    EXPECT_EQ(gState.fileCount, 2);
    EXPECT_FALSE(gState.entryVisible);
    EXPECT_TRUE(gState.files[0].selected && gState.files[1].selected);
    EXPECT_EQ(gFakePages.controls.size(), 1u);
    ReadFilesSection(OnDisk("Description only\n.\n"));
    EXPECT_EQ(gState.fileCount, 0);
    EXPECT_FALSE(gState.entryVisible);

    // An empty label is still shown; a "-" box is left as the page has it.
    ResetFakePageControls();
    ReadFilesSection(OnDisk("-\nx\n.\n"));
    EXPECT_TRUE(Control(kFilesCheckBox1).shown);
    EXPECT_EQ(Control(kFilesCheckBox1).text, "");
    EXPECT_TRUE(gState.entryVisible);
}

TEST_F(InstallScript, PathLinesHoldAtMost254Characters)
{
    std::string fits(kFilePathChars - 3, 'p');  // 252 and CR LF: 254 in one read
    std::string cut(kFilePathChars - 2, 'q');   // 253 and CR: the LF is left over
    ReadFilesSection(OnDisk("*a\r\n" + fits + "\r\n*b\r\n" + cut + "\r\n*c\r\nc\r\n.\r\n"));
    EXPECT_EQ(gState.files[0].path, fits + "\r\n");
    EXPECT_EQ(gState.files[1].path, cut + "\r");
    // The leftover LF lacks a marker: it begins the description.
    EXPECT_EQ(gState.fileCount, 2);
    EXPECT_EQ(Control(kFilesDescription).appended, "\r\n*c\r\nc\r\n");

    // A missing path line at the end of the stream: the slot keeps its path.
    strcpy(gState.files[0].path, "from the command line");
    ReadFilesSection(OnDisk("+last"));
    EXPECT_EQ(gState.fileCount, 1);
    EXPECT_STREQ(gState.files[0].path, "from the command line");
}

TEST_F(InstallScript, AnEmbeddedScriptEndsAtItsBound)
{
    // A block without its terminator stops at the bound, its last line cut there.
    ScriptStream block = Embedded("README\r\nline one\r\nline two");
    EXPECT_EQ(Section(block), "README\r\n");
    LoadTextBlock(block, kReadmeText);
    EXPECT_EQ(Control(kReadmeText).appended, "line one\r\nline two\r\n");
    EXPECT_EQ(Section(block), "");

    // A missing path line is not taken from the bytes after the script.
    strcpy(gState.files[0].path, "kept.prc");
    ReadFilesSection(Embedded("+Label\r\n", "secret.prc\r\n.\r\n"));
    EXPECT_EQ(gState.fileCount, 1);
    EXPECT_STREQ(gState.files[0].path, "kept.prc");
    EXPECT_EQ(Control(kFilesDescription).appended, "");

    // A last section line without a line end ends at the bound, and so does
    // everything read after it, though the executable goes on.
    ScriptStream last = Embedded("USER\r\nREADME", "SECRET\r\n.\r\n");
    EXPECT_EQ(Section(last), "USER\r\n");
    EXPECT_EQ(Section(last), "README");
    ResetFakePageControls();
    LoadTextBlock(last, kReadmeText);
    EXPECT_EQ(Control(kReadmeText).appended, "");
    EXPECT_EQ(Section(last), "");

    // Entry lines and a Ctrl-Z inside the script are ordinary bytes.
    ReadFilesSection(Embedded("*A\r\na.prc\r\n\x1A+B", "\r\nb.prc\r\n"));
    EXPECT_EQ(gState.fileCount, 1);
    EXPECT_EQ(Control(kFilesDescription).appended, "\x1A+B\r\n");
}

} // namespace
