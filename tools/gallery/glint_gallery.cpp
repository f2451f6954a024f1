// glint_gallery: draws the styled button without a display and writes PNG
// files: one button exactly as the control's surface holds it, a contact
// sheet of every style against every state and scheme, or a sheet of the
// button's tooltip in its shapes and options.
#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QScreen>
#include <QRegion>
#include <QStringList>
#include <QWidget>
#include <cstdio>
#include <optional>

#include "controls/button/glintbutton.h"
#include "platform/platform.h"
#include "platform/system_colors.h"
#include "runtime/form_design.h"
#include "runtime/message_box.h"
#include "runtime/services.h"

using namespace glint;

namespace {

const char* const Usage =
    "usage: glint_gallery --sheet FILE.png | glint_gallery --tooltip-sheet FILE.png | glint_gallery --style N --scheme N --state normal|hot|down"
    " [--disabled] [--checked] [--focus] [--active] [--default] [--size WxH] [--caption TEXT]"
    " [--backcolor 0xBBGGRR] [--dropdown N] [--separator] --out FILE.png";

// One button to draw.
struct ButtonSpec {
    int style = 0;
    int scheme = 0;
    int state = StateNormal;
    bool disabled = false;
    bool checked = false;
    bool focus = false;
    bool active = false;
    bool asDefault = false;
    int width = 65; // the main window's start button
    int height = 41;
    QString caption = QStringLiteral("Glint");
    std::optional<uint32_t> backColor;
    int dropDown = SymbolNone;
    bool separator = false;
};

struct Options {
    QString sheet; // write the contact sheet here
    QString tooltipSheet; // or the tooltip sheet here
    QString out;   // or the one button here
    ButtonSpec button;
};

std::optional<int> parseInt(const QString& text, int low, int high)
{
    bool ok = false;
    const int v = text.toInt(&ok, 10);
    if (!ok || v < low || v > high)
        return std::nullopt;
    return v;
}

// Reads the arguments after the program name; the message names what is wrong.
std::optional<Options> parseArguments(const QStringList& args, QString& error)
{
    Options o;
    bool haveStyle = false, haveScheme = false, haveState = false, buttonOption = false;
    const int smallest = rt::twipsToPixels(MinimumSizeTwips);
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        const auto value = [&]() -> std::optional<QString> {
            if (i + 1 >= args.size())
                return std::nullopt;
            return args[++i];
        };
        const auto needs = [&](const char* what) {
            error = QStringLiteral("%1 needs %2").arg(a, QString::fromLatin1(what));
            return std::nullopt;
        };
        if (a == u"--sheet" || a == u"--tooltip-sheet" || a == u"--out") {
            const auto v = value();
            if (!v || v->isEmpty())
                return needs("a file name");
            (a == u"--sheet" ? o.sheet : a == u"--out" ? o.out : o.tooltipSheet) = *v;
            continue;
        }
        buttonOption = true;
        if (a == u"--style") {
            const auto v = value();
            const auto n = v ? parseInt(*v, 0, StyleThemed) : std::nullopt;
            if (!n)
                return needs("a style from 0 to 13");
            o.button.style = *n;
            haveStyle = true;
        } else if (a == u"--scheme") {
            const auto v = value();
            const auto n = v ? parseInt(*v, 0, 255) : std::nullopt;
            if (!n)
                return needs("a scheme from 0 to 255 (0 blue, 1 olive, 2 silver, 3 custom)");
            o.button.scheme = *n;
            haveScheme = true;
        } else if (a == u"--state") {
            const auto v = value();
            static const QStringList names{QStringLiteral("normal"), QStringLiteral("hot"), QStringLiteral("down")};
            const int state = v ? int(names.indexOf(*v)) : -1;
            if (state < 0)
                return needs("normal, hot or down");
            o.button.state = state;
            haveState = true;
        } else if (a == u"--size") {
            const auto v = value();
            const QStringList wh = v ? v->split(u'x') : QStringList();
            const auto w = wh.size() == 2 ? parseInt(wh[0], smallest, 4096) : std::nullopt;
            const auto h = wh.size() == 2 ? parseInt(wh[1], smallest, 4096) : std::nullopt;
            if (!w || !h) {
                error = QStringLiteral("--size needs WxH, each from %1 to 4096").arg(smallest);
                return std::nullopt;
            }
            o.button.width = *w;
            o.button.height = *h;
        } else if (a == u"--caption") {
            const auto v = value();
            if (!v)
                return needs("a text");
            o.button.caption = *v;
        } else if (a == u"--backcolor") {
            const auto v = value();
            bool ok = false;
            const uint32_t c = v && v->startsWith(u"0x", Qt::CaseInsensitive) ? v->mid(2).toUInt(&ok, 16) : 0;
            if (!ok)
                return needs("a colour 0xBBGGRR");
            o.button.backColor = c;
        } else if (a == u"--dropdown") {
            const auto v = value();
            const auto n = v ? parseInt(*v, 0, 99) : std::nullopt;
            if (!n)
                return needs("a symbol code (0 none, 3 left, 4 right, 5 up, 6 down)");
            o.button.dropDown = *n;
        } else if (a == u"--separator") {
            o.button.separator = true;
        } else if (a == u"--disabled") {
            o.button.disabled = true;
        } else if (a == u"--checked") {
            o.button.checked = true;
        } else if (a == u"--focus") {
            o.button.focus = true;
        } else if (a == u"--active") {
            o.button.active = true;
        } else if (a == u"--default") {
            o.button.asDefault = true;
        } else {
            error = QStringLiteral("unknown argument %1").arg(a);
            return std::nullopt;
        }
    }
    if (!o.sheet.isEmpty() || !o.tooltipSheet.isEmpty()) {
        if (int(!o.sheet.isEmpty()) + int(!o.tooltipSheet.isEmpty()) + int(!o.out.isEmpty()) > 1 || buttonOption) {
            error = QStringLiteral("a sheet takes no other options");
            return std::nullopt;
        }
        return o;
    }
    if (o.out.isEmpty() || !haveStyle || !haveScheme || !haveState) {
        error = QStringLiteral("one button needs --style, --scheme, --state and --out");
        return std::nullopt;
    }
    return o;
}

// The image with the pixels outside the window shape made transparent.
QImage cutOut(const QImage& face, const QRegion& shape)
{
    QImage out(face.size(), QImage::Format_ARGB32);
    out.fill(Qt::transparent);
    for (const QRect& r : shape)
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                if (face.rect().contains(x, y))
                    out.setPixel(x, y, face.pixel(x, y));
    return out;
}

// Draws one button on a real control and returns its surface, with the
// pixels outside the control's window shape made transparent.
QImage drawButton(rt::Services& services, const ButtonSpec& s)
{
    QWidget host;
    auto* b = new Glintbutton(services, &host);
    b->setAmbient({true, QStringLiteral("Glintbutton1"), QApplication::font(), false});
    b->initProperties();
    b->setGeometry(0, 0, s.width, s.height);
    b->setButtonStyle(s.style);
    b->setColorScheme(s.scheme);
    if (s.backColor)
        b->setBackColor(*s.backColor);
    b->setCaption(s.caption);
    b->setDropDownSymbol(s.dropDown);
    b->setDropDownSeparator(s.separator);
    if (s.checked) {
        b->setMode(ModeCheck);
        b->setValue(true);
    }
    b->setEnabled(!s.disabled);
    b->setHasFocus(s.focus);
    b->setParentActive(s.active);
    b->setShowAsDefault(s.asDefault);
    b->setMouseOver(s.state != StateNormal);
    b->setLeftDown(s.state == StateDown);
    b->setButtonState(s.state);
    b->Resize(); // the window shape and the face at this size

    return cutOut(b->surface().image(), b->mask().isEmpty() ? QRegion(b->rect()) : b->mask());
}

// Every style against every state and scheme, one row per style and scheme.
QImage drawSheet(rt::Services& services)
{
    struct Column {
        const char* label;
        void (*apply)(ButtonSpec&);
    };
    static const Column columns[] = {
        {"normal", [](ButtonSpec&) {}},
        {"hot", [](ButtonSpec& s) { s.state = StateHot; }},
        {"down", [](ButtonSpec& s) { s.state = StateDown; }},
        {"disabled", [](ButtonSpec& s) { s.disabled = true; }},
        {"checked", [](ButtonSpec& s) { s.checked = true; }},
        {"focused,\nactive", [](ButtonSpec& s) { s.focus = s.active = true; }},
        {"default,\nactive", [](ButtonSpec& s) { s.asDefault = s.active = true; }},
    };
    static const char* const schemes[] = {"blue", "olive", "silver", "custom"};
    constexpr int Styles = 14, Schemes = 4, CellW = 84, CellH = 30, Gap = 8, LabelW = 130, HeaderH = 40;
    constexpr int Columns = int(std::size(columns));

    QImage sheet(LabelW + Columns * (CellW + Gap) + Gap, HeaderH + Styles * Schemes * (CellH + Gap) + Gap,
                 QImage::Format_ARGB32);
    sheet.fill(QColor(0xEE, 0xEE, 0xEE));
    QPainter p(&sheet);
    p.setPen(Qt::black);
    for (int c = 0; c < Columns; ++c)
        p.drawText(QRect(LabelW + c * (CellW + Gap), 0, CellW + Gap, HeaderH), Qt::AlignHCenter | Qt::AlignBottom,
                   QString::fromLatin1(columns[c].label));
    for (int style = 0; style < Styles; ++style) {
        for (int scheme = 0; scheme < Schemes; ++scheme) {
            const int top = HeaderH + (style * Schemes + scheme) * (CellH + Gap);
            if (scheme == 0 && style > 0) {
                p.setPen(QColor(0xB0, 0xB0, 0xB0));
                p.drawLine(0, top - Gap / 2, sheet.width(), top - Gap / 2);
                p.setPen(Qt::black);
            }
            p.drawText(QRect(Gap, top, LabelW - Gap, CellH), Qt::AlignVCenter | Qt::AlignLeft,
                       QStringLiteral("style %1, %2").arg(style).arg(QString::fromLatin1(schemes[scheme])));
            for (int c = 0; c < Columns; ++c) {
                ButtonSpec s;
                s.style = style;
                s.scheme = scheme;
                s.width = CellW;
                s.height = CellH;
                columns[c].apply(s);
                p.drawImage(LabelW + c * (CellW + Gap) + Gap / 2, top, drawButton(services, s));
            }
        }
    }
    return sheet;
}

// The tooltip of a hot button in its four kinds, each drawn as its window
// shows it, with a cross at the cursor it points at.
QImage drawTooltipSheet(rt::Services& services)
{
    struct Variant {
        const char* label;
        int type;
        const char* title;
        int icon;
        uint32_t backColor;
        bool rightToLeft;
    };
    static const Variant variants[] = {
        {"rectangle", TipStandard, "", TipIconNone, 0, false},
        {"rectangle, title, warning icon,\nTooltipBackColor 0x80000005", TipStandard, "Clicking", TipIconWarning,
         0x80000005, false},
        {"balloon, title, information icon", TipBalloon, "Start clicking", TipIconInfo, 0, false},
        {"balloon, right to left, error icon,\nTooltipBackColor 0x00C0E0FF", TipBalloon, "Stop", TipIconError,
         0x00C0E0FF, true},
    };
    constexpr int CellW = 300, CellH = 140, LabelH = 36, Gap = 16;
    // Far from the screen's edges, so no tooltip has to move to stay on it.
    const QPoint cursor = QGuiApplication::primaryScreen()->availableGeometry().center();
    QImage sheet(2 * CellW + 3 * Gap, 2 * (CellH + LabelH) + 3 * Gap, QImage::Format_ARGB32);
    sheet.fill(QColor(0xEE, 0xEE, 0xEE));
    QPainter p(&sheet);
    for (int i = 0; i < int(std::size(variants)); ++i) {
        const Variant& v = variants[i];
        QWidget host;
        auto* b = new Glintbutton(services, &host);
        b->setAmbient({true, QStringLiteral("Glintbutton1"), QApplication::font(), false});
        b->initProperties();
        b->setToolTip(QStringLiteral("Clicks the left mouse button at the cursor every interval, "
                                     "until the stop button or the stop hotkey.\nInterval: 1 to 5000 ms."));
        b->setToolTipType(v.type);
        b->setTooltipTitle(QString::fromLatin1(v.title));
        b->setToolTipIcon(v.icon);
        b->setTooltipBackColor(v.backColor);
        b->setRightToLeft(v.rightToLeft);
        b->setButtonState(StateHot);
        b->ShowTooltip();
        BalloonTooltip* tip = b->tooltipWindow();
        tip->placeAt(cursor);

        const QPoint cell(Gap + (i % 2) * (CellW + Gap), Gap + (i / 2) * (CellH + LabelH + Gap));
        p.setPen(Qt::black);
        p.drawText(QRect(cell, QSize(CellW, LabelH)), Qt::AlignLeft | Qt::AlignTop, QString::fromLatin1(v.label));
        // The cursor sits near the cell's leading corner; the tooltip where it places itself around it.
        const QPoint centre = cell + QPoint(v.rightToLeft ? CellW - 30 : 30, LabelH + 8);
        const QPoint origin = centre + tip->geometry().topLeft() - cursor;
        p.drawImage(origin, cutOut(tip->grab().toImage(), tip->mask()));
        p.setPen(Qt::red);
        p.drawLine(centre - QPoint(4, 0), centre + QPoint(4, 0));
        p.drawLine(centre - QPoint(0, 4), centre + QPoint(0, 4));
    }
    return sheet;
}

} // namespace

int main(int argc, char** argv)
{
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    QString error;
    const std::optional<Options> options = parseArguments(args, error);
    if (!options) {
        std::fprintf(stderr, "glint_gallery: %s; %s\n", qPrintable(error), Usage);
        return 2;
    }

    // No display needed; and the application gets none of our arguments, so
    // Qt does not take --style for its own option.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    char* qtArgv[] = {argv[0], nullptr};
    QApplication app(qtArgc, qtArgv);

    platform::Platform platform;
    platform.systemColors = std::make_unique<platform::ClassicSystemColors>();
    rt::QtMessageBoxService messageBox;
    rt::Services services{platform, messageBox};

    const QString file = !options->sheet.isEmpty()          ? options->sheet
                         : !options->tooltipSheet.isEmpty() ? options->tooltipSheet
                                                             : options->out;
    const QImage image = !options->sheet.isEmpty()          ? drawSheet(services)
                         : !options->tooltipSheet.isEmpty() ? drawTooltipSheet(services)
                                                             : drawButton(services, options->button);
    if (!image.save(file, "PNG")) {
        std::fprintf(stderr, "glint_gallery: cannot write %s\n", qPrintable(file));
        return 1;
    }
    return 0;
}
