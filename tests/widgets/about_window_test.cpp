// The About window: its layout from the design data, its links, and how the
// main window opens it, reuses it and unloads it.
#include <QApplication>
#include <QFontDatabase>
#include <QPointer>
#include <QPushButton>
#include <QtTest>

#include "app/form1.h"
#include "app/form2.h"
#include "app/maker.h"
#include "runtime/form_design.h"
#include "support/test_services.h"

namespace {

QRect twips(int left, int top, int width, int height)
{
    return {rt::twipsToPixels(left), rt::twipsToPixels(top), rt::twipsToPixels(width), rt::twipsToPixels(height)};
}

int visibleAboutWindows()
{
    int n = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<Form2*>(w) && w->isVisible())
            ++n;
    return n;
}

void click(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(3, 3)); }

} // namespace

class AboutWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestServices> t;
    QPointer<Form1> main;

    Form2* openAbout()
    {
        click(main->Image1);
        return main->aboutWindow();
    }
    const std::vector<QString>& opened() const { return t->fake.shell->opened; }

private slots:
    void init()
    {
        t = std::make_unique<TestServices>();
        main = new Form1(t->services);
        main->Show();
    }

    void cleanup()
    {
        // As the user ends the program: closing the main window takes the About window with it.
        if (main)
            main->close();
        QTRY_VERIFY(!main);
        QTRY_COMPARE(visibleAboutWindows(), 0);
        t.reset();
    }

    void image1OpensOneAboutWindowHoweverOftenClicked()
    {
        QVERIFY(!main->aboutWindow()); // created only when first asked for
        Form2* first = openAbout();
        QVERIFY(first);
        QVERIFY(first->isVisible());
        QCOMPARE(first->windowTitle(), QStringLiteral("关于Vorlin"));
        QCOMPARE(openAbout(), first);
        first->Hide();
        QCOMPARE(openAbout(), first); // hidden but loaded: shown again
        QVERIFY(first->isVisible());
        QCOMPARE(visibleAboutWindows(), 1);
        QVERIFY(opened().empty());
    }

    void closedAboutWindowIsMadeAfreshOnTheNextClick()
    {
        QPointer<Form2> first = openAbout();
        first->close(); // the title-bar close box
        QVERIFY(!first->isLoaded());
        QTRY_VERIFY(!first);
        Form2* second = openAbout();
        QVERIFY(second);
        QVERIFY(second->isVisible());
        QCOMPARE(visibleAboutWindows(), 1);
    }

    void closingTheMainWindowUnloadsTheAboutWindow()
    {
        QPointer<Form2> about = openAbout();
        main->close();
        QVERIFY(!about || !about->isVisible());
        QTRY_VERIFY(!about);
        QTRY_VERIFY(!main);
    }

    void closingTheMainWindowWithoutAboutWindowIsQuiet()
    {
        main->close();
        QTRY_VERIFY(!main);
        QCOMPARE(visibleAboutWindows(), 0);
    }

    void homePagePicturesAndLinkOpenTheHomePage()
    {
        click(main->Image2);
        click(main->Image3);
        Form2* about = openAbout();
        click(about->Label6);
        const QString home = maker::HomePage.toString();
        QCOMPARE(opened(), (std::vector<QString>{home, home, home}));
    }

    void feedbackLinkAsksForANewMail()
    {
        Form2* about = openAbout();
        click(about->Label7);
        QCOMPARE(opened(), std::vector<QString>{QStringLiteral("mailto:feedback@vorlin.invalid")});
    }

    void otherClicksOpenNothing()
    {
        Form2* about = openAbout();
        for (const char* name : {"Label1", "Label2", "Label3", "Label4", "Label5", "Frame1"})
            click(about->control<QWidget>(QString::fromLatin1(name)));
        QTest::mouseClick(about->Label6, Qt::RightButton, {}, QPoint(3, 3));
        QVERIFY(opened().empty());
    }

    void missingShellIsHarmless()
    {
        t->fake.platform.shell.reset();
        Form2* about = openAbout();
        click(about->Label6);
        click(about->Label7);
        click(main->Image2);
        QVERIFY(about->isVisible());
    }

    void windowHasItsDesignedSizeAndNoButtons()
    {
        Form2* about = openAbout();
        QCOMPARE(about->size(), QSize(rt::twipsToPixels(4755), rt::twipsToPixels(4020)));
        QVERIFY(about->findChildren<QPushButton*>().isEmpty());
        QVERIFY(!(about->windowFlags() & Qt::WindowMaximizeButtonHint));
        QCOMPARE(about->windowIcon().availableSizes(), QList<QSize>{QSize(32, 32)});
    }

    void controlsHaveTheirPlaceAndCaption_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("parent");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<QString>("caption");
        const QString form = QStringLiteral("Form2");
        QTest::newRow("Label1") << "Label1" << form << twips(360, 360, 2295, 255) << "软件名：Vorlin";
        QTest::newRow("Label2") << "Label2" << form << twips(360, 840, 2055, 375) << "软件版本：1.0";
        QTest::newRow("Label7") << "Label7" << form << twips(3480, 120, 1215, 375) << "BUG/意见反馈";
        QTest::newRow("Frame1") << "Frame1" << form << twips(360, 1440, 4095, 1935) << "软件简介";
        QTest::newRow("Label3") << "Label3" << "Frame1" << twips(120, 360, 3495, 375)
                                << "本软件由C++编写，具有安全，小巧，绿色的特点。";
        QTest::newRow("Label4") << "Label4" << "Frame1" << twips(120, 840, 3735, 975)
                                << "本程序特别适合在反复要求鼠标点击的网页，游戏，软件中，能够很好的解放您的双手。"
                                   "通过本程序您可以轻松设置鼠标点击的频率，所需点击的坐标等，并且可以自由设置热键，绝对好用！";
        QTest::newRow("Label5") << "Label5" << form << twips(360, 3480, 1815, 255) << "技术支持：Vorlin";
        QTest::newRow("Label6") << "Label6" << form << twips(2520, 3480, 2175, 255) << " https://vorlin.invalid/";
    }

    void controlsHaveTheirPlaceAndCaption()
    {
        QFETCH(QString, name);
        QFETCH(QString, parent);
        QFETCH(QRect, geometry);
        QFETCH(QString, caption);
        Form2* about = openAbout();
        auto* w = about->control<QWidget>(name);
        QVERIFY(w);
        QCOMPARE(w->parentWidget()->objectName(), parent);
        QCOMPARE(w->geometry(), geometry);
        if (auto* label = qobject_cast<rt::Label*>(w))
            QCOMPARE(label->Caption(), caption);
        else
            QCOMPARE(qobject_cast<rt::Frame*>(w)->title(), caption);
    }

    void theTwoSentencesInTheFrameWrap()
    {
        Form2* about = openAbout();
        for (const char* name : {"Label1", "Label2", "Label5", "Label6", "Label7"})
            QVERIFY2(!about->control<rt::Label>(QString::fromLatin1(name))->wordWrap(), name);
        QVERIFY(about->control<rt::Label>(QStringLiteral("Label3"))->wordWrap());
        QVERIFY(about->control<rt::Label>(QStringLiteral("Label4"))->wordWrap());
    }

    void everyTextFitsItsBox()
    {
        Form2* about = openAbout();
        for (auto* label : about->findChildren<rt::Label*>()) {
            const QFontMetrics m(label->font());
            const int flags = label->wordWrap() ? Qt::TextWordWrap : Qt::TextSingleLine;
            const QRect need = m.boundingRect(QRect(0, 0, label->width(), 10000), flags, label->Caption());
            QVERIFY2(need.width() <= label->width() && need.height() <= label->height(),
                     qPrintable(QStringLiteral("%1 needs %2x%3 in %4x%5")
                                    .arg(label->objectName())
                                    .arg(need.width())
                                    .arg(need.height())
                                    .arg(label->width())
                                    .arg(label->height())));
        }
    }

    void tabIndicesFollowTheDesign()
    {
        Form2* about = openAbout();
        const QStringList expected{"Label1", "Label2", "Frame1", "Label3", "Label4", "Label5", "Label6", "Label7"};
        for (const QString& name : expected)
            QCOMPARE(about->design().control(name)->bag.readInt(QStringLiteral("TabIndex"), -1), expected.indexOf(name));
        // Labels and the frame take no focus, so Tab has nothing to visit here.
        for (const QString& name : expected)
            QCOMPARE(about->control<QWidget>(name)->focusPolicy(), Qt::NoFocus);
    }

    void linksAreUnderlinedRedOrPlainWithTheHandCursor()
    {
        Form2* about = openAbout();
        for (rt::Label* link : {about->Label6, about->Label7}) {
            const QFont f = link->font();
            QVERIFY(f.underline());
            QCOMPARE(f.pointSizeF(), 9.0);
            QCOMPARE(f.weight(), QFont::Normal);
            QCOMPARE(f.families().value(0), QStringLiteral("宋体"));
            // Where SimSun is missing an installed CJK face stands in.
            const QStringList families = f.families();
            QVERIFY(std::any_of(families.begin(), families.end(), [](const QString& fam) {
                return QFontDatabase::hasFamily(fam) && QFontDatabase::writingSystems(fam).contains(QFontDatabase::SimplifiedChinese);
            }));
            QCOMPARE(link->cursor().shape(), Qt::BitmapCursor);
            QCOMPARE(link->cursor().hotSpot(), QPoint(6, 0));
            QCOMPARE(link->cursor().pixmap().size(), QSize(32, 32));
        }
        QCOMPARE(about->Label6->palette().color(QPalette::WindowText), QColor(255, 0, 0));
        QVERIFY(about->Label7->palette().color(QPalette::WindowText) != QColor(255, 0, 0));
        // The other labels keep the window's font and the arrow.
        auto* plain = about->control<rt::Label>(QStringLiteral("Label5"));
        QVERIFY(!plain->font().underline());
        QVERIFY(!plain->testAttribute(Qt::WA_SetCursor));
    }

    void mainWindowPicturesSayWhereTheyLead()
    {
        QCOMPARE(main->Image1->toolTip(), QStringLiteral("关于"));
        QCOMPARE(main->Image2->toolTip(), maker::supportText());
        QCOMPARE(main->Image3->toolTip(), maker::supportText());
        for (rt::Picture* p : {main->Image1, main->Image2, main->Image3}) {
            QCOMPARE(p->cursor().shape(), Qt::BitmapCursor);
            QCOMPARE(p->cursor().hotSpot(), QPoint(6, 0));
        }
    }
};

QTEST_MAIN(AboutWindowTest)
#include "about_window_test.moc"
