// The file operations that buffered streams cannot do. Defined for Windows
// in files_win.cpp and portably, with std::filesystem, in files_portable.cpp
// (the native packager and the native tests use that one).
#pragma once

#include <cstdint>
#include <cstdio>

// Copies a file, replacing an existing destination. Returns 0 or -1.
int CopyFileReplacing(const char* source, const char* destination);

// Deletes the file at path; never a folder. Returns 0 or -1.
int DeleteFileOnly(const char* path);

// Makes the existing file at path exactly length bytes long (cutting it
// there). Returns 0 or -1.
int TruncateFileAt(const char* path, int64_t length);

// Puts the file at source in the place of target in one step, replacing a
// target that exists. Returns 0, or -1 with both files as they were.
int ReplaceFileWith(const char* source, const char* target);

// The length of the open file, in 64 bits also where a long has 32 (a
// 4 GiB file must not pass for a small one). Returns -1 when it cannot be
// had. The stream's position is left unspecified.
int64_t MeasureOpenFile(FILE* file);
