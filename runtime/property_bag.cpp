#include "runtime/property_bag.h"

#include <algorithm>
#include <cmath>

#include "runtime/conversions.h"

namespace rt {

const PropertyBag::Entry* PropertyBag::find(const QString& key) const
{
    auto it = std::find_if(entries_.begin(), entries_.end(), [&](const Entry& e) {
        return e.key.compare(key, Qt::CaseInsensitive) == 0;
    });
    return it == entries_.end() ? nullptr : &*it;
}

bool PropertyBag::contains(const QString& key) const { return find(key) != nullptr; }

QString PropertyBag::rawText(const QString& key) const
{
    const Entry* e = find(key);
    return e ? e->text : QString();
}

void PropertyBag::setRawText(const QString& key, const QString& text)
{
    if (auto* e = const_cast<Entry*>(find(key)))
        e->text = text;
    else
        entries_.push_back({key, text});
}

void PropertyBag::remove(const QString& key)
{
    entries_.erase(std::remove_if(entries_.begin(), entries_.end(),
                                  [&](const Entry& e) { return e.key.compare(key, Qt::CaseInsensitive) == 0; }),
                   entries_.end());
}

QString PropertyBag::quote(const QString& s)
{
    QString out = QStringLiteral("\"");
    for (QChar c : s) {
        if (c == u'"' || c == u'\\')
            out += u'\\';
        if (c == u'\n') { out += QStringLiteral("\\n"); continue; }
        out += c;
    }
    out += u'"';
    return out;
}

QString PropertyBag::unquote(const QString& text)
{
    const QString t = text.trimmed();
    if (t.size() < 2 || !t.startsWith(u'"') || !t.endsWith(u'"'))
        return t;
    QString out;
    for (qsizetype i = 1; i + 1 < t.size(); ++i) {
        QChar c = t[i];
        if (c == u'\\' && i + 2 < t.size()) {
            QChar next = t[++i];
            out += next == u'n' ? QChar(u'\n') : next;
        } else {
            out += c;
        }
    }
    return out;
}

QString PropertyBag::readString(const QString& key, const QString& def) const
{
    const Entry* e = find(key);
    return e ? unquote(e->text) : def;
}

int32_t PropertyBag::readInt(const QString& key, int32_t def) const
{
    const Entry* e = find(key);
    if (!e)
        return def;
    const QString t = unquote(e->text);
    bool ok = false;
    const qlonglong hex = t.startsWith(QStringLiteral("0x"), Qt::CaseInsensitive) ? t.mid(2).toLongLong(&ok, 16) : 0;
    if (ok)
        return static_cast<int32_t>(hex);
    if (auto v = toInt32(t))
        return *v;
    if (t.compare(QStringLiteral("True"), Qt::CaseInsensitive) == 0)
        return -1;
    return def;
}

uint32_t PropertyBag::readColor(const QString& key, uint32_t def) const
{
    const Entry* e = find(key);
    if (!e)
        return def;
    const QString t = unquote(e->text);
    bool ok = false;
    uint32_t v = t.startsWith(QStringLiteral("0x"), Qt::CaseInsensitive) ? t.mid(2).toUInt(&ok, 16) : t.toUInt(&ok, 10);
    if (!ok) {
        const qlonglong s = t.toLongLong(&ok); // a negative decimal is a system colour too
        v = static_cast<uint32_t>(s);
    }
    return ok ? v : def;
}

bool PropertyBag::readBool(const QString& key, bool def) const
{
    const Entry* e = find(key);
    if (!e)
        return def;
    const QString t = unquote(e->text);
    if (t.compare(QStringLiteral("True"), Qt::CaseInsensitive) == 0)
        return true;
    if (t.compare(QStringLiteral("False"), Qt::CaseInsensitive) == 0)
        return false;
    if (auto v = toInt32(t))
        return *v != 0;
    return def;
}

double PropertyBag::readDouble(const QString& key, double def) const
{
    const Entry* e = find(key);
    if (!e)
        return def;
    return toDouble(unquote(e->text)).value_or(def);
}

QFont PropertyBag::readFont(const QString& key, const QFont& def) const
{
    const Entry* e = find(key);
    return e ? parseFont(e->text, def) : def;
}

void PropertyBag::writeString(const QString& key, const QString& value, const QString& def)
{
    if (value == def)
        remove(key);
    else
        setRawText(key, quote(value));
}

void PropertyBag::writeInt(const QString& key, int32_t value, int32_t def)
{
    if (value == def)
        remove(key);
    else
        setRawText(key, QString::number(value));
}

void PropertyBag::writeColor(const QString& key, uint32_t value, uint32_t def)
{
    if (value == def)
        remove(key);
    else
        setRawText(key, QStringLiteral("0x") + QString::number(value, 16).rightJustified(8, u'0').toUpper());
}

void PropertyBag::writeBool(const QString& key, bool value, bool def)
{
    if (value == def)
        remove(key);
    else
        setRawText(key, value ? QStringLiteral("True") : QStringLiteral("False"));
}

void PropertyBag::writeDouble(const QString& key, double value, double def)
{
    if (value == def)
        remove(key);
    else
        setRawText(key, QString::number(value, 'g', 17));
}

void PropertyBag::writeFont(const QString& key, const QFont& value, const QFont& def)
{
    if (formatFont(value) == formatFont(def))
        remove(key);
    else
        setRawText(key, formatFont(value));
}

QString PropertyBag::formatFont(const QFont& f)
{
    QString s = quote(f.family()) + u',' + QString::number(f.pointSizeF()) + u',' +
                QString::number(static_cast<int>(f.weight()));
    if (f.underline())
        s += QStringLiteral(",underline");
    if (f.italic())
        s += QStringLiteral(",italic");
    if (f.strikeOut())
        s += QStringLiteral(",strikeout");
    return s;
}

QFont PropertyBag::parseFont(const QString& text, const QFont& def)
{
    // The family may be quoted and hold commas; split after it.
    QString t = text.trimmed();
    QString family;
    QString rest;
    if (t.startsWith(u'"')) {
        qsizetype close = 1;
        while (close < t.size() && !(t[close] == u'"' && t[close - 1] != u'\\'))
            ++close;
        family = unquote(t.left(close + 1));
        rest = t.mid(close + 1);
    } else {
        const qsizetype comma = t.indexOf(u',');
        family = comma < 0 ? t : t.left(comma);
        rest = comma < 0 ? QString() : t.mid(comma);
    }
    if (family.trimmed().isEmpty())
        return def;
    QFont f(family.trimmed());
    const QStringList parts = rest.split(u',', Qt::SkipEmptyParts);
    if (!parts.isEmpty())
        f.setPointSizeF(toDouble(parts[0]).value_or(def.pointSizeF()));
    if (parts.size() > 1)
        f.setWeight(static_cast<QFont::Weight>(std::clamp(toInt32(parts[1]).value_or(400), 1, 1000)));
    for (qsizetype i = 2; i < parts.size(); ++i) {
        const QString flag = parts[i].trimmed().toLower();
        if (flag == u"underline")
            f.setUnderline(true);
        else if (flag == u"italic")
            f.setItalic(true);
        else if (flag == u"strikeout")
            f.setStrikeOut(true);
    }
    addFontFallbacks(f);
    return f;
}

QFont latinFont(const QString& family, qreal pointSize)
{
    QFont f;
    f.setFamilies({family, QStringLiteral("DejaVu Sans")});
    f.setStyleHint(QFont::SansSerif);
    f.setPointSizeF(pointSize);
    f.setWeight(QFont::Normal);
    return f;
}

void addFontFallbacks(QFont& font)
{
    QStringList families{font.family()};
    const QString f = font.family();
    // Where SimSun is missing, the Sharp cut of WenQuanYi stands in first: it
    // keeps SimSun's 12-pixel lines at 9 pt, so text fills the designed boxes.
    if (f == u"宋体" || f.compare(u"SimSun", Qt::CaseInsensitive) == 0 || f == u"新宋体")
        families << QStringLiteral("SimSun") << QStringLiteral("WenQuanYi Zen Hei Sharp");
    families << QStringLiteral("WenQuanYi Zen Hei") << QStringLiteral("Noto Sans CJK SC")
             << QStringLiteral("DejaVu Sans");
    families.removeDuplicates();
    font.setFamilies(families);
}

} // namespace rt
