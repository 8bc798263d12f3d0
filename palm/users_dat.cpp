// Reading users.dat and the byte scans over it.
#include "palm/users_dat.h"

#include "base/bounded_text.h"
#include "base/byte_reader.h"
#include "base/install_state.h"
#include "platform/files.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

int LoadUsersDat(const char* palmFolder, UsersDat* file)
{
    char path[kPalmFolderChars + 1];
    if (FormatText(path, sizeof path, "%s\\users.dat", palmFolder) != 0)
        return -1;
    FILE* stream = fopen(path, "rb");
    if (!stream)
        return -1;
    int64_t length = MeasureOpenFile(stream);
    long size = length >= 0 && length < INT32_MAX ? static_cast<long>(length) : -1;
    // malloc(0) may give no buffer; one spare byte keeps an empty file readable.
    unsigned char* bytes = size >= 0 ? static_cast<unsigned char*>(malloc(static_cast<size_t>(size) + 1)) : nullptr;
    bool read = bytes && fseek(stream, 0, SEEK_SET) == 0 &&
                fread(bytes, 1, static_cast<size_t>(size), stream) == static_cast<size_t>(size);
    fclose(stream);
    if (!read) {
        free(bytes);
        return -1;
    }
    file->bytes = bytes;
    file->size = size;
    return 0;
}

void ReleaseUsersDat(UsersDat* file)
{
    free(file->bytes);
    file->bytes = nullptr;
    file->size = 0;
}

namespace {

// True when the n bytes of name lie wholly inside the file at position and
// the byte before them is their length.
bool IsStoredAt(const UsersDat& file, long position, const char* name, size_t n)
{
    if (static_cast<size_t>(file.size - position) < n)
        return false;
    return file.bytes[position - 1] == n && memcmp(file.bytes + position, name, n) == 0;
}

// The nearest zero byte at or before last, position 0 never examined: 0
// when there is none from 1 up.
long NearestZeroAtOrBefore(const UsersDat& file, long last)
{
    long zero = last;
    while (zero >= 1 && file.bytes[zero] != 0)
        zero--;
    return zero;
}

} // namespace

long FindFolderRecord(const UsersDat& file, const char* folderName, int16_t* number, bool* numberTold)
{
    size_t n = strlen(folderName);
    long chosen = -1;
    int numbers = 0; // whole records seen: 0, 1, or 2 for records that disagree
    for (long p = file.size - 1; p >= 6; p--) {
        int16_t found = 0;
        if (!IsStoredAt(file, p, folderName, n))
            continue;
        if (!ReadRecordUserNumber(file, p, &found)) {
            chosen = chosen < 0 ? p : chosen;
        } else if (numbers == 0) {
            chosen = p;
            *number = found;
            numbers = 1;
        } else if (found != *number) {
            numbers = 2;
        }
    }
    *numberTold = numbers == 1;
    return chosen;
}

int CopyDisplayNameBefore(const UsersDat& file, long p, char* displayName, size_t capacity)
{
    long last = p - 2;
    // With no zero byte from 1 up, the name starts at position 2.
    long zero = NearestZeroAtOrBefore(file, last);
    if (zero == last)
        return -1;
    // The zero byte and the display name's own length byte are skipped.
    long first = zero + 2;
    const char* name = reinterpret_cast<const char*>(file.bytes + first);
    CopyTextPart(displayName, capacity, name, static_cast<size_t>(last - first + 1));
    return 0;
}

bool ReadRecordUserNumber(const UsersDat& file, long p, int16_t* number)
{
    // A zero at p - 2 is the length byte of an empty display name, not the
    // zero byte that stands in front of a length byte.
    long q = file.bytes[p - 2] == 0 ? p - 1 : NearestZeroAtOrBefore(file, p - 2) + 2;
    if (q < 5 || file.bytes[q - 2] != 0 || file.bytes[q - 1] != p - 1 - q)
        return false;
    const ByteReader bytes = {file.bytes, static_cast<size_t>(file.size)};
    *number = static_cast<int16_t>(LittleEndianAt(bytes, static_cast<size_t>(q - 5), 2));
    return true;
}
