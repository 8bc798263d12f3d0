// The bench's native helper: codes a database as a compressed record's data
// (header and LZMA stream, the usual settings, no end marker) whatever it
// saves, which vantrel-pack build never does for a database that saves less
// than an eighth; the bench times installing such a record.
//   code_record <database> <record data out>
#include "payload/compressed_record.h"

#include <lzma.h>

#include <vector>

int main(int argc, char** argv)
{
    FILE* in = argc == 3 ? fopen(argv[1], "rb") : nullptr;
    FILE* out = in ? fopen(argv[2], "wb") : nullptr;
    if (!out) {
        fprintf(stderr, "usage: code_record <database> <record data out>\n");
        return 2;
    }
    std::vector<uint8_t> database;
    uint8_t buffer[65536];
    for (size_t got; (got = fread(buffer, 1, sizeof buffer, in)) > 0;)
        database.insert(database.end(), buffer, buffer + got);
    // Speed over size: a database that barely compresses codes alike at any level.
    lzma_options_lzma options;
    lzma_lzma_preset(&options, 0);
    options.dict_size = kLzmaWindowBytes;
    options.ext_flags = 0;
    lzma_filter filters[] = {{LZMA_FILTER_LZMA1EXT, &options}, {LZMA_VLI_UNKNOWN, nullptr}};
    std::vector<uint8_t> coded(database.size() + database.size() / 16 + 65536);
    size_t codedSize = 0;
    if (lzma_raw_buffer_encode(filters, nullptr, database.data(), database.size(), coded.data(), &codedSize,
                               coded.size()) != LZMA_OK) {
        fprintf(stderr, "code_record: liblzma could not code %s\n", argv[1]);
        return 1;
    }
    unsigned char header[kCompressedHeaderBytes];
    PutCompressedHeader(header, static_cast<uint32_t>(database.size()), (2 * 5 + 0) * 9 + 3);
    bool written = fwrite(header, 1, sizeof header, out) == sizeof header
        && fwrite(coded.data(), 1, codedSize, out) == codedSize;
    return fclose(out) == 0 && written ? 0 : 1;
}
