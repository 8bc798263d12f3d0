// Palm knowledge: users.dat, discovery, the install flag, and the naming
// of an installed database.
#include "base/bounded_text.h"
#include "palm/database_header.h"
#include "palm/desktop_settings.h"
#include "palm/destination_path.h"
#include "palm/user_discovery.h"

#include "unit_test.h"

TEST_F(UnitTest, DisplayNameIsTheStoredNameBeforeTheLastCopyOfTheFolderName)
{
    const std::pair<std::string, std::string> cases[] = { // users.dat, display name of "Fold"
        {UsersDat({{"Ann Lee", "AnnF", 1}, {"Bob", "Fold", 2}}), "Bob"},
        {UsersDat({{"First", "Fold", 1}, {"Second", "Fold", 2}}), "Second"},
        {UsersDat({{"Case", "fold", 1}}), "Fold"},                        // byte-exact
        {"QQQName\x04" "Fold", "QName"},                                     // no zero byte: from position 2
        {std::string("\x01\x00\x01" "AB\x04" "Fold", 10), "AB"},            // the lowest position, 6
        {std::string("\x01\x00\x01\x01\x04" "Fold", 9), "Fold"},            // position 5 is too low
        {std::string("\x01\x01\x01\x01\x00X\x04" "Fold", 11), ""},          // zero at p - 3: empty
        {std::string("\x01\x01\x01\x01\x01\x00\x04" "Fold", 11), "Fold"},   // zero at p - 2: no room
        {"", "Fold"}, // no users.dat
    };
    CopyText(gState.palmFolder, "Palm");
    for (const auto& [usersDat, displayName] : cases) {
        std::filesystem::remove("Palm\\users.dat");
        if (!usersDat.empty())
            WriteBytes("Palm\\users.dat", usersDat);
        PalmUser user;
        ReadUserDisplayName(user, "Fold");
        EXPECT_EQ(user.displayName, displayName) << usersDat;
    }
}

// Discovery over a Palm folder whose entries list in the order given.
TEST_F(UnitTest, DiscoveryKeepsListingOrderAndOnlyFoldersHoldingTheInstallFolder)
{
    std::string palm = MakePalmDesktop(root, {{"Zed Z", "ZedF", 1}, {"Amy", "AmyF", 2}});
    const std::string longName(100 - palm.size() - 9, 'L'); // its install path would be 100 characters
    for (std::string name : {std::string("NoInstall"), std::string("."), std::string(".\\Install"), longName,
                             longName + "\\Install", std::string("file\\Install")})
        gFakes.folderTree.push_back({palm + "\\" + name, true});
    gFakes.folderTree.push_back({palm + "\\file", false});
    static std::vector<std::string> reported;
    ASSERT_EQ(DiscoverPalmUsers([](const PalmUser& user) { reported.push_back(user.displayName); }), 0);
    EXPECT_EQ(reported, (std::vector<std::string>{"Zed Z", "Amy"}));

    for (int i = 0; i < 30; i++) {
        gFakes.folderTree.push_back({palm + "\\" + std::to_string(i), true});
        gFakes.folderTree.push_back({palm + "\\" + std::to_string(i) + "\\Install", true});
    }
    gFakes.registry.clear();
    PutRegistryText("Software\\3Com\\Palm Desktop\\Core", "Path", palm);
    ASSERT_EQ(DiscoverPalmUsers(nullptr), 0);
    ASSERT_EQ(gState.userCount, 25);
    EXPECT_STREQ(gState.users[24].displayName, "22");
}

TEST_F(UnitTest, InstallFolderNameComesFromTheFirstInscnConduit)
{
    const std::string d40(40, 'd'); // one character too many
    // Module and directory of conduit 1, then of conduit 2; the name taken.
    const std::pair<std::vector<std::pair<const char*, const char*>>, const char*> cases[] = {
        {{}, "Install"},
        {{{"inscn.dll", "Inbox"}, {"inscn", "Other"}}, "Inbox"},
        {{{"INSCN", "Inbox"}, {"inscn", "Drop"}}, "Drop"},
        {{{"insc", "Inbox"}}, "Install"},
        {{{"inscn", d40.c_str()}}, "Install"},
    };
    for (const auto& [conduits, installFolderName] : cases) {
        gFakes.registry.clear();
        for (size_t i = 0; i < conduits.size(); i++) {
            std::string key = "Software\\U.S. Robotics\\Pilot Desktop\\HotSync Manager\\InstallConduit"
                + std::to_string(i + 1);
            PutRegistryText(key, "Module", conduits[i].first);
            PutRegistryText(key, "Directory", conduits[i].second);
        }
        FindInstallFolderName();
        EXPECT_STREQ(gState.installFolderName, installFolderName);
    }
}

TEST_F(UnitTest, DestinationNamesAreCleanedAndNeverCut)
{
    const PalmUser ann = {"Ann Lee", "P\\A B\\Install", "P\\A B\\backup", false, 0};
    const std::string n237(237, 'n');
    const std::string n238(238, 'n');
    // The database name, resource database, to the backup folder; the
    // destination ("" when refused).
    const std::tuple<const char*, bool, bool, std::string> cases[] = {
        {"My App 2", true, false, "P\\A B\\Install\\My_App_2.prc"},
        {"a.b,c?d*e<f>g+h=i|j\\k[l]m/n^o;p:q\"r", false, true,
         "P\\A B\\backup\\a_b_c_d_e_f_g_h_i_j_k_l_m_n_o_p_q_r.pdb"},
        {"\xD8\xA9\xAE\x91\x92\x93\x94\x01\x1F~\x7F\xE9-_!", false, false,
         "P\\A B\\Install\\_________~\x7F\xE9-_!.pdb"},
        {"\"\"", false, false, "P\\A B\\Install\\.pdb"},
        {"", true, false, "P\\A B\\Install"},
        {nullptr, true, true, "P\\A B\\backup"},
        {n237.c_str(), false, false, "P\\A B\\Install\\" + n237 + ".pdb"}, // 255 characters
        {n238.c_str(), false, false, ""},
        // Names Windows keeps for devices, whatever the case; only the whole name.
        {"nul", false, false, "P\\A B\\Install\\_nul.pdb"},
        {"Com\xB9", true, true, "P\\A B\\backup\\_Com\xB9.prc"},
        {"LPT0", false, false, "P\\A B\\Install\\_LPT0.pdb"},
        {"\"AUX\"", false, false, "P\\A B\\Install\\_AUX.pdb"},
        {"COM10", false, false, "P\\A B\\Install\\COM10.pdb"},
        {"CON.txt", false, false, "P\\A B\\Install\\CON_txt.pdb"},
    };
    char destination[kFilePathChars + 1];
    for (const auto& [name, resource, backup, expected] : cases) {
        EXPECT_EQ(BuildDestinationPath(destination, ann, name, resource, backup), expected.empty() ? -1 : 0);
        EXPECT_EQ(destination, expected);
    }
}

TEST(DatabaseNaming, HeaderNameElseTheSlotsOwnName)
{
    const std::string name32 = "ABCDEFGHIJKLMNOPQRSTUVWXYZ012345";
    // The source, the slot's path; the name and whether it is a resource
    // database. A source that cannot be opened is the copy stage's to show.
    const std::tuple<std::string, const char*, std::string, bool> cases[] = {
        {PalmDatabase(name32, false, ""), "x.prc", name32, false},
        {std::string(33, 't'), "dir/tiny.PRC", "tiny", true}, // shorter than a header
    };
    for (auto [bytes, slotPath, name, resource] : cases) {
        FILE* source = fmemopen(bytes.data(), bytes.size(), "rb");
        DatabaseName naming;
        NameDatabase(source, slotPath, &naming);
        EXPECT_EQ(std::pair(std::string(naming.name), naming.isResourceDatabase), std::pair(name, resource)) << slotPath;
        fclose(source);
    }
}
