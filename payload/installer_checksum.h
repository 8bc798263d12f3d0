// The installer's checksum record: a last record holding a CRC-32 of the
// bytes before it, which tells whether a download arrived whole.
#pragma once

#include "payload/payload.h"

#include <cstdint>
#include <cstdio>

// The checksum record's name. A name with a backslash can never come from
// a file path, so no appended file can take it.
constexpr char kChecksumRecordName[] = "vantrel\\checksum";

// Its data: the CRC, then up to 7 zero bytes that align the file's end.
constexpr size_t kChecksumBytes = 4;

// Appends the checksum record to the installer at path: a CRC-32 of every
// byte before the record's data, leaving out the PE CheckSum field and data
// directory 4 (signing rewrites both), followed by the zero bytes that make
// the file's length a multiple of 8, so that signing adds no padding.
// Returns kNone, or kCannotOpen, kSigned or kCannotWrite.
PayloadResult AppendChecksumRecord(const char* path);

// The verdict on a checksum record that ends a whole chain in the open
// file: kGood or kBad; kAbsent when the last record is none.
ChecksumState CheckChecksumRecord(FILE* file, const InstallerLayout& layout, const PayloadRecord& last);
