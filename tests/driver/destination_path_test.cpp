// The destination builder: its character set, quote removals, blanks, the
// folder lookup and the 255-character limit.
#include "driver/destination_path.h"

#include "driver/bounded_text.h"
#include "fakes/fake_platform.h"

#include <cstring>
#include <gtest/gtest.h>
#include <string>

namespace {

class DestinationPath : public ::testing::Test {
protected:
    char destination[kFilePathChars + 1];

    void SetUp() override
    {
        ResetFakePlatform();
        CopyText(gState.users[0].displayName, "Jane Doe");
        CopyText(gState.users[0].installPath, "C:\\Palm Data\\DoeJ\\Install");
        CopyText(gState.users[0].backupPath, "C:\\Palm Data\\DoeJ\\Backup");
        gState.userCount = 1;
    }

    std::string Build(const char* name, bool resource = false, bool backup = false,
                      const char* user = "Jane Doe")
    {
        EXPECT_EQ(BuildDestinationPath(destination, user, name, resource, backup), 0) << name;
        return destination;
    }
};

TEST_F(DestinationPath, ReplacesEveryCharacterOfItsSetAndNothingElse)
{
    std::string replaced = ".,?*<>+=|\\[]/^;:\"\xD8\xA9\xAE\x91\x92\x93\x94";
    ASSERT_EQ(replaced.size(), 24u);
    for (int code = 1; code <= 31; code++)
        replaced += static_cast<char>(code);
    for (char c : replaced) {
        std::string name = std::string("a") + c + "b";
        EXPECT_EQ(Build(name.c_str()), "C:\\Palm Data\\DoeJ\\Install\\a_b.pdb") << int(c & 0xFF);
    }
    // Neighbours of the set and the bytes from 0x7F up that are not in it stay.
    for (const char* kept : {"-", "!", "#", "'", "(", "~", "\x7F", "\x80", "\x90", "\x95", "\xA8",
                             "\xAA", "\xAD", "\xAF", "\xD7", "\xD9", "\xFF"}) {
        std::string name = std::string("a") + kept + "b";
        EXPECT_EQ(Build(name.c_str()), "C:\\Palm Data\\DoeJ\\Install\\" + name + ".pdb");
    }
}

TEST_F(DestinationPath, RemovesOneLeadingAndOneTrailingQuoteIndependently)
{
    const char* folder = "C:\\Palm Data\\DoeJ\\Install\\";
    struct { const char* name; const char* cleaned; } cases[] = {
        {"\"Tools\"", "Tools"}, {"\"Tools", "Tools"}, {"Tools\"", "Tools"},
        {"\"\"Tools\"\"", "_Tools_"}, {"To\"ols", "To_ols"},
        {"\"", ""}, {"\"\"", ""}, {"\"\"\"", "_"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Build(c.name, true), std::string(folder) + c.cleaned + ".prc") << c.name;
}

TEST_F(DestinationPath, BlanksBecomeUnderscoresFromTheNameOnOnly)
{
    EXPECT_EQ(Build(" My  App ", false, true), "C:\\Palm Data\\DoeJ\\Backup\\_My__App_.pdb");
    EXPECT_EQ(Build("a:b/c  d", true), "C:\\Palm Data\\DoeJ\\Install\\a_b_c__d.prc");
}

TEST_F(DestinationPath, FolderIsTheExactlyNamedUsersOrTheUserName)
{
    EXPECT_EQ(Build("X", false, false, "jane doe"), "jane doe\\X.pdb");
    EXPECT_EQ(Build("X", false, true, "Nobody Here"), "Nobody Here\\X.pdb");
    EXPECT_EQ(Build(nullptr, true, true), "C:\\Palm Data\\DoeJ\\Backup");
    EXPECT_EQ(Build("", true, false), "C:\\Palm Data\\DoeJ\\Install");
}

TEST_F(DestinationPath, APathOverTheLimitIsRefusedNeverCut)
{
    std::string folder(kUserFolderPathChars, 'f');
    CopyText(gState.users[0].installPath, folder.c_str());
    size_t fits = kFilePathChars - folder.size() - 1 - strlen(".prc");
    std::string name(fits, 'n');
    EXPECT_EQ(Build(name.c_str(), true).size(), kFilePathChars);
    // Quotes removed before the limit is measured.
    EXPECT_EQ(Build(("\"" + name + "\"").c_str(), true).size(), kFilePathChars);

    for (const std::string& tooLong : {name + "n", std::string(2 * kFilePathChars, 'n')}) {
        memset(destination, 'x', sizeof destination);
        EXPECT_EQ(BuildDestinationPath(destination, "Jane Doe", tooLong.c_str(), true, false), -1);
        EXPECT_STREQ(destination, "");
    }
}

} // namespace
