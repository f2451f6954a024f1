#pragma once
#include <QString>

namespace platform {

// Whether a value was stored, and if not, why not, in words for the user
// (the file and the system's reason).
struct SaveResult {
    bool saved = true;
    QString reason; // empty when saved

    explicit operator bool() const { return saved; }
    static SaveResult failed(QString why) { return {false, std::move(why)}; }
};

} // namespace platform
