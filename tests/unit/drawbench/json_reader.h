#pragma once
// A strict reader of JSON documents (RFC 8259) for the tests of the results'
// JSON: it refuses what a JSON parser would refuse (raw control characters in
// strings, bare words, trailing commas, text after the document) and gives
// the values back to be checked.
#include <cctype>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

struct JsonValue {
    enum class Kind { Null, Bool, Number, String, Array, Object } kind = Kind::Null;
    bool boolean = false;
    double number = 0;
    std::string text;
    std::vector<JsonValue> items;
    std::map<std::string, JsonValue> members;

    const JsonValue& operator[](const std::string& name) const {
        static const JsonValue kMissing;
        const auto found = members.find(name);
        return found == members.end() ? kMissing : found->second;
    }
    bool IsNull() const { return kind == Kind::Null; }
};

class JsonReader {
public:
    // The document in `text`; false, with `at` where it went wrong, when it is not JSON.
    bool Read(const std::string& text, JsonValue& value) {
        text_ = text;
        at_ = 0;
        return Value(value, 0) && (SkipSpace(), at_ == text_.size());
    }
    size_t at() const { return at_; }

private:
    void SkipSpace() {
        while (at_ < text_.size() &&
               (text_[at_] == ' ' || text_[at_] == '\t' || text_[at_] == '\n' || text_[at_] == '\r'))
            ++at_;
    }
    bool Take(char c) {
        SkipSpace();
        if (at_ >= text_.size() || text_[at_] != c) return false;
        ++at_;
        return true;
    }
    bool Word(const char* word) {
        const std::string w = word;
        if (text_.compare(at_, w.size(), w) != 0) return false;
        at_ += w.size();
        return true;
    }
    size_t Digits() {
        const size_t start = at_;
        while (at_ < text_.size() && std::isdigit(static_cast<unsigned char>(text_[at_]))) ++at_;
        return at_ - start;
    }
    bool Number(JsonValue& value) {
        const size_t start = at_;
        if (text_[at_] == '-') ++at_;
        if (at_ < text_.size() && text_[at_] == '0')
            ++at_;
        else if (Digits() == 0)
            return false;
        if (at_ < text_.size() && text_[at_] == '.') {
            ++at_;
            if (Digits() == 0) return false;
        }
        if (at_ < text_.size() && (text_[at_] == 'e' || text_[at_] == 'E')) {
            ++at_;
            if (at_ < text_.size() && (text_[at_] == '+' || text_[at_] == '-')) ++at_;
            if (Digits() == 0) return false;
        }
        value.kind = JsonValue::Kind::Number;
        value.number = std::strtod(text_.substr(start, at_ - start).c_str(), nullptr);
        return true;
    }
    // Escapes of characters below 0x80 only: the results escape nothing else.
    bool String(std::string& out) {
        if (!Take('"')) return false;
        while (at_ < text_.size() && text_[at_] != '"') {
            const char c = text_[at_++];
            if (static_cast<unsigned char>(c) < 0x20) return false;
            if (c != '\\') {
                out += c;
                continue;
            }
            if (at_ >= text_.size()) return false;
            const char e = text_[at_++];
            const std::string simple = "\"\\/bfnrt", meaning = "\"\\/\b\f\n\r\t";
            if (simple.find(e) != std::string::npos) {
                out += meaning[simple.find(e)];
            } else if (e == 'u' && at_ + 4 <= text_.size()) {
                const std::string hex = text_.substr(at_, 4);
                char* end = nullptr;
                const long code = std::strtol(hex.c_str(), &end, 16);
                if (end != hex.c_str() + 4 || code >= 0x80) return false;
                out += static_cast<char>(code);
                at_ += 4;
            } else {
                return false;
            }
        }
        return Take('"');
    }
    bool Array(JsonValue& value, int depth) {
        value.kind = JsonValue::Kind::Array;
        if (Take(']')) return true;
        do {
            value.items.emplace_back();
            if (!Value(value.items.back(), depth + 1)) return false;
        } while (Take(','));
        return Take(']');
    }
    bool Object(JsonValue& value, int depth) {
        value.kind = JsonValue::Kind::Object;
        if (Take('}')) return true;
        do {
            std::string name;
            if (!String(name) || !Take(':') || value.members.count(name) != 0) return false;
            if (!Value(value.members[name], depth + 1)) return false;
        } while (Take(','));
        return Take('}');
    }
    bool Value(JsonValue& value, int depth) {
        SkipSpace();
        if (at_ >= text_.size() || depth > 32) return false;
        const char c = text_[at_];
        if (c == '{' || c == '[') {
            ++at_;
            return c == '{' ? Object(value, depth) : Array(value, depth);
        }
        if (c == '"') {
            value.kind = JsonValue::Kind::String;
            return String(value.text);
        }
        if (c == '-' || std::isdigit(static_cast<unsigned char>(c))) return Number(value);
        if (Word("null")) return true;
        value.kind = JsonValue::Kind::Bool;
        value.boolean = Word("true");
        return value.boolean || Word("false");
    }

    std::string text_;
    size_t at_ = 0;
};
