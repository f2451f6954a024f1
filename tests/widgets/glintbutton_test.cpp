#include <QMetaMethod>
#include <QSignalSpy>
#include <QTest>

#include "controls/button/glint_descriptions.h"
#include "controls/button/glintbutton.h"
#include "controls/button/themed_face.h"
#include "platform/system_colors.h"
#include "runtime/form_design.h"
#include "runtime/message_box.h"
#include "support/test_services.h"

using namespace glint;

namespace {

const platform::ClassicSystemColors classic;
const uint32_t BtnFace = *classic.color(platform::ColorBtnFace);
const uint32_t BtnText = *classic.color(platform::ColorBtnText);

QImage solidImage(QRgb colour)
{
    QImage img(4, 4, QImage::Format_RGB32);
    img.fill(colour);
    return img;
}

QStringList changes(QSignalSpy& spy)
{
    QStringList names;
    for (const auto& args : spy)
        names << args.at(0).toString();
    spy.clear();
    return names;
}

} // namespace

class GlintbuttonTest : public QObject {
    Q_OBJECT

    struct Fixture {
        TestServices t;
        QWidget window;
        Glintbutton* button;
        explicit Fixture(const QString& name = QStringLiteral("Glintbutton1")) : button(new Glintbutton(t.services, &window))
        {
            button->setAmbient({false, name, QFont(QStringLiteral("DejaVu Sans"), 9), false});
            button->setGeometry(5, 5, 80, 25);
        }
        // A control loaded from a bag.
        Glintbutton* load(const rt::PropertyBag& bag)
        {
            auto* b = new Glintbutton(t.services, &window);
            b->setAmbient(button->ambient());
            b->setGeometry(5, 40, 80, 25);
            b->readProperties(bag);
            return b;
        }
    };

private slots:
    void placedNewIsThemedWithTheHostsName()
    {
        Fixture f;
        f.button->initProperties();
        QCOMPARE(f.button->ButtonStyle(), int32_t(StyleThemed));
        QCOMPARE(f.button->ColorScheme(), int32_t(SchemeBlue));
        QVERIFY(!f.button->ShowFocusRect());
        QCOMPARE(f.button->Caption(), QStringLiteral("Glintbutton1"));
        QCOMPARE(f.button->BackColor(), 0u);
        QCOMPARE(f.button->ForeColor(), BtnText);
        QCOMPARE(f.button->MaskColor(), 0x00E0E0E0u);
        QVERIFY(f.button->UseMaskColor());
        QVERIFY(f.button->Enabled());
        QCOMPARE(f.button->PictureOpacity(), uint8_t(255));
        QCOMPARE(f.button->PictureAlign(), int32_t(PicLeftOfCaption));
        QCOMPARE(f.button->PictureEffectOnOver(), int32_t(EffectNone));
        QVERIFY(f.button->Font().families().contains(QStringLiteral("Tahoma")));
        QCOMPARE(f.button->Font().pointSizeF(), 8.25);

        rt::PropertyBag bag;
        f.button->writeProperties(bag);
        QCOMPARE(bag.readInt(QStringLiteral("ButtonStyle"), -1), 13);
        QVERIFY(!bag.contains(QStringLiteral("Caption"))); // "Glintbutton1" is the save default
        QCOMPARE(bag.readInt(QStringLiteral("PictureEffectOnOver"), -1), 0);

        Fixture second(QStringLiteral("Glintbutton2"));
        second.button->initProperties();
        rt::PropertyBag bag2;
        second.button->writeProperties(bag2);
        QCOMPARE(bag2.readString(QStringLiteral("Caption"), {}), QStringLiteral("Glintbutton2"));
    }

    void loadDefaultsDifferFromNewOnes()
    {
        Fixture f;
        Glintbutton* b = f.load(rt::PropertyBag());
        QCOMPARE(b->ButtonStyle(), 1);
        QCOMPARE(b->Caption(), QStringLiteral("Glintbutton"));
        QCOMPARE(b->BackColor(), BtnFace);
        QCOMPARE(b->ForeColorHover(), BtnText);
        QCOMPARE(b->TooltipBackColor(), *classic.color(platform::ColorInfoBk));
        QCOMPARE(b->PictureEffectOnOver(), int32_t(EffectBrighten));
        QCOMPARE(b->PictureEffectOnDown(), int32_t(EffectDarken));
        QCOMPARE(b->Font(), f.button->ambient().font);

        rt::PropertyBag bag;
        bag.writeString(QStringLiteral("caption"), QStringLiteral("开始点击"), QString());
        bag.writeColor(QStringLiteral("BACKCOLOR"), 0x00123456, 0);
        bag.writeInt(QStringLiteral("ColorScheme"), 2, 0);
        Glintbutton* c = f.load(bag);
        QCOMPARE(c->Caption(), QStringLiteral("开始点击"));
        QCOMPARE(c->BackColor(), 0x00123456u); // loading runs no scheme step
        QCOMPARE(c->ColorScheme(), 2);
    }

    void everyPropertySurvivesSaveAndLoad()
    {
        Fixture f;
        Glintbutton* b = f.button;
        b->initProperties();
        b->setButtonStyle(9);
        b->setBackColor(0x00010203);
        b->setCaption(QStringLiteral("&Go"));
        b->setCaptionAlign(CapAlignRight);
        b->setDropDownSymbol(SymbolDown);
        b->setDropDownSeparator(true);
        b->setDisabledPictureMode(DisabledGreyed);
        b->setEnabled(false);
        b->setFont(QFont(QStringLiteral("DejaVu Serif"), 12));
        b->setForeColor(0x00AA0000);
        b->setForeColorHover(0x80000005);
        b->setHandPointer(true);
        b->setMaskColor(0x00FF00FF);
        b->setMode(ModeCheck);
        b->setValue(true);
        b->setPictureAlign(PicBottomEdge);
        b->setPictureShadow(true);
        b->setPictureEffectOnOver(EffectDarken);
        b->setPictureEffectOnDown(EffectNone);
        b->setPicturePushOnHover(true);
        b->setPictureOpacity(17);
        b->setPictureOpacityOnOver(18);
        b->setRightToLeft(true);
        b->setCaptionEffects(CapEffectGlow);
        b->setShowFocusRect(true);
        b->setUseMaskColor(false);
        b->setTooltipTitle(QStringLiteral("Title"));
        b->setToolTip(QStringLiteral("Tip"));
        b->setTooltipBackColor(0x00C0FFEE);
        b->setToolTipIcon(TipIconWarning);
        b->setToolTipType(TipBalloon);
        b->setColorScheme(7);
        b->setBackColor(0x00010203);
        b->setPictureNormal(ButtonPicture::load(QStringLiteral(":/art/missing-on-purpose.png")));

        rt::PropertyBag bag;
        b->writeProperties(bag);
        Glintbutton* c = f.load(bag);
        rt::PropertyBag again;
        c->writeProperties(again);
        QCOMPARE(formatBag(again), formatBag(bag));
        QCOMPARE(c->ButtonStyle(), 9);
        QCOMPARE(c->Caption(), QStringLiteral("&Go"));
        QVERIFY(!c->Enabled());
        QVERIFY(!c->isEnabled());
        QCOMPARE(c->Font().family(), QStringLiteral("DejaVu Serif"));
        QCOMPARE(c->ForeColorHover(), 0x80000005u);
        QVERIFY(c->HandPointer());
        QCOMPARE(c->cursor().shape(), Qt::PointingHandCursor);
        QVERIFY(c->Value());
        QCOMPARE(c->PictureOpacityOnOver(), uint8_t(18));
        QCOMPARE(c->ToolTipType(), int32_t(TipBalloon));
        QCOMPARE(c->ColorScheme(), 3);
        QCOMPARE(bag.readInt(QStringLiteral("TooltipIcon"), 0), 2); // the saved key differs from the name
        QCOMPARE(bag.entries().front().key, QStringLiteral("ButtonStyle"));
    }

    void backColorSwitchesToTheCustomScheme()
    {
        Fixture f;
        f.button->initProperties();
        f.button->setButtonStyle(2);
        QCOMPARE(f.button->BackColor(), 0x00E7EBECu);
        f.button->setBackColor(0x00336699);
        QCOMPARE(f.button->ColorScheme(), int32_t(SchemeCustom));
        QCOMPARE(f.button->BackColor(), 0x00336699u);
        f.button->setColorScheme(SchemeBlue);
        QCOMPARE(f.button->BackColor(), 0x00E7EBECu);

        f.button->setButtonStyle(4);
        f.button->setBackColor(0x00336699);
        QCOMPARE(f.button->ColorScheme(), int32_t(SchemeBlue));
        QVERIFY(f.button->PicturePushOnHover());
    }

    void styleChangesRunTheSchemeSteps()
    {
        Fixture f;
        f.button->initProperties();
        f.button->setForeColor(0x000000FF);
        f.button->setButtonStyle(3);
        QCOMPARE(f.button->ColorScheme(), int32_t(SchemeSilver));
        QCOMPARE(f.button->BackColor(), 0x00E3E3E3u);
        QCOMPARE(f.button->ForeColor(), BtnText);
        f.button->setForeColor(0x000000FF);
        f.button->setButtonStyle(5);
        QCOMPARE(f.button->ColorScheme(), int32_t(SchemeSilver));
        QCOMPARE(f.button->BackColor(), 0x00E0C4C6u);
        QCOMPARE(f.button->ForeColor(), BtnText);
        f.button->setButtonStyle(0);
        f.button->setColorScheme(SchemeOlive);
        QCOMPARE(f.button->BackColor(), BtnFace);
        QVERIFY(f.button->ShowFocusRect());
    }

    void picturesFillTheNormalOneFirstAndClearTogether()
    {
        Fixture f;
        f.button->initProperties();
        QSignalSpy spy(f.button, &Glintbutton::PropertyChanged);
        const auto red = ButtonPicture::bitmap(solidImage(qRgb(255, 0, 0)), QStringLiteral("red"));
        const auto blue = ButtonPicture::bitmap(solidImage(qRgb(0, 0, 255)), QStringLiteral("blue"));
        f.button->setPictureHot(red);
        QCOMPARE(f.button->PictureNormal(), red);
        QVERIFY(f.button->PictureHot().isEmpty());
        QCOMPARE(changes(spy), QStringList{QStringLiteral("PictureNormal")});
        f.button->setPictureDown(blue);
        f.button->setPictureHot(blue);
        QCOMPARE(f.button->PictureDown(), blue);
        QCOMPARE(f.button->PictureHot(), blue);
        spy.clear();
        f.button->setPictureNormal(ButtonPicture());
        QVERIFY(f.button->PictureNormal().isEmpty());
        QVERIFY(f.button->PictureHot().isEmpty());
        QVERIFY(f.button->PictureDown().isEmpty());
        QCOMPARE(changes(spy), (QStringList{QStringLiteral("PictureHot"), QStringLiteral("PictureDown")}));

        f.button->setPictureDown(blue);
        QCOMPARE(f.button->PictureNormal(), blue);
        QVERIFY(f.button->PictureDown().isEmpty());
        QCOMPARE(changes(spy), QStringList{QStringLiteral("PictureNormal")});
    }

    void valueModeAndPointer()
    {
        Fixture f;
        f.button->initProperties();
        QSignalSpy spy(f.button, &Glintbutton::PropertyChanged);
        f.button->setButtonState(StateHot);
        f.button->setValue(true);
        QVERIFY(!f.button->Value());
        QCOMPARE(f.button->ButtonState(), int32_t(StateNormal));
        QVERIFY(changes(spy).isEmpty());
        f.button->setMode(ModeCheck);
        QCOMPARE(changes(spy), (QStringList{QStringLiteral("Value"), QStringLiteral("Mode")}));
        f.button->setValue(true);
        QVERIFY(f.button->Value());
        f.button->setButtonState(StateDown);
        f.button->setMode(ModePush);
        QCOMPARE(f.button->ButtonState(), int32_t(StateNormal));

        f.button->setHandPointer(true);
        QCOMPARE(f.button->cursor().shape(), Qt::PointingHandCursor);
        spy.clear();
        f.button->setMouseIcon(ButtonPicture::icon(solidImage(qRgb(1, 2, 3))));
        QVERIFY(!f.button->HandPointer());
        QCOMPARE(f.button->MousePointer(), PointerCustom);
        QCOMPARE(f.button->cursor().shape(), Qt::BitmapCursor);
        QCOMPARE(changes(spy), (QStringList{QStringLiteral("HandPointer"), QStringLiteral("MouseIcon")}));
        f.button->setMouseIcon(ButtonPicture());
        QCOMPARE(f.button->MousePointer(), int16_t(0));
        f.button->setMousePointer(11);
        QCOMPARE(f.button->cursor().shape(), Qt::WaitCursor);
    }

    void resizeKeepsTheMinimumSize()
    {
        Fixture f;
        f.button->initProperties();
        f.button->resize(rt::twipsToPixels(10), rt::twipsToPixels(10));
        f.button->Resize();
        QCOMPARE(f.button->size(), QSize(rt::twipsToPixels(220), rt::twipsToPixels(220)));
        f.window.show(); // a shown control gets its resize events at once
        f.button->resize(60, 5);
        QCOMPARE(f.button->size(), QSize(60, rt::twipsToPixels(220)));
        QCOMPARE(f.button->surface().width(), 60);
    }

    void regionFollowsTheStyle()
    {
        Fixture f;
        f.button->initProperties();
        f.button->setButtonStyle(2);
        QVERIFY(!f.button->mask().contains(QPoint(0, 0)));
        QVERIFY(f.button->mask().contains(QPoint(1, 0)));
        f.button->setButtonStyle(6);
        QVERIFY(!f.button->mask().contains(QPoint(1, 0)));
        f.button->setButtonStyle(1);
        QVERIFY(f.button->mask().contains(QPoint(0, 0)));
    }

    void redrawShowsTheCaptionInItsColour()
    {
        Fixture f;
        f.button->initProperties();
        f.button->setButtonStyle(1);
        f.button->setForeColor(0x000000FF);
        f.button->setCaption(QStringLiteral("Start"));
        const rt::PixelSurface& s = f.button->surface();
        // The face has its own edges now; the caption is what draws in red.
        auto red = [&] {
            int n = 0;
            for (int y = 0; y < s.height(); ++y)
                for (int x = 0; x < s.width(); ++x)
                    n += s.pixel(x, y) == 0x000000FFu;
            return n;
        };
        QVERIFY(red() > 0);
        f.button->setCaption(QString());
        QCOMPARE(red(), 0);
    }

    void themedFaceComesFromTheStyle()
    {
        Fixture f;
        f.button->initProperties();
        f.window.show();
        rt::PixelSurface& s = f.button->surface();
        const uint32_t magenta = 0x00FF00FF;
        auto paintedPixels = [&] {
            int n = 0;
            for (int y = 0; y < s.height(); ++y)
                for (int x = 0; x < s.width(); ++x)
                    n += s.pixel(x, y) != magenta;
            return n;
        };
        s.setBackColor(magenta);
        s.clear();
        QVERIFY(!f.button->DrawThemedFace(QStringLiteral("Edit"), 1, ThemeNormal));
        QVERIFY(!f.button->DrawThemedFace(QStringLiteral("Button"), 2, ThemeNormal));
        QCOMPARE(paintedPixels(), 0);

        QVERIFY(f.button->DrawThemedFace(QStringLiteral("button"), 1, ThemeNormal));
        QVERIFY(paintedPixels() > s.width() * s.height() / 2);
        const QImage normal = s.image().copy();
        QVERIFY(!f.button->mask().isEmpty());
        QVERIFY(f.button->mask().boundingRect().intersects(QRect(0, 0, s.width(), s.height())));
        s.clear();
        f.button->DrawThemedFace(QStringLiteral("Button"), 1, ThemePressed);
        QVERIFY(s.image() != normal);
    }

    void methodsAmbientAndTooltipText()
    {
        Fixture f;
        f.button->initProperties();
        f.button->About();
        QCOMPARE(f.t.messageBox.messages.size(), size_t(1));
        QVERIFY(f.t.messageBox.messages[0].text.startsWith(QStringLiteral("Glintbutton v 1.02\n")));
        QCOMPARE(f.t.messageBox.messages[0].style, rt::MbInformation);
        QCOMPARE(f.t.messageBox.messages[0].title, QStringLiteral("About"));

        f.button->OpenWebsite(QStringLiteral("https://example.org/"));
        QCOMPARE(f.t.fake.shell->opened, std::vector<QString>{QStringLiteral("https://example.org/")});

        QMenu menu;
        f.button->SetPopupMenu(nullptr, 1);
        QVERIFY(!f.button->PopupAttached());
        f.button->SetPopupMenu(&menu, 2, 8);
        QVERIFY(f.button->PopupAttached());
        QCOMPARE(f.button->popupMenu(), &menu);
        QCOMPARE(f.button->popupFlags(), 8);
        f.button->UnsetPopupMenu();
        QVERIFY(!f.button->PopupAttached());

        auto ambient = f.button->ambient();
        ambient.displayAsDefault = true;
        f.button->changeAmbient(ambient, QStringLiteral("DisplayAsDefault"));
        QVERIFY(f.button->ShowAsDefault());

        f.button->setToolTip(QStringLiteral("tip"));
        f.window.show();
        QCOMPARE(f.button->extenderToolTipText(), QString());
        f.button->hide();
        QCOMPARE(f.button->extenderToolTipText(), QStringLiteral("tip"));
    }

    void eventsInDeclaredOrder()
    {
        const QMetaObject& mo = Glintbutton::staticMetaObject;
        QStringList signalNames;
        for (int i = mo.methodOffset(); i < mo.methodCount(); ++i)
            if (mo.method(i).methodType() == QMetaMethod::Signal)
                signalNames << QString::fromLatin1(mo.method(i).name());
        QCOMPARE(signalNames, (QStringList{"Click", "DblClick", "MouseEnter", "MouseLeave", "MouseMove", "MouseUp",
                                           "MouseDown", "KeyDown", "KeyUp", "KeyPress"}));
    }

    void descriptionsAndCategories()
    {
        QCOMPARE(propertyDescriptions().size(), size_t(38));
        QCOMPARE(eventDescriptions().size(), size_t(10));
        QCOMPARE(methodDescriptions().size(), size_t(4));
        const MemberDescription* back = describeMember(QStringLiteral("backcolor"));
        QVERIFY(back);
        QCOMPARE(QLatin1String(back->category), QLatin1String("Appearance"));
        QCOMPARE(QLatin1String(describeMember(QStringLiteral("HandPointer"))->category), QLatin1String("Misc"));
        QCOMPARE(QLatin1String(describeMember(QStringLiteral("MouseEnter"))->description),
                 QLatin1String("Occrus when the cursor moves around the button for the first time."));
        QVERIFY(!describeMember(QStringLiteral("Nothing")));
        // Every property of the bag has a description (bag keys match member names without regard to case).
        Fixture f;
        f.button->initProperties();
        f.button->setCaption(QStringLiteral("x"));
        f.button->setToolTipIcon(TipIconInfo);
        f.button->setToolTipType(TipBalloon);
        f.button->setTooltipTitle(QStringLiteral("t"));
        rt::PropertyBag bag;
        f.button->writeProperties(bag);
        QVERIFY(bag.contains(QStringLiteral("TooltipIcon")));
        for (const auto& e : bag.entries())
            QVERIFY2(describeMember(e.key), qPrintable(e.key));
    }

private:
    static QString formatBag(const rt::PropertyBag& bag)
    {
        QString out;
        for (const auto& e : bag.entries())
            out += e.key + u'=' + e.text + u'\n';
        return out;
    }
};

QTEST_MAIN(GlintbuttonTest)
#include "glintbutton_test.moc"
