// The FILES section: its entries, their path lines and the description.
#include "script/install_script.h"

#include "base/bounded_text.h"

#include <cstring>

namespace {

// Reads one entry line into file. Returns 0 when an entry was read, -1 at
// the end of the script, -2 when the line is no entry: it is then left
// unread, to begin the description.
int ReadFileEntry(ScriptStream* script, PlanFile* file, bool* entryVisible)
{
    // The marker is looked at before the line is read.
    int marker = PeekScriptByte(*script);
    if (marker < 0)
        return -1;
    if (marker != '+' && marker != '-' && marker != '*' && marker != '!')
        return -2;
    char line[kScriptLineBytes];
    file->entryAt = script->position;
    ReadScriptLine(script, line, sizeof line);
    StripLineEnd(line);
    file->marker = static_cast<char>(marker);
    file->alwaysInstalled = marker == '*' || marker == '!';
    CopyText(file->label, line + 1);
    if (marker != '!')
        *entryVisible = true;
    return 0;
}

} // namespace

void CleanPathLine(char* path)
{
    size_t length = strlen(path);
    while (length > 0 && (path[length - 1] == '\n' || path[length - 1] == '\r'))
        path[--length] = '\0';
    while (length > 0 && (path[length - 1] == ' ' || path[length - 1] == '\t'))
        path[--length] = '\0';
}

void ReadFilesSection(ScriptStream* script, InstallPlan* plan, PlanStep* step)
{
    plan->fileCount = 0;
    plan->entryVisible = false;
    for (int slot = 0; slot < kFileSlotCount; slot++) {
        PlanFile* file = &plan->files[slot];
        bool visibleBefore = plan->entryVisible;
        if (ReadFileEntry(script, file, &plan->entryVisible) != 0)
            break;
        // The path line is read with one byte less than the path holds: at
        // most 254 characters, the line end included.
        file->pathAt = script->position;
        if (ReadScriptLine(script, file->path, sizeof file->path - 1) != 0) {
            // The script ended before the path line: the entry names no file,
            // so it neither counts nor shows.
            plan->pathlessEntryAt = file->entryAt;
            plan->entryVisible = visibleBefore;
            break;
        }
        CleanPathLine(file->path);
        plan->fileCount++;
    }
    step->textFrom = script->position;
    ReadTextBlock(script, &step->text);
}
