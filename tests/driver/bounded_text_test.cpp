// The bounded copies and the formatter at the exact edges of their buffers.
#include "driver/bounded_text.h"

#include <climits>
#include <cstring>
#include <gtest/gtest.h>

TEST(BoundedText, CopyFitsExactlyOrIsCutAndAlwaysTerminated)
{
    char six[6];
    memset(six, 'x', sizeof six);
    EXPECT_EQ(CopyText(six, "abcde"), 0);
    EXPECT_STREQ(six, "abcde");
    EXPECT_EQ(CopyText(six, "abcdef"), -1);
    EXPECT_STREQ(six, "abcde");
    EXPECT_EQ(CopyText(six, ""), 0);
    EXPECT_STREQ(six, "");
    EXPECT_EQ(CopyTextPart(six, sizeof six, "abcdefgh", 3), 0);
    EXPECT_STREQ(six, "abc");
}

TEST(BoundedText, AppendStopsAtTheBufferEnd)
{
    char six[6] = "ab";
    EXPECT_EQ(AppendText(six, "cd"), 0);
    EXPECT_STREQ(six, "abcd");
    EXPECT_EQ(AppendText(six, "efg"), -1);
    EXPECT_STREQ(six, "abcde");
    EXPECT_EQ(AppendText(six, "z"), -1);
    EXPECT_STREQ(six, "abcde");
}

TEST(BoundedText, FormatsStringsNumbersAndPercent)
{
    char text[64];
    EXPECT_EQ(FormatText(text, sizeof text, "Found user '%s'", "Jane"), 0);
    EXPECT_STREQ(text, "Found user 'Jane'");
    EXPECT_EQ(FormatText(text, sizeof text, "Install%d|%d|%d", 3, -1, INT_MIN), 0);
    EXPECT_STREQ(text, "Install3|-1|-2147483648");
    EXPECT_EQ(FormatText(text, sizeof text, "100%% %s", ""), 0);
    EXPECT_STREQ(text, "100% ");
}

TEST(BoundedText, FormatReportsACutAndMeasuresTheWholeText)
{
    char five[5];
    EXPECT_EQ(FormatText(five, sizeof five, "%s\\%s", "ab", "cd"), -1);
    EXPECT_STREQ(five, "ab\\c");
    EXPECT_EQ(FormatText(five, sizeof five, "%s\\%s", "ab", "c"), 0);
    EXPECT_STREQ(five, "ab\\c");
    EXPECT_EQ(FormattedLength("%s\\%s.prc", "folder", "name"), strlen("folder\\name.prc"));
}

TEST(BoundedText, CaseBlindComparisonsCoverAsciiLettersOnly)
{
    EXPECT_TRUE(EqualsIgnoringCase("Install.ini", "INSTALL.INI"));
    EXPECT_FALSE(EqualsIgnoringCase("Install.ini", "Install.in"));
    EXPECT_FALSE(EqualsIgnoringCase("\xC9", "\xE9"));  // not ASCII letters
    EXPECT_TRUE(StartsWithIgnoringCase("license terms", "LICENSE"));
    EXPECT_FALSE(StartsWithIgnoringCase(" LICENSE", "LICENSE"));
    EXPECT_FALSE(StartsWithIgnoringCase("LICENS", "LICENSE"));
}
