// The program's artwork as the windows' design data names it: every picture,
// icon and pointer exists, at the size it is drawn, and the hand pointer
// clicks with its fingertip.
#include <QIcon>
#include <QImage>
#include <QtTest>

#include "runtime/form_design.h"

namespace {

const QStringList Windows{":/forms/form1.frm", ":/forms/form2.frm", ":/forms/form3.frm"};

QSet<QSize> sizesOf(const QIcon& icon)
{
    QSet<QSize> out;
    for (const QSize& s : icon.availableSizes())
        out.insert(s);
    return out;
}

} // namespace

class AboutArtworkTest : public QObject {
    Q_OBJECT

private slots:
    void everyPictureFillsItsControlExactly()
    {
        int pictures = 0;
        for (const QString& path : Windows) {
            const rt::FormDesign design = rt::loadFormDesign(path);
            for (const rt::ControlDesign& c : design.controls) {
                const QString file = c.bag.readString(QStringLiteral("Picture"), {});
                if (file.isEmpty())
                    continue;
                ++pictures;
                const QImage image(file);
                QVERIFY2(!image.isNull(), qPrintable(c.name + u' ' + file));
                const QSize box(rt::twipsToPixels(c.bag.readInt(QStringLiteral("Width"), 0)),
                                rt::twipsToPixels(c.bag.readInt(QStringLiteral("Height"), 0)));
                QCOMPARE(image.size(), box);
            }
        }
        QCOMPARE(pictures, 5); // the banner and Image1, Image2, Image4, Image5
    }

    void bannerIsFullWidthAndTheSmallPicturesAreIcons_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QSize>("size");
        QTest::newRow("banner") << ":/art/banner.png" << QSize(310, 65);
        QTest::newRow("about") << ":/art/about16.png" << QSize(16, 16);
        QTest::newRow("home page") << ":/art/web16.png" << QSize(16, 16);
        QTest::newRow("tip") << ":/art/tip16.png" << QSize(16, 16);
        QTest::newRow("lock") << ":/art/lock32.png" << QSize(32, 32);
    }

    void bannerIsFullWidthAndTheSmallPicturesAreIcons()
    {
        QFETCH(QString, file);
        QFETCH(QSize, size);
        const QImage image(file);
        QCOMPARE(image.size(), size);
        // Drawn, not blank: more than a handful of colours.
        QSet<QRgb> colours;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                colours.insert(image.pixel(x, y));
        QVERIFY(colours.size() > 8);
    }

    void windowIconsHaveTheirSizes_data()
    {
        QTest::addColumn<QString>("design");
        QTest::addColumn<QSet<QSize>>("sizes");
        QTest::newRow("main") << ":/forms/form1.frm" << QSet<QSize>{{32, 32}};
        QTest::newRow("about") << ":/forms/form2.frm" << QSet<QSize>{{32, 32}};
        QTest::newRow("hotkeys") << ":/forms/form3.frm" << QSet<QSize>{{48, 48}, {32, 32}, {16, 16}};
    }

    void windowIconsHaveTheirSizes()
    {
        QFETCH(QString, design);
        QFETCH(QSet<QSize>, sizes);
        const QString icon = rt::loadFormDesign(design).window.bag.readString(QStringLiteral("Icon"), {});
        QVERIFY(!icon.isEmpty());
        QCOMPARE(sizesOf(QIcon(icon)), sizes);
    }

    void everyClickablePictureAndLinkUsesTheHandWithItsHotSpot()
    {
        int pointers = 0;
        for (const QString& path : Windows)
            for (const rt::ControlDesign& c : rt::loadFormDesign(path).controls) {
                if (!c.bag.contains(QStringLiteral("MouseIcon")))
                    continue;
                ++pointers;
                QCOMPARE(c.bag.readString(QStringLiteral("MouseIcon"), {}), QStringLiteral(":/art/hand.png"));
                QCOMPARE(c.bag.readString(QStringLiteral("MouseIconHotSpot"), {}), QStringLiteral("6,0"));
            }
        QCOMPARE(pointers, 8); // Form1's Image1 to Image5 and Label7, Form2's Label6 and Label7
    }

    void handIsMonochromeAndClicksWithItsFingertip()
    {
        const QImage hand = QImage(QStringLiteral(":/art/hand.png")).convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(hand.size(), QSize(32, 32));
        int topmost = hand.height();
        for (int y = 0; y < hand.height(); ++y)
            for (int x = 0; x < hand.width(); ++x) {
                const QRgb p = hand.pixel(x, y);
                if (qAlpha(p) == 0)
                    continue;
                QCOMPARE(qAlpha(p), 255);
                QVERIFY2(p == qRgb(0, 0, 0) || p == qRgb(255, 255, 255), qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
                topmost = std::min(topmost, y);
            }
        // The hot spot (6, 0) is on the outline of the fingertip, the hand's highest point.
        QCOMPARE(topmost, 0);
        QCOMPARE(hand.pixel(6, 0), qRgb(0, 0, 0));
        // The finger below it is filled, so the tip reads as a finger, not a stray dot.
        QCOMPARE(hand.pixel(6, 4), qRgb(255, 255, 255));
    }
};

QTEST_MAIN(AboutArtworkTest)
#include "about_artwork_test.moc"
