// The payload record chain: finding, appending and stripping records.
#include "payload/payload_archive.h"

#include "unit_test.h"

// The data a lookup finds, or "(none)"; a size written on none fails.
static std::string Found(const char* path, const char* name)
{
    int32_t size = -7;
    FILE* record = FindPayloadRecord(path, name, &size);
    if (!record)
        return size == -7 ? "(none)" : "(size written)";
    std::string data(static_cast<size_t>(size), '\0');
    data.resize(fread(data.data(), 1, data.size(), record));
    fclose(record);
    return data;
}

TEST_F(UnitTest, ChainsAreWalkedFromTheEndAndDamageStopsTheWalk)
{
    const std::string image = "MZ the program image";
    const std::string two = image + Record("alpha", "a.prc") + Record("script", "install.ini");
    const size_t kAll = std::string::npos;
    // The file, the name looked up, the data found, the length stripping leaves.
    const std::tuple<std::string, const char*, const char*, size_t> cases[] = {
        {two, "INSTALL.ini", "script", image.size()},
        {two, "a.prc", "alpha", image.size()},
        {two, "b.prc", "(none)", image.size()},
        {two, "dir\\a.prc", "(none)", image.size()},
        {image + Record("old", "x") + Record("new", "x"), "x", "new", image.size()},
        {image + Record("old", "x") + Record("", "x"), "x", "old", image.size()}, // size 0 is never found
        {image, "x", "(none)", kAll},
        {"ETag", "x", "(none)", kAll},
        // Damaged: name length 0, name length 257, data before the file's start,
        // and behind a good last record a tag with no record.
        {image + Record("d", 1, "", 0), "", "(none)", kAll},
        {image + Record("d", 1, std::string(257, 'n'), 257), "x", "(none)", kAll},
        {image + Record("d", 99, std::string("x\0", 2), 2), "x", "(none)", kAll},
        {image + "junk ETag" + Record("last", "l"), "l", "last", kAll},
    };
    for (const auto& [bytes, name, found, strippedLength] : cases) {
        WriteBytes("setup.exe", bytes);
        EXPECT_EQ(Found("setup.exe", name), found) << bytes;
        StripPayloadRecords("setup.exe");
        EXPECT_EQ(ReadBytes("setup.exe"), bytes.substr(0, strippedLength)) << bytes;
    }
}

// An image of 80,384 bytes and three records make a file of 492,788 bytes,
// the last record laid out byte for byte; stripping gives the image back.
TEST_F(UnitTest, ThreeAppendedRecordsAreLaidOutExactlyAndStripBack)
{
    const std::string image(80384, 'i'), tools(346166, 't'), help(59490, 'h'), script(6669, 's');
    WriteBytes("setup.exe", image);
    for (const auto& [input, data] : {std::pair("./tools11.prc", tools), {"./helpdb12.pdb", help}, {"./install.ini", script}}) {
        WriteBytes(input, data);
        ASSERT_EQ(AppendPayloadRecord("setup.exe", input), kAppended) << input;
    }
    const std::string bytes = ReadBytes("setup.exe");
    ASSERT_EQ(bytes.size(), 492788u);
    EXPECT_EQ(bytes.substr(492762), std::string("\x0D\x1A\0\0install.ini\0\x0C\0\x1F\x1A\0\0ETag", 26));
    EXPECT_TRUE(bytes == image + Record(tools, "tools11.prc") + Record(help, "helpdb12.pdb") + Record(script, "install.ini"));
    EXPECT_EQ(Found("setup.exe", "Install.ini"), script);
    StripPayloadRecords("setup.exe");
    EXPECT_EQ(ReadBytes("setup.exe"), image);
}

TEST_F(UnitTest, AppendSaysWhyItFailedAndLeavesTheExecutableAsItWas)
{
    const std::string image = "MZ image";
    const std::string name255(255, 'n');
    // The input appended to setup.exe, the result, and the size past which
    // writes fail, as on a full disk. A missing input or executable is start-up's.
    const std::tuple<std::string, int, rlim_t> cases[] = {
        {"in.abcdefghijklmnopqr", kAppended, RLIM_INFINITY}, // an extension of 19 characters
        {"in.abcdefghijklmnopqrs", kAppendNameTooLong, RLIM_INFINITY},
        {name255, kAppended, RLIM_INFINITY},
        {name255 + "n", kAppendNameTooLong, RLIM_INFINITY},
        {"in.prc", kAppendCannotWrite, image.size() + 12},
        {"setup.exe", kAppended, RLIM_INFINITY}, // its earlier content, once
    };
    for (const auto& [input, expected, fileSizeLimit] : cases) {
        WriteBytes("setup.exe", image);
        if (input != "setup.exe")
            WriteBytes(input, "database bytes");
        const std::string data = ReadBytes(input);
        LimitFileSize(fileSizeLimit);
        int result = AppendPayloadRecord("setup.exe", input.c_str());
        LimitFileSize(RLIM_INFINITY);
        EXPECT_EQ(result, expected) << input;
        EXPECT_EQ(ReadBytes("setup.exe"), result == kAppended ? image + Record(data, input) : image) << input;
    }
}
