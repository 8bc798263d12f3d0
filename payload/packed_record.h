// A database stored LZMA-coded in the payload ("packed"). Its record is
// named kPackedRecordPrefix followed by the database's own record name, and
// its data is a header, then the coded bytes:
//   original size (4, little-endian, 1 to 2 GiB - 1) | LZMA properties (1)
//
// The prefix holds backslashes, which no file path leaves in a record name
// (as the checksum record's), so -a can never write a packed record: what it
// appends is raw, and as the later record of its name it wins over a packed
// one. An installer that knows no packed records finds nothing under the
// database's name, and so never installs coded bytes as a database.
#pragma once

#include "payload/lzma_decoder.h"
#include "payload/record_format.h"

#include <cstdint>
#include <cstdio>

constexpr char kPackedRecordPrefix[] = "vantrel\\lzma\\";
constexpr size_t kPackedHeaderBytes = 5;

// The shortest coded stream: the range coder's five starting bytes.
constexpr int32_t kLzmaShortestStream = 5;

struct PackedHeader {
    uint32_t originalSize;
    unsigned properties;
    uint32_t codedSize; // the record's size less the header
};

// The database's record name inside a packed record's stored name, or
// nullptr when storedName is not a packed record's.
const char* PackedDatabaseName(const char* storedName);

// Names the packed record of the database record name. Returns 0, or -1
// when the result would be longer than a record name may be (packed is
// then left empty).
int MakePackedRecordName(const char* name, char (&packed)[kRecordNameChars + 1]);

// Lays out the header of a packed record.
void PutPackedHeader(unsigned char (&bytes)[kPackedHeaderBytes], uint32_t originalSize, unsigned properties);

// Reads the header of the packed record whose storedSize data bytes begin
// at the current position of record, leaving it at the coded bytes.
// Returns 0, or -1 when it cannot be read, the record is too short for a
// header and a stream, or it states a size of 0 or 2 GiB and over.
int ReadPackedHeader(FILE* record, int32_t storedSize, PackedHeader* header);

// Decodes the packed record whose storedSize data bytes begin at the
// current position of record, handing the original bytes to sink. A header
// that ReadPackedHeader refuses makes it kDamaged.
LzmaResult DecodePackedRecord(FILE* record, int32_t storedSize, LzmaWorkspace* workspace, LzmaSink sink,
                              void* context);
