// The install script reader: section lines and their tests, the FILES
// section and the text blocks, read in order from one open script and
// written into InstallState and the controls of the current page.
#pragma once

#include "script/script_stream.h"

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

// Reads one FILES entry line (marker and label; not its path line) into
// slot: "+" shows checkBoxId checked, "-" shows it unchecked, "*" shows
// labelId and selects the slot, "!" selects the slot and touches nothing.
// A shown control gets the label as its text and sets gState.entryVisible.
// Returns 0 when an entry was read, -1 at the end of the stream (or for a
// slot out of range), -2 when the line was no entry: the stream then stands
// again at the start of that line.
int ReadFileEntry(const ScriptStream& script, int checkBoxId, int labelId, int slot);

// Reads the FILES section that follows its section line: up to six entries,
// each with its path line (at most 254 characters, line end kept; at the
// end of the stream the slot keeps its path and still counts), into
// gState.files and gState.fileCount, replacing whatever the command line
// put there; then the description block into the files page's description box
// (check box, label and description ids as in ui/resource_ids.h).
// gState.entryVisible tells afterwards whether the page has anything to show.
void ReadFilesSection(const ScriptStream& script);

// Appends the next text block to the multi-line text box textBoxId of the
// current page, each line followed by CR LF, and scrolls the box back up by
// 500 lines so that its text shows from the top. The terminator is consumed
// and not shown; without one the block runs to the end of the stream.
void LoadTextBlock(const ScriptStream& script, int textBoxId);
