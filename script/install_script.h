// The install script reader: section lines and their tests, the FILES
// section and the text blocks, read in order from one open script. It
// returns what it read and fills InstallState's file slots; showing any of
// it is the caller's business.
#pragma once

#include "base/install_state.h"
#include "script/script_stream.h"

#include <cstddef>

// Lines end in CR LF or LF; a text block ends at a line that is "." and its
// line end, or with the stream.

// Reads the next line into line (kScriptLineBytes; the line end stays) when
// a script is open and its end bound has not been reached. Returns 0, or -1
// when nothing was read; line is then left as it was, so the caller empties
// it first.
int ReadSectionLine(const ScriptStream& script, char (&line)[kScriptLineBytes]);

// The section tests: true when line begins with the keyword, ASCII letters
// compared without regard to case over exactly the keyword's length
// ("LICENSE", "FILES", "USER", "README"); the rest of the line is free text.
bool IsLicenseSection(const char* line);
bool IsFilesSection(const char* line);
bool IsUserSection(const char* line);
bool IsReadmeSection(const char* line);

// A text block as read: every line with its line end replaced by CR LF,
// in one NUL-terminated text that the reader allocates (text is nullptr for
// an empty block). Release it with ReleaseTextBlock.
struct TextBlock {
    char* text;
    size_t length;
};

// Reads the next text block: lines up to the terminator (a line that is "."
// and its line end, consumed and not kept) or the end of the stream.
// Returns 0, or -1 when memory ran out (block then holds what was read).
int ReadTextBlock(const ScriptStream& script, TextBlock* block);

void ReleaseTextBlock(TextBlock* block);

// One FILES entry line: its marker ('+', '-', '*' or '!') and its label,
// the rest of the line without its line end.
struct FileEntry {
    char marker;
    char label[kScriptLineBytes];
    long entryAt;   // stream positions of the entry line and of its path line,
    long pathAt;    // so that a checker can name the line it means
};

// Reads one FILES entry line (not its path line) into entry and sets
// gState.files[slot].selected as the marker says: '*' and '!' select the
// slot, '+' and '-' leave the choice to the files page. A marker other than
// '!' also sets gState.entryVisible. Returns 0 when an entry was read, -1 at
// the end of the stream (or for a slot out of range), -2 when the line was
// no entry: the stream then stands again at the start of that line.
int ReadFileEntry(const ScriptStream& script, int slot, FileEntry* entry);

// A FILES section as read, for the files page.
struct FilesSection {
    FileEntry entries[kFileSlotCount]; // the first gState.fileCount are read
    long pathlessEntryAt;              // stream position of an entry line that the
                                       // script's end left without its path line, or -1
    long descriptionAt;                // stream position of the description
    TextBlock description;
};

// Reads the FILES section that follows its section line: up to six entries,
// each with its path line (at most 254 characters, line end kept), into
// gState.files and gState.fileCount, replacing whatever the command line
// put there; then the description block. An entry whose path line the end
// of the script cuts off does not count. gState.entryVisible tells
// afterwards whether the files page has anything to show. The caller
// releases section->description.
void ReadFilesSection(const ScriptStream& script, FilesSection* section);
