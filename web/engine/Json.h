#pragma once

#include <string>
#include <vector>

// The few pieces of JSON the engine's answers are made of; web/site/engine.js parses them.
namespace json {

// A JSON string literal of UTF-8 text; control characters are escaped.
std::string quote(const std::string& text);
inline std::string boolean(bool value) {
    return value ? "true" : "false";
}
inline std::string number(long long value) {
    return std::to_string(value);
}
// "[a,b,...]" of items that are JSON already.
std::string array(const std::vector<std::string>& items);
// "[\"a\",\"b\"]" of texts.
std::string textArray(const std::vector<std::string>& texts);

// An object written member by member: Object().add("ok", "true").add(...).text().
class Object {
public:
    // `value` is JSON already.
    Object& add(const char* name, const std::string& value);
    Object& addText(const char* name, const std::string& text) { return add(name, quote(text)); }
    Object& addBool(const char* name, bool value) { return add(name, boolean(value)); }
    Object& addNumber(const char* name, long long value) { return add(name, number(value)); }
    std::string text() const { return "{" + m_members + "}"; }

private:
    std::string m_members;
};

} // namespace json
