// The payload index: one open, one backward walk over the chain, and the
// reads and copies that work from it.
#include "payload/payload.h"

#include "base/bounded_text.h"
#include "base/byte_reader.h"
#include "payload/installer_checksum.h"
#include "payload/stream_copy.h"
#include "platform/file_replacement.h"
#include "platform/files.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace {

bool TagAt(FILE* file, int32_t position)
{
    char tag[kTagBytes];
    return ReadStreamAt(file, position, tag, sizeof tag) && memcmp(tag, kRecordTag, kTagBytes) == 0;
}

// Reads the record that ends at recordEnd. Every field is checked against
// the file before it is trusted: a damaged size must show up as a position
// before the file's start, never wrap around into it. Returns false for a
// damaged record.
bool ReadRecordEndingAt(FILE* file, int32_t recordEnd, PayloadRecord* record)
{
    unsigned char field[kSizeFieldBytes];
    const ByteReader reader = {field, sizeof field};
    int32_t nameEnd = recordEnd - static_cast<int32_t>(kNameTrailerBytes);
    if (!ReadStreamAt(file, nameEnd, field, kNameLengthFieldBytes))
        return false;
    int32_t nameLength = static_cast<int32_t>(LittleEndianAt(reader, 0, kNameLengthFieldBytes));
    int32_t sizeStart = nameEnd - nameLength - static_cast<int32_t>(kSizeFieldBytes);
    if (nameLength == 0 || nameLength > static_cast<int32_t>(kRecordNameChars) + 1
        || !ReadStreamAt(file, nameEnd - nameLength, record->name, static_cast<size_t>(nameLength))
        || !ReadStreamAt(file, sizeStart, field, kSizeFieldBytes))
        return false;
    record->name[nameLength] = '\0';
    uint32_t size = LittleEndianAt(reader, 0, kSizeFieldBytes);
    if (size > static_cast<uint32_t>(sizeStart))
        return false;
    record->size = static_cast<int32_t>(size);
    record->dataStart = sizeStart - record->size;
    return true;
}

// Walks the chain back from its end, adding each record read. Returns false
// when memory ran out.
bool WalkChain(Payload* payload)
{
    int capacity = 0;
    payload->chain = ChainState::kWhole;
    // A tag just before a record's data ends the previous record; anything
    // else (or no room for a tag) is the program image before the chain.
    for (int32_t recordEnd = static_cast<int32_t>(payload->layout.chainEnd); recordEnd >= 0;) {
        if (payload->recordCount == capacity) {
            capacity = capacity ? 2 * capacity : 16;
            void* grown = realloc(payload->records, sizeof(PayloadRecord) * static_cast<size_t>(capacity));
            if (!grown)
                return false;
            payload->records = static_cast<PayloadRecord*>(grown);
        }
        PayloadRecord* record = &payload->records[payload->recordCount];
        if (!ReadRecordEndingAt(payload->file, recordEnd, record)) {
            payload->chain = ChainState::kDamaged;
            break;
        }
        payload->recordCount++;
        recordEnd = TagAt(payload->file, record->dataStart - int32_t{kTagBytes}) ? record->dataStart : -1;
    }
    return true;
}

} // namespace

PayloadResult OpenPayload(const char* path, bool forUpdate, Payload* payload)
{
    FILE* file = fopen(path, forUpdate ? "rb+" : "rb");
    if (!file) {
        memset(payload, 0, sizeof *payload);
        return {PayloadFault::kCannotOpen, errno};
    }
    return ReadPayload(file, payload);
}

PayloadResult ReadPayload(FILE* file, Payload* payload)
{
    memset(payload, 0, sizeof *payload);
    payload->file = file;
    const InstallerLayout& layout = payload->layout;
    if (ReadInstallerLayout(payload->file, &payload->layout) != 0) {
        ClosePayload(payload);
        return {PayloadFault::kCannotRead, 0};
    }
    // Bytes after the image that no chain accounts for are a download cut
    // short; a bare program is whole.
    payload->damaged = (layout.imageEnd > 0 && layout.chainEnd != layout.imageEnd) || layout.badSignature;
    if (layout.fileLength > INT32_MAX
        || !TagAt(payload->file, static_cast<int32_t>(layout.chainEnd) - int32_t{kTagBytes}))
        return {PayloadFault::kNone, 0};
    if (!WalkChain(payload)) {
        ClosePayload(payload);
        return {PayloadFault::kNoMemory, 0};
    }
    // A whole chain begins exactly where the image ends: a first record
    // anywhere else is one cut short, or one a damaged size sent into the
    // image, where nothing may ever be cut.
    if (payload->chain == ChainState::kWhole && layout.imageEnd > 0
        && payload->records[payload->recordCount - 1].dataStart != layout.imageEnd)
        payload->chain = ChainState::kDamaged;
    payload->damaged = payload->chain != ChainState::kWhole || layout.badSignature;
    if (!payload->damaged) {
        payload->checksum = CheckChecksumRecord(payload->file, layout, payload->records[0]);
        payload->damaged = payload->checksum == ChecksumState::kBad;
    }
    return {PayloadFault::kNone, 0};
}

void ClosePayload(Payload* payload)
{
    if (payload->file)
        fclose(payload->file);
    free(payload->records);
    payload->file = nullptr;
    payload->records = nullptr;
    payload->recordCount = 0;
}

const PayloadRecord* FindPayloadRecord(const Payload& payload, const char* name)
{
    for (int i = 0; i < payload.recordCount; i++) {
        const PayloadRecord& record = payload.records[i];
        if (record.size >= 1 && EqualsIgnoringCase(record.name, name))
            return &record;
    }
    return nullptr;
}

size_t ReadPayloadBytes(const Payload& payload, const PayloadRecord& record, int32_t offset, void* bytes,
                        size_t count)
{
    if (offset < 0 || offset > record.size)
        return 0;
    size_t left = static_cast<size_t>(record.size - offset);
    if (fseek(payload.file, record.dataStart + offset, SEEK_SET) != 0)
        return 0;
    return fread(bytes, 1, count < left ? count : left, payload.file);
}

PayloadResult ExtractPayloadRecord(const Payload& payload, const PayloadRecord& record, const char* destinationPath)
{
    if (fseek(payload.file, record.dataStart, SEEK_SET) != 0)
        return {PayloadFault::kCannotRead, errno};
    return CopyIntoPlace(payload.file, record.size, destinationPath);
}

PayloadResult CopyIntoPlace(FILE* from, int32_t count, const char* destinationPath)
{
    char temporary[kTemporaryPathBytes];
    FILE* destination = CreateFileBeside(destinationPath, temporary, sizeof temporary);
    if (!destination)
        return {PayloadFault::kCannotCreate, errno};
    bool copied = CopyStreamBytes(from, destination, count) == 0;
    // Buffered bytes reach the disk only at the end, so a full disk may
    // show itself only there.
    bool written = CloseWrittenStream(destination) == 0 && copied;
    int error = errno;
    if (written && (error = TakePermissionsFor(temporary, destinationPath, false)) == 0
        && (error = ReplaceFileWith(temporary, destinationPath)) == 0)
        return {PayloadFault::kNone, 0};
    DeleteFileOnly(temporary);
    return {PayloadFault::kCannotWrite, error};
}
