// The measuring inflater's interface, shaped as the LZMA decoder's.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

struct InflateHuffman {
    uint16_t count[16];
    uint16_t symbol[288];
};

struct InflateWorkspace {
    InflateHuffman lengths;
    InflateHuffman distances;
    unsigned char input[16384];
    unsigned char window[32768];
};

using InflateSink = int (*)(void* context, const unsigned char* bytes, size_t count);

enum class InflateResult { kDone, kDamaged, kSinkFailed };

InflateResult Inflate(FILE* from, uint32_t codedSize, uint32_t originalSize, InflateWorkspace* workspace,
                      InflateSink sink, void* context);
