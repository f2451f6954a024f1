// The property bag and the design data that windows are built from.
#include <gtest/gtest.h>

#include "runtime/form_design.h"
#include "runtime/property_bag.h"
#include "runtime/runtime_error.h"
#include "runtime/tolerant.h"

namespace {

TEST(PropertyBag, MissingKeysReadAsTheirDefaultsAndKeysIgnoreCase)
{
    rt::PropertyBag bag;
    EXPECT_EQ(bag.readInt(QStringLiteral("ButtonStyle"), 1), 1);
    EXPECT_EQ(bag.readString(QStringLiteral("Caption"), QStringLiteral("x")), QStringLiteral("x"));
    bag.writeInt(QStringLiteral("ButtonStyle"), 13, 1);
    EXPECT_EQ(bag.readInt(QStringLiteral("buttonstyle"), 1), 13);
    EXPECT_TRUE(bag.contains(QStringLiteral("BUTTONSTYLE")));
    bag.writeInt(QStringLiteral("BUTTONSTYLE"), 5, 1); // replaces, does not add
    EXPECT_EQ(bag.entries().size(), 1u);
    EXPECT_EQ(bag.readInt(QStringLiteral("ButtonStyle"), 1), 5);
}

TEST(PropertyBag, ValuesEqualToTheDefaultAreNotStored)
{
    rt::PropertyBag bag;
    bag.writeString(QStringLiteral("Text"), QString(), QString());
    bag.writeBool(QStringLiteral("Enabled"), true, true);
    bag.writeColor(QStringLiteral("BackColor"), 0x8000000F, 0x8000000F);
    EXPECT_TRUE(bag.entries().empty());
    bag.writeBool(QStringLiteral("Enabled"), false, true);
    EXPECT_TRUE(bag.contains(QStringLiteral("Enabled")));
    bag.writeBool(QStringLiteral("Enabled"), true, true); // back to the default: the entry goes
    EXPECT_FALSE(bag.contains(QStringLiteral("Enabled")));
}

TEST(PropertyBag, TypedValuesSurviveAWriteAndRead)
{
    rt::PropertyBag bag;
    bag.writeString(QStringLiteral("Caption"), QStringLiteral("say \"hi\" \\ 开始"), QString());
    bag.writeColor(QStringLiteral("BackColor"), 0x00E3E3E3, 0);
    bag.writeColor(QStringLiteral("ForeColor"), 0x80000012, 0);
    bag.writeBool(QStringLiteral("Value"), true, false);
    bag.writeInt(QStringLiteral("Mode"), -7, 0);
    bag.writeDouble(QStringLiteral("Size"), 8.25, 0);
    QFont font(QStringLiteral("Tahoma"));
    font.setPointSizeF(8.25);
    font.setUnderline(true);
    bag.writeFont(QStringLiteral("Font"), font, QFont());

    EXPECT_EQ(bag.readString(QStringLiteral("Caption"), {}), QStringLiteral("say \"hi\" \\ 开始"));
    EXPECT_EQ(bag.readColor(QStringLiteral("BackColor"), 0), 0x00E3E3E3u);
    EXPECT_EQ(bag.rawText(QStringLiteral("BackColor")), QStringLiteral("0x00E3E3E3"));
    EXPECT_EQ(bag.readColor(QStringLiteral("ForeColor"), 0), 0x80000012u);
    EXPECT_TRUE(bag.readBool(QStringLiteral("Value"), false));
    EXPECT_EQ(bag.readInt(QStringLiteral("Mode"), 0), -7);
    EXPECT_DOUBLE_EQ(bag.readDouble(QStringLiteral("Size"), 0), 8.25);
    const QFont back = bag.readFont(QStringLiteral("Font"), QFont());
    EXPECT_EQ(back.family(), QStringLiteral("Tahoma"));
    EXPECT_DOUBLE_EQ(back.pointSizeF(), 8.25);
    EXPECT_TRUE(back.underline());
    EXPECT_FALSE(back.italic());
}

TEST(PropertyBag, UnreadableValuesFallBackToTheDefault)
{
    rt::PropertyBag bag;
    bag.setRawText(QStringLiteral("Mode"), QStringLiteral("many"));
    bag.setRawText(QStringLiteral("BackColor"), QStringLiteral("red"));
    bag.setRawText(QStringLiteral("Font"), QStringLiteral("\"\""));
    EXPECT_EQ(bag.readInt(QStringLiteral("Mode"), 3), 3);
    EXPECT_EQ(bag.readColor(QStringLiteral("BackColor"), 9), 9u);
    EXPECT_EQ(bag.readFont(QStringLiteral("Font"), QFont(QStringLiteral("Verdana"))).family(), QStringLiteral("Verdana"));
}

TEST(FormDesign, ParsesBlocksInOrderWithTheWindowFirst)
{
    const auto design = rt::parseFormDesign(QStringLiteral(
        "# a comment\n[Form9]\nKind = Form\nCaption = \"Hello = world\"\n\n"
        "[Label1]\r\nKind = Label\r\nLeft = 120\r\n  Caption = \"X\"  \r\n[Timer1]\nKind = Timer\nInterval = 50\n"));
    EXPECT_EQ(design.window.name, QStringLiteral("Form9"));
    EXPECT_EQ(design.window.bag.readString(QStringLiteral("Caption"), {}), QStringLiteral("Hello = world"));
    ASSERT_EQ(design.controls.size(), 2u);
    EXPECT_EQ(design.controls[0].kind, QStringLiteral("Label"));
    EXPECT_EQ(design.controls[0].bag.readInt(QStringLiteral("Left"), 0), 120);
    EXPECT_EQ(design.controls[0].bag.readString(QStringLiteral("caption"), {}), QStringLiteral("X"));
    EXPECT_FALSE(design.controls[0].bag.contains(QStringLiteral("Kind")));
    ASSERT_NE(design.control(QStringLiteral("timer1")), nullptr);
    EXPECT_EQ(design.control(QStringLiteral("Timer1"))->bag.readInt(QStringLiteral("Interval"), 0), 50);
    EXPECT_EQ(design.control(QStringLiteral("Nope")), nullptr);

    // Written out and read back, it is the same design.
    const auto again = rt::parseFormDesign(rt::formatFormDesign(design));
    EXPECT_EQ(rt::formatFormDesign(again), rt::formatFormDesign(design));
}

TEST(FormDesign, RejectsMalformedText)
{
    EXPECT_THROW(rt::parseFormDesign(QString()), rt::RuntimeError);
    EXPECT_THROW(rt::parseFormDesign(QStringLiteral("Caption = \"x\"\n")), rt::RuntimeError);
    EXPECT_THROW(rt::parseFormDesign(QStringLiteral("[Form1]\nKind = Form\njust words\n")), rt::RuntimeError);
    EXPECT_THROW(rt::parseFormDesign(QStringLiteral("[Form1]\nKind = Form\n[Label1]\nLeft = 1\n")), rt::RuntimeError);
    EXPECT_THROW(rt::parseFormDesign(QStringLiteral("[Form1\nKind = Form\n")), rt::RuntimeError);
    EXPECT_THROW(rt::loadFormDesign(QStringLiteral("/nonexistent/form.frm")), rt::RuntimeError);
}

TEST(FormDesign, TwipsBecomePixels)
{
    EXPECT_EQ(rt::twipsToPixels(4650), 310);
    EXPECT_EQ(rt::twipsToPixels(5085), 339);
    EXPECT_EQ(rt::twipsToPixels(2092), 139);
    EXPECT_EQ(rt::twipsToPixels(0), 0);
    EXPECT_EQ(rt::pixelsToTwips(22), 330);
}

TEST(Tolerant, AFailedStatementIsSkippedAndTheNextRuns)
{
    std::vector<int> ran;
    rt::runEachTolerantly({
        [&] { ran.push_back(1); },
        [&] { throw rt::RuntimeError(rt::ErrOverflow, QStringLiteral("Overflow")); },
        [&] { ran.push_back(3); },
    });
    EXPECT_EQ(ran, (std::vector<int>{1, 3}));
}

} // namespace
