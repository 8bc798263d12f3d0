// Copies a counted run of bytes between two open streams.
#pragma once

#include <cstdint>
#include <cstdio>

// Copies exactly count bytes from the current position of from to the
// current position of to. Returns 0, or -1 when a read fell short or a
// write failed (the bytes before that point have been written).
int CopyStreamBytes(FILE* from, FILE* to, int32_t count);
