// The hotkey recorder's settings: its property bag, the INI file and the
// per-user store, and what a designer may and may not do.
#include <QSignalSpy>
#include <QtTest>
#include <memory>

#include "controls/hotkey/module5.h"
#include "runtime/app_folder.h"
#include "runtime/runtime_error.h"
#include "common/example_settings.h"
#include "support/hotkey_support.h"

using IniCall = platform::fake::FakeIniProfile::Call;

namespace {

rt::PropertyBag bagWith(std::initializer_list<std::pair<QString, QString>> raw)
{
    rt::PropertyBag bag;
    for (const auto& [key, text] : raw)
        bag.setRawText(key, text);
    return bag;
}

const rt::PropertyBag SettingIni = bagWith({{"INIFileName", "\"setting.ini\""}});

} // namespace

class HotkeySettingsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestServices> t;
    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<QWidget> host;

    RKHotKey* make(const QString& name, const rt::PropertyBag& bag = SettingIni, bool userMode = true)
    {
        return makeHotKey(*t, name, bag, userMode, host.get());
    }

    void putFile(const QString& name, const QByteArray& bytes)
    {
        QFile f(dir->filePath(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    QByteArray file(const QString& name) const
    {
        QFile f(dir->filePath(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }

    static QString inProgramFolder(const QString& name) { return rt::joinFolder(rt::applicationFolder(), name); }

private slots:
    void init()
    {
        t = std::make_unique<TestServices>();
        dir = std::make_unique<QTemporaryDir>();
        t->fake.ini->folder = dir->path();
        host = std::make_unique<QWidget>();
    }

    void cleanup()
    {
        host.reset();
        t.reset();
    }

    void withoutAFileNothingIsRecorded()
    {
        RKHotKey* hk = make("RKHotKey1");
        QCOMPARE(hk->Text(), QStringLiteral("无"));
        QCOMPARE(hk->KeyCode(), 0);
        QCOMPARE(hk->ModKeyCode(), 0);
        QCOMPARE(Module5::IniPath(), inProgramFolder("setting.ini"));
        const auto& calls = t->fake.ini->calls;
        QCOMPARE(calls.size(), size_t(2)); // the text is made from the numbers, not read
        const QStringList keys{"RKHotKey1KeyCode", "RKHotKey1ModKeyCode"};
        const QStringList defaults{"0", "0"};
        for (int i = 0; i < 2; ++i) {
            QCOMPARE(calls[size_t(i)].kind, IniCall::Get);
            QCOMPARE(calls[size_t(i)].section, QStringLiteral("RKHotKey"));
            QCOMPARE(calls[size_t(i)].key, keys[i]);
            QCOMPARE(calls[size_t(i)].value, defaults[i]);
            QCOMPARE(calls[size_t(i)].path, Module5::IniPath());
        }
    }

    // The box shows what the stored numbers register, whatever the stored text says.
    void theBoxShowsExactlyWhatTheStoredNumbersRegister_data()
    {
        QTest::addColumn<QByteArray>("textLine");
        QTest::addColumn<QByteArray>("keyCode");
        QTest::addColumn<QByteArray>("modKeyCode");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("expectedKey");
        QTest::addColumn<int>("expectedMod");
        const QString none = QStringLiteral("无");
        QTest::newRow("text of another key") << QByteArray("RKHotKey1Text=Ctrl + Q") << QByteArray("112") << QByteArray("2") << "Ctrl + F1" << 112 << 2;
        QTest::newRow("text missing") << QByteArray() << QByteArray("112") << QByteArray("2") << "Ctrl + F1" << 112 << 2;
        QTest::newRow("text says none") << QByteArray("RKHotKey1Text=\xCE\xDE") << QByteArray("112") << QByteArray("2") << "Ctrl + F1" << 112 << 2;
        QTest::newRow("text not GBK") << QByteArray("RKHotKey1Text=\xFF\x80") << QByteArray("65") << QByteArray("15") << "Win + Ctrl + Alt + Shift + A" << 65 << 15;
        QTest::newRow("key -1") << QByteArray("RKHotKey1Text=F1") << QByteArray("-1") << QByteArray("0") << none << 0 << 0;
        QTest::newRow("key 250") << QByteArray("RKHotKey1Text=F1") << QByteArray("250") << QByteArray("0") << none << 0 << 0;
        QTest::newRow("key a modifier") << QByteArray("RKHotKey1Text=Ctrl + ") << QByteArray("17") << QByteArray("2") << none << 0 << 0;
        QTest::newRow("application key") << QByteArray("RKHotKey1Text=F1") << QByteArray("93") << QByteArray("0") << none << 0 << 0;
        QTest::newRow("no key, a mask") << QByteArray("RKHotKey1Text=Ctrl + F1") << QByteArray("0") << QByteArray("2") << none << 0 << 0;
        QTest::newRow("mask -1") << QByteArray("RKHotKey1Text=F1") << QByteArray("112") << QByteArray("-1") << none << 0 << 0;
        QTest::newRow("mask 16") << QByteArray("RKHotKey1Text=F1") << QByteArray("112") << QByteArray("16") << none << 0 << 0;
        QTest::newRow("mask 999") << QByteArray("RKHotKey1Text=F1") << QByteArray("112") << QByteArray("999") << none << 0 << 0;
    }

    void theBoxShowsExactlyWhatTheStoredNumbersRegister()
    {
        QFETCH(QByteArray, textLine);
        QFETCH(QByteArray, keyCode);
        QFETCH(QByteArray, modKeyCode);
        QFETCH(QString, shown);
        QFETCH(int, expectedKey);
        QFETCH(int, expectedMod);
        putFile("setting.ini", "[RKHotKey]\r\n" + (textLine.isEmpty() ? QByteArray() : textLine + "\r\n")
                                   + "RKHotKey1KeyCode=" + keyCode + "\r\nRKHotKey1ModKeyCode=" + modKeyCode + "\r\n");
        RKHotKey* hk = make("RKHotKey1");
        QCOMPARE(hk->Text(), shown);
        QCOMPARE(hk->KeyCode(), expectedKey);
        QCOMPARE(hk->ModKeyCode(), expectedMod);
        QVERIFY(t->fake.hotkeys->calls.empty());
        hk->setHotKeyEnabled(true);
        if (expectedKey == 0) {
            QVERIFY(t->fake.hotkeys->calls.empty()); // "未设置热键" instead of a false conflict
            return;
        }
        QCOMPARE(t->fake.hotkeys->calls.back().combination,
                 (platform::fake::FakeHotkeys::Combination{expectedKey, expectedMod}));
    }

    void storedNumbersThatAreNotIntegersLoadAsNothingRecorded_data()
    {
        QTest::addColumn<QByteArray>("keyCode");
        QTest::addColumn<QByteArray>("modKeyCode");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("expectedKey");
        QTest::addColumn<int>("expectedMod");
        QTest::newRow("letters") << QByteArray("abc") << QByteArray("2") << QStringLiteral("无") << 0 << 0;
        QTest::newRow("empty") << QByteArray("") << QByteArray("2") << QStringLiteral("无") << 0 << 0;
        QTest::newRow("fraction") << QByteArray("112.5") << QByteArray("2") << QStringLiteral("无") << 0 << 0;
        QTest::newRow("bad mask") << QByteArray("112") << QByteArray("Ctrl") << QStringLiteral("无") << 0 << 0;
        QTest::newRow("too large") << QByteArray("99999999999") << QByteArray("0") << QStringLiteral("无") << 0 << 0;
        QTest::newRow("signed") << QByteArray("+112") << QByteArray("-0") << QStringLiteral("F1") << 112 << 0;
    }

    void storedNumbersThatAreNotIntegersLoadAsNothingRecorded()
    {
        QFETCH(QByteArray, keyCode);
        QFETCH(QByteArray, modKeyCode);
        QFETCH(QString, text);
        QFETCH(int, expectedKey);
        QFETCH(int, expectedMod);
        putFile("setting.ini", "[RKHotKey]\r\nRKHotKey1Text=F1\r\nRKHotKey1KeyCode=" + keyCode
                                   + "\r\nRKHotKey1ModKeyCode=" + modKeyCode + "\r\n");
        RKHotKey* hk = make("RKHotKey1");
        QCOMPARE(hk->Text(), text);
        QCOMPARE(hk->KeyCode(), expectedKey);
        QCOMPARE(hk->ModKeyCode(), expectedMod);
        QVERIFY(t->messageBox.messages.empty());
    }

    void saveWritesTextKeyCodeAndMaskInThatOrder()
    {
        RKHotKey* hk = make("RKHotKey1");
        KeyTyper(&hk->txtHotKey()).run("+Ctrl +F1 -F1 -Ctrl");
        t->fake.ini->calls.clear();
        hk->SaveSettings();
        const auto& calls = t->fake.ini->calls;
        QCOMPARE(calls.size(), size_t(3));
        const QStringList keys{"RKHotKey1Text", "RKHotKey1KeyCode", "RKHotKey1ModKeyCode"};
        const QStringList values{"Ctrl + F1", "112", "2"};
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(calls[size_t(i)].kind, IniCall::Write);
            QCOMPARE(calls[size_t(i)].key, keys[i]);
            QCOMPARE(calls[size_t(i)].value, values[i]);
            QCOMPARE(calls[size_t(i)].path, inProgramFolder("setting.ini"));
        }
    }

    void threeControlsSavedGiveTheDocumentedFileAndLoadItBack()
    {
        RKHotKey* one = make("RKHotKey1");
        RKHotKey* two = make("RKHotKey2");
        RKHotKey* three = make("RKHotKey3");
        KeyTyper(&one->txtHotKey()).run("+Ctrl +F1 -F1 -Ctrl");
        KeyTyper(&three->txtHotKey()).run("+Alt +F3 -F3 -Alt");
        three->setHotKeyEnabled(true);
        for (RKHotKey* c : {one, two, three})
            c->SaveSettings();
        QCOMPARE(file("setting.ini"), QByteArray(ExampleSettingsIni));

        host = std::make_unique<QWidget>(); // the window goes; a new one loads
        one = make("RKHotKey1");
        two = make("RKHotKey2");
        three = make("RKHotKey3");
        QCOMPARE(one->Text(), QStringLiteral("Ctrl + F1"));
        QCOMPARE(one->KeyCode(), 112);
        QCOMPARE(two->Text(), QStringLiteral("无"));
        QCOMPARE(two->KeyCode(), 0);
        QCOMPARE(three->Text(), QStringLiteral("Alt + F3"));
        QCOMPARE(three->ModKeyCode(), 1);
        for (RKHotKey* c : {one, two, three})
            QVERIFY(!c->HotKeyEnabled());
    }

    void theLastControlLoadedDecidesTheFileForAll()
    {
        RKHotKey* a = make("RKHotKey1", bagWith({{"INIFileName", "\"a.ini\""}}));
        make("RKHotKey2", bagWith({{"INIFileName", "\"b.ini\""}}));
        KeyTyper(&a->txtHotKey()).run("+F2");
        a->SaveSettings();
        QVERIFY(!QFile::exists(dir->filePath("a.ini")));
        QCOMPARE(file("b.ini"), QByteArray("[RKHotKey]\r\nRKHotKey1Text=F2\r\nRKHotKey1KeyCode=113\r\nRKHotKey1ModKeyCode=0\r\n"));
    }

    void aFailedSaveTellsWhyAndStopsAtTheFailedValue_data()
    {
        QTest::addColumn<int>("location");
        QTest::newRow("INI file") << 0;
        QTest::newRow("per-user store") << 1;
    }

    void aFailedSaveTellsWhyAndStopsAtTheFailedValue()
    {
        QFETCH(int, location);
        RKHotKey* hk = make("RKHotKey1", bagWith({{"SettingLocation", QString::number(location)},
                                                  {"INIFileName", "\"setting.ini\""}}));
        KeyTyper(&hk->txtHotKey()).run("+F2");
        const QString why = QStringLiteral("/x/setting.ini：No space left on device");
        t->fake.ini->writeError = why;
        t->fake.settings->saveError = why;
        t->fake.ini->replaces = 0;
        t->fake.settings->calls.clear();
        QVERIFY(!hk->SaveSettings());
        const RecordedMessage told{QStringLiteral("热键设置未能保存。\n") + why, 16, QStringLiteral("错误")};
        QCOMPARE(t->messageBox.messages, std::vector<RecordedMessage>{told});
        // One try: the file takes the three values in one replace, the store the first value only.
        QCOMPARE(t->fake.ini->replaces + t->fake.settings->calls.size(), size_t(1));
        QVERIFY(!QFile::exists(dir->filePath("setting.ini")));
        QCOMPARE(hk->Text(), QStringLiteral("F2")); // the recording stays

        t->fake.ini->writeError.clear();
        t->fake.settings->saveError.clear();
        QVERIFY(hk->SaveSettings());
        QCOMPARE(t->messageBox.messages.size(), size_t(1));
    }

    void aNonZeroLocationUsesThePerUserStoreOnly()
    {
        Module5::SetIniPath("untouched.ini", "/nowhere");
        t->fake.settings->save("MyApp", "RKHotKey", "RKHotKey1Text", "Shift + F4");
        t->fake.settings->save("MyApp", "RKHotKey", "RKHotKey1KeyCode", "115");
        t->fake.settings->save("MyApp", "RKHotKey", "RKHotKey1ModKeyCode", "4");
        RKHotKey* hk = make("RKHotKey1", bagWith({{"SettingLocation", "1"}, {"RegKeyName", "\"MyApp\""},
                                                  {"INIFileName", "\"setting.ini\""}}));
        QCOMPARE(hk->Text(), QStringLiteral("Shift + F4"));
        QCOMPARE(hk->KeyCode(), 115);
        QCOMPARE(hk->ModKeyCode(), 4);
        KeyTyper(&hk->txtHotKey()).run("+F6");
        hk->SaveSettings();
        QCOMPARE(t->fake.settings->value("myapp", "rkhotkey", "RKHotKey1Text"), QStringLiteral("F6"));
        QCOMPARE(t->fake.settings->value("MyApp", "RKHotKey", "RKHotKey1KeyCode"), QStringLiteral("117"));
        QCOMPARE(t->fake.settings->value("MyApp", "RKHotKey", "RKHotKey1ModKeyCode"), QStringLiteral("0"));
        QVERIFY(t->fake.ini->calls.empty());
        QCOMPARE(Module5::IniPath(), QStringLiteral("/nowhere/untouched.ini"));
    }

    void aDesignerShowsNothingAndTouchesNoStore()
    {
        putFile("setting.ini", "[RKHotKey]\r\nRKHotKey1Text=F1\r\nRKHotKey1KeyCode=112\r\nRKHotKey1ModKeyCode=0\r\n");
        RKHotKey* hk = make("RKHotKey1", SettingIni, false);
        QCOMPARE(hk->Text(), QStringLiteral("无"));
        QCOMPARE(hk->KeyCode(), 0);
        QVERIFY(t->fake.ini->calls.empty());
        QVERIFY(t->fake.settings->calls.empty());
        RKHotKey* withText = make("RKHotKey2", bagWith({{"Text", "\"shown\""}}), false);
        QCOMPARE(withText->Text(), QStringLiteral("shown"));
    }

    void locationPropertiesAreForDesignersOnly()
    {
        RKHotKey* running = make("RKHotKey1");
        QSignalSpy changed(running, &rt::UserControl::PropertyChanged);
        const auto expect382 = [](const std::function<void()>& f) {
            try {
                f();
            } catch (const rt::RuntimeError& e) {
                return e.number() == 382;
            }
            return false;
        };
        QVERIFY(expect382([&] { running->setINIFileName("other.ini"); }));
        QVERIFY(expect382([&] { running->setSettingLocation(1); }));
        QVERIFY(expect382([&] { running->setRegKeyName("Other"); }));
        QCOMPARE(running->INIFileName(), QStringLiteral("setting.ini"));
        QCOMPARE(running->SettingLocation(), 0);
        QCOMPARE(running->RegKeyName(), QStringLiteral("RKHotKey"));
        QCOMPARE(changed.count(), 0);
        QCOMPARE(Module5::IniPath(), inProgramFolder("setting.ini"));

        RKHotKey* designed = make("RKHotKey2", {}, false);
        QSignalSpy designChanged(designed, &rt::UserControl::PropertyChanged);
        designed->setINIFileName("other.ini");
        designed->setSettingLocation(-5);
        designed->setRegKeyName("Other");
        QCOMPARE(designed->INIFileName(), QStringLiteral("other.ini"));
        QCOMPARE(designed->SettingLocation(), -5);
        QCOMPARE(designed->RegKeyName(), QStringLiteral("Other"));
        QCOMPARE(Module5::IniPath(), inProgramFolder("other.ini"));
        QStringList names;
        for (const auto& args : designChanged)
            names << args.at(0).toString();
        QCOMPARE(names, (QStringList{"INIFileName", "SettingLocation", "RegKeyName"}));
    }

    void theBagIsReadIntoTheBoxAndWrittenBackInOrder()
    {
        const rt::PropertyBag bag = bagWith({{"BackColor", "0x000000FF"},
                                             {"ForeColor", "0x00FF0000"},
                                             {"Enabled", "False"},
                                             {"BorderStyle", "0"},
                                             {"Appearance", "0"},
                                             {"ToolTipText", "\"tip\""},
                                             {"INIFileName", "\"setting.ini\""},
                                             {"SettingLocation", "2"},
                                             {"RegKeyName", "\"App\""}});
        RKHotKey* hk = make("RKHotKey1", bag, false);
        const HotKeyEdit& box = hk->txtHotKey();
        QCOMPARE(box.palette().color(QPalette::Base), QColor(255, 0, 0));
        QCOMPARE(box.palette().color(QPalette::Text), QColor(0, 0, 255));
        QVERIFY(!box.isEnabled());
        QVERIFY(!box.hasFrame());
        QCOMPARE(box.toolTip(), QStringLiteral("tip"));
        QCOMPARE(hk->BorderStyle(), 0);
        QCOMPARE(hk->Appearance(), 0);
        rt::PropertyBag out;
        hk->writeProperties(out);
        QStringList keys;
        for (const auto& e : out.entries())
            keys << e.key;
        QCOMPARE(keys, (QStringList{"BackColor", "ForeColor", "Enabled", "BorderStyle", "Appearance", "ToolTipText",
                                    "INIFileName", "SettingLocation", "RegKeyName"}));
        QCOMPARE(out.readColor("BackColor", 0), 0x000000FFu);
        QCOMPARE(out.readString("RegKeyName", {}), QStringLiteral("App"));
        QVERIFY(!out.contains("Text"));

        RKHotKey* plain = make("RKHotKey2", {}, false);
        QCOMPARE(plain->txtHotKey().palette().color(QPalette::Base), QColor(255, 255, 255)); // system window colour
        rt::PropertyBag none;
        plain->writeProperties(none);
        QVERIFY(none.entries().empty());
    }

    void theBackColourFillsTheBoxWhateverItsBorder_data()
    {
        QTest::addColumn<QString>("borderStyle");
        QTest::addColumn<QString>("appearance");
        QTest::addColumn<bool>("line"); // a one-pixel line in the text colour at the edge
        QTest::newRow("3-D") << "1" << "1" << false;
        QTest::newRow("flat") << "1" << "0" << true;
        QTest::newRow("no border") << "0" << "0" << false;
    }

    void theBackColourFillsTheBoxWhateverItsBorder()
    {
        QFETCH(QString, borderStyle);
        QFETCH(QString, appearance);
        QFETCH(bool, line);
        host->show();
        RKHotKey* hk = make("RKHotKey1", bagWith({{"BackColor", "0x000000FF"}, {"ForeColor", "0x00FF0000"},
                                                  {"BorderStyle", borderStyle}, {"Appearance", appearance}}), false);
        const auto pixels = [hk] { return hk->txtHotKey().grab().toImage(); };
        QImage image = pixels();
        const QPoint inside(image.width() - 6, image.height() / 2); // right of the text
        QCOMPARE(QColor(image.pixel(inside)), QColor(255, 0, 0));
        if (!line)
            return;
        QCOMPARE(QColor(image.pixel(0, 0)), QColor(0, 0, 255));
        QCOMPARE(QColor(image.pixel(image.width() - 1, image.height() - 1)), QColor(0, 0, 255));
        hk->setForeColor(0x0000FF00); // the line follows the text colour
        image = pixels();
        QCOMPARE(QColor(image.pixel(0, image.height() / 2)), QColor(0, 255, 0));
        QCOMPARE(QColor(image.pixel(inside)), QColor(255, 0, 0));
    }

    void everyPassThroughSetterSignalsItsName()
    {
        RKHotKey* hk = make("RKHotKey1");
        QSignalSpy changed(hk, &rt::UserControl::PropertyChanged);
        hk->setBackColor(0x00112233);
        hk->setForeColor(0x00445566);
        hk->setEnabled(false);
        hk->setFont(QFont("Sans", 12));
        hk->setBorderStyle(0);
        hk->setAppearance(0);
        hk->setToolTipText("t");
        QStringList names;
        for (const auto& args : changed)
            names << args.at(0).toString();
        QCOMPARE(names, (QStringList{"BackColor", "ForeColor", "Enabled", "Font", "BorderStyle", "Appearance", "ToolTipText"}));
        QVERIFY(!hk->Enabled());
        QCOMPARE(hk->Font().pointSize(), 12);
        QCOMPARE(hk->ToolTipText(), QStringLiteral("t"));
        bool overflow = false;
        try {
            hk->setBorderStyle(70000);
        } catch (const rt::RuntimeError& e) {
            overflow = e.number() == rt::ErrOverflow;
        }
        QVERIFY(overflow);
        QCOMPARE(hk->BorderStyle(), 0);
    }
};

QTEST_MAIN(HotkeySettingsTest)
#include "hotkey_settings_test.moc"
