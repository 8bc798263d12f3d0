// The LZMA decoder: a range decoder over buffered file reads, and the
// literal, match and repeat decoding into a circular window that is handed
// to the sink each time it fills.
#include "payload/lzma_decoder.h"

#include <cstring>

namespace {

constexpr unsigned kProbabilityBits = 11;
constexpr LzmaProbability kProbabilityHalf = 1 << (kProbabilityBits - 1);
constexpr unsigned kAdaptShift = 5;
constexpr uint32_t kRangeTop = uint32_t{1} << 24;
constexpr unsigned kFirstMatchState = 7;
constexpr uint32_t kMatchMinLength = 2;
constexpr unsigned kFirstSpecialSlot = 4;
constexpr unsigned kFirstAlignedSlot = 14;
constexpr unsigned kAlignBits = 4;

struct Decoder {
    FILE* from;
    uint32_t codedLeft;      // coded bytes not yet read from the file
    const unsigned char* in; // next unread byte of the input buffer
    const unsigned char* inEnd;
    bool damaged;            // the coded bytes ran out or contradict themselves
    bool cannotRead;
    uint32_t range;
    uint32_t code;
    LzmaWorkspace* workspace;
    uint32_t windowAt;       // where the next byte goes in the window
    uint32_t flushedTo;      // window bytes before this went to the sink
    uint32_t produced;       // bytes decoded so far
    bool wrapped;            // the window has been filled once, so all of it is history
    LzmaSink sink;
    void* context;
    bool sinkFailed;
};

// Refills the input buffer and gives its first byte. Past the coded bytes
// (or a failed read) it marks the stream damaged and gives 0, and the
// decoding stops at its next check.
unsigned char Refill(Decoder* d)
{
    size_t want = d->codedLeft < kLzmaInputBytes ? d->codedLeft : kLzmaInputBytes;
    size_t got = want > 0 ? fread(d->workspace->input, 1, want, d->from) : 0;
    if (got != want || want == 0) {
        d->cannotRead = got != want;
        d->damaged = true;
        return 0;
    }
    d->codedLeft -= static_cast<uint32_t>(got);
    d->in = d->workspace->input;
    d->inEnd = d->in + got;
    return *d->in++;
}

// The bit decoding below is inlined into every loop that runs it: a call
// per bit would cost more than the bit itself, on a slow machine most.
[[gnu::always_inline]] inline unsigned char NextByte(Decoder* d)
{
    return d->in != d->inEnd ? *d->in++ : Refill(d);
}

[[gnu::always_inline]] inline void Normalize(Decoder* d)
{
    if (d->range < kRangeTop) {
        d->range <<= 8;
        d->code = (d->code << 8) | NextByte(d);
    }
}

[[gnu::always_inline]] inline unsigned DecodeBit(Decoder* d, LzmaProbability* probability)
{
    uint32_t bound = (d->range >> kProbabilityBits) * *probability;
    unsigned bit;
    if (d->code < bound) {
        d->range = bound;
        *probability += ((1 << kProbabilityBits) - *probability) >> kAdaptShift;
        bit = 0;
    } else {
        d->range -= bound;
        d->code -= bound;
        *probability -= *probability >> kAdaptShift;
        bit = 1;
    }
    Normalize(d);
    return bit;
}

// The same, out of line, for the decisions taken once per symbol.
[[gnu::noinline]] unsigned DecodeChoice(Decoder* d, LzmaProbability* probability)
{
    return DecodeBit(d, probability);
}

// count bits of equal probability, most significant first.
uint32_t DecodeDirectBits(Decoder* d, unsigned count)
{
    uint32_t value = 0;
    while (count-- > 0) {
        d->range >>= 1;
        uint32_t bit = d->code >= d->range;
        d->code -= d->range & (0u - bit);
        value = (value << 1) | bit;
        Normalize(d);
    }
    return value;
}

// count bits through a binary tree of probabilities, most significant first.
uint32_t DecodeTree(Decoder* d, LzmaProbability* probabilities, unsigned count)
{
    uint32_t node = 1;
    for (unsigned i = 0; i < count; i++)
        node = (node << 1) | DecodeBit(d, &probabilities[node]);
    return node - (uint32_t{1} << count);
}

// As DecodeTree, least significant bit first.
uint32_t DecodeReverseTree(Decoder* d, LzmaProbability* probabilities, unsigned count)
{
    uint32_t node = 1;
    uint32_t value = 0;
    for (unsigned i = 0; i < count; i++) {
        unsigned bit = DecodeBit(d, &probabilities[node]);
        node = (node << 1) | bit;
        value |= bit << i;
    }
    return value;
}

// A match length less the minimum: 0 to 271.
uint32_t DecodeLength(Decoder* d, LzmaLengthProbabilities* p, unsigned positionState)
{
    if (DecodeChoice(d, &p->choice) == 0)
        return DecodeTree(d, p->low[positionState], 3);
    if (DecodeChoice(d, &p->choice2) == 0)
        return 8 + DecodeTree(d, p->middle[positionState], 3);
    return 16 + DecodeTree(d, p->high, 8);
}

// A match distance less one, for a match of length (less the minimum).
uint32_t DecodeDistance(Decoder* d, LzmaProbabilities* p, uint32_t length)
{
    unsigned slot = DecodeTree(d, p->distanceSlot[length < 3 ? length : 3], 6);
    if (slot < kFirstSpecialSlot)
        return slot;
    unsigned directBits = (slot >> 1) - 1;
    uint32_t distance = (2 | (slot & 1)) << directBits;
    if (slot < kFirstAlignedSlot)
        return distance + DecodeReverseTree(d, p->distanceSpecial + distance - slot, directBits);
    distance += DecodeDirectBits(d, directBits - kAlignBits) << kAlignBits;
    return distance + DecodeReverseTree(d, p->distanceAlign, kAlignBits);
}

// The byte distance + 1 back in the output; the caller has checked that
// the output reaches that far back.
unsigned char WindowByte(const Decoder* d, uint32_t distance)
{
    uint32_t back = distance + 1;
    uint32_t at = d->windowAt >= back ? d->windowAt - back : d->windowAt + kLzmaWindowBytes - back;
    return d->workspace->window[at];
}

void Flush(Decoder* d)
{
    uint32_t count = d->windowAt - d->flushedTo;
    if (count > 0 && d->sink(d->context, d->workspace->window + d->flushedTo, count) != 0)
        d->sinkFailed = true;
    d->flushedTo = d->windowAt;
}

// Counts count bytes just placed at the window's end as output; a full
// window goes to the sink and starts again at its beginning.
void Advance(Decoder* d, uint32_t count)
{
    d->windowAt += count;
    d->produced += count;
    if (d->windowAt == kLzmaWindowBytes) {
        Flush(d);
        d->windowAt = 0;
        d->flushedTo = 0;
        d->wrapped = true;
    }
}

void PutByte(Decoder* d, unsigned char byte)
{
    d->workspace->window[d->windowAt] = byte;
    Advance(d, 1);
}

// Repeats the length bytes that start distance + 1 back, in runs that stop
// where the window or the source wraps; the caller has checked both bounds.
void CopyMatch(Decoder* d, uint32_t distance, uint32_t length)
{
    unsigned char* window = d->workspace->window;
    while (length > 0) {
        uint32_t back = distance + 1;
        uint32_t from = d->windowAt >= back ? d->windowAt - back : d->windowAt + kLzmaWindowBytes - back;
        uint32_t run = kLzmaWindowBytes - (from > d->windowAt ? from : d->windowAt);
        run = run < length ? run : length;
        // A source that overlaps the run repeats it: forwards, byte by byte,
        // or, for the runs of one byte that fill much of many databases,
        // at once.
        if (back == 1) {
            memset(window + d->windowAt, window[from], run);
        } else {
            for (uint32_t i = 0; i < run; i++)
                window[d->windowAt + i] = window[from + i];
        }
        Advance(d, run);
        length -= run;
    }
}

// Whether the output already reaches distance + 1 bytes back.
bool ReachesBack(const Decoder* d, uint32_t distance)
{
    return distance < (d->wrapped ? kLzmaWindowBytes : d->windowAt);
}

void DecodeLiteral(Decoder* d, unsigned state, uint32_t rep0, unsigned literalContext, unsigned literalPosition)
{
    unsigned previous = d->produced > 0 ? WindowByte(d, 0) : 0;
    unsigned context = ((d->produced & ((1u << literalPosition) - 1)) << literalContext)
        + (previous >> (8 - literalContext));
    LzmaProbability* p = d->workspace->probabilities.literal + 0x300 * context;
    unsigned symbol = 1;
    if (state >= kFirstMatchState) {
        // After a match the byte that follows the match's source predicts
        // this one, bit by bit, until they differ.
        unsigned matchByte = WindowByte(d, rep0);
        do {
            unsigned matchBit = (matchByte >> 7) & 1;
            matchByte <<= 1;
            unsigned bit = DecodeBit(d, &p[((1 + matchBit) << 8) + symbol]);
            symbol = (symbol << 1) | bit;
            if (bit != matchBit)
                break;
        } while (symbol < 0x100);
    }
    while (symbol < 0x100)
        symbol = (symbol << 1) | DecodeBit(d, &p[symbol]);
    PutByte(d, static_cast<unsigned char>(symbol));
}

void ResetProbabilities(LzmaProbabilities* p)
{
    LzmaProbability* all = reinterpret_cast<LzmaProbability*>(p);
    for (size_t i = 0; i < sizeof *p / sizeof *all; i++)
        all[i] = kProbabilityHalf;
}

// Decodes until originalSize bytes are out or the stream proves damaged.
void DecodeSymbols(Decoder* d, unsigned properties, uint32_t originalSize)
{
    unsigned literalContext = properties % 9;
    unsigned literalPosition = properties / 9 % 5;
    unsigned positionMask = (1u << (properties / 45)) - 1;
    LzmaProbabilities* p = &d->workspace->probabilities;
    unsigned state = 0;
    uint32_t rep0 = 0, rep1 = 0, rep2 = 0, rep3 = 0;

    while (d->produced < originalSize && !d->damaged && !d->sinkFailed) {
        unsigned positionState = d->produced & positionMask;
        if (DecodeBit(d, &p->isMatch[state][positionState]) == 0) {
            DecodeLiteral(d, state, rep0, literalContext, literalPosition);
            state = state < 4 ? 0 : state < 10 ? state - 3 : state - 6;
            continue;
        }
        uint32_t length;
        if (DecodeChoice(d, &p->isRep[state]) == 0) {
            rep3 = rep2;
            rep2 = rep1;
            rep1 = rep0;
            length = DecodeLength(d, &p->matchLength, positionState);
            state = state < kFirstMatchState ? 7 : 10;
            rep0 = DecodeDistance(d, p, length);
        } else {
            if (DecodeChoice(d, &p->isRepG0[state]) == 0) {
                if (DecodeChoice(d, &p->isRep0Long[state][positionState]) == 0) {
                    // One byte from the last distance.
                    if (!ReachesBack(d, rep0)) {
                        d->damaged = true;
                        break;
                    }
                    state = state < kFirstMatchState ? 9 : 11;
                    PutByte(d, WindowByte(d, rep0));
                    continue;
                }
            } else {
                uint32_t distance;
                if (DecodeChoice(d, &p->isRepG1[state]) == 0) {
                    distance = rep1;
                } else {
                    if (DecodeChoice(d, &p->isRepG2[state]) == 0) {
                        distance = rep2;
                    } else {
                        distance = rep3;
                        rep3 = rep2;
                    }
                    rep2 = rep1;
                }
                rep1 = rep0;
                rep0 = distance;
            }
            length = DecodeLength(d, &p->repeatLength, positionState);
            state = state < kFirstMatchState ? 8 : 11;
        }
        // The end marker (distance 0xFFFFFFFF) lands here too: it never
        // reaches back, and this coder's streams end by their size.
        length += kMatchMinLength;
        if (!ReachesBack(d, rep0) || length > originalSize - d->produced) {
            d->damaged = true;
            break;
        }
        CopyMatch(d, rep0, length);
    }
}

} // namespace

LzmaResult DecodeLzma(FILE* from, uint32_t codedSize, unsigned properties, uint32_t originalSize,
                      LzmaWorkspace* workspace, LzmaSink sink, void* context)
{
    Decoder d = {};
    d.from = from;
    d.codedLeft = codedSize;
    d.workspace = workspace;
    d.sink = sink;
    d.context = context;
    d.range = 0xFFFFFFFFu;
    unsigned literalBits = properties % 9 + properties / 9 % 5;
    if (properties >= 9 * 5 * 5 || literalBits > kLzmaMaxLiteralBits)
        return LzmaResult::kDamaged;
    ResetProbabilities(&workspace->probabilities);

    // The encoder's first byte is always 0; the next four start the code.
    bool damaged = NextByte(&d) != 0;
    for (int i = 0; i < 4; i++)
        d.code = (d.code << 8) | NextByte(&d);
    damaged = damaged || d.code == d.range;
    if (!damaged && !d.damaged)
        DecodeSymbols(&d, properties, originalSize);
    if (!d.damaged && !d.sinkFailed)
        Flush(&d);

    if (d.cannotRead)
        return LzmaResult::kCannotRead;
    if (d.sinkFailed)
        return LzmaResult::kSinkFailed;
    // A whole stream ends with its code at 0 and its last coded byte read.
    bool whole = !damaged && !d.damaged && d.produced == originalSize && d.code == 0 && d.codedLeft == 0
        && d.in == d.inEnd;
    return whole ? LzmaResult::kDone : LzmaResult::kDamaged;
}
