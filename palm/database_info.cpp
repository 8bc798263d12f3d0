// Reading and checking a Palm OS database header and its record list.
#include "palm/database_info.h"

#include <cstring>

namespace {

constexpr size_t kNameBytes = 32;
constexpr size_t kTypeOffset = 60;
constexpr size_t kCreatorOffset = 64;
constexpr size_t kEntryCountOffset = 76;
constexpr int64_t kResourceEntryBytes = 10;  // type 4, id 2, offset 4
constexpr int64_t kRecordEntryBytes = 8;     // offset 4, attributes 1, unique id 3

uint16_t BigEndian16(const unsigned char* bytes)
{
    return static_cast<uint16_t>(bytes[0] << 8 | bytes[1]);
}

uint32_t BigEndian32(const unsigned char* bytes)
{
    return uint32_t{bytes[0]} << 24 | uint32_t{bytes[1]} << 16 | uint32_t{bytes[2]} << 8 | bytes[3];
}

bool IsPrintable(const char* code)
{
    for (size_t i = 0; i < 4; i++) {
        if (code[i] < ' ' || code[i] > '~')
            return false;
    }
    return true;
}

// Every entry of the list must lie in the file and point into it.
bool ListFits(FILE* source, int64_t size, const PalmDatabaseInfo& info)
{
    int64_t entryBytes = info.isResourceDatabase ? kResourceEntryBytes : kRecordEntryBytes;
    if (kPalmHeaderBytes + info.entryCount * entryBytes > size)
        return false;
    int64_t offsetAt = info.isResourceDatabase ? 6 : 0;
    for (int i = 0; i < info.entryCount; i++) {
        unsigned char entry[kResourceEntryBytes];
        if (fread(entry, 1, static_cast<size_t>(entryBytes), source) != static_cast<size_t>(entryBytes))
            return false;
        if (BigEndian32(entry + offsetAt) > size)
            return false;
    }
    return true;
}

} // namespace

PalmDatabaseProblem ReadPalmDatabaseInfo(FILE* source, int64_t size, PalmDatabaseInfo* info)
{
    memset(info, 0, sizeof *info);
    unsigned char header[kPalmHeaderBytes];
    if (size < kPalmHeaderBytes || fread(header, 1, sizeof header, source) != sizeof header)
        return PalmDatabaseProblem::kTooShort;

    memcpy(info->name, header, kNameBytes);
    info->nameTerminated = memchr(header, 0, kNameBytes) != nullptr;
    info->attributes = BigEndian16(header + kNameBytes);
    info->version = BigEndian16(header + kNameBytes + 2);
    memcpy(info->type, header + kTypeOffset, 4);
    memcpy(info->creator, header + kCreatorOffset, 4);
    info->entryCount = BigEndian16(header + kEntryCountOffset);
    info->isResourceDatabase = (info->attributes & kResourceDatabaseAttribute) != 0;

    if (!info->nameTerminated)
        return PalmDatabaseProblem::kNameUnterminated;
    if (info->name[0] == '\0')
        return PalmDatabaseProblem::kNameEmpty;
    if (!IsPrintable(info->type) || !IsPrintable(info->creator))
        return PalmDatabaseProblem::kTypeNotPrintable;
    if (!ListFits(source, size, *info))
        return PalmDatabaseProblem::kListOutsideFile;
    return PalmDatabaseProblem::kNone;
}
