// The wizard sequence: the pages that the install script asks for, the copy
// stage, and the end of the run.
#pragma once

#include "script/script_stream.h"

// Runs the sequence pass by pass until the run ends: on a quit request from
// any page, after an aborted copy stage, or after the last page. With
// abortRun set no page is shown. The script (if any) is closed on every
// path. Returns kExitError when the run ended on an error (a failed copy
// stage, a HotSync flag that could not be set, a page it cannot do without
// that could not be created), else
// kExitDone (with abortRun set too: the caller knows why it ends).
int RunWizard(bool abortRun, ScriptStream script, int showCommand);

// Reads the next text block of the script into text box textBoxId of the
// current page.
void LoadTextBlock(const ScriptStream& script, int textBoxId);

// Fills the current page, the files page, from the FILES section that
// follows its section line, and serves it when an entry is visible. Returns
// 0 to go on (also when nothing was shown), -1 when the run ends.
int ServeFilesPage(const ScriptStream& script, int showCommand);

// Shows the current page and serves it until its step is done (0) or the
// quit request arrives (-1).
int WaitForStep(int showCommand);
