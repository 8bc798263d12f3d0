// The backward walk over a payload record chain.
#include "payload/record_chain.h"

#include "payload/installer_layout.h"
#include "platform/files.h"

#include <cstring>

int MeasureFile(FILE* file, int32_t* length)
{
    int64_t end = MeasureOpenFile(file);
    if (end < 0 || end > INT32_MAX || fseek(file, 0, SEEK_END) != 0)
        return -1;
    *length = static_cast<int32_t>(end);
    return 0;
}

// Reads count bytes at position; false when position lies before the file or
// the bytes are not all there.
static bool ReadAt(FILE* file, int64_t position, void* bytes, size_t count)
{
    return position >= 0 && fseek(file, static_cast<long>(position), SEEK_SET) == 0
        && fread(bytes, 1, count, file) == count;
}

static bool IsTag(const unsigned char* bytes)
{
    return memcmp(bytes, kRecordTag, kTagBytes) == 0;
}

int StartChainWalk(FILE* file, ChainWalk* walk)
{
    InstallerLayout layout;
    unsigned char tag[kTagBytes];
    if (ReadInstallerLayout(file, &layout) != 0 || layout.fileLength > INT32_MAX
        || !ReadAt(file, layout.chainEnd - int64_t{kTagBytes}, tag, sizeof tag) || !IsTag(tag))
        return -1;
    walk->file = file;
    walk->recordEnd = static_cast<int32_t>(layout.chainEnd);
    return 0;
}

ChainStep ReadPreviousRecord(ChainWalk* walk, ChainRecord* record)
{
    if (walk->recordEnd < 0)
        return ChainStep::End;

    // Positions are worked out in 64 bits: a damaged size field must show up
    // as a position before the file's start, not wrap around into it.
    unsigned char field[kSizeFieldBytes];
    int64_t nameEnd = int64_t{walk->recordEnd} - int64_t{kNameTrailerBytes};
    if (!ReadAt(walk->file, nameEnd, field, kNameLengthFieldBytes))
        return ChainStep::Damaged;
    uint32_t nameLength = GetLittleEndian(field, kNameLengthFieldBytes);
    if (nameLength == 0 || nameLength > kRecordNameChars + 1)
        return ChainStep::Damaged;

    int64_t nameStart = nameEnd - nameLength;
    if (!ReadAt(walk->file, nameStart, record->name, nameLength))
        return ChainStep::Damaged;
    record->name[nameLength] = '\0';

    int64_t sizeStart = nameStart - int64_t{kSizeFieldBytes};
    if (!ReadAt(walk->file, sizeStart, field, kSizeFieldBytes))
        return ChainStep::Damaged;
    int64_t size = GetLittleEndian(field, kSizeFieldBytes);
    int64_t dataStart = sizeStart - size;
    if (dataStart < 0)
        return ChainStep::Damaged;
    record->dataStart = static_cast<int32_t>(dataStart);
    record->size = static_cast<int32_t>(size);

    // A tag just before the data ends the previous record; anything else
    // (or no room for a tag) is the executable image before the chain.
    unsigned char tag[kTagBytes];
    bool previous = ReadAt(walk->file, dataStart - int64_t{kTagBytes}, tag, sizeof tag) && IsTag(tag);
    walk->recordEnd = previous ? record->dataStart : -1;
    return ChainStep::Record;
}
