// Reading a Palm OS database header, and naming an installed copy by it or,
// failing that, by its source's own name.
#include "palm/database_header.h"

#include "base/bounded_text.h"
#include "base/byte_reader.h"
#include "base/path_name.h"

#include <cstring>

namespace {

constexpr size_t kVersionOffset = 34;
constexpr size_t kTypeOffset = 60;
constexpr size_t kCreatorOffset = 64;
constexpr size_t kEntryCountOffset = 76;

void ReadCode(ByteReader reader, size_t offset, char (&code)[5])
{
    memset(code, 0, sizeof code);
    if (FieldFits(reader, offset, 4))
        memcpy(code, reader.bytes + offset, 4);
}

} // namespace

void ReadPalmHeader(const unsigned char* bytes, size_t count, PalmHeader* header)
{
    const ByteReader reader = {bytes, count};
    size_t nameBytes = count < kPalmNameBytes ? count : kPalmNameBytes;
    memset(header->name, 0, sizeof header->name);
    memcpy(header->name, bytes, nameBytes);
    header->nameTerminated = memchr(bytes, 0, nameBytes) != nullptr;
    header->attributes = static_cast<uint16_t>(BigEndianAt(reader, kPalmNameBytes, 2));
    header->version = static_cast<uint16_t>(BigEndianAt(reader, kVersionOffset, 2));
    ReadCode(reader, kTypeOffset, header->type);
    ReadCode(reader, kCreatorOffset, header->creator);
    header->entryCount = static_cast<uint16_t>(BigEndianAt(reader, kEntryCountOffset, 2));
    header->isResourceDatabase = (header->attributes & kResourceDatabaseAttribute) != 0;
}

void NameDatabase(const unsigned char* header, const char* slotPath, DatabaseName* naming)
{
    if (header) {
        PalmHeader fields;
        ReadPalmHeader(header, kPalmNamingBytes, &fields);
        CopyText(naming->name, fields.name);
        naming->isResourceDatabase = fields.isResourceDatabase;
        return;
    }
    const char* name = LastPathComponent(slotPath);
    const char* extension = ExtensionOf(name);
    CopyTextPart(naming->name, sizeof naming->name, name, static_cast<size_t>(extension - name));
    naming->isResourceDatabase = EqualsIgnoringCase(extension, ".prc");
}
