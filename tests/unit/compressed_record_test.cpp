// Compressed records: the LZMA decoder against streams liblzma codes, whole,
// cut, padded, corrupt or stated at the wrong size, and the record names.
#include "payload/compressed_record.h"

#include "unit_test.h"

#include <lzma.h>

namespace {

constexpr unsigned kUsualProperties = (2 * 5 + 0) * 9 + 3; // lc 3, lp 0, pb 2

std::string Encode(const std::string& input, unsigned lc = 3, unsigned lp = 0)
{
    lzma_options_lzma options;
    lzma_lzma_preset(&options, 6);
    options.dict_size = kLzmaWindowBytes;
    options.lc = lc;
    options.lp = lp;
    options.ext_flags = 0;
    lzma_filter filters[] = {{LZMA_FILTER_LZMA1EXT, &options}, {LZMA_VLI_UNKNOWN, nullptr}};
    std::string coded(input.size() + input.size() / 2 + 1024, '\0');
    size_t size = 0;
    EXPECT_EQ(lzma_raw_buffer_encode(filters, nullptr, reinterpret_cast<const uint8_t*>(input.data()), input.size(),
                                     reinterpret_cast<uint8_t*>(coded.data()), &size, coded.size()),
              LZMA_OK);
    coded.resize(size);
    return coded;
}

// What the decoder handed over, and whether it ever broke its bounds.
struct Collected {
    std::string bytes;
    size_t stated = 0;
    bool pastStated = false;
    bool chunkTooLarge = false;
    bool fail = false;
};

int Collect(void* context, const unsigned char* bytes, size_t count)
{
    Collected* c = static_cast<Collected*>(context);
    c->pastStated |= c->bytes.size() + count > c->stated;
    c->chunkTooLarge |= count > kLzmaWindowBytes;
    c->bytes.append(reinterpret_cast<const char*>(bytes), count);
    return c->fail ? -1 : 0;
}

} // namespace

TEST_F(UnitTest, LzmaStreamsDecodeToExactlyTheirStatedSizeOrAreDamaged)
{
    // Over two windows, with matches reaching back across the window's wrap.
    std::string block;
    for (uint32_t i = 0, s = 1; i < 300000; i++, s = s * 1103515245 + 12345)
        block += static_cast<char>(s >> 24);
    std::string big;
    while (big.size() < 2 * kLzmaWindowBytes + 12345)
        big += block.substr(big.size() % 7000, 280000) + "a seam";
    big.insert(kLzmaWindowBytes - 1000, 3000, 'z'); // a run of one byte across the wrap
    const std::string text = "Palm OS databases compress well, Palm OS databases compress well.";
    const std::string coded = Encode(big), small = Encode(text);
    std::string flipped = coded;
    flipped[coded.size() / 2] ^= 0x10;
    std::string nonZeroStart = small;
    nonZeroStart[0] = 1;
    const uint32_t kWhole = ~0u;

    struct Case {
        const char* why;
        std::string file;      // the bytes at the record's position
        uint32_t codedSize;    // kWhole: all of file
        unsigned properties;
        uint32_t stated;
        bool sinkFails;
        LzmaResult result;
    } cases[] = {
        {"whole, across the window's wrap", coded, kWhole, kUsualProperties, uint32_t(big.size()), false, LzmaResult::kDone},
        {"stated one short", coded, kWhole, kUsualProperties, uint32_t(big.size() - 1), false, LzmaResult::kDamaged},
        {"stated one long", small, kWhole, kUsualProperties, uint32_t(text.size() + 1), false, LzmaResult::kDamaged},
        {"stream cut by its record", small, uint32_t(small.size() - 1), kUsualProperties, uint32_t(text.size()), false, LzmaResult::kDamaged},
        {"a byte after the stream", small + 'x', kWhole, kUsualProperties, uint32_t(text.size()), false, LzmaResult::kDamaged},
        {"file ends before the record", small, uint32_t(small.size() + 9), kUsualProperties, uint32_t(text.size()), false, LzmaResult::kCannotRead},
        {"one bit flipped", flipped, kWhole, kUsualProperties, uint32_t(big.size()), false, LzmaResult::kDamaged},
        {"first byte not 0", nonZeroStart, kWhole, kUsualProperties, uint32_t(text.size()), false, LzmaResult::kDamaged},
        {"properties past pb 4", small, kWhole, 225, uint32_t(text.size()), false, LzmaResult::kDamaged},
        {"lc + lp over 4", small, kWhole, (2 * 5 + 1) * 9 + 4, uint32_t(text.size()), false, LzmaResult::kDamaged},
        {"lc + lp of 4", Encode(text, 2, 2), kWhole, (2 * 5 + 2) * 9 + 2, uint32_t(text.size()), false, LzmaResult::kDone},
        {"sink fails", small, kWhole, kUsualProperties, uint32_t(text.size()), true, LzmaResult::kSinkFailed},
    };
    static LzmaWorkspace workspace;
    for (const Case& c : cases) {
        WriteBytes("record", c.file);
        FILE* file = fopen("record", "rb");
        Collected collected;
        collected.stated = c.stated;
        collected.fail = c.sinkFails;
        uint32_t codedSize = c.codedSize == kWhole ? uint32_t(c.file.size()) : c.codedSize;
        EXPECT_EQ(DecodeLzma(file, codedSize, c.properties, c.stated, &workspace, Collect, &collected), c.result)
            << c.why;
        fclose(file);
        EXPECT_FALSE(collected.pastStated || collected.chunkTooLarge) << c.why;
        EXPECT_TRUE(c.result != LzmaResult::kDone || collected.bytes == (c.stated == big.size() ? big : text))
            << c.why;
    }

    // Bytes read from inside the record: across the first window's end, and
    // running past the record's end.
    unsigned char header[kCompressedHeaderBytes];
    PutCompressedHeader(header, uint32_t(big.size()), kUsualProperties);
    WriteBytes("record", "ahead" + std::string(reinterpret_cast<char*>(header), sizeof header) + coded);
    FILE* file = fopen("record", "rb");
    const int32_t stored = int32_t(sizeof header + coded.size());
    for (size_t offset : {size_t{kLzmaWindowBytes} - 3, big.size() - 4}) {
        char bytes[8] = {};
        size_t read = ReadCompressedRecordBytes(file, 5, stored, int32_t(offset), bytes, sizeof bytes);
        EXPECT_EQ(std::string(bytes, read), big.substr(offset, 8)) << offset;
    }
    fclose(file);
}

TEST_F(UnitTest, CompressedRecordsAreNamedAndHeadedSoThatNoFileNameCanPassForOne)
{
    char compressed[kRecordNameChars + 1];
    const std::string longest(kRecordNameChars - strlen(kCompressedRecordPrefix), 'n');
    EXPECT_EQ(MakeCompressedRecordName(longest.c_str(), compressed), 0);
    EXPECT_STREQ(CompressedDatabaseName(compressed), longest.c_str());
    EXPECT_EQ(MakeCompressedRecordName((longest + "n").c_str(), compressed), -1);
    EXPECT_STREQ(compressed, "");
    EXPECT_EQ(CompressedDatabaseName("tools.prc"), nullptr);
    EXPECT_EQ(CompressedDatabaseName("VANTREL\\LZMA\\tools.prc"), nullptr); // written by the packager only, exactly

    // The header's stated size: 0 and 2 GiB are refused, as is a record too
    // short for a header and the shortest stream.
    const std::string text = "a database's bytes, a database's bytes";
    const std::string stream = Encode(text);
    unsigned char header[kCompressedHeaderBytes];
    const std::tuple<uint32_t, std::string, LzmaResult> cases[] = {
        {uint32_t(text.size()), stream, LzmaResult::kDone},
        {0, stream, LzmaResult::kDamaged},
        {0x80000000u, stream, LzmaResult::kDamaged},
        {uint32_t(text.size()), stream.substr(0, 4), LzmaResult::kDamaged},
    };
    static LzmaWorkspace workspace;
    for (const auto& [stated, coded, result] : cases) {
        PutCompressedHeader(header, stated, kUsualProperties);
        WriteBytes("record", std::string(reinterpret_cast<char*>(header), sizeof header) + coded);
        FILE* file = fopen("record", "rb");
        Collected collected;
        collected.stated = stated;
        EXPECT_EQ(DecodeCompressedRecord(file, int32_t(sizeof header + coded.size()), &workspace, Collect, &collected), result)
            << stated;
        fclose(file);
        EXPECT_TRUE(result != LzmaResult::kDone || collected.bytes == text);
    }
}
