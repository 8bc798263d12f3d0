// The header of a Palm OS database: the one reader of its fields, for the
// installer, which names each installed copy from it, and for the packager,
// which checks it.
#pragma once

#include "base/install_state.h"

#include <cstddef>
#include <cstdint>

constexpr size_t kPalmNameBytes = 32;            // NUL-padded; a name filling all 32 is taken whole
constexpr size_t kPalmNamingBytes = 34;          // the name and the attributes (2, big-endian)
constexpr size_t kPalmHeaderBytes = 78;          // the whole header, up to the record list
constexpr uint16_t kResourceDatabaseAttribute = 0x0001;

struct PalmHeader {
    char name[kPalmNameBytes + 1]; // the name field, always NUL-terminated here
    bool nameTerminated;           // the field itself holds a NUL within its 32 bytes
    uint16_t attributes;
    uint16_t version;
    char type[5];                  // four bytes and a NUL
    char creator[5];
    uint16_t entryCount;           // records, or resources in a resource database
    bool isResourceDatabase;       // ".prc" rather than ".pdb"
};

// Decodes the header fields that lie within the first count bytes of a
// database; a field past them reads as zero.
void ReadPalmHeader(const unsigned char* bytes, size_t count, PalmHeader* header);

struct DatabaseName {
    char name[kFilePathChars + 1]; // the header's name, or the source's base name
    bool isResourceDatabase;
};

// Names the database of a slot. header is the first kPalmNamingBytes of its
// data, or nullptr when they could not be read (no source, or one too
// short); then the slot's path names it: its base name (LastPathComponent
// without the extension), and a resource database when its extension is
// ".prc" in any case of letters.
void NameDatabase(const unsigned char* header, const char* slotPath, DatabaseName* naming);
