// The text encoding of an install script. The installer shows the script's
// bytes in the ANSI code page of the user's PC, so the packager stores text
// in Windows-1252, the code page of Western European and American Windows,
// and refuses what the installer's reader could not read at all.
#pragma once

#include "packager/diagnostics.h"

#include <string>
#include <vector>

// What the bytes of a script are, as far as they tell.
enum class ScriptEncoding {
    kAscii,  // nothing outside ASCII (a UTF-8 byte order mark allowed)
    kUtf8,   // valid UTF-8 with text outside ASCII
    kEightBit, // bytes outside ASCII that are not UTF-8: Windows-1252 or another code page
    kUtf16,  // a UTF-16 byte order mark, or NUL bytes between the first letters
};

ScriptEncoding DetectScriptEncoding(const std::vector<char>& bytes);

// A character of UTF-8 text that Windows-1252 lacks: its code point, its
// UTF-8 bytes and its line (from 1).
struct MissingCharacter {
    unsigned codePoint;
    std::string utf8;
    int line;
};

// Converts valid UTF-8 bytes to Windows-1252, dropping a byte order mark at
// the start. Line ends and ASCII stay byte for byte, so line numbers and
// every decision of the installer's reader stay the same. Returns the
// characters without a Windows-1252 form, the first of each line (each
// becomes '?' in converted).
std::vector<MissingCharacter> ConvertUtf8ToWindows1252(const std::vector<char>& utf8, std::vector<char>* converted);

// Reads the script file at path into bytes. Returns false when it cannot
// be read (2 GiB or more included).
bool ReadScriptFile(const std::string& path, std::vector<char>* bytes);

// Decides how the script read from bytes is stored: converted from UTF-8 to
// Windows-1252 (into stored, with a note saying so), or as it is when it is
// not UTF-8 or keepEncoding is set. Reports, as label, a UTF-16 script and a
// character without a Windows-1252 form (errors), and UTF-8 kept as it is
// (a warning that shows how the text will look). Returns false when the
// installer's reader could not read the script at all (UTF-16), so that no
// other check runs on it; stored is empty unless the script is converted.
bool PrepareScriptForStoring(const std::vector<char>& bytes, bool keepEncoding, const char* label,
                             std::vector<char>* stored, Diagnostics* diagnostics);
