// The payload index: one open, one backward walk over the chain, and the
// reads and copies that work from it.
#include "payload/payload.h"

#include "base/bounded_text.h"
#include "base/byte_reader.h"
#include "payload/compressed_record.h"
#include "payload/installer_checksum.h"
#include "payload/record_walk.h"
#include "payload/stream_copy.h"
#include "platform/file_replacement.h"
#include "platform/files.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace {

// Closes destination, written beside destinationPath as temporary, and
// when it was written whole (copied) renames it over destinationPath; else
// deletes it. Returns kNone, or kCannotWrite with the system's error.
PayloadResult PutIntoPlace(FILE* destination, bool copied, const char* temporary, const char* destinationPath)
{
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

// As CopyIntoPlace, decoding the compressed record; kCorrupt when it does
// not decode to exactly the size it states.
PayloadResult DecodeIntoPlace(FILE* file, const PayloadRecord& record, const char* destinationPath)
{
    char temporary[kTemporaryPathBytes];
    FILE* destination = CreateFileBeside(destinationPath, temporary, sizeof temporary);
    if (!destination)
        return {PayloadFault::kCannotCreate, errno};
    LzmaResult decoded = DecodeCompressedRecordToFile(file, record.dataStart, record.size, destination);
    PayloadResult result = PutIntoPlace(destination, decoded == LzmaResult::kDone, temporary, destinationPath);
    if (decoded == LzmaResult::kDamaged)
        result = {PayloadFault::kCorrupt, 0};
    return result;
}

// Walks the chain back from its end through reader, counting each record
// read and, with kKeepRecords, adding it. Returns false when memory ran out.
template <bool kKeepRecords, typename Reader>
bool WalkChain(Payload* payload, Reader& reader)
{
    int capacity = 0;
    payload->chain = ChainState::kWhole;
    PayloadRecord passed; // a summary's records after the last
    for (int32_t recordEnd = static_cast<int32_t>(payload->layout.chainEnd); recordEnd >= 0;) {
        if (kKeepRecords && payload->recordCount == capacity) {
            capacity = capacity ? 2 * capacity : 16;
            void* grown = realloc(payload->records, sizeof(PayloadRecord) * static_cast<size_t>(capacity));
            if (!grown)
                return false;
            payload->records = static_cast<PayloadRecord*>(grown);
        }
        PayloadRecord* record = kKeepRecords ? &payload->records[payload->recordCount]
                                             : payload->recordCount ? &passed : &payload->last;
        recordEnd = ReadRecordEndingAt(reader, recordEnd, record);
        if (recordEnd == kDamagedRecord) {
            payload->chain = ChainState::kDamaged;
            break;
        }
        payload->recordCount++;
        payload->chainStart = record->dataStart;
    }
    return true;
}

// The index of file, read through reader; see OpenPayload.
template <bool kKeepRecords, typename Reader>
PayloadResult IndexPayload(FILE* file, Payload* payload, Reader& reader)
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
    if (layout.fileLength > INT32_MAX || !TagAt(reader, static_cast<int32_t>(layout.chainEnd) - int32_t{kTagBytes}))
        return {PayloadFault::kNone, 0};
    if (!WalkChain<kKeepRecords>(payload, reader)) {
        ClosePayload(payload);
        return {PayloadFault::kNoMemory, 0};
    }
    // A whole chain begins exactly where the image ends: a first record
    // anywhere else is one cut short, or one a damaged size sent into the
    // image, where nothing may ever be cut.
    if (payload->chain == ChainState::kWhole && layout.imageEnd > 0 && payload->chainStart != layout.imageEnd)
        payload->chain = ChainState::kDamaged;
    payload->damaged = payload->chain != ChainState::kWhole || layout.badSignature;
    if (!payload->damaged) {
        payload->checksum = CheckChecksumRecord(payload->file, layout, kKeepRecords ? payload->records[0] : payload->last);
        payload->damaged = payload->checksum == ChecksumState::kBad;
    }
    return {PayloadFault::kNone, 0};
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
    StreamReader reader = {file};
    return IndexPayload<true>(file, payload, reader);
}

PayloadResult OpenPayloadSummary(const char* path, Payload* payload)
{
    WindowReader reader;
    reader.file = fopen(path, "rb");
    if (!reader.file) {
        memset(payload, 0, sizeof *payload);
        return {PayloadFault::kCannotOpen, errno};
    }
    return IndexPayload<false>(reader.file, payload, reader);
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
        const char* database = CompressedDatabaseName(record.name);
        bool named = EqualsIgnoringCase(record.name, name) || (database && EqualsIgnoringCase(database, name));
        if (record.size >= 1 && named)
            return &record;
    }
    return nullptr;
}

size_t ReadPayloadBytes(const Payload& payload, const PayloadRecord& record, int32_t offset, void* bytes,
                        size_t count)
{
    if (record.compressed)
        return ReadCompressedRecordBytes(payload.file, record.dataStart, record.size, offset, bytes, count);
    if (offset < 0 || offset > record.size)
        return 0;
    size_t left = static_cast<size_t>(record.size - offset);
    if (fseek(payload.file, record.dataStart + offset, SEEK_SET) != 0)
        return 0;
    return fread(bytes, 1, count < left ? count : left, payload.file);
}

PayloadResult ExtractPayloadRecord(const Payload& payload, const PayloadRecord& record, const char* destinationPath)
{
    if (record.compressed)
        return DecodeIntoPlace(payload.file, record, destinationPath);
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
    return PutIntoPlace(destination, copied, temporary, destinationPath);
}
