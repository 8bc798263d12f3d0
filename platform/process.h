// The running process: its command line, its own file, and a pause.
// Defined for Windows in process_win.cpp; native tests link a fake.
#pragma once

#include <cstdint>
#include <cstdio>

// The whole command line, beginning with the program's own path.
const char* GetProgramCommandLine();

// Opens the running program's own file for binary reading, by its path in
// wide characters, whatever characters its name holds and up to the
// longest path the system gives. Returns nullptr when it cannot be opened.
FILE* OpenOwnProgram();

void PauseMilliseconds(uint32_t milliseconds);
