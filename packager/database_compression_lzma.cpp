// Compressing with liblzma: LZMA1 without an end marker (the record states the
// size), as strong as liblzma codes, trying a few literal and position
// settings on databases small enough for that to be quick.
#include "packager/database_compression.h"

#include "payload/compressed_record.h"
#include "platform/files.h"

#include <lzma.h>

const bool kCanCompressDatabases = true;

namespace {

// The usual setting (lc 3, lp 0, pb 2) first, then those that suit text,
// bitmaps and PIM records better: measured on tools/make_bench_databases.py's
// databases they come within 0.2% of trying every setting.
constexpr unsigned kSettings[] = {(2 * 5 + 0) * 9 + 3, (1 * 5 + 0) * 9 + 4, (0 * 5 + 0) * 9 + 3, (1 * 5 + 0) * 9 + 2};

// Larger databases get the usual setting alone, and only after their first
// bytes have shown that compressing pays: coding a large database that does
// not compress would take minutes for nothing.
constexpr int64_t kTrialBytes = int64_t{4} << 20;

bool SavesEnough(int64_t compressed, int64_t size) { return compressed * 8 <= size * 7; }

// Codes count bytes from input's current position with the LZMA settings
// properties, writing the stream to out (when given). Returns the stream's
// length, or -1 when a read or write failed.
int64_t CodeStream(FILE* input, int64_t count, unsigned properties, FILE* out)
{
    lzma_options_lzma options;
    lzma_lzma_preset(&options, 9 | LZMA_PRESET_EXTREME);
    // No larger than the bytes coded: the coder's memory grows with it, and
    // a match never reaches before the first byte anyway.
    options.dict_size = LZMA_DICT_SIZE_MIN;
    while (options.dict_size < count && options.dict_size < kLzmaWindowBytes)
        options.dict_size *= 2;
    options.lc = properties % 9;
    options.lp = properties / 9 % 5;
    options.pb = properties / 45;
    options.ext_flags = 0; // no end marker
    lzma_filter filters[] = {{LZMA_FILTER_LZMA1EXT, &options}, {LZMA_VLI_UNKNOWN, nullptr}};
    lzma_stream stream = LZMA_STREAM_INIT;
    if (lzma_raw_encoder(&stream, filters) != LZMA_OK)
        return -1;

    static uint8_t in[65536], coded[65536];
    int64_t left = count, length = 0;
    lzma_action action = LZMA_RUN;
    lzma_ret result = LZMA_OK;
    while (result == LZMA_OK) {
        if (stream.avail_in == 0 && action == LZMA_RUN) {
            size_t want = left < int64_t{sizeof in} ? static_cast<size_t>(left) : sizeof in;
            if (fread(in, 1, want, input) != want)
                break;
            left -= static_cast<int64_t>(want);
            stream.next_in = in;
            stream.avail_in = want;
            action = left == 0 ? LZMA_FINISH : LZMA_RUN;
        }
        stream.next_out = coded;
        stream.avail_out = sizeof coded;
        result = lzma_code(&stream, action);
        size_t made = sizeof coded - stream.avail_out;
        if (out && fwrite(coded, 1, made, out) != made)
            break;
        length += static_cast<int64_t>(made);
    }
    lzma_end(&stream);
    return result == LZMA_STREAM_END ? length : -1;
}

// The length of the stream of the whole database with properties, coded
// without keeping it; -1 when the database cannot be read.
int64_t MeasureStream(FILE* input, int64_t size, unsigned properties)
{
    return fseek(input, 0, SEEK_SET) == 0 ? CodeStream(input, size, properties, nullptr) : -1;
}

// Writes the compressed record's data with properties to compressedPath. Returns
// its length, or -1 when a read or write failed.
int64_t WriteCompressed(FILE* input, int64_t size, unsigned properties, const char* compressedPath)
{
    FILE* out = fopen(compressedPath, "wb");
    if (!out)
        return -1;
    unsigned char header[kCompressedHeaderBytes];
    PutCompressedHeader(header, static_cast<uint32_t>(size), properties);
    int64_t length = fwrite(header, 1, sizeof header, out) == sizeof header && fseek(input, 0, SEEK_SET) == 0
        ? CodeStream(input, size, properties, out) : -1;
    bool closed = fclose(out) == 0;
    return length >= 0 && closed ? int64_t{kCompressedHeaderBytes} + length : -1;
}

// The setting to compress with: for a small database the best of kSettings,
// for a large one the usual one once a trial on its first bytes saved
// enough. Returns 1 with the setting, 0 when compressing does not pay, -1 when
// the database cannot be read.
int ChooseSetting(FILE* input, int64_t size, unsigned* chosen)
{
    *chosen = kSettings[0];
    if (size > kTrialBytes) {
        int64_t trial = MeasureStream(input, kTrialBytes, *chosen);
        return trial < 0 ? -1 : SavesEnough(trial, kTrialBytes) ? 1 : 0;
    }
    int64_t best = -1;
    for (unsigned properties : kSettings) {
        int64_t length = MeasureStream(input, size, properties);
        if (length < 0)
            return -1;
        if (best < 0 || length < best) {
            best = length;
            *chosen = properties;
        }
    }
    return SavesEnough(int64_t{kCompressedHeaderBytes} + best, size) ? 1 : 0;
}

} // namespace

CompressOutcome CompressDatabase(const char* inputPath, int64_t size, const char* compressedPath)
{
    DeleteFileOnly(compressedPath);
    if (size <= 0 || size > INT32_MAX)
        return CompressOutcome::kKeepRaw;
    FILE* input = fopen(inputPath, "rb");
    if (!input)
        return CompressOutcome::kFailed;
    unsigned setting;
    int chosen = ChooseSetting(input, size, &setting);
    // A large database was judged by its first bytes: its whole record must
    // still save enough.
    int64_t length = chosen == 1 ? WriteCompressed(input, size, setting, compressedPath) : 0;
    fclose(input);
    CompressOutcome outcome = chosen < 0 || length < 0 ? CompressOutcome::kFailed
        : chosen == 1 && SavesEnough(length, size) ? CompressOutcome::kCompressed : CompressOutcome::kKeepRaw;
    if (outcome != CompressOutcome::kCompressed)
        DeleteFileOnly(compressedPath);
    return outcome;
}
