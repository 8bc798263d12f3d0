// Palm knowledge: users.dat, discovery, the install flag, and the naming
// of an installed database.
#include "palm/database_header.h"
#include "palm/desktop_settings.h"
#include "palm/destination_path.h"
#include "palm/user_discovery.h"

#include "unit_test.h"

// The display name and the number that users.dat stores with the copy of
// the folder name nearest its end that ends a whole record; the number never
// depends on the name, which may be cut, empty or shared, and is never read
// where the folder name is another user's display name.
TEST_F(UnitTest, UsersDatGivesTheNameAndNumberStoredWithTheFolderName)
{
    const std::string long60(60, 'L');
    const int kNone = 99999;
    // users.dat, the display name and the number of "Fold" (kNone: none).
    const std::tuple<std::string, std::string, int> cases[] = {
        {UsersDat({{"Ann Lee", "AnnF", 1}, {"Bob", "Fold", 2}}), "Bob", 2},
        {UsersDat({{"First", "Fold", 1}, {"Second", "Fold", 2}}), "Second", kNone}, // which number cannot be told
        {UsersDat({{"Ann", "Fold", 5}, {"Fold", "BobF", 1}}), "Ann", 5},
        // Bob's record could also be one of folder Fold with an empty name.
        {std::string("\x05\x00\xA5\x00\x03" "Ann\x04" "Fold\x01\x00\x00\x00\x04" "Fold\x04" "BobF", 24), "Fold", kNone},
        {UsersDat({{"Case", "fold", 1}}), "Fold", kNone},                  // byte-exact
        {UsersDat({{long60, "Fold", -300}}), long60.substr(0, 49), -300},   // cut to the field
        {UsersDat({{"Bob", "BobF", 2}, {"", "Fold", 6}}), "Fold", 6},       // length 0: no room for a name
        {std::string("\x07\x00\xA5\x00\x09\x04" "Fold", 10), "", kNone},      // length 9, no name: no record
        {"QQQName\x04" "Fold", "QName", kNone},                             // no zero byte: from position 2
        {"", "Fold", kNone},                                               // no users.dat
    };
    for (const auto& [usersDat, displayName, number] : cases) {
        std::filesystem::remove("Palm\\users.dat");
        if (!usersDat.empty())
            WriteBytes("Palm\\users.dat", usersDat);
        PalmUser user;
        ReadUserDisplayName(user, "Palm", "Fold");
        EXPECT_EQ(std::pair(std::string(user.displayName), user.hasUserNumber ? user.userNumber : kNone),
                  std::pair(displayName, number)) << usersDat;
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
    PalmUsers users;
    ASSERT_EQ(DiscoverPalmUsers(&users, [](const PalmUser& user) { reported.push_back(user.displayName); }), 0);
    EXPECT_EQ(reported, (std::vector<std::string>{"Zed Z", "Amy"}));

    for (int i = 0; i < 30; i++) {
        gFakes.folderTree.push_back({palm + "\\" + std::to_string(i), true});
        gFakes.folderTree.push_back({palm + "\\" + std::to_string(i) + "\\Install", true});
    }
    gFakes.registry.clear();
    PutRegistryText("Software\\3Com\\Palm Desktop\\Core", "Path", palm);
    ASSERT_EQ(DiscoverPalmUsers(&users, nullptr), 0);
    ASSERT_EQ(users.count, 25);
    EXPECT_STREQ(users.users[24].displayName, "22");
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
        char name[kInstallFolderNameChars + 1];
        FindInstallFolderName(name);
        EXPECT_STREQ(name, installFolderName);
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
        {"conOut$", true, true, "P\\A B\\backup\\_conOut$.prc"},
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
    // The header (empty: none could be read), the slot's path; the name and
    // whether it is a resource database. A path's last component follows its
    // last backslash or slash, else a drive letter and colon.
    const std::tuple<std::string, const char*, std::string, bool> cases[] = {
        {PalmDatabase(name32, false, ""), "x.prc", name32, false},
        {PalmDatabase("Short", true, ""), "x.pdb", "Short", true},
        {"", "dir/tiny.PRC", "tiny", true},
        {"", "c:\\a/b\\n.x.pdb", "n.x", false},
        {"", "c:n.prc", "n", true},
        {"", "1:n.prc", "1:n", true}, // no drive: what a record name keeps whole
        {"", "noext", "noext", false},
    };
    for (const auto& [header, slotPath, name, resource] : cases) {
        DatabaseName naming;
        NameDatabase(header.empty() ? nullptr : reinterpret_cast<const unsigned char*>(header.data()), slotPath,
                     &naming);
        EXPECT_EQ(std::pair(std::string(naming.name), naming.isResourceDatabase), std::pair(name, resource)) << slotPath;
    }
}
