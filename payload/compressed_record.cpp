// Names and header of compressed records, and their decoding.
#include "payload/compressed_record.h"

#include "base/bounded_text.h"

#include <cstring>

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

int ReadCompressedHeader(FILE* record, int32_t storedSize, CompressedHeader* header)
{
    unsigned char bytes[kCompressedHeaderBytes];
    if (storedSize < int32_t{kCompressedHeaderBytes} + kLzmaShortestStream
        || fread(bytes, 1, sizeof bytes, record) != sizeof bytes)
        return -1;
    header->originalSize = GetLittleEndian(bytes, kSizeFieldBytes);
    header->properties = bytes[kSizeFieldBytes];
    header->codedSize = static_cast<uint32_t>(storedSize) - kCompressedHeaderBytes;
    return header->originalSize == 0 || header->originalSize > INT32_MAX ? -1 : 0;
}

LzmaResult DecodeCompressedRecord(FILE* record, int32_t storedSize, LzmaWorkspace* workspace, LzmaSink sink,
                              void* context)
{
    CompressedHeader header;
    if (ReadCompressedHeader(record, storedSize, &header) != 0)
        return LzmaResult::kDamaged;
    return DecodeLzma(record, header.codedSize, header.properties, header.originalSize, workspace, sink, context);
}
