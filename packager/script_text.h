// The install script's bytes as the packager's checks look at them: lines
// by number, what a line holds, and the shapes of line a hurried person
// gets wrong.
#pragma once

#include <string>
#include <vector>

struct ScriptText {
    const std::vector<char>& bytes;
    const char* label;
    std::vector<long> lineStarts = {}; // position of each line's first byte

    long End() const { return static_cast<long>(bytes.size()); }
    char At(long position) const { return bytes[static_cast<size_t>(position)]; }

    // Notes where each line starts; call once before the rest.
    void NumberLines();

    // The number (from 1) of the line that holds position.
    int LineAt(long position) const;

    // The line that begins at position, without its line end.
    std::string LineFrom(long position) const;

    // The position just past the line end of the line that holds position.
    long NextLine(long position) const;
};

bool IsBlankLine(const std::string& line);

bool IsMarker(char c);

// A line that looks like a terminator but is none: "." followed by blanks
// or tabs alone.
bool LooksLikeTerminator(const std::string& line);

// The blanks and tabs that space consists of, named for a message: "tab",
// "blanks", "blanks and tabs".
const char* SpaceWords(const std::string& space);

// What a line starts with, named for a message: "a tab", "blanks", ...
std::string LeadingSpaceName(const std::string& line);

// line shortened to 40 characters for a message.
std::string Shortened(const std::string& line);
