// The file operations that buffered streams cannot do. Defined for Windows
// in files_win.cpp and portably, with std::filesystem, in files_portable.cpp
// (the native packager and the native tests use that one).
//
// Each operation returns 0, or when it failed the system's error number
// (GetLastError, errno), never 0; the caller picks what to tell.
#pragma once

#include <cstdint>
#include <cstdio>

// Makes the folder at path; the folder above it must exist. A folder that
// exists already is a failure too.
int MakeFolder(const char* path);

// Deletes the file at path; never a folder.
int DeleteFileOnly(const char* path);

// Makes the existing file at path exactly length bytes long (cutting it
// there).
int TruncateFileAt(const char* path, int64_t length);

// Puts the file at source in the place of target in one step, replacing a
// target that exists; on failure both files stay as they were.
int ReplaceFileWith(const char* source, const char* target);

// A new empty file opened for update in binary mode, in the system's folder
// for temporary files, deleted when it is closed; nullptr when none can be
// made.
FILE* OpenScratchFile();

// The length of the open file, in 64 bits also where a long has 32 (a
// 4 GiB file must not pass for a small one). Returns -1 when it cannot be
// had. The stream's position is left unspecified.
int64_t MeasureOpenFile(FILE* file);
