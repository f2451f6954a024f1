// The settings stores on Windows: our INI files against what the system's
// profile calls make of the same writes under the Chinese code page, and the
// registry store.
#include <gtest/gtest.h>
#include <windows.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "platform/gbk_text.h"
#include "platform/ini_file_profile.h"
#include "platform/win32/registry_settings_store.h"

namespace {

std::string readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll().toStdString() : "(missing)";
}

void writeAll(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

QByteArray nativePath(const QString& path) { return QDir::toNativeSeparators(path).toLocal8Bit(); }

struct Write {
    const char* section;
    const char* key;
    const char* value; // UTF-8 here; both sides store it in the code page
};

TEST(IniFiles, OurFilesHoldTheBytesTheProfileCallsWriteForTheSameWrites)
{
    ASSERT_EQ(GetACP(), 936u) << "run under the Chinese code page (scripts/wine-run.sh sets it)";
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const struct {
        const char* name;
        QByteArray start; // the file before the writes; "(none)" for no file
        std::vector<Write> writes;
    } cases[] = {
        {"three controls into a new file", "(none)",
         {{"RKHotKey", "RKHotKey1Text", "Ctrl + F1"}, {"RKHotKey", "RKHotKey1KeyCode", "112"},
          {"RKHotKey", "RKHotKey2Text", "无"}, {"RKHotKey", "RKHotKey3Text", "Alt + 方向键"}}},
        {"in place, in another spelling, a new key and a new section",
         // (no blank lines: Wine drops them on a write, we keep them)
         "; kept\r\n[RKHotKey]\r\nRKHotKey1Text=Ctrl + F1\r\nRKHotKey1KeyCode=112\r\n[Other]\r\nx=1\r\n",
         {{"rkhotkey", "rkhotkey1text", "无"}, {"RKHotKey", "RKHotKey2KeyCode", "0"}, {"New", "k", "v"}}},
        {"bare line ends and no last one", "[RKHotKey]\nRKHotKey1Text=A\n[Other]\nx=1",
         {{"RKHotKey", "RKHotKey1Text", "B"}, {"Other", "y", "2"}}},
    };
    int n = 0;
    for (const auto& c : cases) {
        const QString ours = dir.filePath(QStringLiteral("ours%1.ini").arg(n));
        const QString theirs = dir.filePath(QStringLiteral("theirs%1.ini").arg(n++));
        if (c.start != "(none)") {
            writeAll(ours, c.start);
            writeAll(theirs, c.start);
        }
        platform::IniFileProfile profile;
        for (const Write& w : c.writes) {
            const QString section = QString::fromUtf8(w.section), key = QString::fromUtf8(w.key);
            const QString value = QString::fromUtf8(w.value);
            ASSERT_TRUE(profile.writeString(section, key, value, ours)) << c.name;
            ASSERT_TRUE(WritePrivateProfileStringA(platform::toGbk(section).constData(), platform::toGbk(key).constData(),
                                                   platform::toGbk(value).constData(),
                                                   nativePath(theirs).constData()))
                << c.name;
        }
        WritePrivateProfileStringA(nullptr, nullptr, nullptr, nativePath(theirs).constData()); // out of the system's cache
        EXPECT_EQ(readAll(ours), readAll(theirs)) << c.name;

        // And the system reads back from our file what we do.
        for (const Write& w : c.writes) {
            char buffer[256] = {};
            const QString section = QString::fromUtf8(w.section), key = QString::fromUtf8(w.key);
            const DWORD size = GetPrivateProfileStringA(platform::toGbk(section).constData(), platform::toGbk(key).constData(), "(default)",
                                                        buffer, 255, nativePath(ours).constData());
            EXPECT_EQ(platform::fromGbk(QByteArray(buffer, int(size))), profile.getString(section, key, "(default)", ours))
                << c.name << ": " << w.key;
        }
    }
}

TEST(RegistrySettingsStore, ValuesComeBackAsSavedAndMissingOnesAsTheDefault)
{
    platform::win32::RegistrySettingsStore store(QStringLiteral("Vorlin-test-%1").arg(GetCurrentProcessId()));
    EXPECT_EQ(store.get("RKHotKey", "RKHotKey", "RKHotKey1Text", "无"), "无");
    ASSERT_TRUE(store.save("RKHotKey", "RKHotKey", "RKHotKey1Text", "Ctrl + 方向键"));
    ASSERT_TRUE(store.save("RKHotKey", "RKHotKey", "RKHotKey1KeyCode", ""));
    EXPECT_EQ(store.get("rkhotkey", "RKHotKey", "RKHotKey1Text", "无"), "Ctrl + 方向键");
    EXPECT_EQ(store.get("RKHotKey", "RKHotKey", "RKHotKey1KeyCode", "0"), "");
    // A backslash in a name stays inside the application's key.
    ASSERT_TRUE(store.save("a\\b", "s", "k", "v"));
    EXPECT_EQ(store.keyPath("a\\b", "s"), store.keyPath("a_b", "s"));
    RegDeleteTreeW(HKEY_CURRENT_USER, reinterpret_cast<const wchar_t*>(
                                          (QStringLiteral("Software\\Vorlin-test-%1").arg(GetCurrentProcessId())).utf16()));
}

} // namespace
