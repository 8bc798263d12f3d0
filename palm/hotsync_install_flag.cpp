// Setting the HotSync install flag of one user.
#include "palm/hotsync_install_flag.h"

#include "base/bounded_text.h"
#include "platform/registry.h"
#include "platform/registry_path.h"

long SetHotSyncInstallFlag(const PalmUser& user)
{
    if (!user.hasUserNumber)
        return -1;
    char path[kRegistryPathChars + 1];
    FormatText(path, sizeof path, "Software\\U.S. Robotics\\Pilot Desktop\\HotSync Manager\\Install%d",
               static_cast<int>(user.userNumber));
    const uint32_t installPending = 1;
    return WriteRegistryPath(path, &installPending, sizeof installPending, kRegDword);
}
