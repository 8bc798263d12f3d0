// Discovery on a simulated Palm Desktop held by the fakes: where the Palm
// folder and the install folder name come from, which folders are users,
// in which order, what is reported, and the paths that do not fit.
#include "palm/user_discovery.h"

#include "palm_test.h"

namespace {

const char kPilotCore[] = "Software\\U.S. Robotics\\Pilot Desktop\\Core";
const char kPalmCore[] = "Software\\3Com\\Palm Desktop\\Core";
const char kHotSync[] = "Software\\U.S. Robotics\\Pilot Desktop\\HotSync Manager";

bool ConduitTwoModuleRead()
{
    for (const std::string& call : gFakeRegistry.calls) {
        if (call.find("InstallConduit2 [Module]") != std::string::npos)
            return true;
    }
    return false;
}

} // namespace

TEST_F(PalmTest, PalmFolderComesFromEitherGenerationOrAnErrorBox)
{
    SimulatedPalmDesktop desktop = Desktop({{"Ann Lee", "AnnL", 1}});
    desktop.folderKey = PalmFolderKey::kPalmDesktop;
    ASSERT_TRUE(BuildSimulatedPalmDesktop(desktop));
    EXPECT_EQ(DiscoverPalmUsers(), 0);
    EXPECT_EQ(gState.palmFolder, palmFolder);
    EXPECT_EQ(DisplayNames(), std::vector<std::string>{"Ann Lee"});
    EXPECT_EQ(std::string(gState.users[0].installPath), palmFolder + "\\AnnL\\Install");
    EXPECT_EQ(std::string(gState.users[0].backupPath), palmFolder + "\\AnnL\\backup");

    // Both values present: the older generation's wins.
    PutFakeRegistryText(kPilotCore, "Path", root);
    EXPECT_EQ(DiscoverPalmUsers(), 0);
    EXPECT_EQ(gState.palmFolder, root);

    // A value filling its whole field without a terminator is not used cut.
    PutFakeRegistryValue(kPilotCore, "Path", 1, std::vector<unsigned char>(sizeof gState.palmFolder, 'x'));
    EXPECT_EQ(DiscoverPalmUsers(), 0);
    EXPECT_EQ(gState.palmFolder, palmFolder);

    for (bool quiet : {false, true}) {
        ResetFakePlatform();
        desktop.folderKey = PalmFolderKey::kNone;
        ASSERT_TRUE(BuildSimulatedPalmDesktop(desktop));
        gState.quiet = quiet;
        EXPECT_EQ(DiscoverPalmUsers(), -1);
        ASSERT_EQ(gFake.messageBoxes.size(), 1u);
        EXPECT_EQ(gFake.messageBoxes[0].text, "Cannot locate a path to the Palm folder");
        EXPECT_EQ(gFake.messageBoxes[0].caption, "Registry Error");
        EXPECT_STREQ(gState.palmFolder, "c:\\pilot");
        EXPECT_EQ(gState.userCount, 0);
        EXPECT_TRUE(gFakeFolders.patterns.empty());
    }
}

TEST_F(PalmTest, InstallFolderNameComesFromTheFirstInscnConduit)
{
    using Conduit = std::optional<SimulatedInstallConduit>;
    struct Case {
        const char* why;
        Conduit conduit1;
        Conduit conduit2;
        std::string installFolderName;
        bool conduit2Read;
    };
    const Case cases[] = {
        {"no conduit", {}, {}, "Install", false},
        {"conduit 1", {{"inscn20.dll", "Inbox"}}, {{"inscn20.dll", "Other"}}, "Inbox", false},
        {"conduit 1 in another case", {{"INSCN20.dll", "Inbox"}}, {{"inscn", "Other"}}, "Other", true},
        {"too short a module", {}, {{"insc", "Other"}}, "Install", true},
        {"directory too long to fit", {{"inscn", std::string(40, 'd')}}, {}, "Install", false},
        {"longest directory", {{"inscn", std::string(39, 'd')}}, {}, std::string(39, 'd'), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        ResetFakeRegistry();
        ResetFakeFolders();
        SimulatedPalmDesktop desktop = Desktop({{"Ann", "Ann", 1}});
        desktop.conduit1 = c.conduit1;
        desktop.conduit2 = c.conduit2;
        desktop.installFolderName = c.installFolderName;
        ASSERT_TRUE(BuildSimulatedPalmDesktop(desktop));
        EXPECT_EQ(DiscoverPalmUsers(), 0);
        EXPECT_EQ(gState.installFolderName, c.installFolderName);
        EXPECT_EQ(ConduitTwoModuleRead(), c.conduit2Read);
        // The user's folder holds only the expected install folder.
        EXPECT_EQ(gState.userCount, 1);
    }
    // A conduit without its Directory value, or with one that fills the
    // field without a terminator, falls through.
    ResetFakeRegistry();
    PutFakeRegistryText(kPilotCore, "Path", palmFolder);
    std::string conduit1 = std::string(kHotSync) + "\\InstallConduit1";
    PutFakeRegistryText(conduit1, "Module", "inscn");
    for (bool withDirectory : {false, true}) {
        if (withDirectory)
            PutFakeRegistryValue(conduit1, "Directory", 1, std::vector<unsigned char>(kInstallFolderNameChars + 1, 'd'));
        EXPECT_EQ(DiscoverPalmUsers(), 0);
        EXPECT_STREQ(gState.installFolderName, "Install");
    }
}

TEST_F(PalmTest, UsersAreFoldersHoldingTheInstallFolderInListingOrder)
{
    SimulatedPalmDesktop desktop = Desktop({{"Zed", "Zed", 1}, {"", "NoInstall", 2}, {"Amy", "Amy", 3}});
    desktop.users[1].hasInstallFolder = false;
    ASSERT_TRUE(BuildSimulatedPalmDesktop(desktop));
    AddFakeFile(palmFolder + "\\PlainFile");
    AddFakeFolder(palmFolder + "\\Install"); // would make "." a user
    AddFakeFolder(palmFolder + "\\FileInstall");
    AddFakeFile(palmFolder + "\\FileInstall\\Install"); // an install entry that is a file counts
    EXPECT_EQ(DiscoverPalmUsers(), 0);
    EXPECT_EQ(DisplayNames(), (std::vector<std::string>{"Zed", "Amy", "FileInstall"}));
    EXPECT_EQ(gFake.statusLines, (std::vector<std::string>{"Found user 'Zed'", "Found user 'Amy'",
                                                            "Found user 'FileInstall'"}));
    EXPECT_EQ(gFake.pauses, (std::vector<uint32_t>{200, 200, 200}));
    EXPECT_EQ(gFakeFolders.openListings, 0);
    // A plain file is not even looked into.
    for (const std::string& pattern : gFakeFolders.patterns)
        EXPECT_EQ(pattern.find("PlainFile"), std::string::npos);

    // Thirty users: the first 25 in listing order, the 26th never examined.
    std::vector<SimulatedPalmUser> users;
    for (int i = 30; i > 0; i--)
        users.push_back({"User " + std::to_string(i), "U" + std::to_string(i), static_cast<int16_t>(i)});
    ResetFakePlatform();
    gFakeFolders.patterns.clear();
    gState.quiet = true;
    ASSERT_TRUE(BuildSimulatedPalmDesktop(Desktop(users)));
    EXPECT_EQ(DiscoverPalmUsers(), 0);
    ASSERT_EQ(gState.userCount, 25);
    EXPECT_STREQ(gState.users[0].displayName, "User 30");
    EXPECT_STREQ(gState.users[24].displayName, "User 6");
    EXPECT_EQ(gFakeFolders.patterns.size(), 26u);
    EXPECT_TRUE(gFake.statusLines.empty());
    EXPECT_TRUE(gFake.pauses.empty());
}

TEST_F(PalmTest, UsersWhosePathsWouldNotFitAreSkipped)
{
    // The install path is the Palm folder, two separators, the folder name
    // and "Install": 99 characters fit, 100 do not.
    std::string fits(99 - palmFolder.size() - 9, 'f');
    std::string tooLong(fits.size() + 1, 'g');
    SimulatedPalmDesktop desktop = Desktop({{"Fits", fits, 1}, {"Too long", tooLong, 2}});
    ASSERT_TRUE(BuildSimulatedPalmDesktop(desktop));
    EXPECT_EQ(DiscoverPalmUsers(), 0);
    EXPECT_EQ(DisplayNames(), std::vector<std::string>{"Fits"});
    EXPECT_EQ(strlen(gState.users[0].installPath), 99u);

    // With a shorter install folder name the backup path is the longer one.
    desktop.conduit1 = SimulatedInstallConduit{"inscn", "In"};
    desktop.installFolderName = "In";
    std::string backupFits(99 - palmFolder.size() - 8, 'b');
    desktop.users = {{"Backup fits", backupFits, 1}, {"Backup too long", backupFits + "b", 2}};
    ASSERT_TRUE(BuildSimulatedPalmDesktop(desktop));
    EXPECT_EQ(DiscoverPalmUsers(), 0);
    EXPECT_EQ(DisplayNames(), std::vector<std::string>{"Backup fits"});

    // A Palm folder too long for the listing pattern lists nothing.
    PutFakeRegistryText(kPilotCore, "Path", std::string(510, 'p'));
    gFakeFolders.patterns.clear();
    EXPECT_EQ(DiscoverPalmUsers(), 0);
    EXPECT_EQ(gState.userCount, 0);
    EXPECT_TRUE(gFakeFolders.patterns.empty());
}

TEST_F(PalmTest, DisplayNamesComeFromUsersDatElseTheFolderName)
{
    SimulatedPalmDesktop desktop = Desktop({{"Ann Lee", "AnnL", 1}, {"", "Empty", 2}});
    ASSERT_TRUE(BuildSimulatedPalmDesktop(desktop));
    ASSERT_EQ(DiscoverPalmUsers(), 0);
    char name[kDisplayNameChars + 1];
    ReadUserDisplayName(name, "AnnL");
    EXPECT_STREQ(name, "Ann Lee");
    ReadUserDisplayName(name, "annl"); // folder names match byte-exact
    EXPECT_STREQ(name, "annl");
    ReadUserDisplayName(name, "Empty"); // a stored empty name leaves no room
    EXPECT_STREQ(name, "Empty");
    // Long names are cut to the field.
    desktop.users = {{std::string(60, 'n'), std::string(55, 'F'), 1}};
    ASSERT_TRUE(BuildSimulatedPalmDesktop(desktop));
    ReadUserDisplayName(name, std::string(55, 'F').c_str());
    EXPECT_EQ(std::string(name), std::string(kDisplayNameChars, 'n'));

    desktop.writeUsersDat = false;
    ASSERT_TRUE(BuildSimulatedPalmDesktop(desktop));
    ReadUserDisplayName(name, "AnnL");
    EXPECT_STREQ(name, "AnnL");
}
