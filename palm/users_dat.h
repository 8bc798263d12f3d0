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

// The position p of the stored copy of folderName nearest the end of the
// file: the name's bytes at p (byte-exact) preceded by its length, p no
// lower than 6. Returns -1 when there is none.
long FindLastFolderName(const UsersDat& file, const char* folderName);

// The display name stored in front of the folder name found at p: the bytes
// after the nearest zero byte before p - 1 and the length byte behind it,
// up to p - 2. Copies it into displayName (cut to capacity - 1 characters)
// and returns 0; returns -1, displayName untouched, when the byte at p - 2
// is itself zero and leaves no room for a name.
int CopyDisplayNameBefore(const UsersDat& file, long p, char* displayName, size_t capacity);

// The user number stored in front of the display name that belongs to the
// folder name found at p: at q - 5 and q - 4, q being where
// CopyDisplayNameBefore finds the display name to start, or p - 1 when the
// byte at p - 2 is zero (the length byte of a display name of length 0).
// Stores it in number and returns 0; returns -1, number untouched, when
// q - 5 would lie before the file's start.
int UserNumberBefore(const UsersDat& file, long p, int16_t* number);
