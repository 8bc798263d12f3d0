// The argument parser and the option handling, on the cases where plain
// substring search and the quoting rules surprise, and at every limit.
#include "driver/command_line.h"

#include "driver/install_state.h"
#include "fakes/fake_platform.h"
#include "fakes/scratch_folder.h"

#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace {

std::vector<std::string> Targets()
{
    std::vector<std::string> names;
    for (int i = 0; i < gState.targetCount; i++)
        names.push_back(gState.targets[i].name);
    return names;
}

std::vector<std::string> SelectedFiles()
{
    std::vector<std::string> paths;
    for (int i = 0; i < gState.fileCount; i++)
        paths.push_back(gState.files[i].selected ? gState.files[i].path : "(unselected)");
    return paths;
}

std::string Handle(const std::string& commandLine, StartUpValues* values)
{
    ResetFakePlatform();
    gState.targetCount = gState.fileCount = 1;  // the handling starts from empty lists
    HandleOptions(commandLine.c_str(), values);
    return values->scriptName;
}

std::string Quoted(const std::string& path)
{
    return "\"" + path + "\"";
}

}  // namespace

TEST(ParseArgument, QuotingBlanksAndContinuation)
{
    struct Case {
        const char* text;
        size_t capacity;
        const char* argument;
        bool fits;
        const char* rest;  // where the next parse continues
    } cases[] = {
        {" \t Setup.ini rest", 16, "Setup.ini", true, " rest"},
        {"\"b c.pdb\" x", 16, "b c.pdb", true, " x"},
        {"\"unterminated rest", 32, "unterminated rest", true, ""},
        {"a\"b\"c d", 16, "a\"b\"c", true, " d"},    // inner quotes stay
        {"C:\\dir\\\" x", 16, "C:\\dir\\\"", true, " x"},  // no escapes
        {"\"C:\\dir\\\" x", 16, "C:\\dir\\", true, " x"},
        {"a\tb", 16, "a", true, "\tb"},             // ends at any white space
        {" \t", 16, "", true, ""},
        {"\"\"x", 16, "", true, "x"},
        // Four bytes hold three characters; a cut still continues correctly.
        {"abc d", 4, "abc", true, " d"},
        {"abcd e", 4, "abc", false, " e"},
        {"\"ab cd\" e", 4, "ab ", false, " e"},
    };
    for (const Case& c : cases) {
        char destination[32];
        bool fits = !c.fits;
        const char* next = ParseArgument(destination, c.capacity, c.text, &fits);
        EXPECT_STREQ(destination, c.argument) << c.text;
        EXPECT_EQ(fits, c.fits) << c.text;
        EXPECT_STREQ(next, c.rest) << c.text;
    }
}

TEST(CommandLine, QuietIsABlankDashQAnywhere)
{
    for (auto [line, quiet] : std::vector<std::pair<const char*, bool>>{
             {"v.exe -q", true}, {"v.exe -s -qx", true}, {"-q", false},
             {"v.exe\t-q", false}, {"v.exe -Q", false}, {"v.exe", false}}) {
        ResetFakePlatform();
        ReadQuietOption(line);
        EXPECT_EQ(gState.quiet, quiet) << line;
    }
}

TEST(CommandLine, OptionsAreFoundBySubstringSearch)
{
    struct Case {
        const char* line;
        const char* script;
        std::vector<std::string> targets;
        std::vector<std::string> files;
    } cases[] = {
        {"v.exe -u \"Jane Doe\" -u Bob -f a.prc -f \"b c.pdb\"", "Install.ini",
         {"Jane Doe", "Bob"}, {"a.prc", "b c.pdb"}},
        {"v.exe -sSetup.ini -s Other.ini", "Setup.ini", {}, {}},
        {"v.exe -s Setup.ini", "Setup.ini", {}, {}},
        {"v.exe -s", "", {}, {}},
        {"v.exe\t-u Bob -U Ann -f", "Install.ini", {}, {""}},
        {"\"C:\\my -u dir\\v.exe\" -f x", "Install.ini", {"dir\\v.exe\""}, {"x"}},
        // The next search starts after the three characters, not the argument.
        {"v.exe -u \" -u Ann\"", "Install.ini", {" -u Ann", "Ann\""}, {}},
        {"v.exe -u -u x", "Install.ini", {"-u", "x"}, {}},
    };
    for (const Case& c : cases) {
        StartUpValues values;
        EXPECT_EQ(Handle(c.line, &values), c.script) << c.line;
        EXPECT_EQ(Targets(), c.targets) << c.line;
        EXPECT_EQ(SelectedFiles(), c.files) << c.line;
        EXPECT_FALSE(values.abortRun) << c.line;
    }
}

TEST(CommandLine, NamesAreCutAndExtrasIgnoredAtTheLimits)
{
    StartUpValues values;
    std::string n99(99, 'n');
    EXPECT_EQ(Handle("v.exe -s " + n99 + "x -u " + n99 + " -u " + n99 + "y", &values), n99);
    EXPECT_EQ(Targets(), (std::vector<std::string>{n99, n99}));

    std::string line = "v.exe";
    std::vector<std::string> expected;
    for (int i = 0; i < 26; i++) {
        line += " -u U" + std::to_string(i);
        if (i < 25)
            expected.push_back("U" + std::to_string(i));
    }
    Handle(line, &values);
    EXPECT_EQ(Targets(), expected);

    // A 256-character path is skipped, not cut: the next path takes its slot.
    std::string p255(255, 'p');
    Handle("v.exe -f " + p255 + "x -f " + p255 + " -f 2 -f 3 -f 4 -f 5 -f 6 -f 7", &values);
    EXPECT_EQ(SelectedFiles(), (std::vector<std::string>{p255, "2", "3", "4", "5", "6"}));
}

// The packaging modes work on real files in a temporary folder.
class Packaging : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_FALSE(root.empty()); }

    // A new path below root of exactly length characters (nested folders
    // fill it up).
    std::string PathOfLength(size_t length)
    {
        std::string path = root + "/" + std::to_string(made++);
        for (; path.size() + 1 + 100 < length; path += "/" + std::string(60, 'd'))
            mkdir(path.c_str(), 0700);
        mkdir(path.c_str(), 0700);
        return path + "/" + std::string(length - path.size() - 1, 'f');
    }

    ScratchFolder scratch;
    const std::string root = scratch.Path();
    int made = 0;
};

TEST_F(Packaging, ModesWorkOnRealFilesAndAbort)
{
    const std::string image = "MZ image";
    std::string exe = root + "/set up.exe";
    std::string input = root + "/in put.prc";
    WriteBytes(exe, image);
    WriteBytes(input, "data");
    WriteBytes(root + "/foo.prc", "more");

    // The second argument is parsed from just past the first closing quote.
    StartUpValues values;
    Handle("v.exe -a " + Quoted(exe) + Quoted(input), &values);
    EXPECT_TRUE(values.abortRun);
    EXPECT_EQ(ReadBytes(exe), image + "data" + std::string("\4\0\0\0in put.prc\0\13\0\25\0\0\0ETag", 25));

    // Stripping comes first, so foo.prc is left as the only record.
    StartUpValues both;
    Handle("v.exe -r " + Quoted(exe) + " -a " + Quoted(exe) + " " + root + "/foo.prc", &both);
    EXPECT_TRUE(both.abortRun);
    EXPECT_EQ(ReadBytes(exe), image + "more" + std::string("\4\0\0\0foo.prc\0\10\0\22\0\0\0ETag", 22));
}

TEST_F(Packaging, NeverUsesACutPath)
{
    // Were a 256-character path cut, it would name these 255-character files,
    // which are used whole when named exactly.
    std::string exe = PathOfLength(255);
    std::string input = PathOfLength(255);
    WriteBytes(exe, "MZ image");
    WriteBytes(input, "data");
    StartUpValues values;
    Handle("v.exe -a " + exe + " " + input, &values);
    const std::string before = ReadBytes(exe);
    ASSERT_EQ(before.substr(before.size() - 4), "ETag");

    struct Case {
        std::string line;
        const char* text;  // the box shown, or none
    } cases[] = {
        {"v.exe -a " + exe, "Cannot open input file for read"},  // input empty
        {"v.exe -a " + exe + " " + input + "x", "Cannot open input file for read"},
        {"v.exe -a " + exe + "x " + input, "Cannot open executable file for write"},
        {"v.exe -r " + exe + "x", nullptr},
    };
    for (const Case& c : cases) {
        StartUpValues fresh;
        Handle(c.line, &fresh);
        EXPECT_TRUE(fresh.abortRun) << c.line;
        if (c.text) {
            ASSERT_EQ(gFake.messageBoxes.size(), 1u) << c.line;
            EXPECT_EQ(gFake.messageBoxes[0].text, c.text);
            EXPECT_EQ(gFake.messageBoxes[0].caption, "Append Error");
        } else {
            EXPECT_TRUE(gFake.messageBoxes.empty()) << c.line;
        }
        EXPECT_EQ(ReadBytes(exe), before) << c.line;
    }
    Handle("v.exe -r " + exe, &values);
    EXPECT_EQ(ReadBytes(exe), "MZ image");
}
