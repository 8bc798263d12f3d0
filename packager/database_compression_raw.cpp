// Compressing where there is no LZMA encoder to link (the Windows build):
// every database is stored raw, and the build says so.
#include "packager/database_compression.h"

const bool kCanCompressDatabases = false;

CompressOutcome CompressDatabase(const char*, int64_t, const char*)
{
    return CompressOutcome::kKeepRaw;
}
