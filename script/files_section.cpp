// The FILES section: its entries, their path lines and the description.
#include "script/install_script.h"

#include "base/bounded_text.h"

int ReadFileEntry(const ScriptStream& script, int slot, FileEntry* entry)
{
    if (slot < 0 || slot >= kFileSlotCount)
        return -1;
    // The marker is looked at before the line is read, so a line that is no
    // entry is left where it stands. Noting the position and seeking back
    // would not do: in text mode the C runtime's ftell counts every LF as
    // CR LF, which is wrong for a script on disk with LF line ends.
    int marker = PeekScriptByte(script);
    if (marker < 0)
        return -1;
    if (marker != '+' && marker != '-' && marker != '*' && marker != '!')
        return -2;
    char line[kScriptLineBytes];
    entry->entryAt = ftell(script.file);
    if (ReadScriptLine(script, line, sizeof line) != 0)
        return -1;

    StripLineEnd(line);
    entry->marker = static_cast<char>(marker);
    CopyText(entry->label, line + 1);
    gState.files[slot].selected = marker == '*' || marker == '!';
    if (marker != '!')
        gState.entryVisible = true;
    return 0;
}

void ReadFilesSection(const ScriptStream& script, FilesSection* section)
{
    gState.fileCount = 0;
    gState.entryVisible = false;
    section->pathlessEntryAt = -1;
    for (int slot = 0; slot < kFileSlotCount; slot++) {
        bool visibleBefore = gState.entryVisible;
        if (ReadFileEntry(script, slot, &section->entries[slot]) != 0)
            break;
        // The path line is read with one byte less than the slot holds: at
        // most 254 characters, the line end included.
        char* path = gState.files[slot].path;
        section->entries[slot].pathAt = ftell(script.file);
        if (ReadScriptLine(script, path, sizeof gState.files[slot].path - 1) != 0) {
            // The script ended before the path line: the entry names no file,
            // so it neither counts nor shows.
            section->pathlessEntryAt = section->entries[slot].entryAt;
            gState.entryVisible = visibleBefore;
            break;
        }
        gState.fileCount++;
    }
    section->descriptionAt = ftell(script.file);
    ReadTextBlock(script, &section->description);
}
