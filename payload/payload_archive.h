// The payload archive: a chain of named records appended after the
// executable image, each ending in the tag "ETag". Finding, extracting,
// appending and stripping records; nothing else of the file is touched.
//
// Paths and names are 8-bit strings in the system code page, used as given.
// Record names compare without regard to ASCII letter case; a name holding a
// folder never matches, as stored names have none. Archives stay below
// 2 GiB: sizes and positions are signed 32-bit values.
#pragma once

#include <cstdint>
#include <cstdio>

// Opens archivePath for binary reading and walks its chain from the end for
// the last record named recordName whose size is at least 1. Returns the
// open stream positioned at that record's first data byte and, when sizeOut
// is given, stores the record's size there; the caller reads at most that
// many bytes and closes the stream. Returns nullptr when the file cannot be
// opened, has no chain, or holds no such record before a damaged field ends
// the walk; then nothing stays open and sizeOut is not written.
FILE* FindPayloadRecord(const char* archivePath, const char* recordName, int32_t* sizeOut);

// Writes the data of the record recordName of archivePath to a new file at
// destinationPath (an existing one is replaced). Returns 0 when every byte
// was written, or -1. The destination is created first, so on -1 it is
// left empty: when the record is absent, and also when the copy fell short
// (an unreadable archive, a full disk), so a part copy never passes for a
// whole one. When it cannot be created, nothing is left behind.
int ExtractPayloadRecord(const char* archivePath, const char* recordName, const char* destinationPath);

// Why an append failed; the caller tells the user.
enum AppendResult : int {
    kAppended = 0,
    kAppendNameTooLong = -1,        // the name is over 255 characters or its extension over 19
    kAppendCannotReadInput = -2,    // the input cannot be opened or measured
    kAppendCannotOpenExecutable = -3, // missing, read-only, in use
    kAppendCannotWrite = -4,        // a write failed or the archive would reach 2 GiB
    kAppendSigned = -5,             // the executable is signed: a record would break the signature
};

// Appends the file at inputPath to the existing file at executablePath as a
// new last record, named by the input path's last component. Returns
// kAppended or the reason it failed. On every failure the executable keeps
// exactly its earlier bytes (a failed write is cut off again). Appending a
// file to itself appends its earlier content once.
int AppendPayloadRecord(const char* executablePath, const char* inputPath);

// As AppendPayloadRecord, but the record is named name (at most 255
// characters), whatever the input file is called.
int AppendNamedPayloadRecord(const char* executablePath, const char* inputPath, const char* name);

// As AppendNamedPayloadRecord, with size bytes from memory as the data.
int AppendPayloadBytes(const char* executablePath, const void* bytes, int32_t size, const char* name);

// Cuts every record off executablePath, giving back the bytes it had before
// the first append. Returns 0 when it did, or when there was no chain to
// cut; -1 with the file unchanged when it cannot be opened for update, is
// signed (the cut would take the signature too), or its chain is damaged
// (a cut at a guessed place could destroy the image).
int StripPayloadRecords(const char* executablePath);
