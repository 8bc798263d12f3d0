// Registry access by path: one value below HKEY_CURRENT_USER named by one
// backslash-separated string, such as "Software\3Com\Palm Desktop\Core\Path".
#pragma once

#include <cstddef>
#include <cstdint>

// The longest RegistryPath, and the most key components it may have (the
// value name comes on top). Longer paths are refused, never cut.
constexpr size_t kRegistryPathChars = 299;
constexpr int kRegistryPathKeys = 10;

// Reads the value that path names into buffer (size bytes, terminator
// included for a string). Every component followed by a separator is a key,
// the component running up to the end is the value name; empty components
// are skipped. The data is stored as the registry holds it: no type check,
// no terminator added. Returns 0 when every registry call made succeeded
// (also when none was made: a path without components, or keys only), else
// the status of the call that failed. A missing key or value leaves buffer
// untouched; a value larger than size leaves it undefined. A path over
// kRegistryPathChars characters or kRegistryPathKeys keys yields -1 without
// any registry call.
long ReadRegistryPath(const char* path, void* buffer, uint32_t size);

// Writes size bytes of data of the given registry type as the value that
// path names, creating missing keys on the way. Returns as ReadRegistryPath;
// keys created before a failure stay.
long WriteRegistryPath(const char* path, const void* data, uint32_t size, uint32_t type);
