// Naming an installed database: from the Palm OS header at the start of its
// data, else from the source's own file name.
#pragma once

#include "base/install_state.h"

#include <cstdio>

constexpr size_t kDatabaseHeaderBytes = 34;  // name (32, NUL-padded), attributes (2, big-endian)
constexpr size_t kDatabaseNameBytes = 32;

struct DatabaseName {
    char name[kFilePathChars + 1]; // the header's name, or the source's base name
    bool isResourceDatabase;       // ".prc" rather than ".pdb"
};

// Reads the 34-byte header from source's current position: name ends at
// byte 32 at the latest (a name filling all 32 bytes is taken whole); bit 0
// of byte 33 marks a resource database. Returns 0, or -1 when fewer than 34
// bytes could be read; naming is then left as it was.
int ReadDatabaseHeader(FILE* source, DatabaseName* naming);

// Names the database of a slot. source is the opened record or file
// (nullptr when neither could be opened); it is read, not closed. A source
// that cannot be opened or is shorter than its header is named from
// slotPath instead: its base name, and a resource database when its
// extension is ".prc" in any case of letters.
void NameDatabase(FILE* source, const char* slotPath, DatabaseName* naming);
