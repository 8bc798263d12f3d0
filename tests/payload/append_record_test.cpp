// Appending: the names stored, the refusals, and failures that must leave
// the executable exactly as it was.
#include "payload_test_files.h"

#include <climits>

namespace {

// The boxes shown since the last reset, as "caption: text".
std::vector<std::string> Boxes()
{
    std::vector<std::string> boxes;
    for (const RecordedMessageBox& box : gFake.messageBoxes)
        boxes.push_back(box.caption + ": " + box.text);
    return boxes;
}

} // namespace

TEST_F(PayloadTest, AppendNamesTheRecordByTheLastPathComponent)
{
    const std::string name255(255, 'n'), extension19 = "a." + std::string(18, 'x');
    const std::pair<std::string, std::string> cases[] = {
        {"C:\\a\\b\\name.ext", "name.ext"}, {"d:name.prc", "name.prc"}, {"fwd/sub/Mixed.PDB", "Mixed.PDB"},
        {"back\\slash/x.prc", "x.prc"}, {"noextension", "noextension"},
        {"dir.with.a.much.too.long.extension/a.prc", "a.prc"}, // only the last component has one
        {name255, name255}, {extension19, extension19},         // the longest allowed
    };
    WriteBytes("setup.exe", "MZ");
    for (const auto& [path, name] : cases) {
        std::filesystem::path folder = std::filesystem::path(path).parent_path();
        if (!folder.empty())
            std::filesystem::create_directories(folder);
        WriteBytes(path, "data of " + name);
        ASSERT_EQ(AppendPayloadRecord("setup.exe", path.c_str()), 0) << path;
        EXPECT_EQ(FoundData("setup.exe", name), "data of " + name);
    }
    EXPECT_TRUE(gFake.messageBoxes.empty());
}

TEST_F(PayloadTest, AppendRefusesWithoutWritingAnything)
{
    WriteBytes("setup.exe", "MZ image");
    WriteBytes("input.prc", "input");
    std::filesystem::create_directories("folder.exe");
    const struct {
        const char* executable;
        std::string input;
        const char* box;
    } cases[] = {
        {"setup.exe", std::string(256, 'n'), "Append Error: Input file name is too long"},
        {"setup.exe", "C:\\dir\\a." + std::string(19, 'x'), "Append Error: Input file name is too long"},
        {"setup.exe", "missing.prc", "Append Error: Cannot open input file for read"},
        {"setup.exe", "", "Append Error: Cannot open input file for read"},
        {"absent.exe", "input.prc", "Append Error: Cannot open executable file for write"},
        {"folder.exe", "input.prc", "Append Error: Cannot open executable file for write"},
    };
    for (const auto& c : cases) {
        ResetFakePlatform();
        EXPECT_EQ(AppendPayloadRecord(c.executable, c.input.c_str()), -1) << c.input;
        EXPECT_EQ(Boxes(), std::vector<std::string>{c.box}) << c.input;
    }
    EXPECT_EQ(ReadBytes("setup.exe"), "MZ image");
    EXPECT_FALSE(std::filesystem::exists("absent.exe"));
}

TEST_F(PayloadTest, FailedWriteCutsTheExecutableBack)
{
    const std::string image = Bytes(65536, 6), input = Bytes(262144, 7);
    WriteBytes("input.prc", input);
    // Inside the data; inside the fields after it, failing at the final flush.
    for (rlim_t limit : {image.size() + 1000, image.size() + input.size() + 5}) {
        ResetFakePlatform();
        WriteBytes("setup.exe", image);
        {
            FileSizeLimit full(limit);
            EXPECT_EQ(AppendPayloadRecord("setup.exe", "input.prc"), -1) << limit;
        }
        EXPECT_TRUE(ReadBytes("setup.exe") == image) << limit;
        EXPECT_EQ(Boxes(), std::vector<std::string>{"Append Error: Cannot write to executable file"});
    }
}

TEST_F(PayloadTest, AppendCopiesTheMeasuredSizeAndStaysBelowTwoGibibytes)
{
    const std::string image = Bytes(20000, 3);
    WriteBytes("setup.exe", image);
    ASSERT_EQ(AppendPayloadRecord("setup.exe", "setup.exe"), 0); // to itself: its earlier bytes, once
    EXPECT_EQ(std::filesystem::file_size("setup.exe"), 2 * image.size() + 14 + 10);
    EXPECT_TRUE(FoundData("setup.exe", "SETUP.EXE") == image);

    // Sparse executables, whose length costs no disk; "in.prc" with 10 bytes
    // makes a 31-byte record.
    WriteBytes("in.prc", "0123456789");
    ASSERT_EQ(truncate("setup.exe", INT_MAX - 30), 0);
    EXPECT_EQ(AppendPayloadRecord("setup.exe", "in.prc"), -1);
    EXPECT_EQ(std::filesystem::file_size("setup.exe"), INT_MAX - 30u);
    EXPECT_EQ(Boxes(), std::vector<std::string>{"Append Error: Cannot write to executable file"});

    ASSERT_EQ(truncate("setup.exe", INT_MAX - 31), 0);
    EXPECT_EQ(AppendPayloadRecord("setup.exe", "in.prc"), 0);
    EXPECT_EQ(FoundData("setup.exe", "in.prc"), "0123456789");
    StripPayloadRecords("setup.exe");
    EXPECT_EQ(std::filesystem::file_size("setup.exe"), INT_MAX - 31u);
}
