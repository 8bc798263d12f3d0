// Making a file that is to take another's place: created beside it under a
// name of its own, with the permissions it should have. Defined for Windows
// in file_replacement_win.cpp and for POSIX systems in
// file_replacement_posix.cpp.
#pragma once

#include <cstddef>
#include <cstdio>

// The files that CreateFileBeside makes, as a folder listing pattern. A run
// ended in mid-copy leaves one behind; HotSync takes none of them, as they
// end in neither .prc, .pdb nor .pqa.
constexpr char kTemporaryFilePattern[] = "vtr*.tmp";

// Room for the path of such a file beside any destination the programs write.
constexpr size_t kTemporaryPathBytes = 4096;

// Creates a new, empty file beside target, in its folder, named "vtr",
// characters that make the name one no file has yet, and ".tmp": six random
// letters or digits (POSIX), or the first free number of GetTempFileNameA's
// sequence (Windows). It is created exclusively, so a file or link already
// there is never opened or followed. Stores its path in path (capacity
// bytes, at least MAX_PATH on Windows) and returns it open for binary
// writing, or nullptr when it cannot be created or its path does not fit.
FILE* CreateFileBeside(const char* target, char* path, size_t capacity);

// Gives the file at path the permissions of a file put in target's place:
// target's own when it exists, else a new file's (read and write, and with
// program also execute) less the process's umask. Windows has no such
// permissions: there it does nothing. Returns 0, or the system's error
// number.
int TakePermissionsFor(const char* path, const char* target, bool program);
