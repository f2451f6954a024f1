#include "app/form1.h"

#include "app/control_kinds.h"
#include "app/form2.h"
#include "app/form3.h"
#include "app/maker.h"
#include "platform/input.h"
#include "platform/platform.h"
#include "platform/shell.h"
#include "platform/single_instance.h"
#include "platform/ticker.h"
#include "platform/window_order.h"
#include "runtime/conversions.h"
#include "runtime/message_box.h"
#include "runtime/tolerant.h"

namespace {
const QString TitleError = QStringLiteral("错误");
const QString MsgEnterInterval = QStringLiteral("请输入鼠标点击频率！");
const QString TitleRange = QStringLiteral("范围错误");
const QString MsgIntervalRange = QStringLiteral("鼠标频率应该设置在1-5000范围内！");
const QString MsgEnterCoordinates = QStringLiteral("请输入鼠标点击的坐标！");
const QString TitleAlreadyRunning = QStringLiteral("请勿重复运行");
const QString MsgAlreadyRunning = QStringLiteral("本程序已经运行了，请勿重复运行！");
const QString TitleTip = QStringLiteral("秘诀");
const QString MsgTip = QStringLiteral("你知道吗？本软件还可以当鼠标锁使用，那么密码便是你设置的快捷键呢");
} // namespace

Form1::Form1(rt::Services& services)
    : rt::Form(services, QStringLiteral(":/forms/form1.frm"), makeControlFactory())
{
}

Form1::~Form1() = default;

Form2* Form1::aboutWindow() const { return form2_; }
Form3* Form1::hotkeyWindow() const { return form3_; }

void Form1::msgBox(const QString& text, const QString& title)
{
    services().messageBox.msgBox(text, rt::MbInformation, title);
}

void Form1::findControls()
{
    mTextBox1 = control<Form1Box>(QStringLiteral("mTextBox1"));
    mTextBox2 = control<Form1Box>(QStringLiteral("mTextBox2"));
    mTextBox3 = control<Form1Box>(QStringLiteral("mTextBox3"));
    Glintbutton1 = control<Form1Button>(QStringLiteral("Glintbutton1"));
    Glintbutton2 = control<Form1Button>(QStringLiteral("Glintbutton2"));
    Glintbutton3 = control<Form1Button>(QStringLiteral("Glintbutton3"));
    Timer1 = control<rt::Timer>(QStringLiteral("Timer1"));
    Timer2 = control<rt::Timer>(QStringLiteral("Timer2"));
    Timer3 = control<rt::Timer>(QStringLiteral("Timer3"));
    Check1 = control<rt::CheckBox>(QStringLiteral("Check1"));
    Check2 = control<rt::CheckBox>(QStringLiteral("Check2"));
    Label1 = control<rt::Label>(QStringLiteral("Label1"));
    Label7 = control<rt::Label>(QStringLiteral("Label7"));
    Image1 = control<rt::Picture>(QStringLiteral("Image1"));
    Image2 = control<rt::Picture>(QStringLiteral("Image2"));
    Image3 = control<rt::Picture>(QStringLiteral("Image3"));
    Image4 = control<rt::Picture>(QStringLiteral("Image4"));
    Image5 = control<rt::Picture>(QStringLiteral("Image5"));
}

void Form1::connectHandlers()
{
    connect(Glintbutton1, &Form1Button::Click, this, &Form1::Glintbutton1_Click);
    connect(Glintbutton2, &Form1Button::Click, this, &Form1::Glintbutton2_Click);
    connect(Glintbutton3, &Form1Button::Click, this, &Form1::Glintbutton3_Click);
    connect(Timer1, &rt::Timer::Tick, this, &Form1::Timer1_Timer);
    connect(Timer2, &rt::Timer::Tick, this, &Form1::Timer2_Timer);
    connect(Timer3, &rt::Timer::Tick, this, &Form1::Timer3_Timer);
    connect(Check1, &rt::CheckBox::Click, this, &Form1::Check1_Click);
    connect(Check2, &rt::CheckBox::Click, this, &Form1::Check2_Click);
    connect(Image1, &rt::Picture::Click, this, &Form1::Image1_Click);
    connect(Image2, &rt::Picture::Click, this, &Form1::Image2_Click);
    connect(Image3, &rt::Picture::Click, this, &Form1::Image3_Click);
    connect(Image4, &rt::Picture::Click, this, &Form1::Image4_Click);
    connect(Image5, &rt::Picture::Click, this, &Form1::Image5_Click);
    connect(Label7, &rt::Label::Click, this, &Form1::Label7_Click);
}

void Form1::Form_Load()
{
    findControls();
    if (services().platform.singleInstance->anotherInstanceRunning()) {
        msgBox(MsgAlreadyRunning, TitleAlreadyRunning);
        services().endProgram();
        abandonLoad();
        return;
    }
    // The click timer keeps to absolute deadlines, so 1 ms really gives 1000 clicks a second.
    if (services().platform.makeTicker)
        Timer1->useTicker(services().platform.makeTicker());
    // The coordinate display polls less while the pointer rests.
    if (services().platform.makePointerPollTicker)
        Timer2->useTicker(services().platform.makePointerPollTicker());
    connectHandlers();
    Timer1->setEnabled(false);
    Check1->setValue(1); // raises Check1's Click: the coordinate display starts
}

void Form1::Form_Unload()
{
    if (form2_)
        form2_->Unload();
    if (form3_)
        form3_->Unload();
}

void Form1::Glintbutton1_Click()
{
    const QString text = mTextBox3->Text();
    if (text.isEmpty()) {
        msgBox(MsgEnterInterval, TitleError);
        return;
    }
    const auto interval = rt::toDouble(text);
    if (!interval || *interval > 5000 || *interval < 1) {
        msgBox(MsgIntervalRange, TitleRange);
        return;
    }
    rt::runEachTolerantly({
        [&] { Timer1->setEnabled(true); },
        [&] { Timer1->setInterval(rt::cint(text)); },
        [&] { Glintbutton1->setEnabled(false); },
    });
}

void Form1::Glintbutton2_Click()
{
    Timer1->setEnabled(false);
    Timer3->setEnabled(false);
    Glintbutton1->setEnabled(true);
}

void Form1::Timer1_Timer() { services().platform.input->leftClick(); }

void Form1::Check1_Click()
{
    const bool on = Check1->Value() == 1;
    Timer2->setEnabled(on);
    Label1->setVisible(on);
}

void Form1::Timer2_Timer()
{
    // At most one tick old, so the tick waits for no reply; a resting pointer
    // costs no new caption text.
    const platform::Point p = services().platform.input->cursorPosRecent();
    if (shownCursorPos_ == p)
        return;
    shownCursorPos_ = p;
    Label1->setCaption(QStringLiteral("X: %1 Y: %2").arg(p.x).arg(p.y));
}

bool Form1::typedCoordinates(int32_t& x, int32_t& y) const
{
    const auto tx = rt::toInt32(mTextBox1->Text());
    const auto ty = rt::toInt32(mTextBox2->Text());
    if (!tx || !ty)
        return false;
    x = *tx;
    y = *ty;
    return true;
}

void Form1::Image4_Click()
{
    int32_t x = 0, y = 0;
    if (!typedCoordinates(x, y)) {
        msgBox(MsgEnterCoordinates, TitleError);
        return;
    }
    Timer3->setEnabled(true);
}

void Form1::Timer3_Timer()
{
    // A box edited into something that is no number skips the tick; the pin
    // stays on and stop still ends it.
    int32_t x = 0, y = 0;
    if (typedCoordinates(x, y))
        services().platform.input->setCursorPos({x, y});
}

void Form1::Glintbutton3_Click()
{
    int32_t x = 0, y = 0;
    if (!typedCoordinates(x, y)) {
        msgBox(MsgEnterCoordinates, TitleError);
        return;
    }
    services().platform.input->setCursorPos({x, y});
}

void Form1::Check2_Click() { services().platform.windowOrder->setTopmost(*this, Check2->Value() == 1); }

void Form1::Image5_Click() { msgBox(MsgTip, TitleTip); }

void Form1::Label7_Click()
{
    if (!form3_ || !form3_->isLoaded())
        form3_ = new Form3(services(), *this);
    form3_->Show();
}

void Form1::Image1_Click()
{
    if (!form2_ || !form2_->isLoaded())
        form2_ = new Form2(services());
    form2_->Show();
}

void Form1::Image2_Click()
{
    if (services().platform.shell)
        services().platform.shell->openUrl(maker::HomePage.toString());
}

void Form1::Image3_Click() { Image2_Click(); }
