// The gallery program run from outside: what it refuses and the one file it writes.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

namespace {

struct Outcome {
    int exitCode = -1;
    QString stderrText;
};

Outcome gallery(const QStringList& args)
{
    QProcess p;
    p.start(QStringLiteral(GLINT_GALLERY_PATH), args);
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit)
        return {};
    return {p.exitCode(), QString::fromLocal8Bit(p.readAllStandardError())};
}

class GlintGallery : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        static int argc = 1;
        static char name[] = "glint_gallery_test";
        static char* argv[] = {name, nullptr};
        static QCoreApplication app(argc, argv);
    }
    QTemporaryDir dir;
    QString file(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
};

} // namespace

TEST_F(GlintGallery, BadArgumentsGetOneLineAndStatus2)
{
    const QString out = file("bad.png");
    const char* const bad[] = {
        "",
        "--style 14 --scheme 0 --state normal --out OUT",
        "--style 2 --scheme 0 --state pressed --out OUT",
        "--style 2 --scheme 0 --state hot --size 80by20 --out OUT",
        "--style 2 --scheme 0 --state hot --size 10x20 --out OUT", // below the control's smallest size
        "--style 2 --scheme 0 --state hot --backcolor red --out OUT",
        "--style 2 --scheme 0 --state hot",
        "--sheet OUT --style 2",
        "--tooltip-sheet OUT --style 2",
        "--sheet OUT --tooltip-sheet OUT",
        "--colour 1",
        "--style",
    };
    for (const char* line : bad) {
        QStringList args = QString::fromLatin1(line).split(u' ', Qt::SkipEmptyParts);
        args.replaceInStrings(QStringLiteral("OUT"), out);
        const Outcome r = gallery(args);
        EXPECT_EQ(r.exitCode, 2) << line;
        EXPECT_EQ(r.stderrText.count(u'\n'), 1) << r.stderrText.toStdString();
        EXPECT_TRUE(r.stderrText.startsWith(u"glint_gallery: ")) << r.stderrText.toStdString();
    }
    EXPECT_FALSE(QFile::exists(out));
}

TEST_F(GlintGallery, OneButtonIsItsOwnSizeWithTheCornersCutAway)
{
    const QString out = file("button.png");
    const Outcome r = gallery({QStringLiteral("--style"), QStringLiteral("2"), QStringLiteral("--scheme"),
                           QStringLiteral("1"), QStringLiteral("--state"), QStringLiteral("hot"),
                           QStringLiteral("--size"), QStringLiteral("70x23"), QStringLiteral("--out"), out});
    ASSERT_EQ(r.exitCode, 0) << r.stderrText.toStdString();
    const QImage img(out);
    ASSERT_EQ(img.size(), QSize(70, 23));
    ASSERT_TRUE(img.hasAlphaChannel());
    for (const QPoint corner : {QPoint(0, 0), QPoint(69, 0), QPoint(0, 22), QPoint(69, 22)})
        EXPECT_EQ(qAlpha(img.pixel(corner)), 0) << corner.x() << "," << corner.y();
    // Inside the shape everything is opaque; the frame of scheme 1 is green.
    EXPECT_EQ(qAlpha(img.pixel(35, 0)), 255);
    EXPECT_EQ(img.pixel(35, 0), qRgb(55, 98, 6));
    EXPECT_EQ(qAlpha(img.pixel(35, 11)), 255);
}

TEST_F(GlintGallery, TooltipSheetShowsTheSystemAndTheChosenBackground)
{
    const QString out = file("tooltips.png");
    const Outcome r = gallery({QStringLiteral("--tooltip-sheet"), out});
    ASSERT_EQ(r.exitCode, 0) << r.stderrText.toStdString();
    const QImage img = QImage(out).convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(img.isNull());
    int systemBack = 0, chosenBack = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            systemBack += img.pixel(x, y) == qRgb(255, 255, 225);
            chosenBack += img.pixel(x, y) == qRgb(255, 224, 192); // 0x00C0E0FF
        }
    EXPECT_GT(systemBack, 1000);
    EXPECT_GT(chosenBack, 1000);
}
