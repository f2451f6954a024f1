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

TEST(IniText, EveryLineEndEndsALineAndAWriteEndsThemAllWithCrLf)
{
    struct Case {
        const char* name;
        QByteArray text;
    };
    const Case cases[] = {
        {"LF", "[A]\nx=1\n[RKHotKey]\nk=old\nz=2\n"},
        {"CR LF", "[A]\r\nx=1\r\n[RKHotKey]\r\nk=old\r\nz=2\r\n"},
        {"lone CR", "[A]\rx=1\r[RKHotKey]\rk=old\rz=2\r"},
        {"mixed", "[A]\rx=1\n[RKHotKey]\r\nk=old\rz=2"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ini::lookup(c.text, "RKHotKey", "k"), QByteArray("old"));
        EXPECT_EQ(ini::lookup(c.text, "A", "x"), QByteArray("1"));
        EXPECT_EQ(ini::assign(c.text, "RKHotKey", "k", "new"), QByteArray("[A]\r\nx=1\r\n[RKHotKey]\r\nk=new\r\nz=2\r\n"));
    }
    // A CR just before CR LF ends a line of its own.
    EXPECT_EQ(ini::assign("[S]\r\r\nk=1\r\n", "S", "k", "2"), QByteArray("[S]\r\n\r\nk=2\r\n"));
}

TEST(IniText, TextWithTheUtf8MarkIsUtf8AndKeepsItsMark)
{
    const QByteArray mark(ini::Utf8Mark);
    // "中" is E4 B8 AD in UTF-8: read as GBK, AD would swallow the "]" after it.
    const QByteArray text = mark + "[\xE4\xB8\xAD]\r\nK\xC3\xA9=\xE6\x97\xA0\r\n";
    EXPECT_EQ(ini::encodingOf(text), ini::Encoding::Utf8);
    EXPECT_EQ(ini::encodingOf("[A]\r\n"), ini::Encoding::Gbk);
    EXPECT_EQ(ini::lookup(text, "\xE4\xB8\xAD", "k\xC3\xA9"), QByteArray("\xE6\x97\xA0"));
    EXPECT_EQ(ini::assign(text, "\xE4\xB8\xAD", "new", "1"), mark + "[\xE4\xB8\xAD]\r\nK\xC3\xA9=\xE6\x97\xA0\r\nnew=1\r\n");
    // The mark alone is an empty file, and the first line's section is found.
    EXPECT_EQ(ini::assign(mark, "S", "k", "v"), mark + "[S]\r\nk=v\r\n");
    EXPECT_EQ(ini::lookup(mark + "[S]\r\nk=v\r\n", "S", "k"), QByteArray("v"));
    EXPECT_TRUE(ini::sameName("\xE4\xB8\xADK", "\xE4\xB8\xADk", ini::Encoding::Utf8));
    EXPECT_FALSE(ini::sameName("\xE4\xB8\xADK", "\xE4\xB8\xADk", ini::Encoding::Gbk));
}
