// A small JSON writer: objects, arrays, strings, whole, single- and double-precision numbers and
// flags.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qrv {

class JsonWriter {
public:
    JsonWriter& beginObject();
    JsonWriter& endObject();
    JsonWriter& beginArray();
    JsonWriter& endArray();
    JsonWriter& key(std::string_view name);

    // Texts are UTF-8 and written as such; a byte that is not part of a valid UTF-8 sequence
    // is written as U+FFFD and counted. Control characters are escaped.
    JsonWriter& value(std::string_view text);
    JsonWriter& value(const char* text) { return value(std::string_view(text)); }
    // The shortest decimal that reads back as the same float (double); null when not finite.
    JsonWriter& value(float number);
    JsonWriter& value(double number);
    JsonWriter& value(int number);
    JsonWriter& value(bool flag);
    JsonWriter& null();

    const std::string& text() const { return m_out; }
    // How many bytes of the texts were not UTF-8 and stand as U+FFFD.
    std::size_t replacedBytes() const { return m_replacedBytes; }

private:
    void beforeValue();
    template <typename Number>
    JsonWriter& shortest(Number number);
    JsonWriter& open(char bracket);
    JsonWriter& close(char bracket);

    std::string m_out;
    std::vector<bool> m_hasItems; // per open container
    bool m_afterKey = false;
    std::size_t m_replacedBytes = 0;
};

} // namespace qrv
