// The installer's integrity: a last record holding a CRC-32 of the bytes
// before it, and the check that a download arrived whole.
#pragma once

#include <cstdint>

// The checksum record's name. A name with a backslash can never come from
// a file path, so no appended file can take it.
constexpr char kChecksumRecordName[] = "vantrel\\checksum";

enum class ChecksumState { kAbsent, kGood, kBad };

struct InstallerIntegrity {
    bool damaged;          // the CRC differs, or the chain does not lead back to the image's end
    ChecksumState checksum;
};

// Appends the checksum record to the installer at path: a CRC-32 of every
// byte before the record's data, leaving out the PE CheckSum field and data
// directory 4 (signing rewrites both), followed by the zero bytes that make
// the file's length a multiple of 8, so that signing adds no padding.
// Returns an AppendResult (kAppended or why not).
int AppendChecksumRecord(const char* path);

// Checks the installer at path: damaged when bytes follow its program image
// but no whole chain leads back from the chain's end to exactly the image's
// end (a truncated download), or when its checksum record is the last
// record and the CRC differs. An installer without a checksum record but
// with a whole chain, or with no payload at all, is not damaged. A file
// that cannot be read counts as damaged.
InstallerIntegrity CheckInstallerIntegrity(const char* path);
