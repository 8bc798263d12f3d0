// The whole 78-byte header of a Palm OS database and the list of records or
// resources after it, read for listing and checking a database before it
// ships.
#pragma once

#include <cstdint>
#include <cstdio>

constexpr int64_t kPalmHeaderBytes = 78;
constexpr uint16_t kResourceDatabaseAttribute = 0x0001;

struct PalmDatabaseInfo {
    char name[33];          // the name field, always NUL-terminated here
    bool nameTerminated;    // the field itself holds a NUL within its 32 bytes
    uint16_t attributes;
    uint16_t version;
    char type[5];           // four bytes and a NUL
    char creator[5];
    uint16_t entryCount;    // records, or resources in a resource database
    bool isResourceDatabase;
};

// Why a database would not install soundly.
enum class PalmDatabaseProblem {
    kNone,
    kTooShort,          // fewer than 78 bytes
    kNameUnterminated,  // the name fills all 32 bytes
    kNameEmpty,
    kTypeNotPrintable,  // type or creator holds a byte outside ' '..'~'
    kListOutsideFile,   // the record list, or a record it points at, lies past the end
};

// Reads the header and walks the record list of the database that starts at
// the current position of source and is size bytes long. Fills info as far
// as the bytes allow and returns the first problem found, or kNone.
PalmDatabaseProblem ReadPalmDatabaseInfo(FILE* source, int64_t size, PalmDatabaseInfo* info);
