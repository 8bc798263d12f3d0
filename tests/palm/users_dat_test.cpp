// The two users.dat scans: direction, bounds, length bytes, letter case,
// the display name's start and the signed user number.
#include "palm/users_dat.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

Bytes operator+(Bytes bytes, const std::string& text)
{
    bytes.insert(bytes.end(), text.begin(), text.end());
    return bytes;
}

Bytes operator+(Bytes bytes, const Bytes& more)
{
    bytes.insert(bytes.end(), more.begin(), more.end());
    return bytes;
}

UsersDat View(Bytes& bytes)
{
    return {bytes.data(), static_cast<long>(bytes.size())};
}

} // namespace

TEST(UsersDat, FolderNameScanFindsTheCopyNearestTheEnd)
{
    struct Case {
        const char* why;
        Bytes bytes;
        const char* folderName;
        long p;
    };
    const Case cases[] = {
        {"two copies: the later wins", Bytes{0, 0, 0, 0, 1, 'x', 3} + "Bob" + "\x01y\x03" + "Bob", "Bob", 13},
        {"length byte differs", Bytes{0, 0, 0, 0, 1, 'x', 4} + "Bob", "Bob", -1},
        {"letter case differs", Bytes{0, 0, 0, 0, 1, 'x', 3} + "bob", "Bob", -1},
        {"below position 6", Bytes{0, 0, 0, 0, 3} + "Bob" + "zz", "Bob", -1},
        {"lowest position", Bytes{0, 0, 0, 0, 0, 3} + "Bob", "Bob", 6},
        {"cut by the end", Bytes{0, 0, 0, 0, 0, 3} + "Bo", "Bob", -1},
        {"six bytes", Bytes{0, 0, 0, 0, 1} + "B", "B", -1},
    };
    for (Case c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(FindLastFolderName(View(c.bytes), c.folderName), c.p);
    }
}

TEST(UsersDat, DisplayNameRunsFromAfterTheNearestZeroByte)
{
    struct Case {
        const char* why;
        Bytes bytes; // the folder name "F" always at the end
        int result;
        const char* name;
    };
    const Case cases[] = {
        {"stored layout", Bytes{7, 0, 0xA5, 0, 5} + "Alice" + "\x01" + "F", 0, "Alice"},
        {"no zero from position 1: from position 2", Bytes{0, '9', '9'} + "Ann" + "\x01" + "F", 0, "9Ann"},
        {"zero at p - 3: empty", Bytes{1, 1, 1, 1, 0, 2} + "\x01" + "F", 0, ""},
        {"zero at p - 2: no room", Bytes{1, 1, 1, 1, 1, 0} + "\x01" + "F", -1, "kept"},
        {"longer than the field: cut", Bytes{0, 0, 0, 0, 12} + "abcdefghijkl" + "\x01" + "F", 0, "abcdefghi"},
    };
    for (Case c : cases) {
        SCOPED_TRACE(c.why);
        UsersDat file = View(c.bytes);
        long p = static_cast<long>(c.bytes.size()) - 1;
        char name[10] = "kept";
        EXPECT_EQ(CopyDisplayNameBefore(file, p, name, sizeof name), c.result);
        EXPECT_STREQ(name, c.name);
    }
}

TEST(UsersDat, DisplayNameScanFindsTheCopyNearestTheStart)
{
    struct Case {
        const char* why;
        Bytes bytes;
        long q;
        int16_t number;
    };
    const Case cases[] = {
        {"at position 5: number from bytes 0 and 1", Bytes{3, 0, 0, 0, 3} + "Ann", 5, 3},
        {"two copies: the earlier wins", Bytes{0, 0, 0, 0, 0, 0x34, 0x12, 0, 0, 3} + "Ann" + Bytes{1, 0, 0, 0, 3} + "Ann", 10, 0x1234},
        {"top bit set: negative", Bytes{0, 0, 0xFE, 0xFF, 0, 0, 3} + "Ann", 7, -2},
        {"longer stored name", Bytes{0, 0, 0, 0, 4} + "Anna", -1, 0},
        {"letter case differs", Bytes{0, 0, 0, 0, 3} + "ANN", -1, 0},
        {"below position 5", Bytes{0, 0, 0, 3} + "Ann" + "zz", -1, 0},
    };
    for (Case c : cases) {
        SCOPED_TRACE(c.why);
        UsersDat file = View(c.bytes);
        long q = FindFirstDisplayName(file, "Ann");
        EXPECT_EQ(q, c.q);
        if (q >= 0) {
            EXPECT_EQ(UserNumberBefore(file, q), c.number);
        }
    }
}
