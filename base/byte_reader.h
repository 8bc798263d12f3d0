// The one reader of numbers stored in bytes: the little-endian fields of the
// payload records, the PE headers and users.dat, and the big-endian fields
// of Palm OS headers. A field that does not lie wholly within the bytes
// reads as 0, so a short or damaged input can never be read past its end.
#pragma once

#include <cstddef>
#include <cstdint>

struct ByteReader {
    const unsigned char* bytes;
    size_t size;
};

// True when count bytes from offset lie within the reader's bytes.
inline bool FieldFits(ByteReader reader, size_t offset, size_t count)
{
    return offset <= reader.size && count <= reader.size - offset;
}

// The unsigned number stored in width bytes (1 to 4) at offset, least
// significant byte first; 0 when the field does not fit.
inline uint32_t LittleEndianAt(ByteReader reader, size_t offset, size_t width)
{
    if (!FieldFits(reader, offset, width))
        return 0;
    uint32_t value = 0;
    for (size_t i = width; i > 0; i--)
        value = value << 8 | reader.bytes[offset + i - 1];
    return value;
}

// As LittleEndianAt, most significant byte first.
inline uint32_t BigEndianAt(ByteReader reader, size_t offset, size_t width)
{
    if (!FieldFits(reader, offset, width))
        return 0;
    uint32_t value = 0;
    for (size_t i = 0; i < width; i++)
        value = value << 8 | reader.bytes[offset + i];
    return value;
}

// Stores the low width bytes of value at bytes, least significant first.
inline void PutLittleEndian(unsigned char* bytes, uint32_t value, size_t width)
{
    for (size_t i = 0; i < width; i++)
        bytes[i] = static_cast<unsigned char>(value >> (8 * i));
}
