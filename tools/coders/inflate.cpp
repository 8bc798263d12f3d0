// An inflater written as the installer's would be, for measuring deflate
// against LZMA: streaming from a file through a 32 KB window to a sink,
// never past the stated size, damage reported. Not part of the product.
#include "inflate.h"

namespace {

constexpr unsigned kMaxBits = 15;

using Huffman = InflateHuffman;

struct Inflater {
    FILE* from;
    uint32_t codedLeft;
    const unsigned char* in;
    const unsigned char* inEnd;
    uint32_t bits;
    unsigned bitCount;
    bool damaged;
    InflateWorkspace* w;
    uint32_t windowAt;
    uint32_t flushedTo;
    uint32_t produced;
    bool wrapped;
    uint32_t size;
    InflateSink sink;
    void* context;
    bool sinkFailed;
};

unsigned NextByte(Inflater* s)
{
    if (s->in == s->inEnd) {
        size_t want = s->codedLeft < sizeof s->w->input ? s->codedLeft : sizeof s->w->input;
        size_t got = want > 0 ? fread(s->w->input, 1, want, s->from) : 0;
        if (got == 0) {
            s->damaged = true;
            return 0;
        }
        s->codedLeft -= static_cast<uint32_t>(got);
        s->in = s->w->input;
        s->inEnd = s->in + got;
    }
    return *s->in++;
}

uint32_t Bits(Inflater* s, unsigned count)
{
    while (s->bitCount < count) {
        s->bits |= NextByte(s) << s->bitCount;
        s->bitCount += 8;
    }
    uint32_t value = s->bits & ((1u << count) - 1);
    s->bits >>= count;
    s->bitCount -= count;
    return value;
}

void Flush(Inflater* s)
{
    if (s->windowAt > s->flushedTo && s->sink(s->context, s->w->window + s->flushedTo, s->windowAt - s->flushedTo) != 0)
        s->sinkFailed = true;
    s->flushedTo = s->windowAt;
}

void PutByte(Inflater* s, unsigned char byte)
{
    s->w->window[s->windowAt++] = byte;
    s->produced++;
    if (s->windowAt == sizeof s->w->window) {
        Flush(s);
        s->windowAt = 0;
        s->flushedTo = 0;
        s->wrapped = true;
    }
}

// Decodes one symbol, bit by bit through the canonical code.
int Decode(Inflater* s, const Huffman* h)
{
    int code = 0, first = 0, index = 0;
    for (unsigned length = 1; length <= kMaxBits; length++) {
        code |= static_cast<int>(Bits(s, 1));
        int count = h->count[length];
        if (code - count < first)
            return h->symbol[index + (code - first)];
        index += count;
        first = (first + count) << 1;
        code <<= 1;
    }
    s->damaged = true;
    return 0;
}

// Builds a code from lengths; false when it is over-subscribed.
bool Build(Huffman* h, const uint8_t* lengths, unsigned n)
{
    uint16_t offsets[kMaxBits + 1];
    for (unsigned i = 0; i <= kMaxBits; i++)
        h->count[i] = 0;
    for (unsigned i = 0; i < n; i++)
        h->count[lengths[i]]++;
    int left = 1;
    for (unsigned i = 1; i <= kMaxBits; i++) {
        left = (left << 1) - h->count[i];
        if (left < 0)
            return false;
    }
    offsets[1] = 0;
    for (unsigned i = 1; i < kMaxBits; i++)
        offsets[i + 1] = offsets[i] + h->count[i];
    for (unsigned i = 0; i < n; i++) {
        if (lengths[i])
            h->symbol[offsets[lengths[i]]++] = static_cast<uint16_t>(i);
    }
    return true;
}

const uint16_t kLengthBase[] = {3, 4, 5, 6, 7, 8, 9, 10, 11, 13, 15, 17, 19, 23, 27, 31, 35, 43, 51, 59,
                                67, 83, 99, 115, 131, 163, 195, 227, 258};
const uint8_t kLengthExtra[] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
const uint16_t kDistanceBase[] = {1, 2, 3, 4, 5, 7, 9, 13, 17, 25, 33, 49, 65, 97, 129, 193, 257, 385, 513, 769,
                                  1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
const uint8_t kDistanceExtra[] = {0, 0, 0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6, 7, 7, 8, 8,
                                  9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

bool Codes(Inflater* s, const Huffman* lengthCode, const Huffman* distanceCode)
{
    for (;;) {
        int symbol = Decode(s, lengthCode);
        if (s->damaged || s->sinkFailed)
            return false;
        if (symbol < 256) {
            if (s->produced == s->size)
                return false;
            PutByte(s, static_cast<unsigned char>(symbol));
        } else if (symbol == 256) {
            return true;
        } else {
            symbol -= 257;
            if (symbol >= 29)
                return false;
            uint32_t length = kLengthBase[symbol] + Bits(s, kLengthExtra[symbol]);
            int d = Decode(s, distanceCode);
            if (d >= 30)
                return false;
            uint32_t distance = kDistanceBase[d] + Bits(s, kDistanceExtra[d]);
            if (distance > (s->wrapped ? sizeof s->w->window : s->windowAt) || length > s->size - s->produced)
                return false;
            while (length-- > 0) {
                uint32_t at = s->windowAt >= distance ? s->windowAt - distance
                                                      : s->windowAt + sizeof s->w->window - distance;
                PutByte(s, s->w->window[at]);
            }
        }
    }
}

bool Stored(Inflater* s)
{
    s->bits = 0;
    s->bitCount = 0;
    uint32_t length = Bits(s, 16);
    if (Bits(s, 16) != (~length & 0xFFFF) || length > s->size - s->produced)
        return false;
    while (length-- > 0 && !s->damaged)
        PutByte(s, static_cast<unsigned char>(NextByte(s)));
    return !s->damaged;
}

bool Fixed(Inflater* s)
{
    uint8_t lengths[288 + 30];
    for (unsigned i = 0; i < 288; i++)
        lengths[i] = i < 144 ? 8 : i < 256 ? 9 : i < 280 ? 7 : 8;
    for (unsigned i = 0; i < 30; i++)
        lengths[288 + i] = 5;
    Build(&s->w->lengths, lengths, 288);
    Build(&s->w->distances, lengths + 288, 30);
    return Codes(s, &s->w->lengths, &s->w->distances);
}

bool Dynamic(Inflater* s)
{
    static const uint8_t kOrder[19] = {16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15};
    uint8_t lengths[320] = {};
    unsigned nLength = Bits(s, 5) + 257, nDistance = Bits(s, 5) + 1, nCode = Bits(s, 4) + 4;
    if (nLength > 286 || nDistance > 30)
        return false;
    for (unsigned i = 0; i < nCode; i++)
        lengths[kOrder[i]] = static_cast<uint8_t>(Bits(s, 3));
    if (!Build(&s->w->lengths, lengths, 19))
        return false;
    for (unsigned i = 0; i < nLength + nDistance;) {
        int symbol = Decode(s, &s->w->lengths);
        if (s->damaged)
            return false;
        if (symbol < 16) {
            lengths[i++] = static_cast<uint8_t>(symbol);
            continue;
        }
        uint8_t value = 0;
        unsigned repeat;
        if (symbol == 16) {
            if (i == 0)
                return false;
            value = lengths[i - 1];
            repeat = 3 + Bits(s, 2);
        } else {
            repeat = symbol == 17 ? 3 + Bits(s, 3) : 11 + Bits(s, 7);
            for (unsigned j = i; j < 320; j++)
                lengths[j] = 0;
        }
        if (i + repeat > nLength + nDistance)
            return false;
        while (repeat-- > 0)
            lengths[i++] = value;
    }
    if (!Build(&s->w->lengths, lengths, nLength) || !Build(&s->w->distances, lengths + nLength, nDistance))
        return false;
    return Codes(s, &s->w->lengths, &s->w->distances);
}

} // namespace

InflateResult Inflate(FILE* from, uint32_t codedSize, uint32_t originalSize, InflateWorkspace* workspace,
                      InflateSink sink, void* context)
{
    Inflater s = {};
    s.from = from;
    s.codedLeft = codedSize;
    s.w = workspace;
    s.size = originalSize;
    s.sink = sink;
    s.context = context;
    bool last = false;
    bool good = true;
    while (good && !last) {
        last = Bits(&s, 1);
        unsigned type = Bits(&s, 2);
        good = !s.damaged && (type == 0 ? Stored(&s) : type == 1 ? Fixed(&s) : type == 2 && Dynamic(&s));
    }
    if (!s.sinkFailed)
        Flush(&s);
    if (s.sinkFailed)
        return InflateResult::kSinkFailed;
    return good && s.produced == originalSize && s.codedLeft == 0 && s.in == s.inEnd ? InflateResult::kDone
                                                                                    : InflateResult::kDamaged;
}
