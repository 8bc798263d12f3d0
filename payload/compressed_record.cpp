// Names and header of compressed records, and their decoding.
#include "payload/compressed_record.h"

#include "base/bounded_text.h"
#include "base/byte_reader.h"

#include <cstring>

namespace {

// The decoder's memory, about 1.05 MiB, for every record in turn.
LzmaWorkspace gWorkspace;

int WriteToFile(void* context, const unsigned char* bytes, size_t count)
{
    return fwrite(bytes, 1, count, static_cast<FILE*>(context)) == count ? 0 : -1;
}

// The part of a decoded record that a read wants, and how far it has come.
struct WantedBytes {
    int64_t offset;          // of the first wanted byte in the record
    size_t count;
    unsigned char* bytes;
    int64_t decoded;         // record bytes handed over so far
    size_t got;
};

// Keeps the wanted part of each chunk; stops the decoding once it has all.
int KeepWanted(void* context, const unsigned char* bytes, size_t count)
{
    WantedBytes* w = static_cast<WantedBytes*>(context);
    int64_t chunkEnd = w->decoded + static_cast<int64_t>(count);
    int64_t from = w->offset + static_cast<int64_t>(w->got);
    if (from < chunkEnd && w->got < w->count) {
        size_t take = static_cast<size_t>(chunkEnd - from);
        take = take < w->count - w->got ? take : w->count - w->got;
        memcpy(w->bytes + w->got, bytes + (from - w->decoded), take);
        w->got += take;
    }
    w->decoded = chunkEnd;
    return w->got == w->count ? -1 : 0;
}

} // namespace

const char* CompressedDatabaseName(const char* storedName)
{
    size_t prefix = sizeof kCompressedRecordPrefix - 1;
    return strncmp(storedName, kCompressedRecordPrefix, prefix) == 0 ? storedName + prefix : nullptr;
}

int MakeCompressedRecordName(const char* name, char (&compressed)[kRecordNameChars + 1])
{
    if (CopyText(compressed, kCompressedRecordPrefix) != 0 || AppendText(compressed, name) != 0) {
        compressed[0] = '\0';
        return -1;
    }
    return 0;
}

void PutCompressedHeader(unsigned char (&bytes)[kCompressedHeaderBytes], uint32_t originalSize, unsigned properties)
{
    PutLittleEndian(bytes, originalSize, kSizeFieldBytes);
    bytes[kSizeFieldBytes] = static_cast<unsigned char>(properties);
}

int32_t CompressedOriginalSize(const unsigned char (&header)[kCompressedHeaderBytes], int32_t storedSize)
{
    uint32_t size = LittleEndianAt({header, sizeof header}, 0, kSizeFieldBytes);
    bool sound = storedSize >= int32_t{kCompressedHeaderBytes} + kLzmaShortestStream && size <= INT32_MAX;
    return sound ? static_cast<int32_t>(size) : 0;
}

int ReadCompressedHeader(FILE* record, int32_t storedSize, CompressedHeader* header)
{
    unsigned char bytes[kCompressedHeaderBytes];
    if (storedSize < int32_t{kCompressedHeaderBytes} + kLzmaShortestStream
        || fread(bytes, 1, sizeof bytes, record) != sizeof bytes)
        return -1;
    int32_t originalSize = CompressedOriginalSize(bytes, storedSize);
    header->originalSize = static_cast<uint32_t>(originalSize);
    header->properties = bytes[kSizeFieldBytes];
    header->codedSize = static_cast<uint32_t>(storedSize) - kCompressedHeaderBytes;
    return originalSize == 0 ? -1 : 0;
}

LzmaResult DecodeCompressedRecord(FILE* record, int32_t storedSize, LzmaWorkspace* workspace, LzmaSink sink,
                                  void* context)
{
    CompressedHeader header;
    if (ReadCompressedHeader(record, storedSize, &header) != 0)
        return LzmaResult::kDamaged;
    return DecodeLzma(record, header.codedSize, header.properties, header.originalSize, workspace, sink, context);
}

LzmaResult DecodeCompressedRecordToFile(FILE* file, int32_t dataStart, int32_t storedSize, FILE* destination)
{
    if (fseek(file, dataStart, SEEK_SET) != 0)
        return LzmaResult::kCannotRead;
    return DecodeCompressedRecord(file, storedSize, &gWorkspace, WriteToFile, destination);
}

size_t ReadCompressedRecordBytes(FILE* file, int32_t dataStart, int32_t storedSize, int32_t offset, void* bytes,
                                 size_t count)
{
    WantedBytes wanted = {offset, count, static_cast<unsigned char*>(bytes), 0, 0};
    if (offset < 0 || count == 0 || fseek(file, dataStart, SEEK_SET) != 0)
        return 0;
    // The decoding stops once the wanted bytes are out: damage after them
    // shows only to a whole decoding, as an extraction is.
    DecodeCompressedRecord(file, storedSize, &gWorkspace, KeepWanted, &wanted);
    return wanted.got;
}
