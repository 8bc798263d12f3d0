// The install flag written to Wine's real registry and read back.
#include "palm/hotsync_install_flag.h"

#include "driver/install_state.h"
#include "palm/user_discovery.h"
#include "support/simulated_palm_desktop.h"

#include <gtest/gtest.h>
#include <windows.h>

TEST(HotSyncInstallFlagWine, WritesInstallNAsDwordOne)
{
    ResetInstallState();
    gState.quiet = true;
    SimulatedPalmDesktop desktop;
    desktop.palmFolder = "C:\\vantrel-tests\\Palm";
    desktop.folderKey = PalmFolderKey::kPalmDesktop;
    desktop.users = {{"Ann Lee", "AnnL", 3}, {"Neg", "Neg", -5}};
    ASSERT_TRUE(BuildSimulatedPalmDesktop(desktop));
    ASSERT_EQ(DiscoverPalmUsers(), 0);
    uint32_t type = 0;
    uint32_t value = 0;
    ASSERT_FALSE(ReadHotSyncInstallFlag(3, &type, &value));

    EXPECT_EQ(SetHotSyncInstallFlag("Ann Lee"), 0);
    EXPECT_EQ(SetHotSyncInstallFlag("Neg"), 0);
    EXPECT_EQ(SetHotSyncInstallFlag("ann lee"), -1);
    for (int number : {3, -5}) {
        ASSERT_TRUE(ReadHotSyncInstallFlag(number, &type, &value)) << number;
        EXPECT_EQ(type, static_cast<uint32_t>(REG_DWORD));
        EXPECT_EQ(value, 1u);
    }

    // A rebuilt desktop starts without the flags of an earlier one.
    ASSERT_TRUE(BuildSimulatedPalmDesktop(desktop));
    EXPECT_FALSE(ReadHotSyncInstallFlag(3, &type, &value));
}
