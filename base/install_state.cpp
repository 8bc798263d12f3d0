// The process-wide state and its start values.
#include "base/install_state.h"

#include "base/bounded_text.h"

#include <cstring>

InstallState gState;

void ResetInstallState()
{
    memset(&gState, 0, sizeof gState);
    CopyText(gState.palmFolder, "c:\\pilot");
    CopyText(gState.installFolderName, "Install");
}
