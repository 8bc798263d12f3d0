// Reads at a position, measuring, and counted copies on open streams.
#include "payload/stream_copy.h"

#include "platform/files.h"

bool ReadStreamAt(FILE* file, int32_t position, void* bytes, size_t count)
{
    return position >= 0 && fseek(file, position, SEEK_SET) == 0
        && fread(bytes, 1, count, file) == count;
}

int MeasureFile(FILE* file, int32_t* length)
{
    int64_t end = MeasureOpenFile(file);
    if (end < 0 || end > INT32_MAX || fseek(file, 0, SEEK_END) != 0)
        return -1;
    *length = static_cast<int32_t>(end);
    return 0;
}

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
