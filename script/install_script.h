// The parts of the install script reader that the plan is made of: text
// blocks and the FILES section. Inside script/ only.
#pragma once

#include "script/install_plan.h"
#include "script/script_stream.h"

// Reads the next text block into block: lines up to the terminator (a line
// that is "." and its line end, consumed and not kept) or the end of the
// script. Returns 0, or -1 when memory ran out (block then holds what was
// read).
int ReadTextBlock(ScriptStream* script, TextBlock* block);

void ReleaseTextBlock(TextBlock* block);

// Reads the FILES section that follows its section line into the plan, in
// place of the files it held: up to six entries, each an entry line (its
// marker first) with the path line that follows it; an entry whose path
// line the end of the script cuts off does not count. A seventh entry is
// not looked for. Then the description into step.
void ReadFilesSection(ScriptStream* script, InstallPlan* plan, PlanStep* step);

// Cleans a path line in place, in two passes run once each: first every
// trailing LF and CR goes, then every trailing blank and tab (so "a\n "
// keeps its LF).
void CleanPathLine(char* path);
