// The per-user install flag of HotSync Manager.
#pragma once

#include <cstdint>

// Sets HKCU\Software\U.S. Robotics\Pilot Desktop\HotSync Manager\Install<N>
// to REG_DWORD 1, N being the user number that discovery found in users.dat
// for gState.users[userIndex]. Returns WriteRegistryPath's result, or -1
// (nothing written) when the index is outside the table or discovery found
// no number for the user.
int32_t SetHotSyncInstallFlag(int userIndex);
