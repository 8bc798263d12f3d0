// Decodes a raw LZMA stream (the coder that compresses databases in an
// installer) from an open file to a sink, in chunks, with a fixed amount of
// memory. The output must come to exactly the size the record states: a
// stream that would stop short of it or run past it is damaged, and no byte
// past that size is ever handed to the sink.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

// The window that matches may reach back into, and so the largest
// dictionary a compressed record may be coded with.
constexpr uint32_t kLzmaWindowBytes = uint32_t{1} << 20;

// Literal context and position bits together; more would need more
// probabilities than the workspace holds (the same bound as LZMA2's).
constexpr unsigned kLzmaMaxLiteralBits = 4;

constexpr size_t kLzmaInputBytes = 16384;

// The coder's states (what the last symbols were) and, at pb 4, its
// position states.
constexpr unsigned kLzmaStates = 12;
constexpr unsigned kLzmaPositionStates = 16;

// A probability of the range coder: 11 bits, in 16.
using LzmaProbability = uint16_t;

// Lengths of matches: a choice between three ranges of lengths, the low and
// middle ones per position state.
struct LzmaLengthProbabilities {
    LzmaProbability choice;
    LzmaProbability choice2;
    LzmaProbability low[kLzmaPositionStates][8];
    LzmaProbability middle[kLzmaPositionStates][8];
    LzmaProbability high[256];
};

struct LzmaProbabilities {
    LzmaProbability isMatch[kLzmaStates][kLzmaPositionStates];
    LzmaProbability isRep[kLzmaStates];
    LzmaProbability isRepG0[kLzmaStates];
    LzmaProbability isRepG1[kLzmaStates];
    LzmaProbability isRepG2[kLzmaStates];
    LzmaProbability isRep0Long[kLzmaStates][kLzmaPositionStates];
    LzmaProbability distanceSlot[4][64];
    LzmaProbability distanceSpecial[115];
    LzmaProbability distanceAlign[16];
    LzmaLengthProbabilities matchLength;
    LzmaLengthProbabilities repeatLength;
    LzmaProbability literal[0x300 << kLzmaMaxLiteralBits];
};

// All the memory one decoding uses, about 1.05 MiB; the caller provides it
// (static or allocated once) and may reuse it for any number of streams.
struct LzmaWorkspace {
    LzmaProbabilities probabilities;
    unsigned char input[kLzmaInputBytes];
    unsigned char window[kLzmaWindowBytes];
};

// Takes count decoded bytes; returns 0, or -1 to stop the decoding.
using LzmaSink = int (*)(void* context, const unsigned char* bytes, size_t count);

enum class LzmaResult {
    kDone,        // exactly originalSize bytes went to the sink, every coded byte was used
    kDamaged,     // the stream is corrupt or does not decode to exactly originalSize bytes
    kCannotRead,  // the file ended or failed before codedSize bytes were read
    kSinkFailed,  // the sink returned -1
};

// Decodes the codedSize bytes at the current position of from, coded with
// the properties byte (literal context, literal position and position
// bits: (pb * 5 + lp) * 9 + lc), to exactly originalSize bytes, which go to
// sink in order, at most kLzmaWindowBytes at a time. A stream that would
// decode to more is damaged: its bytes past originalSize are never
// produced. On anything but kDone the sink may have had part of the output.
LzmaResult DecodeLzma(FILE* from, uint32_t codedSize, unsigned properties, uint32_t originalSize,
                      LzmaWorkspace* workspace, LzmaSink sink, void* context);
