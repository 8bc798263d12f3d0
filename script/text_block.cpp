// Reading a text block of the install script into one text.
#include "script/install_script.h"

#include <cstdlib>
#include <cstring>

namespace {

// Appends count bytes of part and a NUL, growing the text geometrically so
// that a long block costs time in proportion to its length.
int Append(TextBlock* block, size_t* capacity, const char* part, size_t count)
{
    size_t needed = block->length + count + 1;
    if (needed > *capacity) {
        size_t grown = *capacity < 256 ? 256 : *capacity;
        while (grown < needed)
            grown *= 2;
        char* text = static_cast<char*>(realloc(block->text, grown));
        if (!text)
            return -1;
        block->text = text;
        *capacity = grown;
    }
    memcpy(block->text + block->length, part, count);
    block->length += count;
    block->text[block->length] = '\0';
    return 0;
}

} // namespace

int ReadTextBlock(ScriptStream* script, TextBlock* block)
{
    block->text = nullptr;
    block->length = 0;
    size_t capacity = 0;
    char line[kScriptLineBytes];
    while (ReadScriptLine(script, line, sizeof line) == 0) {
        bool isTerminator = line[0] == '.' && (line[1] == '\n' || line[1] == '\r');
        if (isTerminator)
            break;
        StripLineEnd(line);
        if (Append(block, &capacity, line, strlen(line)) != 0 || Append(block, &capacity, "\r\n", 2) != 0)
            return -1;
    }
    return 0;
}

void ReleaseTextBlock(TextBlock* block)
{
    free(block->text);
    block->text = nullptr;
    block->length = 0;
}
