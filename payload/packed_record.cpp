// Names and header of packed records, and their decoding.
#include "payload/packed_record.h"

#include "base/bounded_text.h"

#include <cstring>

const char* PackedDatabaseName(const char* storedName)
{
    size_t prefix = sizeof kPackedRecordPrefix - 1;
    return strncmp(storedName, kPackedRecordPrefix, prefix) == 0 ? storedName + prefix : nullptr;
}

int MakePackedRecordName(const char* name, char (&packed)[kRecordNameChars + 1])
{
    if (CopyText(packed, kPackedRecordPrefix) != 0 || AppendText(packed, name) != 0) {
        packed[0] = '\0';
        return -1;
    }
    return 0;
}

void PutPackedHeader(unsigned char (&bytes)[kPackedHeaderBytes], uint32_t originalSize, unsigned properties)
{
    PutLittleEndian(bytes, originalSize, kSizeFieldBytes);
    bytes[kSizeFieldBytes] = static_cast<unsigned char>(properties);
}

int ReadPackedHeader(FILE* record, int32_t storedSize, PackedHeader* header)
{
    unsigned char bytes[kPackedHeaderBytes];
    if (storedSize < int32_t{kPackedHeaderBytes} + kLzmaShortestStream
        || fread(bytes, 1, sizeof bytes, record) != sizeof bytes)
        return -1;
    header->originalSize = GetLittleEndian(bytes, kSizeFieldBytes);
    header->properties = bytes[kSizeFieldBytes];
    header->codedSize = static_cast<uint32_t>(storedSize) - kPackedHeaderBytes;
    return header->originalSize == 0 || header->originalSize > INT32_MAX ? -1 : 0;
}

LzmaResult DecodePackedRecord(FILE* record, int32_t storedSize, LzmaWorkspace* workspace, LzmaSink sink,
                              void* context)
{
    PackedHeader header;
    if (ReadPackedHeader(record, storedSize, &header) != 0)
        return LzmaResult::kDamaged;
    return DecodeLzma(record, header.codedSize, header.properties, header.originalSize, workspace, sink, context);
}
