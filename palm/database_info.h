// Checking a Palm OS database before it ships: its whole 78-byte header and
// the list of records or resources after it.
#pragma once

#include "palm/database_header.h"

#include <cstdint>
#include <cstdio>

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
// the current position of source and is size bytes long. Fills header as
// far as the bytes allow and returns the first problem found, or kNone.
PalmDatabaseProblem ReadPalmDatabaseInfo(FILE* source, int64_t size, PalmHeader* header);
