// Counted copy between streams, for appending and extracting records.
#include "payload/stream_copy.h"

int CopyStreamBytes(FILE* from, FILE* to, int32_t count)
{
    // Large enough that the streams pass whole blocks straight to the system.
    char buffer[65536];
    size_t left = count > 0 ? static_cast<size_t>(count) : 0;
    while (left > 0) {
        size_t part = left < sizeof buffer ? left : sizeof buffer;
        if (fread(buffer, 1, part, from) != part || fwrite(buffer, 1, part, to) != part)
            return -1;
        left -= part;
    }
    return 0;
}

int CloseWrittenStream(FILE* stream)
{
    bool flushed = fflush(stream) == 0 && !ferror(stream);
    bool closed = fclose(stream) == 0;
    return flushed && closed ? 0 : -1;
}
