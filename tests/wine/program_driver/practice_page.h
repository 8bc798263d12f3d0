// The practice page's control ids and notes text, shared by its resource
// script, the program and the test that drives it.
#pragma once

#define IDD_PRACTICE_PAGE 100

#define IDC_GREETING 101
#define IDC_FOLDER 102
#define IDC_COMMAND_LINE 103
#define IDC_NOTES 104
#define IDC_OPTION 105
#define IDC_NAMES 106
#define IDC_PROGRESS 107
#define IDC_PICTURE 108

#define IDC_CONTINUE 1001
#define IDC_SLOW 1002
#define IDC_MESSAGE 1003
#define IDC_DISABLED 1004
#define IDC_HIDDEN 1005

// Exit code when the page is closed with its close box.
#define PRACTICE_CLOSED 3
// Exit code when started with "vanish": ends at once, showing nothing.
#define PRACTICE_VANISHED 5

#ifndef RC_INVOKED
#include <string>

// The notes text: longer than any single message buffer a page would use.
inline std::string PracticeNotes()
{
    std::string notes;
    for (int line = 0; line < 3000; ++line)
        notes += "Note line " + std::to_string(line) + "\r\n";
    return notes;
}
#endif
