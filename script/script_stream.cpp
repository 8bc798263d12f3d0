// The bounded line read of the install script.
#include "script/script_stream.h"

#include <cstring>

int ReadScriptLine(const ScriptStream& script, char* line, size_t capacity)
{
    if (!script.file || capacity < 2)
        return -1;
    size_t readCapacity = capacity;
    if (script.endBound != 0) {
        long position = ftell(script.file);
        // A position that cannot be had cannot be trusted to lie within the
        // script: read nothing rather than bytes that may follow it.
        if (position < 0 || position >= script.endBound)
            return -1;
        size_t remaining = static_cast<size_t>(script.endBound - position);
        if (remaining < readCapacity - 1)
            readCapacity = remaining + 1;
    }
    // fgets takes an int count; the buffers here are far below INT_MAX.
    if (!fgets(line, static_cast<int>(readCapacity), script.file))
        return -1;
    return 0;
}

int PeekScriptByte(const ScriptStream& script)
{
    if (!script.file)
        return -1;
    if (script.endBound != 0) {
        long position = ftell(script.file);
        if (position < 0 || position >= script.endBound)
            return -1;
    }
    int c = fgetc(script.file);
    if (c == EOF)
        return -1;
    ungetc(c, script.file);
    return c;
}

void SkipByteOrderMark(const ScriptStream& script)
{
    static const unsigned char kMark[] = {0xEF, 0xBB, 0xBF};
    if (!script.file)
        return;
    // At the start of a file, even a text-mode ftell gives a position that
    // fseek can go back to.
    long start = ftell(script.file);
    if (start < 0 || (script.endBound != 0 && script.endBound - start < long{sizeof kMark}))
        return;
    unsigned char bytes[sizeof kMark];
    if (fread(bytes, 1, sizeof bytes, script.file) == sizeof bytes && memcmp(bytes, kMark, sizeof kMark) == 0)
        return;
    fseek(script.file, start, SEEK_SET);
}

void StripLineEnd(char* line)
{
    size_t length = strlen(line);
    while (length > 0 && (line[length - 1] == '\r' || line[length - 1] == '\n'))
        line[--length] = '\0';
}
