// Compressing a database for the installer: the compressed record's data
// (header and LZMA stream, see payload/compressed_record.h) in a file of
// its own, which the build appends under the compressed record's name.
#pragma once

#include <cstdint>

enum class CompressOutcome {
    kCompressed, // compressedPath holds the compressed record's data
    kKeepRaw,    // compressing would not save enough: store the database as it is
    kFailed,     // the database could not be read, or compressedPath not written
};

// False in a build of the packager that has no LZMA encoder (the Windows
// build: Debian has no liblzma for it), which stores every database raw.
extern const bool kCanCompressDatabases;

// Compresses the database at inputPath (size bytes) into compressedPath,
// replacing it. Compressed only when that saves at least an eighth of the
// database: the installer decodes far slower than it copies, so a few bytes
// saved are not worth it. compressedPath is left behind only on kCompressed.
CompressOutcome CompressDatabase(const char* inputPath, int64_t size, const char* compressedPath);
