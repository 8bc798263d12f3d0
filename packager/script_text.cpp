// Numbering and looking at the script's lines.
#include "packager/script_text.h"

#include <algorithm>

void ScriptText::NumberLines()
{
    lineStarts.push_back(0);
    for (long p = 0; p < End(); p++) {
        if (At(p) == '\n')
            lineStarts.push_back(p + 1);
    }
}

int ScriptText::LineAt(long position) const
{
    return static_cast<int>(std::upper_bound(lineStarts.begin(), lineStarts.end(), position) - lineStarts.begin());
}

std::string ScriptText::LineFrom(long position) const
{
    std::string line;
    for (long p = position; p < End() && At(p) != '\n' && At(p) != '\r'; p++)
        line += At(p);
    return line;
}

long ScriptText::NextLine(long position) const
{
    while (position < End() && At(position) != '\n')
        position++;
    return position < End() ? position + 1 : position;
}

bool IsBlankLine(const std::string& line)
{
    return line.find_first_not_of(" \t") == std::string::npos;
}

bool IsMarker(char c)
{
    return c == '+' || c == '-' || c == '*' || c == '!';
}

bool LooksLikeTerminator(const std::string& line)
{
    return line.size() > 1 && line[0] == '.' && IsBlankLine(line.substr(1));
}

const char* SpaceWords(const std::string& space)
{
    if (space.find(' ') == std::string::npos)
        return space.size() == 1 ? "tab" : "tabs";
    if (space.find('\t') == std::string::npos)
        return space.size() == 1 ? "blank" : "blanks";
    return "blanks and tabs";
}

std::string LeadingSpaceName(const std::string& line)
{
    std::string space = line.substr(0, line.find_first_not_of(" \t"));
    return (space.size() == 1 ? "a " : "") + std::string(SpaceWords(space));
}

std::string Shortened(const std::string& line)
{
    return line.size() > 40 ? line.substr(0, 40) + "..." : line;
}
