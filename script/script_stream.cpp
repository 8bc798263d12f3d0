// The bounded line read of the install script.
#include "script/script_stream.h"

#include <cstring>

int ReadScriptLine(ScriptStream* script, char* line, size_t capacity)
{
    if (!script->bytes || capacity < 2 || script->position >= script->size)
        return -1;
    size_t count = 0;
    while (count < capacity - 1 && script->position < script->size) {
        char c = script->bytes[script->position++];
        line[count++] = c;
        if (c == '\n')
            break;
    }
    line[count] = '\0';
    return 0;
}

int PeekScriptByte(const ScriptStream& script)
{
    if (!script.bytes || script.position >= script.size)
        return -1;
    return static_cast<unsigned char>(script.bytes[script.position]);
}

void SkipByteOrderMark(ScriptStream* script)
{
    static const char kMark[] = "\xEF\xBB\xBF";
    if (script->bytes && script->size - script->position >= 3
        && memcmp(script->bytes + script->position, kMark, 3) == 0)
        script->position += 3;
}

void StripLineEnd(char* line)
{
    size_t length = strlen(line);
    while (length > 0 && (line[length - 1] == '\r' || line[length - 1] == '\n'))
        line[--length] = '\0';
}
