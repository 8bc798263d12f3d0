// Win32 side of the process operations: command line, own path, pause.
#include "platform/process.h"

#include <windows.h>

const char* GetProgramCommandLine()
{
    return GetCommandLineA();
}

int GetOwnProgramPath(char* path, size_t capacity)
{
    DWORD length = GetModuleFileNameA(nullptr, path, static_cast<DWORD>(capacity));
    // A full buffer means the path was cut (and on XP left unterminated).
    if (length == 0)
        return static_cast<int>(GetLastError());
    return length < capacity ? 0 : ERROR_INSUFFICIENT_BUFFER;
}

void PauseMilliseconds(uint32_t milliseconds)
{
    Sleep(milliseconds);
}
