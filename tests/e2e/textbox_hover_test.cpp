// The interval box's hover ring on the real program under Xvfb: lit by the
// pointer, kept lit while the pointer rests on the box, turned off by the box's
// own poll once the pointer has left; at Qt's scale factors 1 and 2.
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

struct Scaling {
    int factor;         // QT_SCALE_FACTOR
    int width, height;  // the main window's client area in screen pixels
};

class TextBoxHover : public ::testing::TestWithParam<Scaling> {};

} // namespace

TEST_P(TextBoxHover, PointerOverTheIntervalBoxLightsItsRingUntilItLeaves)
{
    const Scaling scaling = GetParam();
    const int s = scaling.factor;
    // Large enough for the doubled window at its designed place.
    XSession session(XSession::Options{.width = 1280 * s,
                                       .height = 1024 * s,
                                       .programEnvironment = {{"QT_SCALE_FACTOR", std::to_string(s)}}});
    ASSERT_TRUE(session.ok()) << "no X server";
    RunningVorlin vorlin(session);
    ASSERT_TRUE(vorlin.ok()) << "the main window did not appear";
    const e2e::Rect g = session.geometry(vorlin.window);
    EXPECT_EQ(g.width, scaling.width);
    EXPECT_EQ(g.height, scaling.height);
    // Spots are logical pixels of the design; the screen has s × s of them for each.
    auto pixel = [&](Spot p) { return screenPixel(session.display(), g.x + p.x * s, g.y + p.y * s); };
    auto movePointer = [&](Spot p) { session.movePointer(g.x + p.x * s, g.y + p.y * s); };

    movePointer({5, 339 - 5});
    ASSERT_TRUE(waitFor([&] { return pixel(OutlinePixel) == rgbWord(78, 160, 209); }, 10s))
        << "the box's frame never showed; pixel " << std::hex << pixel(OutlinePixel);
    EXPECT_EQ(pixel(RingPixel), Background);

    movePointer(form1::IntervalBox);
    EXPECT_TRUE(waitFor([&] { return pixel(RingPixel) == Ring; }, 5s))
        << "the ring did not light; pixel " << std::hex << pixel(RingPixel);
    // The pointer rests on the box for about ten poll periods: the poll finds it inside.
    EXPECT_FALSE(waitFor([&] { return pixel(RingPixel) != Ring; }, 600ms))
        << "the ring went out under the pointer; pixel " << std::hex << pixel(RingPixel);

    const auto left = Clock::now();
    movePointer({form1::IntervalBox.x, BoxTopLeft.y + 60});
    EXPECT_TRUE(waitFor([&] { return pixel(RingPixel) == Background; }, 3s, 2ms))
        << "the ring stayed lit; pixel " << std::hex << pixel(RingPixel);
    const double ms = std::chrono::duration<double, std::milli>(Clock::now() - left).count();
    std::printf("scale %d: ring off %.0f ms after the pointer left (poll period 55 ms)\n", s, ms);
}

INSTANTIATE_TEST_SUITE_P(ScaleFactors, TextBoxHover,
                         ::testing::Values(Scaling{1, 310, 339}, Scaling{2, 620, 678}),
                         [](const auto& info) { return "Scale" + std::to_string(info.param.factor); });
