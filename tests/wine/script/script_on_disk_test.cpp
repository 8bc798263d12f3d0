// The reader on a script on disk through the real C runtime's text mode:
// CR LF arrives as LF, a Ctrl-Z byte ends the script, and a line that is no
// FILES entry is left in place whatever the file's line ends.
#include "script/install_script.h"

#include "driver/install_state.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <string>

namespace {

TEST(ScriptOnDisk, TextModeLineEndsCtrlZAndTheEntrySetBack)
{
    const char* name = "script_on_disk_test.ini";
    for (std::string end : {"\n", "\r\n"}) {
        SCOPED_TRACE(end == "\n" ? "LF" : "CR LF");
        std::string text = "!Library" + end + "lib.prc" + end + "Description" + end + "second" + end +
                           "\x1A" + "README" + end;
        FILE* out = fopen(name, "wb");
        ASSERT_NE(out, nullptr);
        fwrite(text.data(), 1, text.size(), out);
        fclose(out);

        ResetInstallState();
        ScriptStream script = {fopen(name, "rt"), 0};
        ASSERT_NE(script.file, nullptr);
        EXPECT_EQ(ReadFileEntry(script, 0, 0, 0), 0);
        char path[kFilePathChars];
        EXPECT_EQ(ReadScriptLine(script, path, sizeof path), 0);
        EXPECT_STREQ(path, "lib.prc\n");
        EXPECT_EQ(ReadFileEntry(script, 0, 0, 1), -2);
        for (const char* expected : {"Description\n", "second\n", ""}) {
            char line[kScriptLineBytes] = "";
            ReadSectionLine(script, line);
            EXPECT_STREQ(line, expected);
        }
        fclose(script.file);
        remove(name);
    }
}

} // namespace
