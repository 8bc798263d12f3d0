// A database stored LZMA-coded in the payload. Its record is named
// kCompressedRecordPrefix followed by the database's own record name, and
// its data is a header, then the coded bytes:
//   original size (4, little-endian, 1 to 2 GiB - 1) | LZMA properties (1)
//
// The prefix holds backslashes, which no file path leaves in a record name
// (as the checksum record's), so -a can never write a compressed record:
// what it appends is raw, and as the later record of its name it wins over
// a compressed one. An installer that knows no compressed records finds
// nothing under the database's name, and so never installs coded bytes as a
// database.
#pragma once

#include "payload/lzma_decoder.h"
#include "payload/record_format.h"

#include <cstdint>
#include <cstdio>

constexpr char kCompressedRecordPrefix[] = "vantrel\\lzma\\";
constexpr size_t kCompressedHeaderBytes = 5;

// The shortest coded stream: the range coder's five starting bytes.
constexpr int32_t kLzmaShortestStream = 5;

struct CompressedHeader {
    uint32_t originalSize;
    unsigned properties;
    uint32_t codedSize; // the record's size less the header
};

// The database's record name inside a compressed record's stored name, or
// nullptr when storedName is not a compressed record's.
const char* CompressedDatabaseName(const char* storedName);

// Names the compressed record of the database record name. Returns 0, or -1
// when the result would be longer than a record name may be (compressed is
// then left empty).
int MakeCompressedRecordName(const char* name, char (&compressed)[kRecordNameChars + 1]);

// Lays out the header of a compressed record.
void PutCompressedHeader(unsigned char (&bytes)[kCompressedHeaderBytes], uint32_t originalSize, unsigned properties);

// The original size that header (a compressed record's first bytes) states
// for a record of storedSize bytes; 0 when the record is too short for a
// header and a stream, or the size is 0 or 2 GiB and over.
int32_t CompressedOriginalSize(const unsigned char (&header)[kCompressedHeaderBytes], int32_t storedSize);

// Reads the header of the compressed record whose storedSize data bytes
// begin at the current position of record, leaving it at the coded bytes.
// Returns 0, or -1 when it cannot be read, the record is too short for a
// header and a stream, or it states a size of 0 or 2 GiB and over.
int ReadCompressedHeader(FILE* record, int32_t storedSize, CompressedHeader* header);

// Decodes the compressed record whose storedSize data bytes begin at the
// current position of record, handing the original bytes to sink. A header
// that ReadCompressedHeader refuses makes it kDamaged.
LzmaResult DecodeCompressedRecord(FILE* record, int32_t storedSize, LzmaWorkspace* workspace, LzmaSink sink,
                                  void* context);

// Decodes the compressed record whose storedSize data bytes begin at
// dataStart in file, writing the original bytes to destination. Returns
// kDone, kDamaged, kCannotRead, or kSinkFailed when a write failed.
LzmaResult DecodeCompressedRecordToFile(FILE* file, int32_t dataStart, int32_t storedSize, FILE* destination);

// Reads count bytes from offset of the decoded record into bytes, decoding
// no further than the window that holds their end. Returns how many it
// read: fewer when they run past the record's end or the record is damaged
// before them.
size_t ReadCompressedRecordBytes(FILE* file, int32_t dataStart, int32_t storedSize, int32_t offset, void* bytes,
                                 size_t count);
