// The two Windows downloads under Wine: the installer (a silent install, the
// installed program started from its Start-menu entry, a silent uninstall) and
// the portable zip; and what vorlin.exe prints to the console it was started from.
#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>

#include "common/example_settings.h"
#include "harness/wine_session.h"

using namespace e2e;
using namespace e2e::wine;
using namespace std::chrono_literals;
namespace fs = std::filesystem;

namespace {

const std::string Version = VORLIN_VERSION_TEXT;
const fs::path Packages = VORLIN_WINDOWS_PACKAGES;
const std::string UninstallKey = "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Vorlin";

std::string readFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

bool vorlinWindowShown(const WineSession& wine)
{
    for (unsigned long w : wine.x().windowsTitled("Vorlin"))
        if (wine.x().isViewable(w))
            return true;
    return false;
}

class PackagesTest : public ::testing::Test {
protected:
    static inline std::unique_ptr<WineSession> wine;
    static void SetUpTestSuite() { wine = std::make_unique<WineSession>(); }
    static void TearDownTestSuite() { wine.reset(); }
    void SetUp() override { ASSERT_TRUE(wine->error().empty()) << wine->error(); }

    // %APPDATA%\Vorlin of the prefix's user (Wine names the user after the Linux one).
    static fs::path appDataVorlin()
    {
        return fs::path(wine->driveC()) / "users" / getpwuid(getuid())->pw_name / "AppData/Roaming/Vorlin";
    }
};

TEST_F(PackagesTest, TheInstalledProgramKeepsSettingsInAppDataAndTheUninstallerKeepsThem)
{
    const RunResult setup = wine->run((Packages / ("vorlin-" + Version + "-setup.exe")).string(), {"/S"}, 180s);
    ASSERT_EQ(setup.exitCode, 0) << setup.err;
    const fs::path installed = fs::path(wine->driveC()) / "Program Files/Vorlin";
    const fs::path shortcut = fs::path(wine->driveC()) / "ProgramData/Microsoft/Windows/Start Menu/Programs/Vorlin.lnk";
    EXPECT_TRUE(readFile(installed / "vorlin.exe") == readFile(VORLIN_EXE)) << "not the built vorlin.exe";
    EXPECT_TRUE(fs::exists(installed / "uninstall.exe"));
    EXPECT_TRUE(fs::exists(shortcut)) << "no Start-menu entry";
    const std::pair<const char*, std::string> entry[] = {
        {"DisplayName", "Vorlin"},
        {"DisplayVersion", Version},
        {"Publisher", "The Vorlin developers"},
        {"DisplayIcon", "C:\\Program Files\\Vorlin\\vorlin.exe,0"},
        {"UninstallString", "\"C:\\Program Files\\Vorlin\\uninstall.exe\""},
        {"QuietUninstallString", "\"C:\\Program Files\\Vorlin\\uninstall.exe\" /S"},
    };
    for (const auto& [name, value] : entry)
        EXPECT_EQ(wine->registryValue(UninstallKey, name).value_or("(missing)"), value) << name;

    // Started as the Start menu starts it, it records and saves the hotkeys.
    fs::remove_all(appDataVorlin());
    auto vorlin = startVorlin(*wine, "start", {"/wait", "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\Vorlin.lnk"});
    ASSERT_TRUE(vorlin->ok()) << "the Start-menu entry did not start Vorlin";
    ASSERT_TRUE(saveExampleHotkeys(*wine, *vorlin));
    const fs::path ini = appDataVorlin() / "setting.ini";
    EXPECT_TRUE(waitFor([&] { return readFile(ini) == ExampleSettingsIni; }, 10s)) << readFile(ini);
    for (const auto& file : fs::recursive_directory_iterator(installed))
        EXPECT_NE(file.path().filename(), "setting.ini") << file.path();

    // Uninstalled while it runs: the uninstaller closes it first.
    const RunResult uninstall = wine->run((installed / "uninstall.exe").string(), {"/S"}, 120s);
    EXPECT_EQ(uninstall.exitCode, 0) << uninstall.err;
    EXPECT_TRUE(waitFor([&] { return !fs::exists(installed); }, 60s)) << "the program's folder is still there";
    EXPECT_TRUE(waitFor([&] { return !vorlinWindowShown(*wine); }, 30s)) << "the running Vorlin was not closed";
    EXPECT_FALSE(fs::exists(shortcut));
    EXPECT_FALSE(wine->registryValue(UninstallKey, "DisplayName")) << "the uninstall entry is still there";
    EXPECT_EQ(readFile(ini), ExampleSettingsIni) << "the user's settings went with the program";
    vorlin->process.kill(9);
}

TEST_F(PackagesTest, TheUnzippedProgramSavesBesideItself)
{
    const fs::path folder = fs::path(wine->folder()) / "portable";
    fs::create_directories(folder);
    const std::string zip = (Packages / ("vorlin-" + Version + "-windows-x64.zip")).string();
    ASSERT_EQ(run({VORLIN_CMAKE, "-E", "chdir", folder.string(), VORLIN_CMAKE, "-E", "tar", "xf", zip}).exitCode, 0);
    std::set<std::string> files;
    for (const auto& file : fs::directory_iterator(folder))
        files.insert(file.path().filename().string());
    EXPECT_EQ(files, (std::set<std::string>{"LICENSE.txt", "README.txt", "vorlin.exe"}));

    fs::remove_all(appDataVorlin());
    auto vorlin = startVorlin(*wine, (folder / "vorlin.exe").string());
    ASSERT_TRUE(vorlin->ok());
    ASSERT_TRUE(saveExampleHotkeys(*wine, *vorlin));
    EXPECT_TRUE(waitFor([&] { return readFile(folder / "setting.ini") == ExampleSettingsIni; }, 10s));
    EXPECT_FALSE(fs::exists(appDataVorlin() / "setting.ini"));
    endVorlin(*wine, vorlin);
}

// From a console: "start /wait" gives a program with a window of its own no
// output handles, so what it prints reaches the console only when it attaches
// to its parent's. The console is Wine's, on a pseudo-terminal of script(1).
TEST_F(PackagesTest, VersionAndABadArgumentAnswerOnTheConsoleTheyCameFrom)
{
    const std::string batch = wine->folder() + "/console.cmd";
    const std::string exe = windowsPath(VORLIN_EXE);
    std::ofstream(batch) << "@start /wait \"\" \"" << exe << "\" --version\r\n@echo exit %errorlevel%\r\n"
                         << "@start /wait \"\" \"" << exe << "\" --bogus\r\n@echo exit %errorlevel%\r\n";
    const RunResult r = run({"script", "-qec", std::string(VORLIN_WINE) + " cmd /c '" + windowsPath(batch) + "'", "/dev/null"},
                            wine->environment(), 60s);
    // Wine's console draws with cursor moves between the characters.
    const std::string console = std::regex_replace(r.out, std::regex("\x1b\\[[0-9;?]*[A-Za-z]|\r"), "");
    const std::string expected =
        "vorlin " + Version + "\nexit 0\nvorlin: unknown argument \"--bogus\" (see vorlin --help)\nexit 2\n";
    EXPECT_NE(console.find(expected), std::string::npos) << console;
}

} // namespace
