#pragma once
#include <QByteArray>
#include <QString>

namespace platform {

// Text in the GBK encoding (code page 936). A character GBK cannot hold is
// written as "?"; a byte sequence that is not GBK reads as U+FFFD.
QByteArray toGbk(const QString& text);
QString fromGbk(const QByteArray& bytes);

// True for a byte that starts a two-byte GBK character.
inline bool isGbkLeadByte(char c)
{
    const auto b = static_cast<unsigned char>(c);
    return b >= 0x81 && b <= 0xFE;
}

// The first maxBytes bytes of GBK text, one byte fewer when the cut would
// split a two-byte character.
QByteArray cutGbk(const QByteArray& bytes, int maxBytes);

} // namespace platform
