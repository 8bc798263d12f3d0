// Copies a counted run of bytes between two open streams.
#pragma once

#include <cstdint>
#include <cstdio>

// Copies exactly count bytes from the current position of from to the
// current position of to. Returns 0, or -1 when a read fell short or a
// write failed (the bytes before that point have been written).
int CopyStreamBytes(FILE* from, FILE* to, int32_t count);

// Closes a stream that was written to. Returns 0 only when every buffered
// byte reached the file: it flushes and checks the stream's error state
// before the close, since some C runtimes report success from a close
// whose own final flush failed on a full disk.
int CloseWrittenStream(FILE* stream);
