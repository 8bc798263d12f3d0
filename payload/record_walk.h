// Reading the record chain backwards, record by record, through a reader of
// bytes at a position: straight from the stream for the few records of an
// installer, through a window of blocks for a chain of millions.
#pragma once

#include "base/byte_reader.h"
#include "payload/compressed_record.h"
#include "payload/payload.h"
#include "payload/stream_copy.h"

#include <cstring>

// Reads straight from the stream.
struct StreamReader {
    FILE* file;
    bool Read(int32_t position, void* bytes, size_t count) { return ReadStreamAt(file, position, bytes, count); }
};

// Reads through a window of the file, which it fills with the block around
// the bytes wanted when they lie outside it: a walk goes backwards, a visit
// in order forwards, and both then read the file in blocks, not field by
// field.
struct WindowReader {
    FILE* file = nullptr;
    int32_t start = 0;
    int32_t length = 0;
    unsigned char bytes[4096];

    bool Read(int32_t position, void* out, size_t count)
    {
        int64_t end = int64_t{position} + static_cast<int64_t>(count);
        if (position < start || end > int64_t{start} + length) {
            constexpr int64_t kHalf = sizeof bytes / 2;
            start = static_cast<int32_t>(end > kHalf ? end - kHalf : 0);
            length = 0;
            if (position < 0 || static_cast<int64_t>(count) > kHalf || fseek(file, start, SEEK_SET) != 0)
                return false;
            length = static_cast<int32_t>(fread(bytes, 1, sizeof bytes, file));
            if (end > int64_t{start} + length)
                return false;
        }
        memcpy(out, bytes + (position - start), count);
        return true;
    }
};

// What ReadRecordEndingAt returns for a record whose fields point outside
// the file or cannot be read.
constexpr int32_t kDamagedRecord = -2;

template <typename Reader>
bool TagAt(Reader& reader, int32_t position)
{
    char tag[kTagBytes];
    return reader.Read(position, tag, sizeof tag) && memcmp(tag, kRecordTag, kTagBytes) == 0;
}

// Reads the record that ends at recordEnd. Every field is checked against
// the file before it is trusted: a damaged size must show up as a position
// before the file's start, never wrap around into it. Returns where the
// record before it ends: its data start when a tag stands just before that
// (else it is the first record, and -1), or kDamagedRecord.
template <typename Reader>
int32_t ReadRecordEndingAt(Reader& reader, int32_t recordEnd, PayloadRecord* record)
{
    unsigned char field[kSizeFieldBytes];
    const ByteReader fieldReader = {field, sizeof field};
    int32_t nameEnd = recordEnd - static_cast<int32_t>(kNameTrailerBytes);
    if (!reader.Read(nameEnd, field, kNameLengthFieldBytes))
        return kDamagedRecord;
    int32_t nameLength = static_cast<int32_t>(LittleEndianAt(fieldReader, 0, kNameLengthFieldBytes));
    int32_t sizeStart = nameEnd - nameLength - static_cast<int32_t>(kSizeFieldBytes);
    if (nameLength == 0 || nameLength > static_cast<int32_t>(kRecordNameChars) + 1
        || !reader.Read(nameEnd - nameLength, record->name, static_cast<size_t>(nameLength))
        || !reader.Read(sizeStart, field, kSizeFieldBytes))
        return kDamagedRecord;
    record->name[nameLength] = '\0';
    uint32_t size = LittleEndianAt(fieldReader, 0, kSizeFieldBytes);
    if (size > static_cast<uint32_t>(sizeStart))
        return kDamagedRecord;
    record->size = static_cast<int32_t>(size);
    record->dataStart = sizeStart - record->size;
    record->compressed = CompressedDatabaseName(record->name) != nullptr;
    record->originalSize = record->size;
    unsigned char header[kCompressedHeaderBytes];
    if (record->compressed)
        record->originalSize = record->size >= int32_t{sizeof header}
                && reader.Read(record->dataStart, header, sizeof header)
            ? CompressedOriginalSize(header, record->size) : 0;
    // A tag just before the data ends the previous record; anything else (or
    // no room for a tag) is the program image before the chain.
    return TagAt(reader, record->dataStart - int32_t{kTagBytes}) ? record->dataStart : -1;
}
