#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QString>
#include <set>
#include <utility>

#include "controls/button/color_math.h"
#include "controls/button/primitives.h"
#include "platform/system_colors.h"

using namespace glint;

namespace {

constexpr uint32_t Bg = 0x00102030;
constexpr uint32_t Ink = 0x000000FF;

rt::PixelSurface surface(int w, int h)
{
    rt::PixelSurface s;
    s.setBackColor(Bg);
    s.resize(w, h);
    return s;
}

// The coordinates of every pixel that is not the background.
std::set<std::pair<int, int>> inked(const rt::PixelSurface& s)
{
    std::set<std::pair<int, int>> out;
    for (int y = 0; y < s.height(); ++y)
        for (int x = 0; x < s.width(); ++x)
            if (s.pixel(x, y) != Bg)
                out.insert({x, y});
    return out;
}

std::set<std::pair<int, int>> span(int x0, int x1, int y0, int y1) // inclusive
{
    std::set<std::pair<int, int>> out;
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            out.insert({x, y});
    return out;
}

} // namespace

TEST(DrawLine, LeavesOutTheEndPointInEveryDirection)
{
    auto s = surface(10, 10);
    DrawLine(s, 1, 2, 5, 2, Ink);
    EXPECT_EQ(inked(s), span(1, 4, 2, 2));
    s.clear();
    DrawLine(s, 5, 2, 1, 2, Ink);
    EXPECT_EQ(inked(s), span(2, 5, 2, 2));
    s.clear();
    DrawLine(s, 3, 8, 3, 1, Ink);
    EXPECT_EQ(inked(s), span(3, 3, 2, 8));
    s.clear();
    DrawLine(s, 0, 0, 4, 4, Ink);
    EXPECT_EQ(inked(s), (std::set<std::pair<int, int>>{{0, 0}, {1, 1}, {2, 2}, {3, 3}}));
    s.clear();
    DrawLine(s, 4, 4, 4, 4, Ink);
    EXPECT_TRUE(inked(s).empty());
    DrawLine(s, -5, 3, 20, 3, Ink); // clipped, no crash
    EXPECT_EQ(inked(s), span(0, 9, 3, 3));
}

TEST(FrameAndFill, OutlineAndExclusiveEdges)
{
    auto s = surface(10, 8);
    FrameBox(s, 1, 2, 5, 4, Ink);
    auto expected = span(1, 5, 2, 5);
    for (auto p : span(2, 4, 3, 4))
        expected.erase(p);
    EXPECT_EQ(inked(s), expected);
    EXPECT_EQ(s.pixel(5, 5), Ink); // last column left + width − 1

    s.clear();
    FillBox(s, Ink, Rect{2, 1, 5, 3});
    EXPECT_EQ(inked(s), span(2, 4, 1, 2));
    s.clear();
    FrameBox(s, 0, 0, 0, 5, Ink);
    FillBox(s, Ink, Rect{5, 5, 5, 9});
    FrameBox(s, 0, 0, 4, 4, InvalidColor);
    EXPECT_TRUE(inked(s).empty());
    // A frame larger than the surface keeps only its top and left sides.
    FrameBox(s, 0, 0, 11, 9, Ink);
    auto topLeft = span(0, 9, 0, 0);
    topLeft.merge(span(0, 0, 0, 7));
    EXPECT_EQ(inked(s), topLeft);
}

TEST(SetCornerPixels, OneInFromEachCorner)
{
    auto s = surface(7, 5);
    SetCornerPixels(s, Ink);
    EXPECT_EQ(inked(s), (std::set<std::pair<int, int>>{{1, 1}, {1, 3}, {5, 1}, {5, 3}}));
}

TEST(DrawGradient, VerticalHorizontalAndOneStep)
{
    auto s = surface(4, 6);
    DrawGradient(s, 0, 0, 4, 1, 0x000000FF, 0x00FF0000, GradientVertical);
    for (int x = 0; x < 4; ++x)
        EXPECT_EQ(s.pixel(x, 0), 0x007F007Fu);
    EXPECT_EQ(s.pixel(0, 1), Bg);

    s.clear();
    DrawGradient(s, 1, 2, 2, 2, 0x00112233, 0x00445566, GradientVertical);
    EXPECT_EQ(s.pixel(1, 2), 0x00112233u);
    EXPECT_EQ(s.pixel(2, 2), 0x00112233u);
    EXPECT_EQ(s.pixel(1, 3), 0x00445566u);
    EXPECT_EQ(inked(s), span(1, 2, 2, 3));

    // Five columns from red 0 to 10 and blue 100 to 0: steps truncate toward zero.
    auto h = surface(6, 2);
    DrawGradient(h, 0, 0, 5, 2, rgb(0, 7, 100), rgb(10, 7, 0), GradientHorizontal);
    const uint32_t row[] = {rgb(0, 7, 100), rgb(2, 7, 75), rgb(5, 7, 50), rgb(7, 7, 25), rgb(10, 7, 0)};
    for (int x = 0; x < 5; ++x) {
        EXPECT_EQ(h.pixel(x, 0), row[x]) << x;
        EXPECT_EQ(h.pixel(x, 1), row[x]) << x;
    }
    EXPECT_EQ(h.pixel(5, 0), Bg);
}

TEST(DrawGradient, StepsSpreadOverAHeightPastTheBottom)
{
    auto s = surface(1, 4);
    // Eleven rows from 0 to 100: only the first four land on the surface.
    DrawGradient(s, 0, 0, 1, 11, rgb(0, 0, 0), rgb(100, 100, 100), GradientVertical);
    for (int y = 0; y < 4; ++y)
        EXPECT_EQ(s.pixel(0, y), rgb(uint32_t(y * 10), uint32_t(y * 10), uint32_t(y * 10)));
    s.clear();
    DrawGradient(s, 0, 0, 0, 4, Ink, Ink, GradientVertical);
    DrawGradient(s, 0, 0, 1, -1, Ink, Ink, GradientVertical);
    EXPECT_TRUE(inked(s).empty());
}

TEST(ButtonRegion, RectangleAndRoundedCorners)
{
    EXPECT_EQ(buttonRegion(0, 20, 10), QRegion(0, 0, 20, 10));
    EXPECT_EQ(buttonRegion(13, 20, 10), QRegion(0, 0, 20, 10));
    for (int style : {2, 3, 7, 9}) {
        const QRegion r = buttonRegion(style, 20, 10);
        EXPECT_FALSE(r.contains(QPoint(0, 0))) << style;
        EXPECT_FALSE(r.contains(QPoint(19, 9))) << style;
        EXPECT_TRUE(r.contains(QPoint(1, 0))) << style;
        EXPECT_TRUE(r.contains(QPoint(0, 1))) << style;
        EXPECT_TRUE(r.contains(QPoint(18, 9))) << style;
    }
    for (int style : {6, 10}) {
        const QRegion r = buttonRegion(style, 20, 10);
        for (QPoint gone : {QPoint(0, 0), QPoint(1, 0), QPoint(0, 1), QPoint(19, 9), QPoint(18, 9), QPoint(19, 8),
                            QPoint(19, 0), QPoint(0, 9)})
            EXPECT_FALSE(r.contains(gone)) << style;
        EXPECT_TRUE(r.contains(QPoint(1, 1))) << style;
        EXPECT_TRUE(r.contains(QPoint(2, 0))) << style;
        EXPECT_TRUE(r.contains(QPoint(18, 8))) << style;
    }
}

TEST(DrawEdge, RaisedAndSunkenRings)
{
    const platform::ClassicSystemColors c;
    const uint32_t light = *c.color(platform::Color3DLight), dark = *c.color(platform::Color3DDarkShadow);
    const uint32_t hi = *c.color(platform::ColorBtnHighlight), shadow = *c.color(platform::ColorBtnShadow);
    auto s = surface(6, 5);
    DrawEdge(s, Rect{0, 0, 6, 5}, EdgeRaised, c);
    EXPECT_EQ(s.pixel(0, 0), light);
    EXPECT_EQ(s.pixel(5, 0), dark); // the bottom-right sides own their corners
    EXPECT_EQ(s.pixel(0, 4), dark);
    EXPECT_EQ(s.pixel(1, 1), hi);
    EXPECT_EQ(s.pixel(4, 3), shadow);
    EXPECT_EQ(s.pixel(2, 2), Bg);
    DrawEdge(s, Rect{0, 0, 6, 5}, EdgeSunken, c);
    EXPECT_EQ(s.pixel(0, 0), shadow);
    EXPECT_EQ(s.pixel(5, 4), hi);
    EXPECT_EQ(s.pixel(1, 1), dark);
    EXPECT_EQ(s.pixel(4, 3), light);
    // An inner border alone is a thin edge on the rectangle's own ring.
    s.clear();
    DrawEdge(s, Rect{0, 0, 6, 5}, BdrRaisedInner, c);
    EXPECT_EQ(s.pixel(0, 0), hi);
    EXPECT_EQ(s.pixel(0, 3), hi);
    EXPECT_EQ(s.pixel(5, 0), shadow);
    EXPECT_EQ(s.pixel(5, 4), shadow);
    EXPECT_EQ(s.pixel(1, 1), Bg);
    s.clear();
    DrawEdge(s, Rect{0, 0, 6, 5}, BdrSunkenInner, c);
    EXPECT_EQ(s.pixel(0, 0), dark);
    EXPECT_EQ(s.pixel(5, 4), light);
    EXPECT_EQ(s.pixel(1, 1), Bg);
}

TEST(DrawFocusRect, InvertsEveryOtherBorderPixelAndUndoesItself)
{
    auto s = surface(8, 6);
    DrawFocusRect(s, Rect{1, 1, 7, 5});
    EXPECT_EQ(s.pixel(1, 1), Bg ^ 0x00FFFFFFu);
    EXPECT_EQ(s.pixel(2, 1), Bg);
    EXPECT_EQ(s.pixel(3, 3), Bg); // inside untouched
    DrawFocusRect(s, Rect{1, 1, 7, 5});
    EXPECT_TRUE(inked(s).empty());
}

TEST(DrawDropDownGlyph, FourTrianglesAndOnlyTheFirstDigit)
{
    auto s = surface(20, 20);
    s.setTextColor(Ink);
    const Rect cell{2, 2, 17, 17};
    DrawDropDownGlyph(s, cell, 6);
    const auto down = inked(s);
    ASSERT_EQ(down.size(), 16u); // rows of 7, 5, 3 and 1
    // The widest row is on top for the downward triangle.
    const auto [top, topY] = *std::min_element(down.begin(), down.end(),
                                               [](auto a, auto b) { return a.second < b.second; });
    (void)top;
    int topRow = 0, bottomRow = 0;
    for (auto [x, y] : down) {
        topRow += y == topY;
        bottomRow += y == topY + 3;
    }
    EXPECT_EQ(topRow, 7);
    EXPECT_EQ(bottomRow, 1);

    s.clear();
    DrawDropDownGlyph(s, cell, 61);
    EXPECT_EQ(inked(s), down);

    for (int code : {3, 4, 5}) {
        s.clear();
        DrawDropDownGlyph(s, cell, code);
        EXPECT_EQ(inked(s).size(), 16u) << code;
        EXPECT_NE(inked(s), down) << code;
    }
    for (int code : {0, 1, 7, 9, -6}) {
        s.clear();
        DrawDropDownGlyph(s, cell, code);
        EXPECT_TRUE(inked(s).empty()) << code;
    }
}

class CaptionText : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        static int argc = 1;
        static char name[] = "primitives_test";
        static char* argv[] = {name, nullptr};
        static QGuiApplication app(argc, argv);
    }
};

TEST_F(CaptionText, CentredMnemonicsAndOffsets)
{
    auto s = surface(80, 30);
    s.setTextColor(0x0000FF00);
    DrawCaptionText(s, Rect{0, 0, 80, 30}, QStringLiteral("OK"), Ink, 0, 0, false);
    const auto plain = inked(s);
    ASSERT_FALSE(plain.empty());
    EXPECT_EQ(s.textColor(), 0x0000FF00u); // restored
    int minX = 80, maxX = 0;
    for (auto [x, y] : plain) {
        minX = std::min(minX, x);
        maxX = std::max(maxX, x);
    }
    EXPECT_NEAR((minX + maxX) / 2.0, 40, 3.0);

    s.clear();
    DrawCaptionText(s, Rect{0, 0, 80, 30}, QStringLiteral("OK"), Ink, 3, 2, false);
    std::set<std::pair<int, int>> moved;
    for (auto [x, y] : plain)
        moved.insert({x + 3, y + 2});
    EXPECT_EQ(inked(s), moved);

    // "&&" shows one "&"; "&O" underlines O, which inks more than plain "O".
    auto a = surface(80, 30), b = surface(80, 30);
    DrawCaptionText(a, Rect{0, 0, 80, 30}, QStringLiteral("A&&B"), Ink, 0, 0, false);
    DrawCaptionText(b, Rect{0, 0, 80, 30}, QStringLiteral("A&B"), Ink, 0, 0, false);
    EXPECT_NE(inked(a), inked(b));
    auto u = surface(80, 30), p = surface(80, 30);
    DrawCaptionText(u, Rect{0, 0, 80, 30}, QStringLiteral("&O"), Ink, 0, 0, false);
    DrawCaptionText(p, Rect{0, 0, 80, 30}, QStringLiteral("O"), Ink, 0, 0, false);
    EXPECT_GT(inked(u).size(), inked(p).size());
}

TEST_F(CaptionText, RightToLeftReadingMovesNeutralCharacters)
{
    // In right-to-left reading order the trailing "!" goes to the left of "A".
    auto ltr = surface(80, 30), rtl = surface(80, 30);
    DrawCaptionText(ltr, Rect{0, 0, 80, 30}, QStringLiteral("A!"), Ink, 0, 0, false);
    DrawCaptionText(rtl, Rect{0, 0, 80, 30}, QStringLiteral("A!"), Ink, 0, 0, true);
    ASSERT_FALSE(inked(rtl).empty());
    EXPECT_NE(inked(ltr), inked(rtl));
}

TEST_F(CaptionText, WordBreakAndMeasure)
{
    rt::PixelSurface s = surface(60, 60);
    const Rect one = MeasureCaptionText(s, Rect{0, 0, 400, 60}, QStringLiteral("Start clicking"), false);
    const Rect wrapped = MeasureCaptionText(s, Rect{0, 0, one.width() - 5, 60}, QStringLiteral("Start clicking"), false);
    EXPECT_EQ(one.left, 0);
    EXPECT_EQ(one.top, 0);
    EXPECT_GT(wrapped.height(), one.height());
    EXPECT_LT(wrapped.width(), one.width());
    const auto width = [&](const char* text) {
        return MeasureCaptionText(s, Rect{0, 0, 200, 60}, QString::fromLatin1(text), false).width();
    };
    EXPECT_EQ(width("A&B"), width("AB"));
    EXPECT_GT(width("A&&B"), width("AB"));
}

// The measurement is kept between repaints; a new font must not get the old box.
TEST_F(CaptionText, MeasureFollowsTheSurfaceFont)
{
    rt::PixelSurface s = surface(60, 60);
    const QString caption = QStringLiteral("Start");
    const Rect small = MeasureCaptionText(s, Rect{0, 0, 200, 60}, caption, false);
    QFont large = s.font();
    large.setPointSizeF(large.pointSizeF() * 3);
    s.setFont(large);
    const Rect big = MeasureCaptionText(s, Rect{0, 0, 200, 60}, caption, false);
    EXPECT_GT(big.height(), small.height());
    EXPECT_GT(big.width(), small.width());
}

// The region is built from bands; it must cut exactly the corner pixels, at
// every size down to the smallest.
TEST(ButtonRegion, CutsExactlyTheCornerPixelsAtEverySize)
{
    for (int style : {2, 6}) {
        for (int w = 1; w <= 9; ++w) {
            for (int h = 1; h <= 9; ++h) {
                const QRegion r = buttonRegion(style, w, h);
                for (int y = 0; y < h; ++y) {
                    for (int x = 0; x < w; ++x) {
                        // Distance from the nearest vertical and horizontal edge.
                        const int dx = std::min(x, w - 1 - x), dy = std::min(y, h - 1 - y);
                        const bool cut = style == 2 ? dx == 0 && dy == 0 : dx + dy <= 1;
                        EXPECT_EQ(r.contains(QPoint(x, y)), !cut) << style << " " << w << "x" << h << " at " << x
                                                                   << "," << y;
                    }
                }
                EXPECT_TRUE(QRect(0, 0, w, h).contains(r.boundingRect()) || r.isEmpty());
            }
        }
    }
}

// Every row of a vertical gradient is c1 + (i × d) div n per channel, the
// division truncating toward zero, for rising and falling channels alike.
TEST(DrawGradient, EveryStepIsTheTruncatedQuotient)
{
    const uint32_t pairs[][2] = {{0x000000, 0xFFFFFF}, {0xFFFFFF, 0x000000}, {0x10F080, 0xF0107F},
                                 {0x123456, 0x123457}, {0xC0C0C0, 0xC0C0C0}};
    for (int height : {2, 3, 7, 41, 60, 255, 256, 300}) {
        rt::PixelSurface s = surface(1, height);
        for (const auto& pair : pairs) {
            DrawGradient(s, 0, 0, 1, height, pair[0], pair[1], GradientVertical);
            const int n = height - 1;
            for (int i = 0; i <= n; ++i) {
                const auto channel = [&](uint32_t c1, uint32_t c2) {
                    return uint32_t(int(c1) + i * (int(c2) - int(c1)) / n);
                };
                const uint32_t expected = rgb(channel(redOf(pair[0]), redOf(pair[1])),
                                              channel(greenOf(pair[0]), greenOf(pair[1])),
                                              channel(blueOf(pair[0]), blueOf(pair[1])));
                ASSERT_EQ(s.pixel(0, i), expected) << "height " << height << " row " << i << std::hex << " from "
                                                   << pair[0] << " to " << pair[1];
            }
        }
    }
}
