// Win32 side of the process operations: command line, own file, pause.
#include "platform/process.h"

#include <windows.h>

const char* GetProgramCommandLine()
{
    return GetCommandLineA();
}

FILE* OpenOwnProgram()
{
    // An ANSI path would turn characters outside the code page into '?',
    // and MAX_PATH would cut a deep folder; 32,767 is the system's limit.
    static wchar_t path[32768];
    DWORD length = GetModuleFileNameW(nullptr, path, sizeof path / sizeof path[0]);
    // A full buffer means the path was cut (and on XP left unterminated).
    return length > 0 && length < sizeof path / sizeof path[0] ? _wfopen(path, L"rb") : nullptr;
}

void PauseMilliseconds(uint32_t milliseconds)
{
    Sleep(milliseconds);
}
