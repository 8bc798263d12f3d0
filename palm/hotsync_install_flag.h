// The per-user install flag of HotSync Manager.
#pragma once

#include <cstdint>

// Sets HKCU\Software\U.S. Robotics\Pilot Desktop\HotSync Manager\Install<N>
// to REG_DWORD 1, N being the user number that users.dat stores in front of
// the first copy of displayName. displayName must be in gState.users.
// Returns WriteRegistryPath's result, or -1 (nothing written) when the name
// is not in the table, users.dat cannot be read or holds no copy of it.
int32_t SetHotSyncInstallFlag(const char* displayName);
