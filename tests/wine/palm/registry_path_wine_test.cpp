// The registry walk against Wine's real HKEY_CURRENT_USER.
#include "palm/registry_path.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace {

const char kTestKey[] = "Software\\Vantrel Tests";

class RegistryPathWine : public ::testing::Test {
protected:
    void SetUp() override { RegDeleteTreeA(HKEY_CURRENT_USER, kTestKey); }
    void TearDown() override { RegDeleteTreeA(HKEY_CURRENT_USER, kTestKey); }
};

bool KeyExists(const char* path)
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

} // namespace

TEST_F(RegistryPathWine, WriteCreatesKeysAndReadFindsTheValue)
{
    const uint32_t seven = 7;
    EXPECT_EQ(WriteRegistryPath("Software\\Vantrel Tests\\A.b c\\Value", &seven, sizeof seven, REG_DWORD), 0);
    DWORD type = 0;
    DWORD data = 0;
    DWORD size = sizeof data;
    ASSERT_EQ(RegGetValueA(HKEY_CURRENT_USER, "Software\\Vantrel Tests\\A.b c", "Value", RRF_RT_ANY, &type,
                           &data, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(data, 7u);

    // Doubled and leading separators name the same value.
    uint32_t read = 0;
    EXPECT_EQ(ReadRegistryPath("\\Software\\\\Vantrel Tests\\A.b c\\Value", &read, sizeof read), 0);
    EXPECT_EQ(read, 7u);

    // A missing value or key leaves the buffer as it was; a short one fails.
    char text[4] = "def";
    EXPECT_EQ(ReadRegistryPath("Software\\Vantrel Tests\\A.b c\\Missing", text, sizeof text), -1);
    EXPECT_EQ(ReadRegistryPath("Software\\Vantrel Tests\\Missing\\Value", text, sizeof text), -1);
    EXPECT_STREQ(text, "def");
    const char longText[] = "longer";
    EXPECT_EQ(WriteRegistryPath("Software\\Vantrel Tests\\Text", longText, sizeof longText, REG_SZ), 0);
    EXPECT_EQ(ReadRegistryPath("Software\\Vantrel Tests\\Text", text, sizeof text), -1);

    // Keys only: created, nothing set, and a read opens them all.
    EXPECT_EQ(WriteRegistryPath("Software\\Vantrel Tests\\K1\\K2\\", &seven, sizeof seven, REG_DWORD), 0);
    EXPECT_TRUE(KeyExists("Software\\Vantrel Tests\\K1\\K2"));
    EXPECT_EQ(ReadRegistryPath("Software\\Vantrel Tests\\K1\\K2\\", text, sizeof text), 0);
    EXPECT_EQ(ReadRegistryPath("Software\\Vantrel Tests\\K1\\K3\\", text, sizeof text), -1);
}
