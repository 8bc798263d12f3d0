// CRC-32 over an installer, its checksum record, and the integrity check.
#include "payload/installer_checksum.h"

#include "base/byte_reader.h"
#include "payload/payload_archive.h"
#include "payload/stream_copy.h"

#include <cerrno>
#include <cstring>

namespace {

constexpr int64_t kAlignment = 8;

// Eight tables, made at first use rather than stored: the program that ships
// carries no 8 KB of constants, and eight bytes a step keep the check of a
// 256 MiB installer to about a tenth of a second.
uint32_t gCrcTables[8][256];

void MakeCrcTables()
{
    if (gCrcTables[0][1] != 0)
        return;
    for (uint32_t i = 0; i < 256; i++) {
        uint32_t crc = i;
        for (int bit = 0; bit < 8; bit++)
            crc = crc & 1 ? 0xEDB88320u ^ (crc >> 1) : crc >> 1;
        gCrcTables[0][i] = crc;
    }
    for (uint32_t i = 0; i < 256; i++) {
        for (int t = 1; t < 8; t++)
            gCrcTables[t][i] = gCrcTables[0][gCrcTables[t - 1][i] & 0xFF] ^ (gCrcTables[t - 1][i] >> 8);
    }
}

uint32_t UpdateCrc(uint32_t crc, const unsigned char* bytes, size_t count)
{
    while (count >= 8) {
        uint32_t low = crc ^ LittleEndianAt({bytes, count}, 0, 4);
        crc = gCrcTables[7][low & 0xFF] ^ gCrcTables[6][(low >> 8) & 0xFF] ^ gCrcTables[5][(low >> 16) & 0xFF]
            ^ gCrcTables[4][low >> 24] ^ gCrcTables[3][bytes[4]] ^ gCrcTables[2][bytes[5]]
            ^ gCrcTables[1][bytes[6]] ^ gCrcTables[0][bytes[7]];
        bytes += 8;
        count -= 8;
    }
    while (count-- > 0)
        crc = gCrcTables[0][(crc ^ *bytes++) & 0xFF] ^ (crc >> 8);
    return crc;
}

// Folds the bytes from..to of file into crc. Returns false when they cannot
// all be read.
bool CrcRange(FILE* file, int32_t from, int32_t to, uint32_t* crc)
{
    static unsigned char buffer[65536];
    if (from < to && fseek(file, from, SEEK_SET) != 0)
        return false;
    for (int32_t left = to - from; left > 0;) {
        size_t part = left < int32_t{sizeof buffer} ? static_cast<size_t>(left) : sizeof buffer;
        if (fread(buffer, 1, part, file) != part)
            return false;
        *crc = UpdateCrc(*crc, buffer, part);
        left -= static_cast<int32_t>(part);
    }
    return true;
}

// The CRC-32 of bytes 0..end, without the fields that signing rewrites.
// Installers stay below 2 GiB: a longer file has no CRC.
bool InstallerCrc(FILE* file, const InstallerLayout& layout, int64_t end, uint32_t* crc)
{
    MakeCrcTables();
    *crc = 0xFFFFFFFFu;
    if (end > INT32_MAX)
        return false;
    // The headers lie in the first GiB, so every position fits 32 bits.
    int32_t from = 0;
    const int32_t skipped[][2] = {{static_cast<int32_t>(layout.checkSumAt), 4},
                                  {static_cast<int32_t>(layout.securityDirectoryAt), 8}};
    for (const auto& field : skipped) {
        if (field[0] == 0 || field[0] + field[1] > end)
            continue;
        if (!CrcRange(file, from, field[0], crc))
            return false;
        from = field[0] + field[1];
    }
    if (!CrcRange(file, from, static_cast<int32_t>(end), crc))
        return false;
    *crc ^= 0xFFFFFFFFu;
    return true;
}

} // namespace

PayloadResult AppendChecksumRecord(const char* path)
{
    FILE* file = fopen(path, "rb");
    if (!file)
        return {PayloadFault::kCannotOpen, errno};
    InstallerLayout layout;
    uint32_t crc = 0;
    bool summed = ReadInstallerLayout(file, &layout) == 0 && !layout.isSigned
        && InstallerCrc(file, layout, layout.fileLength, &crc);
    fclose(file);
    if (!summed)
        return {layout.isSigned ? PayloadFault::kSigned : PayloadFault::kCannotWrite, 0};

    // The record's data: the CRC, then the zeros that align the file's end.
    int64_t end = layout.fileLength + RecordBytes(kChecksumBytes, sizeof kChecksumRecordName - 1);
    int64_t padding = (kAlignment - end % kAlignment) % kAlignment;
    unsigned char data[kChecksumBytes + kAlignment] = {};
    PutLittleEndian(data, crc, kChecksumBytes);
    return AppendPayloadBytes(path, data, static_cast<int32_t>(kChecksumBytes + padding), kChecksumRecordName);
}

ChecksumState CheckChecksumRecord(FILE* file, const InstallerLayout& layout, const PayloadRecord& last)
{
    unsigned char stored[kChecksumBytes];
    uint32_t crc = 0;
    if (strcmp(last.name, kChecksumRecordName) != 0 || last.size < int32_t{kChecksumBytes}
        || !ReadStreamAt(file, last.dataStart, stored, sizeof stored) || !InstallerCrc(file, layout, last.dataStart, &crc))
        return ChecksumState::kAbsent;
    return crc == LittleEndianAt({stored, sizeof stored}, 0, kChecksumBytes) ? ChecksumState::kGood
                                                                             : ChecksumState::kBad;
}
