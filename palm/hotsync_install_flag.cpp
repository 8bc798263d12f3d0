// Setting the HotSync install flag of one user.
#include "palm/hotsync_install_flag.h"

#include "base/bounded_text.h"
#include "base/install_state.h"
#include "palm/users_dat.h"
#include "platform/registry.h"
#include "platform/registry_path.h"

#include <cstring>

namespace {

bool IsKnownUser(const char* displayName)
{
    for (int i = 0; i < gState.userCount; i++) {
        if (strcmp(gState.users[i].displayName, displayName) == 0)
            return true;
    }
    return false;
}

} // namespace

int32_t SetHotSyncInstallFlag(const char* displayName)
{
    if (!IsKnownUser(displayName))
        return -1;
    UsersDat file;
    if (LoadUsersDat(&file) != 0)
        return -1;
    long q = FindFirstDisplayName(file, displayName);
    int16_t userNumber = q >= 0 ? UserNumberBefore(file, q) : 0;
    ReleaseUsersDat(&file);
    if (q < 0)
        return -1;

    char path[kRegistryPathChars + 1];
    FormatText(path, sizeof path, "Software\\U.S. Robotics\\Pilot Desktop\\HotSync Manager\\Install%d",
               static_cast<int>(userNumber));
    const uint32_t installPending = 1;
    return WriteRegistryPath(path, &installPending, sizeof installPending, kRegDword);
}
