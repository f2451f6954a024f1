// The coordinate display of the real program: while the pointer rests the
// program stops asking for it every 50 ms, yet the label still follows a move
// by the pointing device and a move by another program's warp.
#include <gtest/gtest.h>

#include <QImage>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

#include "harness/vorlin_window.h"

using namespace e2e;
using namespace std::chrono_literals;

namespace {

constexpr std::pair<int, int> A{5, 1000};
constexpr std::pair<int, int> B{40, 900};

class CoordinateDisplayTest : public ::testing::Test {
protected:
    XSession session{XSession::Options{.windowManager = true}};
    std::unique_ptr<RunningVorlin> vorlin;

    void SetUp() override
    {
        ASSERT_TRUE(session.ok()) << "no X server";
        // From its start the label can only show A, so its first text is A's.
        session.movePointer(A.first, A.second);
        vorlin = std::make_unique<RunningVorlin>(session);
        ASSERT_TRUE(vorlin->ok()) << "the main window did not appear";
    }

    // The label's pixels (Label1 at 112, 256, 89 × 17 in the window).
    QImage label() const
    {
        const Rect g = session.geometry(vorlin->window);
        return session.screenshot().copy(g.x + 112, g.y + 256, 89, 17);
    }

    // Waits until the label shows something other than `before`.
    QImage labelOtherThan(const QImage& before) const
    {
        QImage now;
        waitFor([&] { return (now = label()) != before; }, 10s);
        return now;
    }

    // The pointing device moves the pointer (as a mouse does: raw motion, unlike a warp).
    void deviceMove(std::pair<int, int> to) const
    {
        XTestFakeMotionEvent(session.display(), -1, to.first, to.second, CurrentTime);
        XFlush(session.display());
        waitFor([&] { return session.pointer() == to; }, 2s);
    }
};

TEST_F(CoordinateDisplayTest, FollowsDeviceMovesAndWarpsOfThePointerAfterItRested)
{
    // An empty label is all one colour.
    const auto showsText = [](const QImage& image) {
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixel(x, y) != image.pixel(0, 0))
                    return true;
        return false;
    };
    QImage atA;
    ASSERT_TRUE(waitFor([&] { return showsText(atA = label()); }, 10s)) << "the label never showed a position";

    // Each move comes after a rest longer than the display takes to slow down.
    ASSERT_TRUE(pointerStaysAt(session, A, 1s));
    session.movePointer(B.first, B.second); // xdotool warps the pointer: no device motion
    const QImage atB = labelOtherThan(atA);
    ASSERT_NE(atB, atA) << "a warp while resting did not show";

    ASSERT_TRUE(pointerStaysAt(session, B, 1s));
    deviceMove(A);
    EXPECT_TRUE(waitFor([&] { return label() == atA; }, 10s)) << "a device move while resting did not show";

    ASSERT_TRUE(pointerStaysAt(session, A, 1s));
    session.movePointer(B.first, B.second);
    EXPECT_TRUE(waitFor([&] { return label() == atB; }, 10s)) << "a second warp did not show";
}

} // namespace
