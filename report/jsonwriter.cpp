#include "report/jsonwriter.h"

#include "base/numberformat.h"

#include <algorithm>
#include <iterator>
#include <cmath>
#include <cstdio>

namespace qrv {

void JsonWriter::beforeValue()
{
    if (m_afterKey) {
        m_afterKey = false;
        return;
    }
    if (!m_hasItems.empty()) {
        if (m_hasItems.back())
            m_out += ',';
        m_hasItems.back() = true;
    }
}

JsonWriter& JsonWriter::open(char bracket)
{
    beforeValue();
    m_out += bracket;
    m_hasItems.push_back(false);
    return *this;
}

JsonWriter& JsonWriter::close(char bracket)
{
    m_hasItems.pop_back();
    m_out += bracket;
    return *this;
}

JsonWriter& JsonWriter::beginObject() { return open('{'); }
JsonWriter& JsonWriter::endObject() { return close('}'); }
JsonWriter& JsonWriter::beginArray() { return open('['); }
JsonWriter& JsonWriter::endArray() { return close(']'); }

JsonWriter& JsonWriter::key(std::string_view name)
{
    value(name);
    m_out += ':';
    m_afterKey = true;
    return *this;
}

namespace {

// The lead bytes of multi-byte UTF-8 sequences: their mark, length and the lowest code point
// that needs that length (shorter forms of it are overlong, not valid).
struct LeadByte {
    unsigned char mask, mark;
    std::size_t length;
    char32_t lowest;
};
constexpr LeadByte kLeadBytes[] = {{0xe0, 0xc0, 2, 0x80}, {0xf0, 0xe0, 3, 0x800}, {0xf8, 0xf0, 4, 0x10000}};

// The length of the valid UTF-8 sequence at the start of `text` and its code point; 0 when the
// first byte does not start one (overlong forms, surrogates and code points beyond U+10FFFF
// are not valid).
std::size_t utf8Sequence(std::string_view text, char32_t& codePoint)
{
    const auto byte = [&text](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    codePoint = byte(0);
    if (codePoint < 0x80)
        return 1;
    const auto lead = std::find_if(std::begin(kLeadBytes), std::end(kLeadBytes),
                                   [&byte](const LeadByte& l) { return (byte(0) & l.mask) == l.mark; });
    if (lead == std::end(kLeadBytes) || text.size() < lead->length)
        return 0;
    codePoint = byte(0) & ~lead->mask & 0xff;
    for (std::size_t i = 1; i < lead->length; ++i) {
        if ((byte(i) & 0xc0) != 0x80)
            return 0;
        codePoint = (codePoint << 6) | (byte(i) & 0x3f);
    }
    const bool surrogate = codePoint >= 0xd800 && codePoint <= 0xdfff;
    return codePoint < lead->lowest || surrogate || codePoint > 0x10ffff ? 0 : lead->length;
}

} // namespace

JsonWriter& JsonWriter::value(std::string_view text)
{
    beforeValue();
    m_out += '"';
    while (!text.empty()) {
        char32_t codePoint = 0;
        const std::size_t length = utf8Sequence(text, codePoint);
        if (length == 0) {
            m_out += "\xEF\xBF\xBD"; // U+FFFD REPLACEMENT CHARACTER
            ++m_replacedBytes;
            text.remove_prefix(1);
            continue;
        }
        switch (codePoint) {
        case '"': m_out += "\\\""; break;
        case '\\': m_out += "\\\\"; break;
        case '\n': m_out += "\\n"; break;
        case '\r': m_out += "\\r"; break;
        case '\t': m_out += "\\t"; break;
        default:
            // C0 and C1 controls and DEL, which a terminal would act on.
            if (codePoint < 0x20 || (codePoint >= 0x7f && codePoint <= 0x9f)) {
                char escape[12];
                std::snprintf(escape, sizeof escape, "\\u%04x", unsigned(codePoint));
                m_out += escape;
            } else {
                m_out.append(text.substr(0, length));
            }
        }
        text.remove_prefix(length);
    }
    m_out += '"';
    return *this;
}

template <typename Number>
JsonWriter& JsonWriter::shortest(Number number)
{
    if (!std::isfinite(number))
        return null();
    beforeValue();
    m_out += formatShortest(number);
    return *this;
}

JsonWriter& JsonWriter::value(float number)
{
    return shortest(number);
}

JsonWriter& JsonWriter::value(double number)
{
    return shortest(number);
}

JsonWriter& JsonWriter::value(int number)
{
    beforeValue();
    m_out += std::to_string(number);
    return *this;
}

JsonWriter& JsonWriter::value(bool flag)
{
    beforeValue();
    m_out += flag ? "true" : "false";
    return *this;
}

JsonWriter& JsonWriter::null()
{
    beforeValue();
    m_out += "null";
    return *this;
}

} // namespace qrv
