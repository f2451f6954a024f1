#include "platform/gbk_text.h"

#include <algorithm>

#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>

#include <cerrno>
#endif

namespace platform {

#ifdef _WIN32
// Windows has the code page itself, whatever the system's own code page is.
namespace {
constexpr UINT Gbk = 936;
}

QByteArray toGbk(const QString& text)
{
    const auto* wide = reinterpret_cast<const wchar_t*>(text.utf16());
    const int size = WideCharToMultiByte(Gbk, 0, wide, int(text.size()), nullptr, 0, "?", nullptr);
    QByteArray out(size, '\0');
    WideCharToMultiByte(Gbk, 0, wide, int(text.size()), out.data(), size, "?", nullptr);
    return out;
}

QString fromGbk(const QByteArray& bytes)
{
    const int size = MultiByteToWideChar(Gbk, 0, bytes.constData(), int(bytes.size()), nullptr, 0);
    QString out(size, QChar());
    MultiByteToWideChar(Gbk, 0, bytes.constData(), int(bytes.size()), reinterpret_cast<wchar_t*>(out.data()), size);
    return out;
}
#else
namespace {

// Runs iconv over the whole input; on a sequence it cannot convert it appends
// `replacement` and skips `skip(input position)` input bytes.
template <typename Skip>
QByteArray convert(const char* to, const char* from, const QByteArray& input, const QByteArray& replacement, Skip skip)
{
    QByteArray out;
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return out;
    out.reserve(input.size() * 2);
    const char* in = input.constData();
    size_t inLeft = static_cast<size_t>(input.size());
    char buffer[512];
    while (inLeft > 0) {
        char* outPtr = buffer;
        size_t outLeft = sizeof buffer;
        const size_t rc = iconv(cd, const_cast<char**>(&in), &inLeft, &outPtr, &outLeft);
        const int error = rc == static_cast<size_t>(-1) ? errno : 0; // before append can change errno
        out.append(buffer, static_cast<qsizetype>(outPtr - buffer));
        if (error != 0 && error != E2BIG) {
            out.append(replacement);
            const size_t n = std::min(skip(in, inLeft), inLeft);
            in += n;
            inLeft -= n;
            iconv(cd, nullptr, nullptr, nullptr, nullptr); // reset the shift state
        }
    }
    iconv_close(cd);
    return out;
}

size_t utf8SequenceLength(const char* p, size_t left)
{
    const auto b = static_cast<unsigned char>(*p);
    size_t n = b < 0x80 ? 1 : b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 1;
    return std::min(n, left);
}

} // namespace

QByteArray toGbk(const QString& text)
{
    return convert("CP936", "UTF-8", text.toUtf8(), "?", utf8SequenceLength);
}

QString fromGbk(const QByteArray& bytes)
{
    return QString::fromUtf8(convert("UTF-8", "CP936", bytes, "\xEF\xBF\xBD", [](const char*, size_t) { return size_t(1); }));
}
#endif

QByteArray cutGbk(const QByteArray& bytes, int maxBytes)
{
    if (bytes.size() <= maxBytes)
        return bytes;
    qsizetype end = 0;
    while (end < maxBytes) {
        const qsizetype step = isGbkLeadByte(bytes[end]) && end + 1 < bytes.size() ? 2 : 1;
        if (end + step > maxBytes)
            break;
        end += step;
    }
    return bytes.left(end);
}

} // namespace platform
