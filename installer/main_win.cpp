// The process entry: hands the instance, the whole command line and the
// show command to the installer, and ends the process with its exit code.
#include "installer/start_up.h"
#include "platform/process.h"

#include <windows.h>

// The whole command line is read rather than the argument the platform
// passes: the log records it whole, and the options are looked for past the
// program's path as the command line splits it.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand)
{
    ExitProcess(static_cast<UINT>(RunInstaller(instance, GetProgramCommandLine(), showCommand)));
}
