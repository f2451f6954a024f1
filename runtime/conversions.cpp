#include "runtime/conversions.h"

#include <cmath>
#include <limits>

#include "runtime/runtime_error.h"

namespace rt {
namespace {

bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }

// Accepts [sign] digits [. digits] [e|E [sign] digits], with at least one digit
// in the mantissa; nothing else (no hex, no words, no inner blanks).
bool isPlainNumber(const QString& s)
{
    qsizetype i = 0;
    const qsizetype n = s.size();
    if (i < n && (s[i] == u'+' || s[i] == u'-'))
        ++i;
    qsizetype digits = 0;
    while (i < n && isDigit(s[i])) { ++i; ++digits; }
    if (i < n && s[i] == u'.') {
        ++i;
        while (i < n && isDigit(s[i])) { ++i; ++digits; }
    }
    if (digits == 0)
        return false;
    if (i < n && (s[i] == u'e' || s[i] == u'E')) {
        ++i;
        if (i < n && (s[i] == u'+' || s[i] == u'-'))
            ++i;
        qsizetype expDigits = 0;
        while (i < n && isDigit(s[i])) { ++i; ++expDigits; }
        if (expDigits == 0)
            return false;
    }
    return i == n;
}

} // namespace

std::optional<double> toDouble(const QString& text)
{
    const QString s = text.trimmed();
    if (!isPlainNumber(s))
        return std::nullopt;
    bool ok = false;
    const double v = s.toDouble(&ok); // C locale: '.' is the decimal point
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

std::optional<int32_t> toInt32(const QString& text)
{
    const auto d = toDouble(text);
    if (!d)
        return std::nullopt;
    const double r = std::nearbyint(*d); // default rounding mode: ties to even
    if (r < std::numeric_limits<int32_t>::min() || r > std::numeric_limits<int32_t>::max())
        return std::nullopt;
    return static_cast<int32_t>(r);
}

double cdbl(const QString& text)
{
    if (auto v = toDouble(text))
        return *v;
    throw RuntimeError(ErrTypeMismatch, QStringLiteral("Type mismatch"));
}

int32_t cint(const QString& text)
{
    if (auto v = toInt32(text))
        return *v;
    if (toDouble(text))
        throw RuntimeError(ErrOverflow, QStringLiteral("Overflow"));
    throw RuntimeError(ErrTypeMismatch, QStringLiteral("Type mismatch"));
}

QString str(long long value) { return QString::number(value); }

} // namespace rt
