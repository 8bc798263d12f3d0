// Checking a Palm OS database header and its record list.
#include "palm/database_info.h"

#include "base/byte_reader.h"

#include <cstring>

namespace {

constexpr int64_t kResourceEntryBytes = 10;  // type 4, id 2, offset 4
constexpr int64_t kRecordEntryBytes = 8;     // offset 4, attributes 1, unique id 3

bool IsPrintable(const char* code)
{
    for (size_t i = 0; i < 4; i++) {
        if (code[i] < ' ' || code[i] > '~')
            return false;
    }
    return true;
}

// Every entry of the list must lie in the file and point into it.
bool ListFits(FILE* source, int64_t size, const PalmHeader& header)
{
    int64_t entryBytes = header.isResourceDatabase ? kResourceEntryBytes : kRecordEntryBytes;
    if (int64_t{kPalmHeaderBytes} + header.entryCount * entryBytes > size)
        return false;
    size_t offsetAt = header.isResourceDatabase ? 6 : 0;
    for (int i = 0; i < header.entryCount; i++) {
        unsigned char entry[kResourceEntryBytes];
        if (fread(entry, 1, static_cast<size_t>(entryBytes), source) != static_cast<size_t>(entryBytes))
            return false;
        if (BigEndianAt({entry, sizeof entry}, offsetAt, 4) > size)
            return false;
    }
    return true;
}

} // namespace

PalmDatabaseProblem ReadPalmDatabaseInfo(FILE* source, int64_t size, PalmHeader* header)
{
    // Zeroed although a count of 0 reads none of it: g++ -O2 cannot tell,
    // and fails the optimised build.
    unsigned char bytes[kPalmHeaderBytes] = {};
    size_t count = size < int64_t{kPalmHeaderBytes} ? 0 : fread(bytes, 1, sizeof bytes, source);
    ReadPalmHeader(bytes, count, header);
    if (count != sizeof bytes)
        return PalmDatabaseProblem::kTooShort;
    if (!header->nameTerminated)
        return PalmDatabaseProblem::kNameUnterminated;
    if (header->name[0] == '\0')
        return PalmDatabaseProblem::kNameEmpty;
    if (!IsPrintable(header->type) || !IsPrintable(header->creator))
        return PalmDatabaseProblem::kTypeNotPrintable;
    if (!ListFits(source, size, *header))
        return PalmDatabaseProblem::kListOutsideFile;
    return PalmDatabaseProblem::kNone;
}
