// Appending one file to an executable as a new last payload record.
#include "payload/payload_archive.h"

#include "base/byte_reader.h"
#include "payload/stream_copy.h"
#include "platform/files.h"

#include <cerrno>
#include <cstring>

namespace {

// Writes the fields that follow the data: size, name with its NUL, name
// length, record length and tag. Returns 0 or -1.
int WriteRecordTrailer(FILE* executable, int32_t size, const char* name)
{
    unsigned char trailer[kSizeFieldBytes + kRecordNameChars + 1 + kNameTrailerBytes];
    size_t nameLength = strlen(name) + 1;
    unsigned char* at = trailer;
    PutLittleEndian(at, static_cast<uint32_t>(size), kSizeFieldBytes);
    at += kSizeFieldBytes;
    memcpy(at, name, nameLength);
    at += nameLength;
    PutLittleEndian(at, static_cast<uint32_t>(nameLength), kNameLengthFieldBytes);
    at += kNameLengthFieldBytes;
    PutLittleEndian(at, static_cast<uint32_t>(size + nameLength + kSizeFieldBytes + kNameLengthFieldBytes),
                    kRecordLengthFieldBytes);
    at += kRecordLengthFieldBytes;
    memcpy(at, kRecordTag, kTagBytes);
    at += kTagBytes;
    size_t count = static_cast<size_t>(at - trailer);
    return fwrite(trailer, 1, count, executable) == count ? 0 : -1;
}

// Where a record's data comes from: an open file (read from its current
// position) or bytes in memory.
struct RecordData {
    FILE* input;
    const unsigned char* bytes;
    int32_t size;
};

// Appends the data and the trailer to the end of executable, whose length
// before is originalLength. Returns 0, or -1 when the archive would reach
// 2 GiB (nothing written) or a read or write failed.
int WriteRecord(FILE* executable, int32_t originalLength, const RecordData& data, const char* name)
{
    if (originalLength + RecordBytes(data.size, strlen(name)) > INT32_MAX)
        return -1;
    // Exactly the measured size: when the input is the executable itself,
    // reading on to its end would chase its own writes.
    if (data.input ? CopyStreamBytes(data.input, executable, data.size) != 0
                   : fwrite(data.bytes, 1, static_cast<size_t>(data.size), executable) != static_cast<size_t>(data.size))
        return -1;
    return WriteRecordTrailer(executable, data.size, name);
}

// Appends a record named name to the existing executable. On failure the
// executable keeps its earlier bytes.
PayloadResult AppendRecord(const char* executablePath, const RecordData& data, const char* name)
{
    if (strlen(name) > kRecordNameChars)
        return {PayloadFault::kNameTooLong, 0};
    FILE* executable = fopen(executablePath, "rb+");
    if (!executable)
        return {PayloadFault::kCannotOpen, errno};
    // A record after the certificate table would break the signature.
    InstallerLayout layout;
    if (ReadInstallerLayout(executable, &layout) == 0 && layout.isSigned) {
        fclose(executable);
        return {PayloadFault::kSigned, 0};
    }

    int32_t originalLength = -1;
    int written = -1;
    if (MeasureFile(executable, &originalLength) == 0)
        written = WriteRecord(executable, originalLength, data, name);
    // The last buffered bytes reach the disk only at the end, so that can fail too.
    bool closed = CloseWrittenStream(executable) == 0;
    if (written == 0 && closed)
        return {PayloadFault::kNone, 0};
    int error = errno;
    // Never leave half a record behind: cut back to the length before.
    if (originalLength >= 0)
        TruncateFileAt(executablePath, originalLength);
    return {PayloadFault::kCannotWrite, error};
}

} // namespace

PayloadResult AppendPayloadRecord(const char* executablePath, const char* inputPath)
{
    char name[kRecordNameChars + 1];
    if (TakeRecordName(inputPath, name) != 0)
        return {PayloadFault::kNameTooLong, 0};
    return AppendNamedPayloadRecord(executablePath, inputPath, name);
}

PayloadResult AppendNamedPayloadRecord(const char* executablePath, const char* inputPath, const char* name)
{
    FILE* input = fopen(inputPath, "rb");
    if (!input)
        return {PayloadFault::kCannotReadInput, errno};
    RecordData data = {input, nullptr, 0};
    PayloadResult result = {PayloadFault::kCannotReadInput, 0};
    if (MeasureFile(input, &data.size) == 0 && fseek(input, 0, SEEK_SET) == 0)
        result = AppendRecord(executablePath, data, name);
    fclose(input);
    return result;
}

PayloadResult AppendPayloadBytes(const char* executablePath, const void* bytes, int32_t size, const char* name)
{
    RecordData data = {nullptr, static_cast<const unsigned char*>(bytes), size};
    return AppendRecord(executablePath, data, name);
}
