#pragma once
// The standard controls, with the names and behaviour the windows' handlers use.
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <memory>

namespace platform {
class Ticker;
}

namespace rt {

// A colour as the design data gives it, 0x00BBGGRR.
QColor colorFromBgr(uint32_t bgr);

class Label : public QLabel {
    Q_OBJECT
public:
    explicit Label(QWidget* parent = nullptr);
    QString Caption() const { return text(); }
    void setCaption(const QString& caption) { setText(caption); }
    void setForeColor(uint32_t bgr);
signals:
    void Click();
protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

// Value is 0 or 1; Click is raised whenever Value changes, by the user or by
// code; MouseUp on every mouse-button release over the box.
class CheckBox : public QCheckBox {
    Q_OBJECT
public:
    explicit CheckBox(QWidget* parent = nullptr);
    int Value() const { return isChecked() ? 1 : 0; }
    void setValue(int value) { setChecked(value != 0); }
signals:
    void Click();
    void MouseUp(int button, int shift, float x, float y);
protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

// A picture with a tooltip and a pointer of its own, raising Click.
class Picture : public QLabel {
    Q_OBJECT
public:
    explicit Picture(QWidget* parent = nullptr);
signals:
    void Click();
protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

class Frame : public QGroupBox {
    Q_OBJECT
public:
    explicit Frame(QWidget* parent = nullptr) : QGroupBox(parent) {}
};

// A single-line text box; Change is raised when its text changes.
class TextBox : public QLineEdit {
    Q_OBJECT
public:
    explicit TextBox(QWidget* parent = nullptr);
    QString Text() const { return text(); }
signals:
    void Change();
};

// A plain push button raising Click.
class CommandButton : public QPushButton {
    Q_OBJECT
public:
    explicit CommandButton(QWidget* parent = nullptr);
    QString Caption() const { return text(); }
    void setCaption(const QString& caption) { setText(caption); }
    bool Enabled() const { return isEnabled(); }
signals:
    void Click();
};

// Ticks on the GUI thread every Interval milliseconds while Enabled; an
// interval of 0 never ticks; assigning Interval restarts the count. Given a
// platform ticker, ticks follow absolute deadlines instead of being re-armed
// after each one, so late ticks do not slow the rate down.
class Timer : public QObject {
    Q_OBJECT
public:
    explicit Timer(QObject* parent = nullptr);
    ~Timer() override;

    bool Enabled() const { return enabled_; }
    void setEnabled(bool enabled);
    int Interval() const { return interval_; }
    void setInterval(int ms);
    void useTicker(std::unique_ptr<platform::Ticker> ticker);

signals:
    void Tick();

private:
    void rearm();

    bool enabled_ = true;
    int interval_ = 0;
    QTimer qtimer_;
    std::unique_ptr<platform::Ticker> ticker_;
};

} // namespace rt
