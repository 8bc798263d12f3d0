// Changing a payload archive: appending one record and stripping them all.
// Nothing else of the file is touched. Reading is the index's (payload.h).
#pragma once

#include "payload/payload.h"

#include <cstdint>

// What both programs say when asked to change a signed installer.
constexpr char kSignedRefusal[] =
    "The installer is signed. Append files before signing it, or remove its signature first.";

// Appends the file at inputPath to the existing file at executablePath as a
// new last record, named by the input path's last component. Returns kNone,
// or why it failed: kNameTooLong, kCannotReadInput, kCannotOpen (the
// executable is missing, read-only, in use), kSigned, kCannotWrite. On every
// failure the executable keeps exactly its earlier bytes (a failed write is
// cut off again). Appending a file to itself appends its earlier content once.
PayloadResult AppendPayloadRecord(const char* executablePath, const char* inputPath);

// As AppendPayloadRecord, but the record is named name (at most 255
// characters), whatever the input file is called.
PayloadResult AppendNamedPayloadRecord(const char* executablePath, const char* inputPath, const char* name);

// As AppendNamedPayloadRecord, with size bytes from memory as the data.
PayloadResult AppendPayloadBytes(const char* executablePath, const void* bytes, int32_t size, const char* name);

// Cuts every record off executablePath, giving back the bytes it had before
// the first append. Opened for update with forUpdate, so that a file that
// cannot be written is refused before anything else is looked at; else read
// first and cut afterwards. Returns kNone when it cut, or when there was no
// chain to cut; kCannotOpen, kSigned (the cut would take the signature too),
// kDamaged (a cut at a guessed place could destroy the image) or kCannotWrite
// (the cut failed), each with the file unchanged.
PayloadResult StripPayloadRecords(const char* executablePath, bool forUpdate);
