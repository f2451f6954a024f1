// The About window and the links, on the real program under Xvfb and openbox.
// A stand-in desktop opener on the program's PATH records what it is handed;
// screenshots of the three windows go into the build folder.
#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <thread>

#include "harness/vorlin_window.h"
#include "harness/window_shot.h"

using namespace e2e;
using namespace std::chrono_literals;
namespace fs = std::filesystem;

namespace {

const std::string AboutTitle = "关于Vorlin";
const std::string HomePage = "https://vorlin.invalid/";
const std::string FeedbackMail = "mailto:feedback@vorlin.invalid";

namespace form2 {
inline constexpr Spot WebLink{200, 240};     // Label6
inline constexpr Spot FeedbackLink{250, 14}; // Label7
} // namespace form2
inline constexpr Spot HomePagePicture{296, 128}; // Form1's Image2
inline constexpr Spot Banner{200, 30};           // Form1's Image3

// Each start of the opener, as the list of arguments it was given.
using Launches = std::vector<std::vector<std::string>>;

class AboutTest : public ::testing::Test {
protected:
    XSession session{XSession::Options{.windowManager = true}};
    Process vorlin;
    unsigned long mainWindow = 0;
    std::string openerLog, hold, ended;

    void SetUp() override { ASSERT_TRUE(session.ok()) << "no X server"; }

    // Starts the program with `bin` as the only folder on its PATH.
    void start(const std::string& bin)
    {
        auto env = session.environment();
        env["PATH"] = bin;
        vorlin = Process({session.folder() + "/vorlin"}, env);
        const auto w = session.waitForWindow("Vorlin", 15s);
        ASSERT_TRUE(w) << "the main window did not appear";
        mainWindow = *w;
    }

    // A stand-in for xdg-open that writes one line per argument and a blank
    // line after each start, then runs while the file `hold` exists and notes
    // its end in `ended`.
    std::string makeOpener()
    {
        const std::string bin = session.folder() + "/bin";
        fs::create_directories(bin);
        openerLog = session.folder() + "/opener.log";
        hold = session.folder() + "/hold";
        ended = session.folder() + "/ended";
        std::ofstream script(bin + "/xdg-open");
        script << "#!/bin/sh\n{ for a in \"$@\"; do printf 'arg:%s\\n' \"$a\"; done; echo; } >> '" << openerLog << "'\n"
               << "while [ -e '" << hold << "' ]; do /bin/sleep 0.05; done\necho >> '" << ended << "'\n";
        script.close();
        fs::permissions(bin + "/xdg-open", fs::perms::owner_all);
        return bin;
    }

    Launches launches() const
    {
        Launches out;
        std::ifstream in(openerLog);
        std::vector<std::string> args;
        for (std::string line; std::getline(in, line);) {
            if (line.empty()) {
                out.push_back(args);
                args.clear();
            } else if (line.rfind("arg:", 0) == 0) {
                args.push_back(line.substr(4));
            }
        }
        return out;
    }

    bool waitForLaunches(size_t n) const
    {
        return waitFor([&] { return launches().size() >= n; }, 10s);
    }

    // A link opens its address at most once a second: clicks it until the nth start.
    bool openUntilLaunches(const std::function<void()>& click, size_t n) const
    {
        return waitFor([&] { return launches().size() >= n || (click(), false); }, 10s, 250ms) ||
               launches().size() >= n;
    }

    // Brings the main window to the front (the About window may cover its
    // pictures) and clicks a spot on it.
    void clickMain(Spot s) const
    {
        session.xdotool({"windowactivate", "--sync", std::to_string(mainWindow)});
        session.clickAt(mainWindow, s.x, s.y);
    }

    int viewableAboutWindows() const
    {
        int n = 0;
        for (unsigned long w : session.windowsTitled(AboutTitle))
            n += session.isViewable(w) ? 1 : 0;
        return n;
    }
};

fs::path screenshotFolder()
{
    // The program is built at <build>/app/vorlin.
    const fs::path folder = fs::path(VORLIN_BINARY).parent_path().parent_path() / "screenshots";
    fs::create_directories(folder);
    return folder;
}

} // namespace

TEST_F(AboutTest, AboutPictureOpensOneWindowHoweverOftenClicked)
{
    start(makeOpener());
    EXPECT_EQ(viewableAboutWindows(), 0);
    clickMain(form1::AboutPicture);
    ASSERT_TRUE(session.waitForWindow(AboutTitle, 10s)) << "the About window did not appear";
    // At a different point of the 16-pixel picture each time, as a user would.
    for (int d : {-4, 3, 6})
        clickMain({form1::AboutPicture.x + d, form1::AboutPicture.y - d});
    // The program handles clicks in order: once the home-page click behind
    // them has reached the opener, the About clicks have all been handled.
    clickMain(HomePagePicture);
    ASSERT_TRUE(waitForLaunches(1));
    EXPECT_EQ(viewableAboutWindows(), 1);
    EXPECT_EQ(session.windowsTitled(AboutTitle).size(), 1u);
}

TEST_F(AboutTest, LinksHandTheirAddressToTheDesktopOpenerAsOneArgument)
{
    start(makeOpener());
    clickMain(HomePagePicture);
    ASSERT_TRUE(waitForLaunches(1));
    ASSERT_TRUE(openUntilLaunches([&] { clickMain(Banner); }, 2));
    clickMain(form1::AboutPicture);
    const auto about = session.waitForWindow(AboutTitle, 10s);
    ASSERT_TRUE(about);
    session.xdotool({"windowactivate", "--sync", std::to_string(*about)});
    ASSERT_TRUE(openUntilLaunches([&] { session.clickAt(*about, form2::WebLink.x, form2::WebLink.y); }, 3));
    session.clickAt(*about, form2::FeedbackLink.x, form2::FeedbackLink.y);
    ASSERT_TRUE(waitForLaunches(4));
    const Launches expected{{HomePage}, {HomePage}, {HomePage}, {FeedbackMail}};
    EXPECT_EQ(launches(), expected);
}

// Clicking runs over the banner: every click reaches it, a hundred a second.
TEST_F(AboutTest, ALinkOpensItsAddressAtMostOnceASecondAndNotWhileTheLastOpeningRuns)
{
    start(makeOpener());
    const auto burst = [&] {
        session.xdotool({"windowactivate", "--sync", std::to_string(mainWindow)});
        const auto began = Clock::now();
        session.xdotool({"mousemove", "--window", std::to_string(mainWindow), std::to_string(Banner.x),
                         std::to_string(Banner.y), "click", "--repeat", "30", "--delay", "20", "1"});
        return std::chrono::duration<double>(Clock::now() - began).count();
    };
    // An opener that ends at once: one start a second at most.
    const double seconds = burst();
    ASSERT_TRUE(waitForLaunches(1));
    EXPECT_LE(launches().size(), size_t(1 + seconds)) << "30 clicks in " << seconds << " s";

    // An opener that runs on: no other start, however long it runs.
    std::ofstream(hold).put('\n');
    ASSERT_TRUE(openUntilLaunches([&] { clickMain(Banner); }, launches().size() + 1));
    const size_t running = launches().size();
    std::this_thread::sleep_for(1100ms); // past the one-second gap
    burst();
    clickMain(form1::AboutPicture); // clicks are handled in order: this one shows the burst was
    ASSERT_TRUE(session.waitForWindow(AboutTitle, 10s));
    EXPECT_EQ(launches().size(), running);
    fs::remove(hold);
    ASSERT_TRUE(waitFor([&] { return fs::exists(ended) && fs::file_size(ended) >= running; }, 10s));
    EXPECT_TRUE(openUntilLaunches([&] { clickMain(Banner); }, running + 1));
}

TEST_F(AboutTest, WithoutAnOpenerTheLinksDoNothingAndTheProgramGoesOn)
{
    const std::string empty = session.folder() + "/empty-bin";
    fs::create_directories(empty);
    start(empty);
    clickMain(HomePagePicture);
    clickMain(form1::AboutPicture);
    const auto about = session.waitForWindow(AboutTitle, 10s);
    ASSERT_TRUE(about) << "the program stopped answering after a link without an opener";
    session.xdotool({"windowactivate", "--sync", std::to_string(*about)});
    session.clickAt(*about, form2::FeedbackLink.x, form2::FeedbackLink.y);
    session.clickAt(*about, form2::WebLink.x, form2::WebLink.y);
    // Still answering: the About window closes from its title-bar box.
    session.xdotool({"windowclose", std::to_string(*about)});
    EXPECT_TRUE(waitFor([&] { return viewableAboutWindows() == 0; }, 10s));
    EXPECT_TRUE(vorlin.running());
    EXPECT_TRUE(session.isViewable(mainWindow));
}

TEST_F(AboutTest, ScreenshotsOfTheThreeWindows)
{
    start(makeOpener());
    const fs::path folder = screenshotFolder();
    session.movePointer(5, 5); // no hover effects or tooltips in the pictures

    const QImage main = settledShot(session, mainWindow);
    ASSERT_FALSE(main.isNull());
    EXPECT_TRUE(main.save(QString::fromStdString((folder / "form1.png").string())));

    clickMain(form1::AboutPicture);
    const auto about = session.waitForWindow(AboutTitle, 10s);
    ASSERT_TRUE(about);
    session.movePointer(5, 5);
    const QImage aboutShot = settledShot(session, *about);
    ASSERT_FALSE(aboutShot.isNull());
    EXPECT_TRUE(aboutShot.save(QString::fromStdString((folder / "form2.png").string())));
    session.xdotool({"windowclose", std::to_string(*about)});

    clickMain(form1::HotkeyLink);
    const auto hotkeys = session.waitForWindow("设置热键", 10s);
    ASSERT_TRUE(hotkeys);
    session.movePointer(5, 5);
    const QImage hotkeyShot = settledShot(session, *hotkeys);
    ASSERT_FALSE(hotkeyShot.isNull());
    EXPECT_TRUE(hotkeyShot.save(QString::fromStdString((folder / "form3.png").string())));
}
