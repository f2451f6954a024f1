#include "platform/ini_text.h"

#include <QList>

#include "platform/gbk_text.h"

namespace platform::ini {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

QByteArray trimBlanks(const QByteArray& s)
{
    qsizetype begin = 0, end = s.size();
    while (begin < end && isBlank(s[begin]))
        ++begin;
    while (end > begin && isBlank(s[end - 1]))
        --end;
    return s.mid(begin, end - begin);
}

char asciiLower(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }

// In UTF-8 no byte of a multi-byte character is an ASCII byte, so only GBK
// needs its two-byte characters stepped over as a whole.
bool isLeadByte(char c, Encoding encoding) { return encoding == Encoding::Gbk && isGbkLeadByte(c); }

} // namespace

Encoding encodingOf(const QByteArray& text)
{
    return text.startsWith(Utf8Mark) ? Encoding::Utf8 : Encoding::Gbk;
}

bool sameName(const QByteArray& a, const QByteArray& b, Encoding encoding)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size();) {
        if (isLeadByte(a[i], encoding) && i + 1 < a.size()) {
            if (a[i] != b[i] || a[i + 1] != b[i + 1])
                return false;
            i += 2;
        } else {
            if (asciiLower(a[i]) != asciiLower(b[i]))
                return false;
            ++i;
        }
    }
    return true;
}

namespace {

// Position of the first c that is not the second byte of a two-byte character, or -1.
qsizetype findChar(const QByteArray& s, char c, Encoding encoding)
{
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (s[i] == c)
            return i;
        if (isLeadByte(s[i], encoding))
            ++i;
    }
    return -1;
}

struct Line {
    enum Kind { Other, Section, Key } kind = Other;
    QByteArray name;  // section or key name, trimmed
    QByteArray value; // raw text after "=" of a key line
};

Line parse(const QByteArray& raw, Encoding encoding)
{
    const QByteArray t = trimBlanks(raw);
    Line line;
    if (t.startsWith('[')) {
        const QByteArray rest = t.mid(1);
        const qsizetype close = findChar(rest, ']', encoding);
        line.kind = Line::Section;
        line.name = trimBlanks(close < 0 ? rest : rest.left(close));
    } else if (!t.startsWith(';')) {
        // "=" is never the second byte of a two-byte character.
        const qsizetype eq = t.indexOf('=');
        if (eq >= 0) {
            line.kind = Line::Key;
            line.name = trimBlanks(t.left(eq));
            line.value = t.mid(eq + 1);
        }
    }
    return line;
}

// The lines of the text after its byte-order mark; each of CR LF, LF and a lone CR ends a line.
QList<QByteArray> splitLines(const QByteArray& text, Encoding encoding)
{
    QList<QByteArray> lines;
    qsizetype start = encoding == Encoding::Utf8 ? qsizetype(sizeof Utf8Mark - 1) : 0;
    for (qsizetype i = start; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n')
            continue;
        lines.append(text.mid(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines.append(text.mid(start)); // the last line had no line end
    return lines;
}

// Index of the first header of the section, or -1.
qsizetype findSection(const QList<QByteArray>& lines, const QByteArray& section, Encoding encoding)
{
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const Line l = parse(lines[i], encoding);
        if (l.kind == Line::Section && sameName(l.name, section, encoding))
            return i;
    }
    return -1;
}

// True when the last byte starts a two-byte character that is cut off.
bool endsInsideCharacter(const QByteArray& s, Encoding encoding)
{
    qsizetype i = 0;
    while (i < s.size())
        i += isLeadByte(s[i], encoding) ? 2 : 1;
    return i > s.size();
}

bool hasAny(const QByteArray& s, const char* chars)
{
    for (const char* c = chars; *c; ++c)
        if (s.contains(*c))
            return true;
    return s.contains('\0');
}

} // namespace

std::optional<QByteArray> lookup(const QByteArray& text, const QByteArray& section, const QByteArray& key)
{
    const Encoding encoding = encodingOf(text);
    const QList<QByteArray> lines = splitLines(text, encoding);
    const qsizetype header = findSection(lines, trimBlanks(section), encoding);
    if (header < 0)
        return std::nullopt;
    const QByteArray wanted = trimBlanks(key);
    for (qsizetype i = header + 1; i < lines.size(); ++i) {
        const Line l = parse(lines[i], encoding);
        if (l.kind == Line::Section)
            break;
        if (l.kind == Line::Key && sameName(l.name, wanted, encoding)) {
            QByteArray v = trimBlanks(l.value);
            if (v.size() >= 2 && v.startsWith('"') && v.endsWith('"'))
                v = v.mid(1, v.size() - 2);
            return v;
        }
    }
    return std::nullopt;
}

std::optional<QByteArray> assign(const QByteArray& text, const QByteArray& section, const QByteArray& key,
                                 const QByteArray& value)
{
    const Encoding encoding = encodingOf(text);
    const QByteArray sectionName = trimBlanks(section);
    const QByteArray keyName = trimBlanks(key);
    if (hasAny(sectionName, "\r\n") || findChar(sectionName, ']', encoding) >= 0
        || endsInsideCharacter(sectionName, encoding) || hasAny(value, "\r\n") || hasAny(keyName, "\r\n=")
        || keyName.isEmpty() || keyName.startsWith('[') || keyName.startsWith(';'))
        return std::nullopt;

    QList<QByteArray> lines = splitLines(text, encoding);
    const qsizetype header = findSection(lines, sectionName, encoding);
    if (header < 0) {
        lines.append('[' + sectionName + ']');
        lines.append(keyName + '=' + value);
    } else {
        qsizetype lastFilled = header; // a new key goes after the section's last non-blank line
        bool replaced = false;
        for (qsizetype i = header + 1; i < lines.size() && !replaced; ++i) {
            const Line l = parse(lines[i], encoding);
            if (l.kind == Line::Section)
                break;
            if (l.kind == Line::Key && sameName(l.name, keyName, encoding)) {
                lines[i] = l.name + '=' + value;
                replaced = true;
            } else if (!trimBlanks(lines[i]).isEmpty()) {
                lastFilled = i;
            }
        }
        if (!replaced)
            lines.insert(lastFilled + 1, keyName + '=' + value);
    }

    QByteArray out = encoding == Encoding::Utf8 ? QByteArray(Utf8Mark) : QByteArray();
    for (const QByteArray& l : lines)
        out += l + "\r\n";
    return out;
}

} // namespace platform::ini
