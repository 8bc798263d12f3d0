// What a path names: the same file as another path, a regular file.
// Defined for Windows in file_identity_win.cpp and for POSIX systems in
// file_identity_posix.cpp.
#pragma once

// True when a and b name one and the same existing file (links followed),
// however differently they are written.
bool IsSameFile(const char* a, const char* b);

// True when path names an existing regular file (links followed): not a
// folder, not a device such as /dev/null or NUL.
bool IsRegularFile(const char* path);
