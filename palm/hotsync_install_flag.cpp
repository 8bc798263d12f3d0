// Setting the HotSync install flag of one user.
#include "palm/hotsync_install_flag.h"

#include "base/bounded_text.h"
#include "base/install_state.h"
#include "platform/registry.h"
#include "platform/registry_path.h"

int32_t SetHotSyncInstallFlag(int userIndex)
{
    if (userIndex < 0 || userIndex >= gState.userCount || !gState.users[userIndex].hasUserNumber)
        return -1;
    char path[kRegistryPathChars + 1];
    FormatText(path, sizeof path, "Software\\U.S. Robotics\\Pilot Desktop\\HotSync Manager\\Install%d",
               static_cast<int>(gState.users[userIndex].userNumber));
    const uint32_t installPending = 1;
    return WriteRegistryPath(path, &installPending, sizeof installPending, kRegDword);
}
