#pragma once
#include <stdexcept>
#include <QString>

namespace rt {

// An error raised by a runtime service or a control's property, with its number.
class RuntimeError : public std::runtime_error {
public:
    RuntimeError(int number, const QString& description)
        : std::runtime_error(description.toStdString()), number_(number) {}
    int number() const { return number_; }

private:
    int number_;
};

constexpr int ErrTypeMismatch = 13;
constexpr int ErrOverflow = 6;
// A property that can only be set while the host is being designed.
constexpr int ErrSetNotAllowedAtRunTime = 382;

} // namespace rt
