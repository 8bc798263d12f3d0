// The running process: its command line, its own path, and a pause.
// Defined for Windows in process_win.cpp; native tests link a fake.
#pragma once

#include <cstddef>
#include <cstdint>

// The whole command line, beginning with the program's own path.
const char* GetProgramCommandLine();

// Writes the running program's own path into path. Returns 0, or the
// system's error number when it cannot be had or does not fit in capacity
// bytes.
int GetOwnProgramPath(char* path, size_t capacity);

void PauseMilliseconds(uint32_t milliseconds);
