// The payload index: a program file opened once, with one pass over its
// record chain that yields every record's name, data offset and size, where
// the program image ends, whether a signature ends the file, and whether
// the file arrived whole. Finding a record, reading its head and extracting
// it then only seek and copy in the file already open.
//
// Paths and names are 8-bit strings in the system code page, used as given.
// Record names compare without regard to ASCII letter case; a name holding a
// folder never matches, as stored names have none. Files stay below 2 GiB:
// positions and sizes are signed 32-bit values.
#pragma once

#include "payload/installer_layout.h"
#include "payload/record_format.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>

// What an operation on a payload met; the caller picks what to tell.
enum class PayloadFault {
    kNone,
    kCannotOpen,      // the file cannot be opened (or, for update, not written)
    kCannotRead,      // a read fell short
    kNoMemory,        // the index of a very long chain does not fit in memory
    kCannotCreate,    // a destination cannot be created
    kCannotWrite,     // a write, the final flush or a cut failed, or 2 GiB would be reached
    kNameTooLong,     // a record name over 255 characters or its extension over 19
    kCannotReadInput, // the file to append cannot be opened or measured
    kSigned,          // a signature ends the file: a change would break it
    kDamaged,         // the chain does not lead back to the image: where to cut is unknown
    kCorrupt,         // a compressed record does not decode to the size it states
};

// A fault and, where the system gave one, its error number (errno, or the
// platform's own for a cut); 0 when there is none.
struct PayloadResult {
    PayloadFault fault;
    int systemError;
};

// One record of the chain.
struct PayloadRecord {
    int32_t dataStart;               // position of its first data byte
    int32_t size;                    // its number of data bytes; 0 is possible
    bool compressed;                 // a compressed database (payload/compressed_record.h)
    int32_t originalSize;            // the bytes it holds: size, or the size a compressed
                                     // record's header states (0 when it cannot be read)
    char name[kRecordNameChars + 2]; // the stored name bytes, always NUL-terminated
};

enum class ChainState {
    kNone,     // no record tag ends the file's chain part
    kWhole,    // the walk went back to the first record
    kDamaged,  // a field points outside the file, or the walk ends anywhere but at
               // the image's end: where the chain begins is unknown
};

enum class ChecksumState { kAbsent, kGood, kBad };

struct Payload {
    FILE* file;              // open while the index is; its position moves
    InstallerLayout layout;
    PayloadRecord* records;  // last to first, as the walk back reads them; with a damaged
                             // chain, those after the damage; none for a summary
    int recordCount;
    PayloadRecord last;      // a summary's last record (when recordCount is not 0)
    int32_t chainStart;      // where the first record found begins
    ChainState chain;
    ChecksumState checksum;  // of a checksum record that ends a whole chain
    bool damaged;            // bytes follow the image but no whole chain leads back to exactly
                             // its end (a cut-short download), directory 4 names no whole
                             // certificate table ending the file, or the checksum differs
};

// Opens the file at path ("rb", or "rb+" with forUpdate) and reads its
// index: the PE layout, the chain walked back from its end, and, when a
// checksum record ends a whole chain, the CRC over the bytes before it.
// Returns kNone with payload filled, or kCannotOpen or kNoMemory with
// nothing left open. A file with no chain is no fault: its chain is kNone.
PayloadResult OpenPayload(const char* path, bool forUpdate, Payload* payload);

// As OpenPayload, for file already open: the payload takes it over and
// closes it, also when this fails.
PayloadResult ReadPayload(FILE* file, Payload* payload);

// As OpenPayload for reading, but of the records only the count, the last
// one and where the first begins are kept, and the file is read in blocks:
// memory does not grow with the chain, and a chain of millions of records
// is read in seconds.
PayloadResult OpenPayloadSummary(const char* path, Payload* payload);

// Calls visit with every record of the chain (those after the damage of a
// damaged one), first to last, without holding them all: one walk back
// marks every stride-th record, the stride doubling whenever 4,096 marks
// are not enough, and each stretch between two marks is walked back again
// and visited forwards. Returns false when memory ran out.
bool VisitRecordsInOrder(Payload* payload, void (*visit)(Payload* payload, const PayloadRecord& record, void* context),
                         void* context);

// Closes the file and frees the index; safe on a payload never opened
// (zero-filled) and on one closed already.
void ClosePayload(Payload* payload);

// The last record named name, or compressed from a database of that name,
// whose size is at least 1 (an empty record can be written but is never
// found); nullptr when there is none.
const PayloadRecord* FindPayloadRecord(const Payload& payload, const char* name);

// Reads count bytes of the record's data (a compressed record's decoded
// bytes) from offset into bytes. Returns how many it read: fewer when they
// run past the record or a read fails.
size_t ReadPayloadBytes(const Payload& payload, const PayloadRecord& record, int32_t offset, void* bytes,
                        size_t count);

// Writes the record's data to destinationPath, as CopyIntoPlace does; a
// compressed record decoded, and kCorrupt (the destination as it was) when
// it does not decode to exactly the size it states.
PayloadResult ExtractPayloadRecord(const Payload& payload, const PayloadRecord& record, const char* destinationPath);

// Copies count bytes from the current position of from into a new file
// that then takes destinationPath's place: written beside it under a
// temporary name (CreateFileBeside), closed, and only then renamed over it,
// so that a run ended at any moment leaves at most that temporary file. A
// new destination gets a new file's permissions, a replaced one keeps its
// own. Returns kNone; kCannotCreate when no file can be made beside it;
// kCannotWrite when a read or write fell short or the rename failed (a
// folder in the way, a read-only destination). On failure the destination
// is as it was and no temporary file is left.
PayloadResult CopyIntoPlace(FILE* from, int32_t count, const char* destinationPath);
