// The registry walk against the recording fake: which component is a key,
// which the value, what is opened or created with which access, and that
// every key is closed again, innermost first.
#include "palm/registry_path.h"

#include "fakes/fake_registry.h"

#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using Calls = std::vector<std::string>;

TEST(RegistryPath, ReadTakesKeysAndValueByPosition)
{
    struct Case {
        const char* path;
        int32_t result;
        const char* buffer; // after the read; "default" when untouched
        Calls calls;
    };
    const Case cases[] = {
        {"V", 0, "top", {"query HKCU [V] 8"}},
        {"", 0, "default", {}},
        {"\\\\", 0, "default", {}},
        {"A\\B\\", 0, "default", {"open HKCU\\A 20019", "open HKCU\\A\\B 20019", "close HKCU\\A\\B", "close HKCU\\A"}},
        {"A\\B\\V", 0, "deep",
         {"open HKCU\\A 20019", "open HKCU\\A\\B 20019", "query HKCU\\A\\B [V] 8", "close HKCU\\A\\B", "close HKCU\\A"}},
        // Doubled and leading separators name the same keys.
        {"\\A\\\\B\\V", 0, "deep",
         {"open HKCU\\A 20019", "open HKCU\\A\\B 20019", "query HKCU\\A\\B [V] 8", "close HKCU\\A\\B", "close HKCU\\A"}},
        // A missing value leaves a default in the buffer.
        {"A\\B\\W", -1, "default",
         {"open HKCU\\A 20019", "open HKCU\\A\\B 20019", "query HKCU\\A\\B [W] 8", "close HKCU\\A\\B", "close HKCU\\A"}},
        {"A\\X\\V", -1, "default", {"open HKCU\\A 20019", "open HKCU\\A\\X 20019", "close HKCU\\A"}},
        {"A\\B\\Big", -1, nullptr,
         {"open HKCU\\A 20019", "open HKCU\\A\\B 20019", "query HKCU\\A\\B [Big] 8", "close HKCU\\A\\B", "close HKCU\\A"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        ResetFakeRegistry();
        PutFakeRegistryText("", "V", "top");
        PutFakeRegistryText("A\\B", "V", "deep");
        PutFakeRegistryText("A\\B", "Big", "12345678"); // 9 bytes with its terminator
        char buffer[8] = "default";
        EXPECT_EQ(ReadRegistryPath(c.path, buffer, sizeof buffer), c.result);
        if (c.buffer) {
            EXPECT_STREQ(buffer, c.buffer);
        }
        EXPECT_EQ(gFakeRegistry.calls, c.calls);
        EXPECT_TRUE(gFakeRegistry.openKeys.empty());
    }
}

TEST(RegistryPath, WriteCreatesKeysAndReplacesValues)
{
    ResetFakeRegistry();
    PutFakeRegistryText("Old", "V", "text");
    const uint32_t one = 1;
    EXPECT_EQ(WriteRegistryPath("New\\Deeper\\V", &one, sizeof one, 4), 0);
    EXPECT_EQ(WriteRegistryPath("Old\\V", &one, sizeof one, 4), 0);
    EXPECT_EQ(WriteRegistryPath("Keys\\Only\\", &one, sizeof one, 4), 0);
    EXPECT_EQ(WriteRegistryPath("Top", &one, sizeof one, 4), 0);
    EXPECT_EQ(gFakeRegistry.calls,
              (Calls{"create HKCU\\New f003f", "create HKCU\\New\\Deeper f003f",
                     "set HKCU\\New\\Deeper [V] type 4 size 4", "close HKCU\\New\\Deeper", "close HKCU\\New",
                     "create HKCU\\Old f003f", "set HKCU\\Old [V] type 4 size 4", "close HKCU\\Old",
                     "create HKCU\\Keys f003f", "create HKCU\\Keys\\Only f003f", "close HKCU\\Keys\\Only",
                     "close HKCU\\Keys", "set HKCU [Top] type 4 size 4"}));
    for (auto [key, value] : {std::pair{"New\\Deeper", "V"}, {"Old", "V"}, {"", "Top"}}) {
        const FakeRegistryValue* written = FindFakeRegistryValue(key, value);
        ASSERT_NE(written, nullptr);
        EXPECT_EQ(written->type, 4u);
        EXPECT_EQ(written->data, (std::vector<unsigned char>{1, 0, 0, 0}));
    }
    EXPECT_TRUE(FakeRegistryKeyExists("Keys\\Only"));

    // A refused value: -1, and the keys created on the way stay.
    gFakeRegistry.refused = {"HKCU\\Ro\\Sub [V]"};
    EXPECT_EQ(WriteRegistryPath("Ro\\Sub\\V", &one, sizeof one, 4), -1);
    EXPECT_TRUE(FakeRegistryKeyExists("Ro\\Sub"));
    // A refused key stops the walk before the value.
    gFakeRegistry.calls.clear();
    gFakeRegistry.refused = {"HKCU\\Ro\\Sub"};
    EXPECT_EQ(WriteRegistryPath("Ro\\Sub\\V", &one, sizeof one, 4), -1);
    EXPECT_EQ(gFakeRegistry.calls, (Calls{"create HKCU\\Ro f003f", "create HKCU\\Ro\\Sub f003f", "close HKCU\\Ro"}));
    EXPECT_TRUE(gFakeRegistry.openKeys.empty());
}

TEST(RegistryPath, PathsBeyondTheLimitsAreRefusedWithoutAnyCall)
{
    std::string tenKeys;
    for (int i = 0; i < 10; i++)
        tenKeys += "K" + std::to_string(i) + "\\";
    struct Case {
        std::string path;
        int32_t result;
        size_t callCount;
    };
    const Case cases[] = {
        {"A\\" + std::string(297, 'v'), -1, 3}, // 299 characters: walked (the value is missing)
        {"A\\" + std::string(298, 'v'), -1, 0}, // 300: refused
        {tenKeys + "V", -1, 21},                // ten keys and the value: walked
        {"\\" + tenKeys + "\\\\", 0, 20},       // extra separators add no key
        {tenKeys + "K10\\V", -1, 0},            // eleven keys: refused
        {tenKeys + "K10\\", -1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        ResetFakeRegistry();
        PutFakeRegistryValue("A", "x", 1, {0});
        PutFakeRegistryValue(tenKeys.substr(0, tenKeys.size() - 1), "x", 1, {0});
        char buffer[4] = "def";
        EXPECT_EQ(ReadRegistryPath(c.path.c_str(), buffer, sizeof buffer), c.result);
        EXPECT_EQ(gFakeRegistry.calls.size(), c.callCount);
        const uint32_t one = 1;
        ResetFakeRegistry();
        WriteRegistryPath(c.path.c_str(), &one, sizeof one, 4);
        EXPECT_EQ(gFakeRegistry.calls.empty(), c.callCount == 0);
    }
}
