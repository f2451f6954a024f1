// The styled button's popup menu and key numbers under Xvfb and openbox, on the
// tests' own window (e2e_button_host): the real menu closed by a press on its
// button, with the real pointer; KeyDown for keys of a German layout.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "harness/screen_pixel.h"
#include "harness/vorlin_window.h"

using namespace e2e;
using namespace std::chrono_literals;

namespace {

// The menu button: 100 × 30 pixels at (20, 20) of the client area, silver.
constexpr Spot MenuButton{70, 35};
constexpr Spot FramePixel{70, 20}; // middle of its outer frame's top
constexpr Spot FacePixel{28, 25};  // its face, clear of the caption
constexpr Spot Elsewhere{200, 170};
constexpr uint32_t DownFrame = rgbWord(0x1D, 0x41, 0x5C);

class StyledButtonTest : public ::testing::Test {
protected:
    XSession session{XSession::Options{.windowManager = true}};
    std::string logPath = session.folder() + "/events.log";
    Process host;
    unsigned long window = 0;
    e2e::Rect g;

    void SetUp() override { ASSERT_TRUE(session.ok()) << "no X server"; }

    void start()
    {
        host = Process({BUTTON_HOST_BINARY, logPath}, session.environment());
        const auto w = session.waitForWindow("Button host", 30s);
        ASSERT_TRUE(w) << "the window did not appear";
        window = *w;
        g = session.geometry(window);
        ASSERT_TRUE(waitFor([&] { return session.activeWindow() == window; }, 5s));
    }

    std::string log() const
    {
        std::ifstream in(logPath);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    size_t count(const std::string& line) const
    {
        const std::string text = log();
        size_t n = 0;
        for (size_t at = text.find(line + "\n"); at != std::string::npos; at = text.find(line + "\n", at + 1))
            n += at == 0 || text[at - 1] == '\n';
        return n;
    }
    bool waitForCount(const std::string& line, size_t n) const
    {
        return waitFor([&] { return count(line) >= n; }, 5s);
    }
    uint32_t pixel(Spot s) const { return screenPixel(session.display(), g.x + s.x, g.y + s.y); }
    uint32_t frame() const { return pixel(FramePixel); }
    // Grey, not the hot face's pale blue.
    bool faceIsGrey() const
    {
        const uint32_t face = pixel(FacePixel);
        return (face >> 16) == (face & 0xFF);
    }
    void pointAt(Spot s) const { session.movePointer(g.x + s.x, g.y + s.y); }
    void click() const { session.xdotool({"click", "1"}); }
};

} // namespace

// A quick click opens the menu; a press on the button closes it without
// opening it again, leaves the button drawn unpressed, and the next press
// opens it. Afterwards the pointer leaving the button is an ordinary leave.
TEST_F(StyledButtonTest, APressOnTheButtonClosesItsMenuAndTheNextPressOpensIt)
{
    ASSERT_NO_FATAL_FAILURE(start());
    pointAt(MenuButton);
    click();
    ASSERT_TRUE(waitForCount("Menu shown", 1));
    click();
    ASSERT_TRUE(waitForCount("Menu closed", 1));
    EXPECT_FALSE(waitFor([&] { return count("Menu shown") > 1; }, 700ms)) << "the closing press opened the menu again";
    EXPECT_TRUE(waitFor([&] { return frame() != DownFrame; }, 3s)) << "the button stayed drawn pressed";

    click();
    EXPECT_TRUE(waitForCount("Menu shown", 2)) << "the press after the closing one did not open the menu";
    session.pressKeys("Escape");
    ASSERT_TRUE(waitForCount("Menu closed", 2));
    EXPECT_TRUE(waitFor([&] { return frame() != DownFrame; }, 3s)) << "the button stayed drawn pressed after Escape";

    pointAt(Elsewhere);
    EXPECT_TRUE(waitForCount("MouseLeave", 1)) << log();
    EXPECT_TRUE(waitFor([&] { return faceIsGrey(); }, 3s)) << "still hot: " << std::hex << pixel(FacePixel);
    pointAt(MenuButton);
    click();
    EXPECT_TRUE(waitForCount("Menu shown", 3)) << "the click after the leave did not open the menu";
    session.pressKeys("Escape");
}

// Keys whose characters a US keyboard does not have raise KeyDown with the
// number of their key's place: ü lies where "[" lies (219), § is Shift with
// the 3 key (51).
TEST_F(StyledButtonTest, KeysOfAGermanLayoutRaiseKeyDownWithTheirPlacesNumbers)
{
    const RunResult layout = run({"setxkbmap", "de"}, session.environment());
    ASSERT_EQ(layout.exitCode, 0) << layout.err;
    ASSERT_NO_FATAL_FAILURE(start());
    for (const auto& [keysym, number] : {std::pair{"udiaeresis", 219}, {"section", 51}, {"a", 65}}) {
        session.pressKeys(keysym);
        EXPECT_TRUE(waitForCount("KeyDown " + std::to_string(number), 1)) << keysym << ": " << log();
    }
}
