// Loading a text block of the install script into a page's text box.
#include "script/install_script.h"

#include "driver/platform.h"

void LoadTextBlock(const ScriptStream& script, int textBoxId)
{
    char line[kScriptLineBytes];
    while (ReadScriptLine(script, line, sizeof line) == 0) {
        bool isTerminator = line[0] == '.' && (line[1] == '\n' || line[1] == '\r');
        if (isTerminator)
            break;
        StripLineEnd(line);
        AppendToTextBox(textBoxId, line);
        AppendToTextBox(textBoxId, "\r\n");
    }
    // The box shows its end after the appends; 500 lines back up shows the
    // text from its first line.
    ScrollTextBox(textBoxId, -500);
}
