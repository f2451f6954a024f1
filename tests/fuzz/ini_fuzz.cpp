// Feeds arbitrary INI text and names to the reader and writer and checks that
// a write reads back, changes no other key, is stable when repeated, ends
// every line with CR LF (no lone CR or LF left) and keeps the text's encoding
// (its UTF-8 mark). The GBK conversions run over the same bytes.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>

#include "platform/gbk_text.h"
#include "platform/ini_text.h"

using namespace platform;

namespace {

void check(bool ok)
{
    if (!ok)
        std::abort();
}

QByteArray take(FuzzedDataProvider& in, size_t max)
{
    const std::string s = in.ConsumeRandomLengthString(max);
    return QByteArray(s.data(), static_cast<qsizetype>(s.size()));
}

QByteArray trimmed(const QByteArray& s)
{
    qsizetype b = 0, e = s.size();
    while (b < e && (s[b] == ' ' || s[b] == '\t'))
        ++b;
    while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t'))
        --e;
    return s.mid(b, e - b);
}

// What reading gives back for a written value.
QByteArray asRead(const QByteArray& value)
{
    QByteArray v = trimmed(value);
    if (v.size() >= 2 && v.startsWith('"') && v.endsWith('"'))
        v = v.mid(1, v.size() - 2);
    return v;
}

bool linesEndWithCrLf(const QByteArray& text)
{
    if (!text.isEmpty() && !text.endsWith("\r\n"))
        return false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r'))
            return false;
        if (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'))
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider in(data, size);
    const QByteArray section = take(in, 24), key = take(in, 24), value = take(in, 300);
    const QByteArray probeSection = take(in, 24), probeKey = take(in, 24);
    // Half the inputs start with the UTF-8 mark.
    const QByteArray text = (in.ConsumeBool() ? QByteArray(ini::Utf8Mark) : QByteArray()) + take(in, 4096);
    const ini::Encoding encoding = ini::encodingOf(text);

    cutGbk(text, 254);
    const QString decoded = fromGbk(text);
    check(toGbk(decoded).size() >= 0);

    const auto before = ini::lookup(text, probeSection, probeKey);
    const auto written = ini::assign(text, section, key, value);
    if (!written)
        return 0;
    check(ini::encodingOf(*written) == encoding);
    const qsizetype mark = encoding == ini::Encoding::Utf8 ? qsizetype(sizeof ini::Utf8Mark - 1) : 0;
    check(linesEndWithCrLf(written->mid(mark)));
    check(ini::lookup(*written, section, key) == asRead(value));
    const bool sameKey = ini::sameName(trimmed(probeSection), trimmed(section), encoding)
        && ini::sameName(trimmed(probeKey), trimmed(key), encoding);
    if (!sameKey)
        check(ini::lookup(*written, probeSection, probeKey) == before);
    check(ini::assign(*written, section, key, value) == written);
    return 0;
}
