// Reads at a position, measuring, and counted copies on open streams: the
// few stream operations that every part of the payload shares.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

// Reads count bytes at position (installers stay below 2 GiB). Returns
// false when position lies before the file or the bytes are not all there.
bool ReadStreamAt(FILE* file, int32_t position, void* bytes, size_t count);

// Measures the open file, leaving its position at the end. Returns 0, or -1
// when the length cannot be had or does not fit a 32-bit position.
int MeasureFile(FILE* file, int32_t* length);

// Copies exactly count bytes from the current position of from to the
// current position of to. Returns 0, or -1 when a read fell short or a
// write failed (the bytes before that point have been written).
int CopyStreamBytes(FILE* from, FILE* to, int32_t count);

// Closes a stream that was written to. Returns 0 only when every buffered
// byte reached the file: it flushes and checks the stream's error state
// before the close, since some C runtimes report success from a close
// whose own final flush failed on a full disk.
int CloseWrittenStream(FILE* stream);
