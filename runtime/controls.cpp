#include "runtime/controls.h"

#include <QMouseEvent>

#include "platform/ticker.h"
#include "runtime/virtual_keys.h"

namespace rt {

QColor colorFromBgr(uint32_t bgr)
{
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

namespace {
bool releasedInside(QWidget* w, QMouseEvent* e)
{
    return e->button() == Qt::LeftButton && w->rect().contains(e->position().toPoint());
}
} // namespace

Label::Label(QWidget* parent) : QLabel(parent)
{
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void Label::setForeColor(uint32_t bgr)
{
    QPalette p = palette();
    p.setColor(QPalette::WindowText, colorFromBgr(bgr));
    setPalette(p);
}

void Label::mouseReleaseEvent(QMouseEvent* event)
{
    QLabel::mouseReleaseEvent(event);
    if (releasedInside(this, event))
        emit Click();
}

CheckBox::CheckBox(QWidget* parent) : QCheckBox(parent)
{
    connect(this, &QCheckBox::toggled, this, &CheckBox::Click);
}

void CheckBox::mouseReleaseEvent(QMouseEvent* event)
{
    QCheckBox::mouseReleaseEvent(event);
    const QPointF p = event->position();
    emit MouseUp(rt::mouseButtonsOf(event->button()), rt::shiftStateOf(event->modifiers()), float(p.x()), float(p.y()));
}

Picture::Picture(QWidget* parent) : QLabel(parent)
{
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void Picture::mouseReleaseEvent(QMouseEvent* event)
{
    QLabel::mouseReleaseEvent(event);
    if (releasedInside(this, event))
        emit Click();
}

TextBox::TextBox(QWidget* parent) : QLineEdit(parent)
{
    connect(this, &QLineEdit::textChanged, this, &TextBox::Change);
}

CommandButton::CommandButton(QWidget* parent) : QPushButton(parent)
{
    setAutoDefault(false);
    connect(this, &QPushButton::clicked, this, &CommandButton::Click);
}

Timer::Timer(QObject* parent) : QObject(parent)
{
    connect(&qtimer_, &QTimer::timeout, this, &Timer::Tick);
}

Timer::~Timer() = default;

void Timer::setEnabled(bool enabled)
{
    if (enabled == enabled_)
        return;
    enabled_ = enabled;
    rearm();
}

void Timer::setInterval(int ms)
{
    interval_ = ms;
    rearm();
}

void Timer::useTicker(std::unique_ptr<platform::Ticker> ticker)
{
    qtimer_.stop();
    ticker_ = std::move(ticker);
    if (ticker_)
        ticker_->onTick = [this] { emit Tick(); };
    rearm();
}

void Timer::rearm()
{
    const bool run = enabled_ && interval_ > 0;
    if (ticker_) {
        if (run)
            ticker_->start(interval_);
        else
            ticker_->stop();
        return;
    }
    if (run)
        qtimer_.start(interval_);
    else
        qtimer_.stop();
}

} // namespace rt
