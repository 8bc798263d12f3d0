// Measures the coders an installer could pack its databases with: for each
// file, the bytes LZMA (liblzma, the best of a few literal/position
// settings) and deflate (zlib, libdeflate, zopfli) make of it, each
// decoded again by the decoder the installer would carry and compared with
// the original. Prints one row per file and the totals.
//   measure_coders FILE...
#include "payload/lzma_decoder.h"
#include "tools/coders/inflate.h"

#include <libdeflate.h>
#include <lzma.h>
#include <zlib.h>
#include <zopfli/zopfli.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

Bytes ReadAll(const char* path)
{
    Bytes bytes;
    FILE* file = fopen(path, "rb");
    if (!file)
        return bytes;
    unsigned char buffer[65536];
    size_t got;
    while ((got = fread(buffer, 1, sizeof buffer, file)) > 0)
        bytes.insert(bytes.end(), buffer, buffer + got);
    fclose(file);
    return bytes;
}

int AppendToBytes(void* context, const unsigned char* bytes, size_t count)
{
    static_cast<Bytes*>(context)->insert(static_cast<Bytes*>(context)->end(), bytes, bytes + count);
    return 0;
}

// The coded bytes in a scratch file, positioned at their start, as a record is.
FILE* AsFile(const Bytes& coded)
{
    FILE* file = tmpfile();
    fwrite(coded.data(), 1, coded.size(), file);
    rewind(file);
    return file;
}

Bytes LzmaEncode(const Bytes& input, unsigned lc, unsigned lp, unsigned pb)
{
    lzma_options_lzma options;
    lzma_lzma_preset(&options, 9 | LZMA_PRESET_EXTREME);
    uint32_t dictionary = 4096;
    while (dictionary < input.size() && dictionary < kLzmaWindowBytes)
        dictionary <<= 1;
    options.dict_size = dictionary;
    options.lc = lc;
    options.lp = lp;
    options.pb = pb;
    options.ext_flags = 0; // no end marker: the record states the size
    lzma_filter filters[] = {{LZMA_FILTER_LZMA1EXT, &options}, {LZMA_VLI_UNKNOWN, nullptr}};
    Bytes coded(input.size() + input.size() / 2 + 4096);
    size_t written = 0;
    if (lzma_raw_buffer_encode(filters, nullptr, input.data(), input.size(), coded.data(), &written, coded.size())
        != LZMA_OK) {
        fprintf(stderr, "lzma: encoding failed\n");
        exit(1);
    }
    coded.resize(written);
    return coded;
}

bool LzmaRoundTrip(const Bytes& input, const Bytes& coded, unsigned properties)
{
    static LzmaWorkspace workspace;
    Bytes output;
    FILE* file = AsFile(coded);
    LzmaResult result = DecodeLzma(file, static_cast<uint32_t>(coded.size()), properties,
                                   static_cast<uint32_t>(input.size()), &workspace, AppendToBytes, &output);
    fclose(file);
    return result == LzmaResult::kDone && output == input;
}

bool InflateRoundTrip(const Bytes& input, const Bytes& coded)
{
    static InflateWorkspace workspace;
    Bytes output;
    FILE* file = AsFile(coded);
    InflateResult result = Inflate(file, static_cast<uint32_t>(coded.size()), static_cast<uint32_t>(input.size()),
                                   &workspace, AppendToBytes, &output);
    fclose(file);
    return result == InflateResult::kDone && output == input;
}

Bytes ZlibDeflate(const Bytes& input)
{
    z_stream stream = {};
    deflateInit2(&stream, 9, Z_DEFLATED, -15, 9, Z_DEFAULT_STRATEGY);
    Bytes coded(deflateBound(&stream, input.size()));
    stream.next_in = const_cast<unsigned char*>(input.data());
    stream.avail_in = static_cast<uInt>(input.size());
    stream.next_out = coded.data();
    stream.avail_out = static_cast<uInt>(coded.size());
    deflate(&stream, Z_FINISH);
    coded.resize(stream.total_out);
    deflateEnd(&stream);
    return coded;
}

Bytes LibdeflateDeflate(const Bytes& input)
{
    libdeflate_compressor* compressor = libdeflate_alloc_compressor(12);
    Bytes coded(libdeflate_deflate_compress_bound(compressor, input.size()));
    coded.resize(libdeflate_deflate_compress(compressor, input.data(), input.size(), coded.data(), coded.size()));
    libdeflate_free_compressor(compressor);
    return coded;
}

Bytes ZopfliDeflate(const Bytes& input)
{
    ZopfliOptions options;
    ZopfliInitOptions(&options);
    options.numiterations = 60;
    unsigned char* out = nullptr;
    size_t size = 0;
    ZopfliCompress(&options, ZOPFLI_FORMAT_DEFLATE, input.data(), input.size(), &out, &size);
    Bytes coded(out, out + size);
    free(out);
    return coded;
}

} // namespace

int main(int argc, char** argv)
{
    // What a packed record adds before the coded bytes: the original size,
    // and for LZMA its properties byte.
    const size_t kLzmaHeader = 5, kDeflateHeader = 4;
    size_t totals[6] = {};
    printf("%-20s %9s %9s %9s %9s %9s %9s  %s\n", "file", "raw", "lzma", "lzma-302", "zlib-9", "libdefl-12",
           "zopfli", "best lc/lp/pb");
    for (int i = 1; i < argc; i++) {
        Bytes input = ReadAll(argv[i]);
        Bytes best;
        unsigned bestProperties = 0;
        for (unsigned lc = 0; lc <= 4; lc++) {
            for (unsigned lp = 0; lc + lp <= 4 && lp <= 2; lp++) {
                for (unsigned pb = 0; pb <= 2; pb++) {
                    Bytes coded = LzmaEncode(input, lc, lp, pb);
                    if (best.empty() || coded.size() < best.size()) {
                        best = coded;
                        bestProperties = (pb * 5 + lp) * 9 + lc;
                    }
                }
            }
        }
        Bytes usual = LzmaEncode(input, 3, 0, 2);
        Bytes deflated[3] = {ZlibDeflate(input), LibdeflateDeflate(input), ZopfliDeflate(input)};
        bool good = LzmaRoundTrip(input, best, bestProperties) && LzmaRoundTrip(input, usual, (2 * 5 + 0) * 9 + 3);
        for (const Bytes& coded : deflated)
            good = good && InflateRoundTrip(input, coded);
        if (!good) {
            fprintf(stderr, "%s: a decoder did not give the original back\n", argv[i]);
            return 1;
        }
        size_t row[6] = {input.size(), best.size() + kLzmaHeader, usual.size() + kLzmaHeader,
                         deflated[0].size() + kDeflateHeader, deflated[1].size() + kDeflateHeader,
                         deflated[2].size() + kDeflateHeader};
        const char* name = strrchr(argv[i], '/') ? strrchr(argv[i], '/') + 1 : argv[i];
        printf("%-20s", name);
        for (int c = 0; c < 6; c++) {
            printf(" %9zu", row[c]);
            totals[c] += row[c];
        }
        printf("  %u/%u/%u\n", bestProperties % 9, bestProperties / 9 % 5, bestProperties / 45);
    }
    printf("%-20s", "total");
    for (size_t total : totals)
        printf(" %9zu", total);
    printf("\n");
    return 0;
}
