#pragma once
class QWidget;

namespace platform {

// Keeping a top-level window above all other windows.
class WindowOrder {
public:
    virtual ~WindowOrder() = default;
    virtual void setTopmost(QWidget& window, bool topmost) = 0;
};

} // namespace platform
