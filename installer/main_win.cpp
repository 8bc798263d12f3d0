// The process entry: hands the instance, the whole command line and the
// show command to the installer, and ends the process with its exit code.
#include "installer/start_up.h"
#include "platform/process.h"

#include <windows.h>

// The argument the platform passes lacks the program's path, which the
// options are searched in as well; the whole command line is read instead.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand)
{
    ExitProcess(static_cast<UINT>(RunInstaller(instance, GetProgramCommandLine(), showCommand)));
}
