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

// The bytes a whole record takes: its data of size bytes, a name of
// nameChars characters and every field around them.
constexpr int64_t RecordBytes(int64_t size, size_t nameChars)
{
    return size + int64_t{kSizeFieldBytes} + static_cast<int64_t>(nameChars) + 1 + int64_t{kNameTrailerBytes};
}

// Takes a record's name from the path of the file appended: its last
// component (LastPathComponent). Letters keep their case. Returns 0, or -1
// when the name has more than kRecordNameChars characters or its extension
// more than kRecordExtensionChars (name is then left empty).
int TakeRecordName(const char* path, char (&name)[kRecordNameChars + 1]);
