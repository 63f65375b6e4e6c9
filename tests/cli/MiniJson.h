#pragma once

// A strict reader of the JSON that "radioprog show --json" prints, so that tests check the
// document's structure and values rather than fragments of its text.

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace minijson {

struct Value {
    enum class Kind { Null, Bool, Number, String, Array, Object } kind = Kind::Null;
    bool boolean = false;
    int64_t number = 0; // integers only: the tool prints no fractions
    std::string text;
    std::vector<Value> items;
    std::map<std::string, Value> members;

    const Value& operator[](const std::string& key) const {
        static const Value kMissing;
        const auto it = members.find(key);
        return it == members.end() ? kMissing : it->second;
    }
    const Value& operator[](size_t i) const { return items.at(i); }
};

class Reader {
public:
    explicit Reader(const std::string& text) : m_text(text) {}

    // The document, or nullopt with the reason in error() when it is not valid JSON.
    std::optional<Value> parse() {
        Value v;
        if (!value(v)) {
            return std::nullopt;
        }
        blanks();
        if (m_pos != m_text.size()) {
            return fail("text after the value");
        }
        return v;
    }
    const std::string& error() const { return m_error; }

private:
    std::nullopt_t fail(const std::string& why) {
        if (m_error.empty()) {
            m_error = why + " at offset " + std::to_string(m_pos);
        }
        return std::nullopt;
    }
    void blanks() {
        while (m_pos < m_text.size() && std::string(" \t\r\n").find(m_text[m_pos]) != std::string::npos) {
            ++m_pos;
        }
    }
    bool literal(const char* word) {
        const std::string w(word);
        if (m_text.compare(m_pos, w.size(), w) != 0) {
            return false;
        }
        m_pos += w.size();
        return true;
    }
    static void appendUtf8(std::string& out, uint32_t cp) {
        if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp < 0x800) {
            out += static_cast<char>(0xC0 | (cp >> 6));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | (cp >> 12));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }
    bool string(std::string& out) {
        if (!literal("\"")) {
            return fail("expected a string"), false;
        }
        while (m_pos < m_text.size()) {
            const unsigned char c = static_cast<unsigned char>(m_text[m_pos++]);
            if (c == '"') {
                return true;
            }
            if (c < 0x20) {
                return fail("raw control character in a string"), false;
            }
            if (c != '\\') {
                out += static_cast<char>(c);
                continue;
            }
            if (m_pos >= m_text.size()) {
                break;
            }
            const char e = m_text[m_pos++];
            const std::string simple = "\"\\/bfnrt";
            const std::string meaning = "\"\\/\b\f\n\r\t";
            if (simple.find(e) != std::string::npos) {
                out += meaning[simple.find(e)];
            } else if (e == 'u' && m_pos + 4 <= m_text.size()) {
                appendUtf8(out, static_cast<uint32_t>(std::stoul(m_text.substr(m_pos, 4), nullptr, 16)));
                m_pos += 4;
            } else {
                return fail("bad escape"), false;
            }
        }
        return fail("string not closed"), false;
    }
    bool value(Value& v) {
        blanks();
        if (m_pos >= m_text.size()) {
            return fail("unexpected end"), false;
        }
        const char c = m_text[m_pos];
        if (c == '{') {
            ++m_pos;
            v.kind = Value::Kind::Object;
            blanks();
            if (literal("}")) {
                return true;
            }
            for (;;) {
                blanks();
                std::string key;
                if (!string(key)) {
                    return false;
                }
                blanks();
                if (!literal(":")) {
                    return fail("expected ':'"), false;
                }
                Value member;
                if (!value(member)) {
                    return false;
                }
                if (!v.members.emplace(key, std::move(member)).second) {
                    return fail("duplicate key " + key), false;
                }
                blanks();
                if (literal("}")) {
                    return true;
                }
                if (!literal(",")) {
                    return fail("expected ',' or '}'"), false;
                }
            }
        }
        if (c == '[') {
            ++m_pos;
            v.kind = Value::Kind::Array;
            blanks();
            if (literal("]")) {
                return true;
            }
            for (;;) {
                Value item;
                if (!value(item)) {
                    return false;
                }
                v.items.push_back(std::move(item));
                blanks();
                if (literal("]")) {
                    return true;
                }
                if (!literal(",")) {
                    return fail("expected ',' or ']'"), false;
                }
            }
        }
        if (c == '"') {
            v.kind = Value::Kind::String;
            return string(v.text);
        }
        if (literal("true") || literal("false")) {
            v.kind = Value::Kind::Bool;
            v.boolean = m_text[m_pos - 1] == 'e' && m_text[m_pos - 2] == 'u';
            return true;
        }
        if (literal("null")) {
            return true;
        }
        size_t end = m_pos + (c == '-' ? 1 : 0);
        while (end < m_text.size() && m_text[end] >= '0' && m_text[end] <= '9') {
            ++end;
        }
        if (end == m_pos || (end == m_pos + 1 && c == '-')) {
            return fail("unexpected character"), false;
        }
        v.kind = Value::Kind::Number;
        v.number = std::stoll(m_text.substr(m_pos, end - m_pos));
        m_pos = end;
        return true;
    }

    const std::string& m_text;
    size_t m_pos = 0;
    std::string m_error;
};

} // namespace minijson
