// Windows built from design data: placement, containers, tab order, the
// ambient run mode handed to user controls, and what the host leaves to them.
#include <QTemporaryDir>
#include <QtTest>

#include "app/control_kinds.h"
#include "controls/hotkey/rk_hotkey.h"
#include "runtime/controls.h"
#include "runtime/form.h"
#include "support/test_services.h"

namespace {

const char* const Design = R"(
[Form7]
Kind = Form
Caption = "Seven"
ClientWidth = 3000
ClientHeight = 1500

[Frame1]
Kind = Frame
Left = 150
Top = 150
Width = 1500
Height = 900
Caption = "Box"

[Text1]
Kind = TextBox
Container = Frame1
Left = 150
Top = 300
Width = 600
Height = 300
TabIndex = 2

[Label1]
Kind = Label
Left = 1800
Top = 150
Width = 600
Height = 255
TabIndex = 0
Caption = "L"
ToolTipText = "tip"

[Keys1]
Kind = RKHotKey
Left = 1800
Top = 600
Width = 1095
Height = 375
TabIndex = 1
Enabled = False

[Check1]
Kind = CheckBox
Left = 1800
Top = 1050
Width = 900
Height = 300
TabIndex = 3
Value = 1
)";

} // namespace

class FormLoaderTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    QString path;

private slots:
    void initTestCase()
    {
        path = dir.filePath(QStringLiteral("form7.frm"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(Design);
    }

    void placesControlsInTheirContainersInPixels()
    {
        TestServices t;
        rt::Form form(t.services, path, makeControlFactory());
        form.Load();
        QCOMPARE(form.windowTitle(), QStringLiteral("Seven"));
        QCOMPARE(form.size(), QSize(200, 100));
        auto* text = form.control<rt::TextBox>(QStringLiteral("text1"));
        QVERIFY(text);
        QCOMPARE(text->parentWidget(), form.controlObject(QStringLiteral("Frame1")));
        QCOMPARE(text->geometry(), QRect(10, 20, 40, 20));
        QCOMPARE(form.control<rt::Label>(QStringLiteral("Label1"))->toolTip(), QStringLiteral("tip"));
        QCOMPARE(form.control<rt::CheckBox>(QStringLiteral("Check1"))->Value(), 1);
    }

    void tabOrderSkipsControlsThatTakeNoFocus()
    {
        TestServices t;
        rt::Form form(t.services, path, makeControlFactory());
        form.Load();
        auto* keys = form.control<RKHotKey>(QStringLiteral("Keys1"));
        auto* text = form.control<QWidget>(QStringLiteral("Text1"));
        auto* check = form.control<QWidget>(QStringLiteral("Check1"));
        // Keys1 (1) comes before Text1 (2) although it was created after it.
        QWidget* w = keys;
        QList<QWidget*> visited;
        for (int i = 0; i < 12 && visited.size() < 3; ++i) {
            w = w->nextInFocusChain();
            if (w == text || w == check || w == keys)
                visited << w;
        }
        QCOMPARE(visited, (QList<QWidget*>{text, check, keys}));
    }

    void userControlsReadTheirOwnEntries()
    {
        TestServices t;
        rt::Form form(t.services, path, makeControlFactory());
        form.Load();
        auto* keys = form.control<RKHotKey>(QStringLiteral("Keys1"));
        QVERIFY(keys->ambient().userMode);
        QCOMPARE(keys->extenderName(), QStringLiteral("Keys1"));
        QVERIFY(!keys->Enabled());
        // The host does not disable the control behind its back: the property alone decides.
        keys->setEnabled(true);
        QVERIFY(keys->Enabled());
        QVERIFY(keys->isEnabled());
    }

    void designerModeRunsNoLoadHandlerAndTellsTheControls()
    {
        TestServices t;
        rt::Form form(t.services, path, makeControlFactory());
        form.loadForDesigner();
        QVERIFY(!form.isLoaded());
        QVERIFY(!form.control<RKHotKey>(QStringLiteral("Keys1"))->ambient().userMode);
    }

    void unloadRunsOnceAndTheWindowGoes()
    {
        TestServices t;
        QPointer<rt::Form> form = new rt::Form(t.services, path, makeControlFactory());
        QSignalSpy unloaded(form.data(), &rt::Form::Unloaded);
        form->Show();
        form->close();
        form->Unload();
        QCOMPARE(unloaded.count(), 1);
        QTRY_VERIFY(form.isNull());
    }
};

QTEST_MAIN(FormLoaderTest)
#include "form_loader_test.moc"
