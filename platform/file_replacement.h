// Making a file that is to take another's place: created beside it under a
// name of its own, with the permissions it should have; and telling whether
// two paths name one file. Defined for Windows in file_replacement_win.cpp
// and for POSIX systems in file_replacement_posix.cpp.
#pragma once

#include <cstdio>

// Creates a new, empty file beside target: in its folder, named target's
// name followed by ".vantrel-" and six random letters or digits, which no
// one can guess or place there first. It is created exclusively, so a file
// or link already there is never opened or followed. Stores its path in path
// (capacity bytes) and returns it open for binary writing, or nullptr when
// it cannot be created or its path does not fit.
FILE* CreateFileBeside(const char* target, char* path, size_t capacity);

// True when a and b name one and the same existing file (links followed),
// however differently they are written.
bool IsSameFile(const char* a, const char* b);

// Gives the file at path the permissions of a file put in target's place:
// target's own when it exists, else a new file's (read and write, and with
// program also execute) less the process's umask. Windows has no such
// permissions: there it does nothing. Returns 0, or the system's error
// number.
int TakePermissionsFor(const char* path, const char* target, bool program);
