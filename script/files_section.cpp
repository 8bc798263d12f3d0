// The FILES section: its entries, their path lines and the description.
#include "script/install_script.h"

#include "driver/install_state.h"
#include "driver/platform.h"
#include "ui/resource_ids.h"

int ReadFileEntry(const ScriptStream& script, int checkBoxId, int labelId, int slot)
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
    if (ReadScriptLine(script, line, sizeof line) != 0)
        return -1;

    FileSlot* file = &gState.files[slot];
    file->selected = false;
    int control = checkBoxId;
    if (marker == '!') {
        file->selected = true;
        return 0;
    }
    if (marker == '*') {
        control = labelId;
        file->selected = true;
    } else if (marker == '+') {
        SetCheckBox(checkBoxId, true);
    }
    ShowControl(control);
    StripLineEnd(line);
    gState.entryVisible = true;
    SetControlText(control, line + 1);
    return 0;
}

void ReadFilesSection(const ScriptStream& script)
{
    gState.fileCount = 0;
    gState.entryVisible = false;
    for (int slot = 0; slot < kFileSlotCount; slot++) {
        if (ReadFileEntry(script, kFilesCheckBox1 + slot, kFilesLabel1 + slot, slot) != 0)
            break;
        // The path line is read with one byte less than the slot holds: at
        // most 254 characters, the line end included. At the end of the
        // stream the slot keeps its path and still counts.
        char* path = gState.files[slot].path;
        ReadScriptLine(script, path, sizeof gState.files[slot].path - 1);
        gState.fileCount++;
    }
    LoadTextBlock(script, kFilesDescription);
}
