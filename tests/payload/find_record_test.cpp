// Lookups and stripping over well-formed and damaged record chains.
#include "payload_test_files.h"

using namespace std::string_literals;

TEST_F(PayloadTest, WorkedExampleIsByteExactAndStripsBackToTheImage)
{
    const std::string image = Bytes(80384, 1), script = Bytes(6669, 4);
    WriteBytes("setup.exe", image);
    WriteBytes("convert.prc", Bytes(346166, 2));  // names of 11, 12 and 11 characters
    WriteBytes("contacts.pdb", Bytes(59490, 3));
    WriteBytes("install.ini", script);
    const std::pair<const char*, uintmax_t> appends[] = {
        {"convert.prc", 426576}, {"contacts.pdb", 486093}, {"install.ini", 492788}};
    for (const auto& [input, length] : appends) {
        ASSERT_EQ(AppendPayloadRecord("setup.exe", input), 0);
        EXPECT_EQ(std::filesystem::file_size("setup.exe"), length);
    }
    EXPECT_TRUE(ReadBytes("setup.exe").substr(486093)
                == script + "\x0D\x1A\0\0"s + "install.ini\0"s + "\x0C\0"s + "\x1F\x1A\0\0"s + "ETag");

    int32_t size = 0;
    FILE* found = FindPayloadRecord("setup.exe", "Install.ini", &size);
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(ftell(found), 486093);
    EXPECT_EQ(size, 6669);
    fclose(found);
    EXPECT_TRUE(FoundData("setup.exe", "CONVERT.prc") == Bytes(346166, 2));

    StripPayloadRecords("setup.exe");
    EXPECT_TRUE(ReadBytes("setup.exe") == image);
    EXPECT_TRUE(gFake.messageBoxes.empty());
}

TEST_F(PayloadTest, LookupMatchesWholeNamesBlindToCaseAndTheLastRecordWins)
{
    WriteBytes("setup.exe", "MZ image");
    std::filesystem::create_directories("one");
    std::filesystem::create_directories("two");
    const std::pair<const char*, const char*> appends[] = {
        {"one/install.ini", "script"}, {"one/dup.prc", "older"}, {"two/dup.prc", "newer"},
        {"one/empty.pdb", "earlier"}, {"two/empty.pdb", ""},
    };
    for (const auto& [path, data] : appends) {
        WriteBytes(path, data);
        ASSERT_EQ(AppendPayloadRecord("setup.exe", path), 0) << path;
    }
    const std::pair<const char*, const char*> lookups[] = {
        {"Install.ini", "script"}, {"INSTALL.INI", "script"},
        {"setup\\install.ini", "(none)"}, {"one/install.ini", "(none)"}, // stored names hold no folder
        {"install.in", "(none)"}, {"install.ini ", "(none)"}, {"", "(none)"},
        {"dup.prc", "newer"}, {"EMPTY.pdb", "earlier"}, // an empty record is passed over
    };
    for (const auto& [name, data] : lookups)
        EXPECT_EQ(FoundData("setup.exe", name), data) << name;

    StripPayloadRecords("setup.exe");
    EXPECT_EQ(ReadBytes("setup.exe"), "MZ image");
}

TEST_F(PayloadTest, DamagedChainEndsTheLookupAndIsNeverCut)
{
    const std::string image = Bytes(500, 5), good = Record("good data", "good.prc");
    const size_t kKept = SIZE_MAX; // stripping must leave the file as it is
    const struct {
        const char* what;
        std::string file;
        const char* name;
        const char* found;
        size_t strippedLength;
    } cases[] = {
        {"no tag at the end", image, "good.prc", "(none)", kKept},
        {"no room for a record", "xxETag", "good.prc", "(none)", kKept},
        {"name length 0", image + good + Record("bad", 3, "", 0), "good.prc", "(none)", kKept},
        {"name length 257", image + good + Record("b", 1, std::string(257, 'n'), 257), "good.prc", "(none)", kKept},
        {"largest size", image + good + Record("bad", 0xFFFFFFFF, "bad.prc\0"s, 8), "good.prc", "(none)", kKept},
        {"data one byte before the start", Record("bad", 4, "bad.prc\0"s, 8), "bad.prc", "(none)", kKept},
        {"data at the very start", Record("fine", "fine.prc"), "fine.prc", "fine", 0},
        {"damage before a good record", image + Record("bad", 3, "", 0) + good, "good.prc", "good data", kKept},
        {"size 0 is passed over", image + good + Record("", 0, "good.prc\0"s, 9), "good.prc", "good data", 500},
    };
    for (const auto& c : cases) {
        WriteBytes("archive.exe", c.file);
        EXPECT_EQ(FoundData("archive.exe", c.name), c.found) << c.what;
        StripPayloadRecords("archive.exe");
        EXPECT_EQ(std::filesystem::file_size("archive.exe"), c.strippedLength == kKept ? c.file.size() : c.strippedLength)
            << c.what;
    }
    EXPECT_EQ(FoundData("missing.exe", "good.prc"), "(none)");
    EXPECT_EQ(gFake.truncations.size(), 2u); // only where a whole chain was found
}
