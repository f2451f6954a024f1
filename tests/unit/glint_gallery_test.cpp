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
    const QStringList bad[] = {
        {},
        {QStringLiteral("--style"), QStringLiteral("14"), QStringLiteral("--scheme"), QStringLiteral("0"),
         QStringLiteral("--state"), QStringLiteral("normal"), QStringLiteral("--out"), out},
        {QStringLiteral("--style"), QStringLiteral("2"), QStringLiteral("--scheme"), QStringLiteral("0"),
         QStringLiteral("--state"), QStringLiteral("pressed"), QStringLiteral("--out"), out},
        {QStringLiteral("--style"), QStringLiteral("2"), QStringLiteral("--scheme"), QStringLiteral("0"),
         QStringLiteral("--state"), QStringLiteral("hot"), QStringLiteral("--size"), QStringLiteral("80by20"),
         QStringLiteral("--out"), out},
        {QStringLiteral("--style"), QStringLiteral("2"), QStringLiteral("--scheme"), QStringLiteral("0"),
         QStringLiteral("--state"), QStringLiteral("hot"), QStringLiteral("--backcolor"), QStringLiteral("red"),
         QStringLiteral("--out"), out},
        {QStringLiteral("--style"), QStringLiteral("2"), QStringLiteral("--scheme"), QStringLiteral("0"),
         QStringLiteral("--state"), QStringLiteral("hot")}, // no --out
        {QStringLiteral("--sheet"), out, QStringLiteral("--style"), QStringLiteral("2")},
        {QStringLiteral("--colour"), QStringLiteral("1")},
        {QStringLiteral("--style")},
    };
    for (const QStringList& args : bad) {
        const Outcome r = gallery(args);
        EXPECT_EQ(r.exitCode, 2) << args.join(u' ').toStdString();
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
