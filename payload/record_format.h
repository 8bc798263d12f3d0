// The byte layout of a payload record, shared by the code that writes it and
// the code that walks the chain. Fields follow each other with no padding,
// numbers are little-endian:
//   data (size bytes) | size (4) | name and NUL (name length bytes)
//   | name length (2) | record length (4) = size + name length + 6 | "ETag"
#pragma once

#include <cstddef>
#include <cstdint>

constexpr char kRecordTag[] = {'E', 'T', 'a', 'g'};

constexpr size_t kSizeFieldBytes = 4;
constexpr size_t kNameLengthFieldBytes = 2;
constexpr size_t kRecordLengthFieldBytes = 4;
constexpr size_t kTagBytes = sizeof(kRecordTag);

// The bytes after a record's name, up to its end.
constexpr size_t kNameTrailerBytes = kNameLengthFieldBytes + kRecordLengthFieldBytes + kTagBytes;

// Characters of a record name, NUL not counted, on writing and on reading.
constexpr size_t kRecordNameChars = 255;
// Characters of its extension: from the name's last dot, dot included.
constexpr size_t kRecordExtensionChars = 19;

// Stores the low count bytes of value at bytes, least significant first.
inline void PutLittleEndian(unsigned char* bytes, uint32_t value, size_t count)
{
    for (size_t i = 0; i < count; i++)
        bytes[i] = static_cast<unsigned char>(value >> (8 * i));
}

inline uint32_t GetLittleEndian(const unsigned char* bytes, size_t count)
{
    uint32_t value = 0;
    for (size_t i = count; i > 0; i--)
        value = (value << 8) | bytes[i - 1];
    return value;
}

// Takes a record's name from the path of the file appended: its last
// component, after the last backslash or slash, else after a leading drive
// letter and colon ("d:name.prc"), else the whole path. Letters keep their
// case. Returns 0, or -1 when the name has more than kRecordNameChars
// characters or its extension more than kRecordExtensionChars (name is then
// left empty).
int TakeRecordName(const char* path, char (&name)[kRecordNameChars + 1]);
