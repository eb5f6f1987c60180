// A small JSON writer: objects, arrays, strings, whole, single- and double-precision numbers and
// flags.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qrv::cli {

class JsonWriter {
public:
    JsonWriter& beginObject();
    JsonWriter& endObject();
    JsonWriter& beginArray();
    JsonWriter& endArray();
    JsonWriter& key(std::string_view name);

    // Texts are 8-bit; bytes above 127 are taken as Latin-1, as results files are written.
    JsonWriter& value(std::string_view text);
    JsonWriter& value(const char* text) { return value(std::string_view(text)); }
    // The shortest decimal that reads back as the same float (double); null when not finite.
    JsonWriter& value(float number);
    JsonWriter& value(double number);
    JsonWriter& value(int number);
    JsonWriter& value(bool flag);
    JsonWriter& null();

    const std::string& text() const { return m_out; }

private:
    void beforeValue();
    template <typename Number>
    JsonWriter& shortest(Number number);
    JsonWriter& open(char bracket);
    JsonWriter& close(char bracket);

    std::string m_out;
    std::vector<bool> m_hasItems; // per open container
    bool m_afterKey = false;
};

} // namespace qrv::cli
