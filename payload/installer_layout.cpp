// Reading just enough of the PE headers to find the image's end, the
// certificate table of a signed file, and the fields signing rewrites.
#include "payload/installer_layout.h"

#include "base/byte_reader.h"
#include "payload/stream_copy.h"
#include "platform/files.h"

#include <cstring>

namespace {

constexpr int kMaxAlignmentPadding = 7; // signing aligns its table to 8 bytes
// A certificate header's revision 0x0200 and type 2 (PKCS #7 signed data), read as one.
constexpr uint32_t kRevision2Authenticode = 0x00020200;

// Fills the PE fields of layout; leaves them 0 for a file that is no image.
// Positions stay in 32 bits: the headers of a real image lie near its start,
// and one that claims them past 1 GiB is no image to install from.
void ReadPeHeaders(FILE* file, InstallerLayout* layout)
{
    unsigned char bytes[8];
    const ByteReader field = {bytes, sizeof bytes};
    if (!ReadStreamAt(file, 0, bytes, 2) || memcmp(bytes, "MZ", 2) != 0 || !ReadStreamAt(file, 0x3C, bytes, 4))
        return;
    int32_t pe = static_cast<int32_t>(LittleEndianAt(field, 0, 4));
    if (pe < 0 || pe > 0x3FFFFFFF || !ReadStreamAt(file, pe, bytes, 8) || memcmp(bytes, "PE\0\0", 4) != 0)
        return;
    int sectionCount = static_cast<int>(LittleEndianAt(field, 6, 2));
    if (!ReadStreamAt(file, pe + 20, bytes, 2))
        return;
    int32_t optional = pe + 24;
    int32_t sections = optional + static_cast<int32_t>(LittleEndianAt(field, 0, 2));
    if (!ReadStreamAt(file, optional, bytes, 2))
        return;
    bool plus = LittleEndianAt(field, 0, 2) == 0x20B; // PE32+: 16 more bytes before the directories
    int32_t directoryCountAt = optional + (plus ? 108 : 92);
    for (int i = 0; i < sectionCount; i++) {
        if (!ReadStreamAt(file, sections + 40 * i + 16, bytes, 8))
            return;
        int64_t end = int64_t{LittleEndianAt(field, 4, 4)} + LittleEndianAt(field, 0, 4);
        if (end > layout->imageEnd)
            layout->imageEnd = end;
    }
    layout->checkSumAt = optional + 64;
    if (ReadStreamAt(file, directoryCountAt, bytes, 4) && LittleEndianAt(field, 0, 4) > 4)
        layout->securityDirectoryAt = directoryCountAt + 4 + 4 * 8;
}

} // namespace

int ReadInstallerLayout(FILE* file, InstallerLayout* layout)
{
    memset(layout, 0, sizeof *layout);
    int64_t length = MeasureOpenFile(file);
    if (length < 0)
        return -1;
    layout->fileLength = length;
    layout->chainEnd = length;
    ReadPeHeaders(file, layout);

    unsigned char directory[8];
    const ByteReader field = {directory, sizeof directory};
    if (layout->securityDirectoryAt == 0
        || !ReadStreamAt(file, static_cast<int32_t>(layout->securityDirectoryAt), directory, 8))
        return 0;
    int64_t tableStart = LittleEndianAt(field, 0, 4);
    int64_t tableSize = LittleEndianAt(field, 4, 4);
    if (tableSize == 0)
        return 0;
    // A table must end the file after the image and begin with a whole
    // certificate header: its length, within the table, then revision 2.0
    // and the type of an Authenticode signature. Anything else was changed
    // after signing, and taking it for a signature would hide the records
    // it covers.
    bool ends = tableStart + tableSize == length && tableStart >= layout->imageEnd
        && ReadStreamAt(file, static_cast<int32_t>(tableStart), directory, 8);
    uint32_t certificateLength = LittleEndianAt(field, 0, 4);
    layout->badSignature = !ends || certificateLength < 8 || certificateLength > tableSize
        || LittleEndianAt(field, 4, 4) != kRevision2Authenticode;
    if (layout->badSignature)
        return 0;
    layout->isSigned = true;
    layout->chainEnd = tableStart;
    // The record tag ends in "g", never a zero byte: zeros before the table
    // are padding. (Past 2 GiB there is no chain to find.)
    unsigned char byte = 0;
    for (int i = 0; i < kMaxAlignmentPadding && layout->chainEnd > layout->imageEnd; i++) {
        if (!ReadStreamAt(file, static_cast<int32_t>(layout->chainEnd - 1), &byte, 1) || byte != 0)
            break;
        layout->chainEnd--;
    }
    return 0;
}
