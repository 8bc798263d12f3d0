// The install flag: which user number it takes from users.dat, the value
// it writes, and the failures that write nothing.
#include "palm/hotsync_install_flag.h"

#include "palm/user_discovery.h"
#include "palm_test.h"

TEST_F(PalmTest, InstallFlagIsWrittenForTheFirstStoredCopyOfTheName)
{
    // "Ann" is stored twice: the first copy carries number -2.
    SimulatedPalmDesktop desktop = Desktop({{"Ann", "AnnF", -2}, {"Bob", "BobF", 3}, {"Ann", "Ann2", 7}});
    desktop.folderKey = PalmFolderKey::kPalmDesktop;
    ASSERT_TRUE(BuildSimulatedPalmDesktop(desktop));
    ASSERT_EQ(DiscoverPalmUsers(), 0);
    gFakeRegistry.calls.clear();

    EXPECT_EQ(SetHotSyncInstallFlag("Bob"), 0);
    EXPECT_EQ(gFakeRegistry.calls,
              (std::vector<std::string>{"create HKCU\\Software f003f", "create HKCU\\Software\\U.S. Robotics f003f",
                                        "create HKCU\\Software\\U.S. Robotics\\Pilot Desktop f003f",
                                        "create HKCU\\Software\\U.S. Robotics\\Pilot Desktop\\HotSync Manager f003f",
                                        "set HKCU\\Software\\U.S. Robotics\\Pilot Desktop\\HotSync Manager [Install3] type 4 size 4",
                                        "close HKCU\\Software\\U.S. Robotics\\Pilot Desktop\\HotSync Manager",
                                        "close HKCU\\Software\\U.S. Robotics\\Pilot Desktop",
                                        "close HKCU\\Software\\U.S. Robotics", "close HKCU\\Software"}));
    EXPECT_EQ(SetHotSyncInstallFlag("Ann"), 0);
    for (int number : {3, -2}) {
        uint32_t type = 0;
        uint32_t value = 0;
        ASSERT_TRUE(ReadHotSyncInstallFlag(number, &type, &value)) << number;
        EXPECT_EQ(type, 4u);
        EXPECT_EQ(value, 1u);
    }
    uint32_t type;
    uint32_t value;
    EXPECT_FALSE(ReadHotSyncInstallFlag(7, &type, &value));
}

TEST_F(PalmTest, InstallFlagFailuresWriteNothing)
{
    // Zed is stored in users.dat but has no install folder: no user.
    SimulatedPalmDesktop desktop = Desktop({{"Ann", "AnnF", 1}, {"Zed", "Zed", 2}});
    desktop.users[1].hasInstallFolder = false;
    ASSERT_TRUE(BuildSimulatedPalmDesktop(desktop));
    // A user that users.dat does not know: the table holds its folder name.
    AddFakeFolder(palmFolder + "\\Ghost");
    AddFakeFolder(palmFolder + "\\Ghost\\Install");
    ASSERT_EQ(DiscoverPalmUsers(), 0);
    ASSERT_EQ(DisplayNames(), (std::vector<std::string>{"Ann", "Ghost"}));
    gFakeRegistry.calls.clear();

    EXPECT_EQ(SetHotSyncInstallFlag("Zed"), -1); // not in the table
    EXPECT_EQ(SetHotSyncInstallFlag("ann"), -1);
    EXPECT_EQ(SetHotSyncInstallFlag("Ghost"), -1);
    std::filesystem::remove(palmFolder + "\\users.dat");
    EXPECT_EQ(SetHotSyncInstallFlag("Ann"), -1);
    EXPECT_TRUE(gFakeRegistry.calls.empty());

    // A refused write is passed on.
    ASSERT_TRUE(BuildSimulatedPalmDesktop(desktop));
    gFakeRegistry.refused = {"HKCU\\Software\\U.S. Robotics\\Pilot Desktop\\HotSync Manager [Install1]"};
    EXPECT_EQ(SetHotSyncInstallFlag("Ann"), -1);
}
