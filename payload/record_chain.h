// Walks a payload record chain backwards from the end of an open file. Every
// field is checked against the file before it is trusted, so a damaged
// chain ends the walk instead of sending it outside the file.
#pragma once

#include "payload/record_format.h"

#include <cstdint>
#include <cstdio>

// One record as the walk read it.
struct ChainRecord {
    int32_t dataStart;                  // position of its first data byte
    int32_t size;                       // its number of data bytes; 0 is possible
    char name[kRecordNameChars + 2];    // the stored name bytes, always NUL-terminated
};

struct ChainWalk {
    FILE* file;         // open for reading; the walk moves its position
    int32_t recordEnd;  // just past the tag of the next record to read; -1 when none is left
};

enum class ChainStep {
    Record,     // a record was read
    End,        // the first record of the chain has been read already
    Damaged,    // a field points outside the file or cannot be read
};

// Starts a walk over file from the end of its chain: the file's end, or the
// start of a signed file's certificate table. Returns 0 when a record tag
// ends the chain, or -1 when it has no chain (or is too long for 32-bit
// positions).
int StartChainWalk(FILE* file, ChainWalk* walk);

// Reads the record that ends at walk->recordEnd into record and steps the
// walk to the record before it. After Damaged nothing before that record
// can be found; a caller must not trust any position the walk gave it.
ChainStep ReadPreviousRecord(ChainWalk* walk, ChainRecord* record);

// Measures the open file, leaving its position at the end. Returns 0, or -1
// when the length cannot be had or does not fit a 32-bit position.
int MeasureFile(FILE* file, int32_t* length);
