// The interval box's hover ring on the real program under Xvfb: lit by the
// pointer, turned off by the box's own poll once the pointer has left.
#include <gtest/gtest.h>

#include <cstdio>

#include "harness/screen_pixel.h"
#include "harness/vorlin_window.h"

using namespace e2e;
using namespace std::chrono_literals;

namespace {

constexpr uint32_t Ring = rgbWord(133, 228, 255);
constexpr uint32_t Background = rgbWord(228, 244, 255);
// The interval box: 41 × 22 pixels at (112, 144) of the main window's client area.
constexpr Spot BoxTopLeft{112, 144};
constexpr Spot RingPixel{BoxTopLeft.x + 20, BoxTopLeft.y};     // middle of the top edge
constexpr Spot OutlinePixel{BoxTopLeft.x + 20, BoxTopLeft.y + 1};

} // namespace

TEST(TextBoxHover, PointerOverTheIntervalBoxLightsItsRingUntilItLeaves)
{
    XSession session;
    ASSERT_TRUE(session.ok()) << "no X server";
    RunningVorlin vorlin(session);
    ASSERT_TRUE(vorlin.ok()) << "the main window did not appear";
    const e2e::Rect g = session.geometry(vorlin.window);
    auto pixel = [&](Spot s) { return screenPixel(session.display(), g.x + s.x, g.y + s.y); };

    session.movePointer(g.x + 5, g.y + g.height - 5);
    ASSERT_TRUE(waitFor([&] { return pixel(OutlinePixel) == rgbWord(78, 160, 209); }, 10s))
        << "the box's frame never showed; pixel " << std::hex << pixel(OutlinePixel);
    EXPECT_EQ(pixel(RingPixel), Background);

    session.movePointer(g.x + form1::IntervalBox.x, g.y + form1::IntervalBox.y);
    EXPECT_TRUE(waitFor([&] { return pixel(RingPixel) == Ring; }, 5s))
        << "the ring did not light; pixel " << std::hex << pixel(RingPixel);

    const auto left = Clock::now();
    session.movePointer(g.x + form1::IntervalBox.x, g.y + BoxTopLeft.y + 60);
    EXPECT_TRUE(waitFor([&] { return pixel(RingPixel) == Background; }, 3s, 2ms))
        << "the ring stayed lit; pixel " << std::hex << pixel(RingPixel);
    const double ms = std::chrono::duration<double, std::milli>(Clock::now() - left).count();
    std::printf("ring off %.0f ms after the pointer left (poll period 55 ms)\n", ms);
}
