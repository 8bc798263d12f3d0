// The per-user install flag of HotSync Manager.
#pragma once

#include "palm/palm_user.h"

// Sets HKCU\Software\U.S. Robotics\Pilot Desktop\HotSync Manager\Install<N>
// to REG_DWORD 1, N being the user number that discovery found in users.dat
// for user. Returns WriteRegistryPath's result, or -1 (nothing written) when
// discovery found no number for the user.
long SetHotSyncInstallFlag(const PalmUser& user);
