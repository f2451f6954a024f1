// The picture compositor's cost per megapixel on each path, printed as a table.
#include <QGuiApplication>
#include <QImage>
#include <cstdio>
#include <random>

#include "bench/bench_timing.h"
#include "controls/button/picture_compositor.h"

using namespace glint;

namespace {

constexpr int Side = 1000; // one megapixel per call

QImage noise(QImage::Format format)
{
    QImage img(Side, Side, format);
    std::mt19937 gen(7);
    for (int y = 0; y < Side; ++y) {
        auto* line = reinterpret_cast<uint32_t*>(img.scanLine(y));
        for (int x = 0; x < Side; ++x)
            line[x] = gen() | (format == QImage::Format_RGB32 ? 0xFF000000u : 0u);
    }
    return img;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const PictureTables tables = buildPictureTables();
    const QImage src24 = noise(QImage::Format_RGB32), src32 = noise(QImage::Format_ARGB32);
    rt::PixelSurface surface;
    surface.resize(Side, Side);

    struct Case {
        const char* name;
        bool path32;
        Blend blend;
        int32_t solid;
    };
    Blend opaque;
    opaque.tables = &tables;
    Blend half = opaque;
    half.opacity = 128;
    Blend brighten = half;
    brighten.effect = EffectBrighten;
    Blend grey = opaque;
    grey.opacity = 191;
    grey.greyscale = true;
    const Case cases[] = {
        {"24-bit, opacity 255", false, opaque, NoSolid},
        {"24-bit, opacity 128", false, half, NoSolid},
        {"24-bit, opacity 128, brighten", false, brighten, NoSolid},
        {"24-bit, greyed 191", false, grey, NoSolid},
        {"24-bit, silhouette", false, opaque, 0x00C0C0C0},
        {"32-bit alpha, opacity 255", true, opaque, NoSolid},
        {"32-bit alpha, opacity 128, brighten", true, brighten, NoSolid},
    };

    std::printf("%-38s %14s %14s\n", "compositor path", "ms / Mpixel", "Mpixel / s");
    for (const Case& c : cases) {
        const double ms = bench::bestTimePerCall<std::milli>([&] {
            if (c.path32)
                BlendPicture32(surface, 0, 0, src32, c.solid, c.blend);
            else
                BlendPicture24(surface, 0, 0, src24, c.solid, c.blend);
        });
        std::printf("%-38s %14.2f %14.1f\n", c.name, ms, 1000.0 / ms);
    }
    return 0;
}
