// vorlin.exe under Wine: the hotkeys it saves, the addresses its links hand
// to the shell (caught by a stand-in handler registered in the prefix), and
// its main window next to the Linux build's.
#include <QImage>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "common/example_settings.h"
#include "harness/window_shot.h"
#include "harness/wine_test.h"

using namespace e2e;
using namespace e2e::wine;
using namespace std::chrono_literals;
namespace fs = std::filesystem;

namespace {

const std::string HomePage = "https://vorlin.invalid/";
const std::string FeedbackMail = "mailto:feedback@vorlin.invalid";
constexpr Spot HomePagePicture{296, 128}; // the main window's home-page picture
constexpr Spot FeedbackLink{250, 14};     // on the About window
constexpr Spot WebLink{200, 240};         // on the About window

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::vector<std::string> readLines(const std::string& path)
{
    std::vector<std::string> lines;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

using SettingsTest = WineTest;

TEST_F(SettingsTest, SavedHotkeysWriteTheSameSettingIniAsTheLinuxBuild)
{
    EXPECT_TRUE(saveExampleHotkeys(*wine, *vorlin)) << "the hotkey window did not appear, or save did not hide it";
    const std::string ini = wine->folder() + "/setting.ini";
    EXPECT_TRUE(waitFor([&] { return readFile(ini) == ExampleSettingsIni; }, 10s)) << readFile(ini);
}

TEST_F(SettingsTest, LinksHandTheShellTheOneAddress)
{
    // The click target's record mode stands in for the browser and the mail program.
    const std::string log = wine->folder() + "/opened.log";
    const std::string handler =
        "\"" + windowsPath(VORLIN_CLICK_TARGET) + "\" --record \"" + windowsPath(log) + "\" \"%1\"";
    for (const char* scheme : {"http", "https", "mailto"})
        ASSERT_TRUE(wine->setRegistry(std::string("HKLM\\Software\\Classes\\") + scheme + "\\shell\\open\\command",
                                      "", handler));
    const auto opened = [&](size_t n) { return waitFor([&] { return readLines(log).size() >= n; }, 30s, 50ms); };

    vorlin->click(HomePagePicture);
    ASSERT_TRUE(opened(1)) << "the home-page picture opened nothing";
    vorlin->click(form1::AboutPicture);
    const auto about = x().waitForWindow("关于Vorlin", 30s);
    ASSERT_TRUE(about) << "the About window did not appear";
    x().xdotool({"windowactivate", "--sync", std::to_string(*about)});
    x().clickAt(*about, FeedbackLink.x, FeedbackLink.y);
    ASSERT_TRUE(opened(2)) << "the feedback link opened nothing";
    x().clickAt(*about, WebLink.x, WebLink.y);
    ASSERT_TRUE(opened(3)) << "the web link opened nothing";
    const std::vector<std::string> expected{HomePage, FeedbackMail, HomePage};
    EXPECT_EQ(readLines(log), expected);
}

// Writes <build>/screenshots/form1-wine.png, and the Linux build's window
// started beside it under the same window manager, form1-beside-wine.png.
TEST_F(SettingsTest, TheMainWindowHasTheLinuxBuildsSize)
{
    const fs::path folder = fs::path(VORLIN_BINARY).parent_path().parent_path() / "screenshots";
    fs::create_directories(folder);
    x().movePointer(5, 5); // no hover effects in the pictures
    const QImage underWine = settledShot(x(), vorlin->window);
    EXPECT_TRUE(underWine.save(QString::fromStdString((folder / "form1-wine.png").string())));

    Process linuxBuild = x().startVorlin();
    unsigned long linuxWindow = 0;
    ASSERT_TRUE(waitFor(
        [&] {
            for (unsigned long w : x().windowsTitled("Vorlin"))
                if (w != vorlin->window && x().isViewable(w))
                    linuxWindow = w;
            return linuxWindow != 0;
        },
        30s))
        << "the Linux build did not start beside it";
    const Rect wineClient = x().geometry(vorlin->window), linuxClient = x().geometry(linuxWindow);
    EXPECT_EQ(wineClient.width, linuxClient.width);
    EXPECT_EQ(wineClient.height, linuxClient.height);

    // Side by side for the eye: the system colours may differ (Wine's are its own).
    EXPECT_TRUE(settledShot(x(), linuxWindow).save(QString::fromStdString((folder / "form1-beside-wine.png").string())));
    linuxBuild.kill();
}

} // namespace
