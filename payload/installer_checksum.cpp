// CRC-32 over an installer, its checksum record, and the integrity check.
#include "payload/installer_checksum.h"

#include "base/bounded_text.h"
#include "payload/installer_layout.h"
#include "payload/payload_archive.h"
#include "payload/record_chain.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr size_t kCrcBytes = 4;
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
        uint32_t low = crc ^ (uint32_t{bytes[0]} | uint32_t{bytes[1]} << 8 | uint32_t{bytes[2]} << 16
                              | uint32_t{bytes[3]} << 24);
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
bool CrcRange(FILE* file, int64_t from, int64_t to, uint32_t* crc)
{
    static unsigned char buffer[65536];
    if (from >= to)
        return true;
    if (fseek(file, static_cast<long>(from), SEEK_SET) != 0)
        return false;
    for (int64_t left = to - from; left > 0;) {
        size_t part = left < int64_t{sizeof buffer} ? static_cast<size_t>(left) : sizeof buffer;
        if (fread(buffer, 1, part, file) != part)
            return false;
        *crc = UpdateCrc(*crc, buffer, part);
        left -= static_cast<int64_t>(part);
    }
    return true;
}

// The CRC-32 of bytes 0..end, without the fields that signing rewrites.
bool InstallerCrc(FILE* file, const InstallerLayout& layout, int64_t end, uint32_t* crc)
{
    MakeCrcTables();
    *crc = 0xFFFFFFFFu;
    int64_t from = 0;
    const int64_t skipped[][2] = {{layout.checkSumAt, 4}, {layout.securityDirectoryAt, 8}};
    for (const auto& field : skipped) {
        if (field[0] == 0 || field[0] + field[1] > end)
            continue;
        if (!CrcRange(file, from, field[0], crc))
            return false;
        from = field[0] + field[1];
    }
    if (!CrcRange(file, from, end, crc))
        return false;
    *crc ^= 0xFFFFFFFFu;
    return true;
}

} // namespace

int AppendChecksumRecord(const char* path)
{
    FILE* file = fopen(path, "rb");
    if (!file)
        return kAppendCannotOpenExecutable;
    InstallerLayout layout;
    uint32_t crc = 0;
    bool summed = ReadInstallerLayout(file, &layout) == 0 && !layout.isSigned
        && InstallerCrc(file, layout, layout.fileLength, &crc);
    fclose(file);
    if (!summed)
        return layout.isSigned ? kAppendSigned : kAppendCannotWrite;

    // The record's data: the CRC, then the zeros that align the file's end.
    constexpr int64_t kRecordFields = 4 + sizeof kChecksumRecordName + 2 + 4 + 4;
    int64_t padding = (kAlignment - (layout.fileLength + kRecordFields + kCrcBytes) % kAlignment) % kAlignment;
    unsigned char data[kCrcBytes + kAlignment] = {};
    for (size_t i = 0; i < kCrcBytes; i++)
        data[i] = static_cast<unsigned char>(crc >> (8 * i));
    return AppendPayloadBytes(path, data, static_cast<int32_t>(kCrcBytes + padding), kChecksumRecordName);
}

InstallerIntegrity CheckInstallerIntegrity(const char* path)
{
    InstallerIntegrity integrity = {true, ChecksumState::kAbsent};
    FILE* file = fopen(path, "rb");
    InstallerLayout layout;
    if (!file || ReadInstallerLayout(file, &layout) != 0) {
        if (file)
            fclose(file);
        return integrity;
    }
    // No payload at all: a bare program is whole.
    bool bytesFollowImage = layout.imageEnd > 0 && layout.chainEnd != layout.imageEnd;
    ChainWalk walk;
    if (StartChainWalk(file, &walk) != 0) {
        fclose(file);
        integrity.damaged = bytesFollowImage;
        return integrity;
    }
    ChainRecord last = {};
    ChainRecord record;
    ChainStep step;
    bool first = true;
    while ((step = ReadPreviousRecord(&walk, &record)) == ChainStep::Record) {
        if (first)
            last = record;
        first = false;
    }
    bool chainWhole = step == ChainStep::End && (layout.imageEnd == 0 || record.dataStart == layout.imageEnd);
    integrity.damaged = !chainWhole;

    unsigned char stored[kCrcBytes];
    uint32_t crc = 0;
    if (chainWhole && strcmp(last.name, kChecksumRecordName) == 0 && last.size >= int32_t{kCrcBytes}
        && fseek(file, last.dataStart, SEEK_SET) == 0 && fread(stored, 1, kCrcBytes, file) == kCrcBytes
        && InstallerCrc(file, layout, last.dataStart, &crc)) {
        uint32_t expected = GetLittleEndian(stored, kCrcBytes);
        integrity.checksum = crc == expected ? ChecksumState::kGood : ChecksumState::kBad;
        integrity.damaged = crc != expected;
    }
    fclose(file);
    return integrity;
}
