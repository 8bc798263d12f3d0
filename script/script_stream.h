// The script as a stream of bytes, and the one line read that every part of
// the reader goes through. Inside script/ only.
#pragma once

#include <cstddef>
#include <cstdint>

struct ScriptStream {
    const char* bytes; // nullptr when there is no script
    int32_t size;
    int32_t position;  // of the next byte to read
};

// Reads one line into line (capacity bytes, so at most capacity - 1
// characters), as fgets does: up to and with its LF, the remainder of a
// longer line left for the next read. Returns 0 when at least one character
// was read, or -1 at the end of the script, when there is none or no room,
// leaving line untouched.
int ReadScriptLine(ScriptStream* script, char* line, size_t capacity);

// Returns the next byte without consuming it, or -1 at the end.
int PeekScriptByte(const ScriptStream& script);

// Steps past a UTF-8 byte order mark (EF BB BF) at the position, which
// editors put before the first line of a script saved as UTF-8; it is never
// part of a section line. A mark that the script's end cuts is no mark.
void SkipByteOrderMark(ScriptStream* script);

// Removes every CR and LF from the end of line.
void StripLineEnd(char* line);
