#include "cli/jsonwriter.h"

#include "engine/numberformat.h"

#include <cmath>
#include <cstdio>

namespace qrv::cli {

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

JsonWriter& JsonWriter::value(std::string_view text)
{
    beforeValue();
    m_out += '"';
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
        case '"': m_out += "\\\""; break;
        case '\\': m_out += "\\\\"; break;
        case '\n': m_out += "\\n"; break;
        case '\r': m_out += "\\r"; break;
        case '\t': m_out += "\\t"; break;
        default:
            if (byte < 0x20 || byte >= 0x7f) {
                char escape[8];
                std::snprintf(escape, sizeof escape, "\\u%04x", byte);
                m_out += escape;
            } else {
                m_out += c;
            }
        }
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

} // namespace qrv::cli
