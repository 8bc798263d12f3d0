// Telling a script's encoding and converting UTF-8 to Windows-1252.
#include "packager/script_encoding.h"

#include "packager/packed_file.h"

#include <cstdio>

namespace {

// Windows-1252 at 0x80 to 0x9F; 0 where it has no character. Elsewhere it
// is ISO 8859-1: the byte is the code point.
const unsigned kWindows1252High[32] = {
    0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0, 0x017D, 0,
    0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178,
};

// The Windows-1252 byte of codePoint, or -1 when it has none.
int Windows1252Byte(unsigned codePoint)
{
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF))
        return static_cast<int>(codePoint);
    for (int i = 0; i < 32; i++) {
        if (kWindows1252High[i] != 0 && kWindows1252High[i] == codePoint)
            return 0x80 + i;
    }
    return -1;
}

// Decodes the UTF-8 character at bytes[at]: its code point and length, or
// length 0 for anything that is not well-formed UTF-8 (overlong forms,
// surrogates and code points past U+10FFFF included).
unsigned DecodeUtf8(const std::vector<char>& bytes, size_t at, size_t* length)
{
    auto byte = [&](size_t i) { return i < bytes.size() ? static_cast<unsigned char>(bytes[i]) : 0u; };
    unsigned first = byte(at);
    size_t count = first < 0x80 ? 1 : first >= 0xC2 && first <= 0xDF ? 2 : first >= 0xE0 && first <= 0xEF ? 3
                                   : first >= 0xF0 && first <= 0xF4 ? 4 : 0;
    *length = 0;
    if (count == 0 || at >= bytes.size())
        return 0;
    unsigned codePoint = count == 1 ? first : first & (0x3F >> (count - 1));
    for (size_t i = 1; i < count; i++) {
        if ((byte(at + i) & 0xC0) != 0x80)
            count = 0;
        codePoint = (codePoint << 6) | (byte(at + i) & 0x3F);
    }
    bool overlong = (count == 3 && codePoint < 0x800) || (count == 4 && codePoint < 0x10000);
    if (overlong || (codePoint >= 0xD800 && codePoint <= 0xDFFF) || codePoint > 0x10FFFF)
        count = 0;
    *length = count;
    return codePoint;
}

// How UTF-8 text shows when its bytes are read as Windows-1252, in UTF-8
// for the terminal: what a person would see on the user's PC.
std::string AsWindows1252Shows(const std::string& text)
{
    std::string shown;
    for (unsigned char c : text) {
        unsigned codePoint = c < 0x80 || c >= 0xA0 ? c : kWindows1252High[c - 0x80];
        if (codePoint == 0)
            codePoint = '?';
        if (codePoint < 0x80) {
            shown += static_cast<char>(codePoint);
        } else if (codePoint < 0x800) {
            shown += static_cast<char>(0xC0 | (codePoint >> 6));
            shown += static_cast<char>(0x80 | (codePoint & 0x3F));
        } else {
            shown += static_cast<char>(0xE0 | (codePoint >> 12));
            shown += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
            shown += static_cast<char>(0x80 | (codePoint & 0x3F));
        }
    }
    return shown;
}

bool StartsWithUtf8Mark(const std::vector<char>& bytes)
{
    return bytes.size() >= 3 && bytes[0] == '\xEF' && bytes[1] == '\xBB' && bytes[2] == '\xBF';
}

// The first line of bytes with text outside ASCII: its number and text.
int FirstNonAsciiLine(const std::vector<char>& bytes, std::string* text)
{
    int line = 1;
    bool found = false;
    for (size_t at = StartsWithUtf8Mark(bytes) ? 3 : 0; at < bytes.size(); at++) {
        if (bytes[at] == '\n') {
            if (found)
                return line;
            line++;
            text->clear();
        } else if (bytes[at] != '\r') {
            *text += bytes[at];
            found = found || static_cast<unsigned char>(bytes[at]) >= 0x80;
        }
    }
    return found ? line : 0;
}

} // namespace

ScriptEncoding DetectScriptEncoding(const std::vector<char>& bytes)
{
    auto at = [&](size_t i) { return i < bytes.size() ? static_cast<unsigned char>(bytes[i]) : 0x100u; };
    // A script begins with a section keyword: in UTF-16 its letters alternate
    // with NUL bytes.
    bool mark = (at(0) == 0xFF && at(1) == 0xFE) || (at(0) == 0xFE && at(1) == 0xFF);
    bool little = at(0) != 0 && at(1) == 0 && at(2) != 0 && at(3) == 0;
    bool big = at(0) == 0 && at(1) != 0 && at(2) == 0 && at(3) != 0;
    if (mark || little || big)
        return ScriptEncoding::kUtf16;
    bool nonAscii = false;
    for (size_t i = StartsWithUtf8Mark(bytes) ? 3 : 0; i < bytes.size();) {
        size_t length = 0;
        DecodeUtf8(bytes, i, &length);
        if (length == 0)
            return ScriptEncoding::kEightBit;
        nonAscii = nonAscii || length > 1;
        i += length;
    }
    return nonAscii ? ScriptEncoding::kUtf8 : ScriptEncoding::kAscii;
}

std::vector<MissingCharacter> ConvertUtf8ToWindows1252(const std::vector<char>& utf8, std::vector<char>* converted)
{
    std::vector<MissingCharacter> missing;
    converted->clear();
    int line = 1;
    for (size_t i = StartsWithUtf8Mark(utf8) ? 3 : 0; i < utf8.size();) {
        size_t length = 0;
        unsigned codePoint = DecodeUtf8(utf8, i, &length);
        if (length == 0) { // not UTF-8 after all: kept byte for byte
            codePoint = static_cast<unsigned char>(utf8[i]);
            length = 1;
        }
        int byte = length == 1 ? static_cast<int>(codePoint) : Windows1252Byte(codePoint);
        if (byte < 0 && (missing.empty() || missing.back().line != line))
            missing.push_back({codePoint, std::string(utf8.begin() + static_cast<long>(i),
                                                      utf8.begin() + static_cast<long>(i + length)), line});
        converted->push_back(static_cast<char>(byte < 0 ? '?' : byte));
        line += codePoint == '\n';
        i += length;
    }
    return missing;
}

bool ReadScriptFile(const std::string& path, std::vector<char>* bytes)
{
    int64_t size = 0;
    FILE* file = MeasurePackedFile(path, &size) ? fopen(path.c_str(), "rb") : nullptr;
    if (!file)
        return false;
    bytes->resize(static_cast<size_t>(size));
    bool read = fread(bytes->data(), 1, bytes->size(), file) == bytes->size();
    fclose(file);
    return read;
}

bool PrepareScriptForStoring(const std::vector<char>& bytes, bool keepEncoding, const char* label,
                             std::vector<char>* stored, Diagnostics* diagnostics)
{
    stored->clear();
    switch (DetectScriptEncoding(bytes)) {
    case ScriptEncoding::kUtf16:
        ReportError(diagnostics, label, 0,
                    "the script is saved as UTF-16, which the installer cannot read: save it as UTF-8 or "
                    "Windows-1252 (ANSI)");
        return false;
    case ScriptEncoding::kAscii:
    case ScriptEncoding::kEightBit:
        return true;
    case ScriptEncoding::kUtf8:
        break;
    }
    if (keepEncoding) {
        std::string text;
        int line = FirstNonAsciiLine(bytes, &text);
        ReportWarning(diagnostics, label, line,
                      "UTF-8 text stored as it is: '%s' shows as '%s' on the user's PC; build without "
                      "--keep-encoding to store it as Windows-1252",
                      text.c_str(), AsWindows1252Shows(text).c_str());
        return true;
    }
    std::vector<MissingCharacter> missing = ConvertUtf8ToWindows1252(bytes, stored);
    for (const MissingCharacter& character : missing)
        ReportError(diagnostics, label, character.line,
                    "'%s' (U+%04X) has no Windows-1252 form, so the installer cannot show it: replace it, or "
                    "store the script unconverted with --keep-encoding", character.utf8.c_str(), character.codePoint);
    if (!missing.empty()) {
        stored->clear();
        return true;
    }
    Note("%s: converted from UTF-8 to Windows-1252, the text the installer shows (--keep-encoding stores it as it is)",
         label);
    return true;
}
