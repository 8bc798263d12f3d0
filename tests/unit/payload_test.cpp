// The payload index and archive: finding, extracting, appending and
// stripping records, and whether an installer arrived whole.
#include "payload/payload_archive.h"

#include "unit_test.h"

// The data a lookup finds, or "(none)".
static std::string Found(const char* path, const char* name)
{
    Payload payload;
    OpenPayload(path, false, &payload);
    const PayloadRecord* record = FindPayloadRecord(payload, name);
    std::string data = record ? std::string(static_cast<size_t>(record->size), '\0') : "(none)";
    if (record)
        data.resize(ReadPayloadBytes(payload, *record, 0, data.data(), data.size()));
    ClosePayload(&payload);
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
        StripPayloadRecords("setup.exe", true);
        EXPECT_EQ(ReadBytes("setup.exe"), bytes.substr(0, strippedLength)) << bytes;
    }
}

// An image of 80,384 bytes and three records make a file of 492,788 bytes,
// the last record laid out byte for byte; an extraction writes a whole copy
// or leaves the earlier file as it was; stripping gives the image back.
TEST_F(UnitTest, ThreeAppendedRecordsAreLaidOutExactlyAndStripBack)
{
    const std::string image(80384, 'i'), tools(346166, 't'), help(59490, 'h'), script(6669, 's');
    WriteBytes("setup.exe", image);
    for (const auto& [input, data] : {std::pair("./tools11.prc", tools), {"./helpdb12.pdb", help}, {"./install.ini", script}}) {
        WriteBytes(input, data);
        ASSERT_EQ(AppendPayloadRecord("setup.exe", input).fault, PayloadFault::kNone) << input;
    }
    const std::string bytes = ReadBytes("setup.exe");
    ASSERT_EQ(bytes.size(), 492788u);
    EXPECT_EQ(bytes.substr(492762), std::string("\x0D\x1A\0\0install.ini\0\x0C\0\x1F\x1A\0\0ETag", 26));
    EXPECT_TRUE(bytes == image + Record(tools, "tools11.prc") + Record(help, "helpdb12.pdb") + Record(script, "install.ini"));
    EXPECT_EQ(Found("setup.exe", "Install.ini"), script);

    Payload payload;
    OpenPayload("setup.exe", false, &payload);
    const PayloadRecord& record = *FindPayloadRecord(payload, "tools11.prc");
    WriteBytes("out.prc", "earlier");
    for (rlim_t fileSizeLimit : {rlim_t{100000}, RLIM_INFINITY}) {
        LimitFileSize(fileSizeLimit);
        PayloadFault fault = ExtractPayloadRecord(payload, record, "out.prc").fault;
        LimitFileSize(RLIM_INFINITY);
        EXPECT_EQ(std::pair(fault, ReadBytes("out.prc")),
                  std::pair(fileSizeLimit == RLIM_INFINITY ? PayloadFault::kNone : PayloadFault::kCannotWrite,
                            fileSizeLimit == RLIM_INFINITY ? tools : "earlier"));
    }
    EXPECT_EQ(ExtractPayloadRecord(payload, record, "no/such/folder.prc").fault, PayloadFault::kCannotCreate);
    ClosePayload(&payload);
    StripPayloadRecords("setup.exe", true);
    EXPECT_EQ(ReadBytes("setup.exe"), image);
}

TEST_F(UnitTest, AppendSaysWhyItFailedAndLeavesTheExecutableAsItWas)
{
    const std::string image = "MZ image";
    const std::string name255(255, 'n');
    // The input appended to setup.exe, the outcome, and the size past which
    // writes fail, as on a full disk. What is appended is found again.
    const std::tuple<std::string, PayloadFault, rlim_t> cases[] = {
        {"in.abcdefghijklmnopqr", PayloadFault::kNone, RLIM_INFINITY}, // an extension of 19 characters
        {"in.abcdefghijklmnopqrs", PayloadFault::kNameTooLong, RLIM_INFINITY},
        {name255, PayloadFault::kNone, RLIM_INFINITY},
        {name255 + "n", PayloadFault::kNameTooLong, RLIM_INFINITY},
        {"in.prc", PayloadFault::kCannotWrite, image.size() + 12},
        {"setup.exe", PayloadFault::kNone, RLIM_INFINITY}, // its earlier content, once
        {"missing.prc", PayloadFault::kCannotReadInput, RLIM_INFINITY},
    };
    for (const auto& [input, expected, fileSizeLimit] : cases) {
        WriteBytes("setup.exe", image);
        if (input != "setup.exe" && input != "missing.prc")
            WriteBytes(input, "database bytes");
        const std::string data = ReadBytes(input);
        LimitFileSize(fileSizeLimit);
        PayloadFault fault = AppendPayloadRecord("setup.exe", input.c_str()).fault;
        LimitFileSize(RLIM_INFINITY);
        EXPECT_EQ(fault, expected) << input;
        bool appended = fault == PayloadFault::kNone;
        EXPECT_EQ(ReadBytes("setup.exe"), appended ? image + Record(data, input) : image) << input;
        EXPECT_EQ(Found("setup.exe", input.c_str()), appended ? data : "(none)") << input;
    }
}

// A chain that does not begin exactly where the program image ends was cut
// short or sent into the image by a damaged size, and is never cut; signing
// pads an installer that -a made before its table, and the chain is found in
// front of both; a directory 4 that names no whole table ending the file is
// damage, not a signature.
TEST_F(UnitTest, AnInstallerIsWholeWhenItsChainLeadsBackToTheImageEnd)
{
    const std::string record = Record("alpha", "a.prc"), installer = PeImage() + record;
    std::string covered = installer; // directory 4 over the record, as if it were a table
    covered.replace(0xD8, 8, LittleEndian(1024, 4) + LittleEndian(static_cast<uint32_t>(record.size()), 4));
    // The file; the data found, whether it is damaged, what stripping it gives.
    const std::tuple<std::string, std::string, bool, PayloadFault> cases[] = {
        {installer, "alpha", false, PayloadFault::kNone},
        {PeImage(), "(none)", false, PayloadFault::kNone},
        {PeImage() + "lost" + record, "alpha", true, PayloadFault::kDamaged},
        // One flipped bit in the size: the data would start 256 bytes into the image.
        {PeImage() + Record("alpha", 261, std::string("a.prc\0", 6), 6), PeImage().substr(768) + "alpha", true,
         PayloadFault::kDamaged},
        {covered, "alpha", true, PayloadFault::kNone},
        {installer.substr(0, installer.size() - 1), "(none)", true, PayloadFault::kNone},
        {Signed(installer), "alpha", false, PayloadFault::kSigned},
        {Signed(PeImage() + "lost" + record), "alpha", true, PayloadFault::kSigned},
    };
    for (const auto& [bytes, found, damaged, stripped] : cases) {
        WriteBytes("setup.exe", bytes);
        Payload payload;
        ASSERT_EQ(OpenPayload("setup.exe", false, &payload).fault, PayloadFault::kNone);
        EXPECT_EQ(payload.damaged, damaged) << bytes.size();
        ClosePayload(&payload);
        EXPECT_EQ(Found("setup.exe", "a.prc"), found) << bytes.size();
        EXPECT_EQ(StripPayloadRecords("setup.exe", true).fault, stripped) << bytes.size();
        EXPECT_EQ(AppendPayloadRecord("setup.exe", "setup.exe").fault == PayloadFault::kSigned,
                  stripped == PayloadFault::kSigned) << bytes.size();
    }
}
