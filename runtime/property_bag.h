#pragma once
#include <QColor>
#include <QFont>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <vector>

namespace rt {

// The per-instance key/value store in which a host keeps a control's design-time
// settings. Keys match without regard to case; a missing key reads as the
// default given; writing a value equal to its default removes the entry, so
// only what differs from the defaults is stored. Values are kept as text in the
// design-data notation (see formatValue), in the order they were first written.
class PropertyBag {
public:
    struct Entry {
        QString key;
        QString text;
    };

    bool contains(const QString& key) const;
    const std::vector<Entry>& entries() const { return entries_; }

    QString readString(const QString& key, const QString& def) const;
    int32_t readInt(const QString& key, int32_t def) const;
    uint32_t readColor(const QString& key, uint32_t def) const; // 0x00BBGGRR or 0x800000nn
    bool readBool(const QString& key, bool def) const;
    double readDouble(const QString& key, double def) const;
    QFont readFont(const QString& key, const QFont& def) const;

    void writeString(const QString& key, const QString& value, const QString& def);
    void writeInt(const QString& key, int32_t value, int32_t def);
    void writeColor(const QString& key, uint32_t value, uint32_t def);
    void writeBool(const QString& key, bool value, bool def);
    void writeDouble(const QString& key, double value, double def);
    void writeFont(const QString& key, const QFont& value, const QFont& def);

    // Raw text access, for the design-data reader and writer.
    QString rawText(const QString& key) const;
    void setRawText(const QString& key, const QString& text);
    void remove(const QString& key);

    // The notation of values: strings in double quotes (with \" and \\),
    // numbers in decimal, colours as 0x followed by eight hex digits, booleans
    // as True or False, fonts as "Family",size,weight[,underline][,italic][,strikeout].
    static QString quote(const QString& s);
    static QString unquote(const QString& text);
    static QString formatFont(const QFont& f);
    static QFont parseFont(const QString& text, const QFont& def);

private:
    const Entry* find(const QString& key) const;
    std::vector<Entry> entries_;
};

// Fonts named in design data may be missing on this machine; Chinese faces fall
// back to an installed CJK face.
void addFontFallbacks(QFont& font);

// A control's designed Latin face at its size and normal weight, with a sans
// face where it is missing (for the controls' own captions and text).
QFont latinFont(const QString& family, qreal pointSize);

} // namespace rt
