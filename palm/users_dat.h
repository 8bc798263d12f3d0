// Palm Desktop's users.dat, read whole, and what is read from it.
// Of its layout only this fragment is relied upon, per user, q being the
// position of the display name's first byte:
//   q-5, q-4  user number, 16-bit signed, little-endian
//   q-3       not read
//   q-2       a zero byte
//   q-1       length of the display name
//   q ...     the display name, then the folder name's length byte and the
//             folder name (no terminators)
#pragma once

#include <cstddef>
#include <cstdint>

struct UsersDat {
    unsigned char* bytes; // malloc'ed; released by ReleaseUsersDat
    long size;
};

// Reads "<palmFolder>\users.dat" whole into memory. Returns 0, or -1 when
// the path would not fit, the file cannot be opened or read, or memory runs
// out (then nothing is held).
int LoadUsersDat(const char* palmFolder, UsersDat* file);

void ReleaseUsersDat(UsersDat* file);

// Scans the file backwards for the stored copies of folderName: its bytes
// at a position p (byte-exact) preceded by its length, p no lower than 6.
// Returns the p of the last copy that ends a whole user record (see
// ReadRecordUserNumber), else of the last copy; -1 when there is none. A
// copy may stand in another user's record, as that user's display name, so
// numberTold is true only when there are whole records and all give the
// same user number, which is then stored in number.
long FindFolderRecord(const UsersDat& file, const char* folderName, int16_t* number, bool* numberTold);

// The display name stored in front of the folder name found at p: the bytes
// after the nearest zero byte before p - 1 and the length byte behind it,
// up to p - 2. Copies it into displayName (cut to capacity - 1 characters)
// and returns 0; returns -1, displayName untouched, when the byte at p - 2
// is itself zero and leaves no room for a name.
int CopyDisplayNameBefore(const UsersDat& file, long p, char* displayName, size_t capacity);

// The user number of the record whose folder name was found at p, when the
// bytes in front of it make a whole record: the display name's length byte
// at q - 1 counting exactly the bytes q to p - 2, none of them zero; a zero
// byte at q - 2; the number at q - 5 and q - 4. Stores the number and
// returns true when the record is whole.
bool ReadRecordUserNumber(const UsersDat& file, long p, int16_t* number);
