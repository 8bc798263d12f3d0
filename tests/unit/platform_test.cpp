// The registry path walk over the registry seam.
#include "platform/registry.h"
#include "platform/registry_path.h"

#include "unit_test.h"

TEST_F(UnitTest, RegistryPathsSplitIntoKeysAndAValueName)
{
    PutRegistryText("Software\\Palm", "Path", "c:\\palm");
    PutRegistryText("", "Top", "top");
    PutRegistryText("K\\K\\K\\K\\K\\K\\K\\K\\K\\K", "V", "deep");
    const std::pair<std::string, const char*> reads[] = { // path, what it reads (nullptr: a failure)
        {"Software\\Palm\\Path", "c:\\palm"},
        {"\\\\Software\\\\Palm\\Path", "c:\\palm"}, // empty components are skipped
        {"Software\\Missing\\Path", nullptr},
        {"Software\\Palm\\Missing", nullptr},
        {"Top", "top"},
        {"", "untouched"},
        {"Software\\Palm\\", "untouched"},
        {"K\\K\\K\\K\\K\\K\\K\\K\\K\\K\\V", "deep"},
        {"K\\K\\K\\K\\K\\K\\K\\K\\K\\K\\K\\V", nullptr}, // eleven keys
        {std::string(300, 'k'), nullptr},
    };
    for (const auto& [path, expected] : reads) {
        char buffer[16] = "untouched";
        EXPECT_EQ(ReadRegistryPath(path.c_str(), buffer, sizeof buffer) == 0, expected != nullptr) << path;
        EXPECT_STREQ(buffer, expected ? expected : "untouched") << path;
    }

    // Writes create their keys (as the install flag shows); a refused key
    // fails. A key left open shows as a leak when the tests end.
    gFakes.refusedKeys.insert("Software\\Locked");
    const uint32_t one = 1;
    EXPECT_EQ(WriteRegistryPath("Software\\Locked\\Key\\Flag", &one, 4, kRegDword), 5); // access denied
    EXPECT_EQ(gFakes.registry.count("Software\\Locked\\Key"), 0u);
}
