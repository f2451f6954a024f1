#pragma once
#include <cstdint>
#include <optional>
#include <QString>

namespace rt {

// Text to number as the handlers convert the boxes' text: blanks around the
// number are ignored, a sign, a decimal fraction and an exponent are allowed,
// anything else fails. "NaN", "Infinity" and values beyond a double fail too.
std::optional<double> toDouble(const QString& text);

// Text to a signed 32-bit integer: converted as toDouble, then rounded to the
// nearest integer with ties to even (2.5 gives 2, 3.5 gives 4); out of range fails.
std::optional<int32_t> toInt32(const QString& text);

// The same conversions, raising RuntimeError (13, or 6 for overflow) on failure.
double cdbl(const QString& text);
int32_t cint(const QString& text);

// A number in decimal text, with a minus sign and no padding.
QString str(long long value);

} // namespace rt
