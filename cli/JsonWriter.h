#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Builds indented JSON text. Calls must nest properly (a key before every value inside an
// object); the writer places commas, line breaks and indentation.
class JsonWriter {
public:
    void beginObject();
    void endObject();
    void beginArray();
    void endArray();
    void key(std::string_view name);
    void value(std::string_view text);
    void value(const char* text) { value(std::string_view(text)); }
    void value(int64_t number);
    void value(bool on);
    void null();

    // The document so far, ending in a line break once the outermost value is closed.
    const std::string& text() const { return m_text; }

    // A JSON string literal of UTF-8 text: quotes, backslashes and control characters escaped,
    // valid UTF-8 passed through, each byte of an invalid sequence written as U+FFFD.
    static std::string quote(std::string_view text);

private:
    void beforeValue();
    void open(char bracket);
    void close(char bracket);

    struct Level {
        int count = 0;
    };
    std::string m_text;
    std::vector<Level> m_levels;
    bool m_afterKey = false;
};
