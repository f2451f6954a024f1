#pragma once
#include <QString>
#include <vector>

class QWidget;

namespace rt {

// Message box styles: an OK button with the critical-error or the information icon.
constexpr int MbCritical = 16;
constexpr int MbInformation = 64;

// The modal message window: text, style and title. It runs its own event loop,
// so timers and hotkeys keep being handled while it is open.
class MessageBoxService {
public:
    virtual ~MessageBoxService() = default;
    virtual void msgBox(const QString& text, int style, const QString& title) = 0;
};

// The real dialog. A message that is open already is not shown again, nor
// kept for later: one box of a kind at a time.
class QtMessageBoxService : public MessageBoxService {
public:
    void msgBox(const QString& text, int style, const QString& title) override;

private:
    struct Shown {
        QString text;
        int style;
        QString title;
        bool operator==(const Shown&) const = default;
    };
    std::vector<Shown> open_; // the boxes open now, nested in one another
};

} // namespace rt
