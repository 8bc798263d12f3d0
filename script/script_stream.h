// The open install script and the one line read that every part of its
// reader goes through, so that an embedded script ends where its record ends.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

// A line buffer of the reader: 1,998 characters and the NUL.
constexpr size_t kScriptLineBytes = 1999;

struct ScriptStream {
    FILE* file;       // read forward only; nullptr when there is no script
    int32_t endBound; // stream position of the first byte after an embedded
                      // script; 0 for a script on disk, which ends with its file
};

// Reads one line into line (capacity bytes, so at most capacity - 1
// characters); the line end stays in the buffer, and the remainder of a
// longer line is left for the next read. The end bound is the end of the
// stream: no byte at or past it is ever returned, a line that crosses it is
// cut there. Returns 0 when at least one character was read, or -1 at the
// end of the stream, when there is no script or no room, leaving line
// untouched.
int ReadScriptLine(const ScriptStream& script, char* line, size_t capacity);

// Returns the next byte of the stream without consuming it, or -1 at the
// end of the stream (or its end bound) and when there is no script.
int PeekScriptByte(const ScriptStream& script);

// Steps past a UTF-8 byte order mark (EF BB BF) at the stream's position,
// which editors put before the first line of a script saved as UTF-8; it is
// never part of a section line. A mark that the end bound cuts is no mark.
// Anything else is left where it stands. Called once, right after opening.
void SkipByteOrderMark(const ScriptStream& script);

// Removes every CR and LF from the end of line.
void StripLineEnd(char* line);
