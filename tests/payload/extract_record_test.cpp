// Extracting a record: a whole copy, or an empty file that cannot pass for one.
#include "payload_test_files.h"

TEST_F(PayloadTest, ExtractWritesTheWholeRecordOrLeavesAnEmptyFile)
{
    const std::string data = Bytes(100000, 8);
    WriteBytes("setup.exe", "MZ image");
    WriteBytes("db.prc", data);
    ASSERT_EQ(AppendPayloadRecord("setup.exe", "db.prc"), 0);
    EXPECT_EQ(ExtractPayloadRecord("setup.exe", "DB.prc", "out.prc"), 0);
    EXPECT_TRUE(ReadBytes("out.prc") == data);

    const struct {
        const char* what;
        const char* archive;
        const char* name;
        rlim_t room; // as on a nearly full disk
    } failures[] = {
        {"absent record", "setup.exe", "other.prc", RLIM_INFINITY},
        {"absent archive", "missing.exe", "db.prc", RLIM_INFINITY},
        {"short write", "setup.exe", "db.prc", 4096},
    };
    for (const auto& f : failures) {
        WriteBytes("stale.prc", "stale content");
        {
            FileSizeLimit full(f.room);
            EXPECT_EQ(ExtractPayloadRecord(f.archive, f.name, "stale.prc"), -1) << f.what;
        }
        EXPECT_TRUE(std::filesystem::exists("stale.prc")) << f.what;
        EXPECT_EQ(std::filesystem::file_size("stale.prc"), 0u) << f.what;
    }
    EXPECT_EQ(ExtractPayloadRecord("setup.exe", "db.prc", "no/folder/out.prc"), -1);
}
