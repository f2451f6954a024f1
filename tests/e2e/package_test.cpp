// The Debian package as a user gets it: unpacked into a scratch root (never
// installed into the machine), the program started from there under Xvfb with
// a scratch home. Saved hotkeys land in the home's configuration folder, never
// beside the program, though the unpacked program's folder is writable.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

#include "harness/hotkey_window.h"

#include "common/example_settings.h"

using namespace e2e;
using namespace std::chrono_literals;
namespace fs = std::filesystem;

namespace {

std::string readFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::vector<fs::path> filesNamed(const fs::path& folder, const std::string& name)
{
    std::vector<fs::path> found;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        if (entry.path().filename() == name)
            found.push_back(entry.path());
    return found;
}

class PackageTest : public ::testing::Test {
protected:
    XSession session{XSession::Options{.windowManager = true}};
    fs::path root;
    fs::path program;
    Process vorlin;
    unsigned long mainWindow = 0;

    void SetUp() override
    {
        ASSERT_TRUE(session.ok()) << "no X server";
        std::vector<fs::path> debs;
        for (const auto& entry : fs::directory_iterator(VORLIN_PACKAGE_DIR))
            if (entry.path().extension() == ".deb")
                debs.push_back(entry.path());
        ASSERT_EQ(debs.size(), 1u) << "expected one package in " VORLIN_PACKAGE_DIR;
        root = fs::path(session.folder()) / "root";
        ASSERT_EQ(run({"dpkg-deb", "-x", debs.front().string(), root.string()}).exitCode, 0);
        program = root / "usr/bin/vorlin";
        ASSERT_TRUE(fs::exists(program));
    }

    void start()
    {
        vorlin = Process({program.string()}, session.environment());
        const auto w = session.waitForWindow("Vorlin", 15s);
        ASSERT_TRUE(w) << "the main window did not appear";
        mainWindow = *w;
    }

    // Opens the hotkey window, records what is asked and presses "保存设置".
    void saveHotkeys(const std::vector<std::pair<Spot, std::string>>& recordings)
    {
        session.clickAt(mainWindow, form1::HotkeyLink.x, form1::HotkeyLink.y);
        const auto hotkeys = session.waitForWindow("设置热键", 10s);
        ASSERT_TRUE(hotkeys) << "the hotkey window did not appear";
        session.xdotool({"windowactivate", "--sync", std::to_string(*hotkeys)});
        for (const auto& [box, combination] : recordings) {
            session.clickAt(*hotkeys, box.x, box.y);
            session.pressKeys(combination);
        }
        session.clickAt(*hotkeys, form3::SaveButton.x, form3::SaveButton.y);
        ASSERT_TRUE(waitFor([&] { return !session.isViewable(*hotkeys); }, 5s)) << "save did not hide the window";
    }
};

TEST_F(PackageTest, SavedHotkeysGoToTheUsersConfigurationFolderAndAreReadBackFromThere)
{
    const auto env = session.environment();
    const fs::path configFolder = fs::path(env.at("XDG_CONFIG_HOME")) / "vorlin";
    const fs::path ini = configFolder / "setting.ini";
    ASSERT_FALSE(fs::exists(configFolder));

    start();
    saveHotkeys({{form3::Box1, "ctrl+F1"}, {form3::Box3, "alt+F3"}});
    ASSERT_TRUE(waitFor([&] { return readFile(ini) == ExampleSettingsIni; }, 5s)) << readFile(ini);
    EXPECT_EQ(fs::status(configFolder).permissions(), fs::perms::owner_all) << "the folder is not private";
    EXPECT_EQ(filesNamed(root, "setting.ini"), std::vector<fs::path>{}) << "settings were kept beside the program";
    EXPECT_EQ(access(program.parent_path().c_str(), W_OK), 0) << "the test proves nothing: the program's folder is read-only";

    // Restarted, the program shows what it saved: saving again unchanged writes the same bytes.
    vorlin.kill();
    ASSERT_GE(vorlin.waitExit(5s), 0);
    start();
    saveHotkeys({});
    EXPECT_EQ(readFile(ini), ExampleSettingsIni);
    EXPECT_EQ(filesNamed(root, "setting.ini"), std::vector<fs::path>{});
}

// Another user made the configuration folder, open to all, and planted
// setting.ini there as a link to one of this user's files: nothing is read from
// it, a save is refused with a message, and the user's file stays as it was.
TEST_F(PackageTest, AConfigurationFolderOfAnotherUsersIsNeitherReadNorSavedInto)
{
    const auto env = session.environment();
    const fs::path configFolder = fs::path(env.at("XDG_CONFIG_HOME")) / "vorlin";
    const fs::path notes = fs::path(session.folder()) / "notes.rc";
    std::ofstream(notes, std::ios::binary) << ExampleSettingsIni;
    fs::create_directories(configFolder);
    fs::create_symlink(notes, configFolder / "setting.ini");
    ASSERT_EQ(chmod(configFolder.c_str(), 0777), 0);
    if (geteuid() == 0) { // only root can hand it to another user; open to all, it is refused either way
        ASSERT_EQ(lchown(configFolder.c_str(), 65534, 65534), 0);
    }

    start();
    session.clickAt(mainWindow, form1::HotkeyLink.x, form1::HotkeyLink.y);
    const auto hotkeys = session.waitForWindow("设置热键", 10s);
    ASSERT_TRUE(hotkeys) << "the hotkey window did not appear";
    session.xdotool({"windowactivate", "--sync", std::to_string(*hotkeys)});
    session.clickAt(*hotkeys, form3::Check1.x, form3::Check1.y); // with Ctrl+F1 read this would switch it on
    const auto refused = session.waitForWindow("错误", 10s);
    ASSERT_TRUE(refused) << "the planted combination was read";
    session.xdotool({"windowactivate", "--sync", std::to_string(*refused)});
    session.xdotool({"key", "Return"});
    ASSERT_TRUE(waitFor([&] { return !session.isViewable(*refused); }, 5s));
    session.xdotool({"windowactivate", "--sync", std::to_string(*hotkeys)});
    session.clickAt(*hotkeys, form3::SaveButton.x, form3::SaveButton.y);
    EXPECT_TRUE(session.waitForWindow("错误", 10s)) << "no message about the refused folder";
    EXPECT_TRUE(session.isViewable(*hotkeys));
    EXPECT_EQ(readFile(notes), ExampleSettingsIni);
    EXPECT_TRUE(fs::is_symlink(configFolder / "setting.ini"));
}

} // namespace
