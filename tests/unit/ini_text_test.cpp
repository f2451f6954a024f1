// The INI text rules on raw GBK bytes, and the GBK helpers they rely on.
#include <gtest/gtest.h>

#include "platform/gbk_text.h"
#include "platform/ini_text.h"

using namespace platform;

TEST(IniText, SecondBytesOfDoubleByteCharactersAreNeverTakenForSyntaxOrFolded)
{
    // 0x81 0x5D and 0x81 0x41 / 0x81 0x61 are single characters whose second
    // byte looks like "]", "A" and "a".
    const QByteArray text = "[\x81]x]\r\n\x81\x41=upper\r\n\x81\x61=lower\r\n";
    EXPECT_EQ(ini::lookup(text, "\x81]x", "\x81\x41"), QByteArray("upper"));
    EXPECT_EQ(ini::lookup(text, "\x81]x", "\x81\x61"), QByteArray("lower"));
    EXPECT_EQ(ini::lookup(text, "\x81", "\x81\x41"), std::nullopt);
    // A section name may hold such a character, a plain "]" it may not.
    EXPECT_TRUE(ini::assign({}, "\x81]", "k", "v").has_value());
    EXPECT_FALSE(ini::assign({}, "a]", "k", "v").has_value());
}

TEST(IniText, AssignOnEmptyTextCreatesTheSectionAndLookupFindsWhatWasAssigned)
{
    const auto text = ini::assign({}, "S", "k", "v");
    ASSERT_TRUE(text);
    EXPECT_EQ(*text, QByteArray("[S]\r\nk=v\r\n"));
    EXPECT_EQ(ini::lookup(*text, "s", "K"), QByteArray("v"));
    const auto again = ini::assign(*text, "S", "k", "");
    ASSERT_TRUE(again);
    EXPECT_EQ(ini::lookup(*again, "S", "k"), QByteArray(""));
}

TEST(GbkText, ConvertsBothWaysAndMarksWhatItCannotHold)
{
    EXPECT_EQ(toGbk(QStringLiteral("无")), QByteArray("\xCE\xDE"));
    EXPECT_EQ(fromGbk("\xCE\xDE"), QStringLiteral("无"));
    EXPECT_EQ(toGbk(QStringLiteral("a\U0001F600b")), QByteArray("a?b"));
    EXPECT_EQ(fromGbk("a\xFF" "b"), QStringLiteral("a\uFFFDb"));
    EXPECT_EQ(fromGbk("a\xCE"), QStringLiteral("a\uFFFD"));
    const QByteArray big = QByteArray("\xCE\xDE").repeated(5000);
    EXPECT_EQ(toGbk(fromGbk(big)), big);
}

TEST(GbkText, CutNeverSplitsADoubleByteCharacter)
{
    EXPECT_EQ(cutGbk("abcdef", 4), QByteArray("abcd"));
    EXPECT_EQ(cutGbk("a\xCE\xDE\xCE\xDE", 4), QByteArray("a\xCE\xDE"));
    EXPECT_EQ(cutGbk("a\xCE\xDE\xCE\xDE", 5), QByteArray("a\xCE\xDE\xCE\xDE"));
    EXPECT_EQ(cutGbk("ab", 10), QByteArray("ab"));
}
