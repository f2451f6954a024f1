#pragma once
#include <QByteArray>
#include <optional>

// The INI text rules, on the stored bytes: GBK, or UTF-8 when the text starts
// with the UTF-8 byte-order mark (which then belongs to no line and is kept on
// writing). A line whose first non-blank character is "[" starts a section
// named by what follows up to "]"; a line starting with ";" is a comment; any
// other line with "=" is a key. Names match without regard to case and with
// surrounding blanks ignored; only the first of two equal sections is searched
// and the first of two equal keys wins. Lines end with LF, CR LF or a lone CR
// when read, always CR LF when written. Names and values passed in are bytes
// in the text's own encoding.
namespace platform::ini {

enum class Encoding { Gbk, Utf8 };

inline constexpr char Utf8Mark[] = "\xEF\xBB\xBF";

// UTF-8 when the text starts with the UTF-8 byte-order mark, else GBK.
Encoding encodingOf(const QByteArray& text);

// Whether two section or key names are the same: without regard to the case
// of ASCII letters, the bytes of a GBK two-byte character matching exactly.
bool sameName(const QByteArray& a, const QByteArray& b, Encoding encoding = Encoding::Gbk);

// The key's value with surrounding blanks and one pair of surrounding double
// quotes removed, or nothing when the section or the key is missing.
std::optional<QByteArray> lookup(const QByteArray& text, const QByteArray& section, const QByteArray& key);

// The text with the key set to value: replaced in place as "key=value" (the
// key spelled as in the text), or appended at the end of its section, or in a
// new section at the end. Nothing when the names or the value cannot be stored
// so that they read back (line breaks, NUL, "]" or a cut-off GBK two-byte
// character in a section name, "=" in a key, an empty key, a key that would
// read as a section or a comment).
std::optional<QByteArray> assign(const QByteArray& text, const QByteArray& section, const QByteArray& key,
                                 const QByteArray& value);

} // namespace platform::ini
