#include "support/json_lite.h"

namespace morvel::json {

Value Value::MakeBool(bool b) {
    Value v;
    v.kind_ = Kind::Bool;
    v.bool_ = b;
    return v;
}
Value Value::MakeInt(std::int64_t i) {
    Value v;
    v.kind_ = Kind::Int;
    v.int_ = i;
    return v;
}
Value Value::MakeString(std::string s) {
    Value v;
    v.kind_ = Kind::String;
    v.string_ = std::move(s);
    return v;
}
Value Value::MakeArray(std::vector<Value> items) {
    Value v;
    v.kind_ = Kind::Array;
    v.array_ = std::move(items);
    return v;
}
Value Value::MakeObject(std::vector<std::pair<std::string, Value>> members) {
    Value v;
    v.kind_ = Kind::Object;
    v.object_ = std::move(members);
    return v;
}

namespace {
[[noreturn]] void WrongKind(const char* wanted) { throw JsonError(std::string("JSON value is not ") + wanted); }
}  // namespace

bool Value::asBool() const {
    if (kind_ != Kind::Bool) WrongKind("a boolean");
    return bool_;
}
std::int64_t Value::asInt() const {
    if (kind_ != Kind::Int) WrongKind("an integer");
    return int_;
}
const std::string& Value::asString() const {
    if (kind_ != Kind::String) WrongKind("a string");
    return string_;
}
const std::vector<Value>& Value::asArray() const {
    if (kind_ != Kind::Array) WrongKind("an array");
    return array_;
}
const std::vector<std::pair<std::string, Value>>& Value::asObject() const {
    if (kind_ != Kind::Object) WrongKind("an object");
    return object_;
}
const Value* Value::find(std::string_view name) const {
    if (kind_ != Kind::Object) return nullptr;
    for (const auto& [key, value] : object_) {
        if (key == name) return &value;
    }
    return nullptr;
}

namespace {

class Parser {
public:
    explicit Parser(std::string_view text) : text_(text) {}

    Value Document() {
        // Deep nesting is refused rather than followed down the stack.
        Value v = ParseValue(0);
        SkipSpace();
        if (pos_ != text_.size()) Fail("unexpected text after the value");
        return v;
    }

private:
    static constexpr int kMaxDepth = 64;

    [[noreturn]] void Fail(const std::string& what) const {
        throw JsonError("JSON error at offset " + std::to_string(pos_) + ": " + what);
    }
    void SkipSpace() {
        while (pos_ < text_.size() &&
               (text_[pos_] == ' ' || text_[pos_] == '\t' || text_[pos_] == '\n' || text_[pos_] == '\r')) {
            ++pos_;
        }
    }
    bool Eat(char c) {
        SkipSpace();
        if (pos_ < text_.size() && text_[pos_] == c) {
            ++pos_;
            return true;
        }
        return false;
    }
    void Expect(char c) {
        if (!Eat(c)) Fail(std::string("expected '") + c + "'");
    }
    bool EatWord(std::string_view word) {
        if (text_.substr(pos_, word.size()) == word) {
            pos_ += word.size();
            return true;
        }
        return false;
    }

    Value ParseValue(int depth) {
        if (depth > kMaxDepth) Fail("nesting too deep");
        SkipSpace();
        if (pos_ >= text_.size()) Fail("unexpected end");
        const char c = text_[pos_];
        if (c == '{') return ParseObject(depth);
        if (c == '[') return ParseArray(depth);
        if (c == '"') return Value::MakeString(ParseString());
        if (c == '-' || (c >= '0' && c <= '9')) return ParseInt();
        if (EatWord("null")) return Value();
        if (EatWord("true")) return Value::MakeBool(true);
        if (EatWord("false")) return Value::MakeBool(false);
        Fail("unexpected character");
    }

    Value ParseObject(int depth) {
        ++pos_;
        std::vector<std::pair<std::string, Value>> members;
        if (Eat('}')) return Value::MakeObject(std::move(members));
        do {
            SkipSpace();
            if (pos_ >= text_.size() || text_[pos_] != '"') Fail("expected a member name");
            std::string name = ParseString();
            Expect(':');
            members.emplace_back(std::move(name), ParseValue(depth + 1));
        } while (Eat(','));
        Expect('}');
        return Value::MakeObject(std::move(members));
    }

    Value ParseArray(int depth) {
        ++pos_;
        std::vector<Value> items;
        if (Eat(']')) return Value::MakeArray(std::move(items));
        do {
            items.push_back(ParseValue(depth + 1));
        } while (Eat(','));
        Expect(']');
        return Value::MakeArray(std::move(items));
    }

    Value ParseInt() {
        const std::size_t start = pos_;
        bool negative = false;
        if (text_[pos_] == '-') {
            negative = true;
            ++pos_;
        }
        if (pos_ >= text_.size() || text_[pos_] < '0' || text_[pos_] > '9') Fail("expected digits");
        std::uint64_t magnitude = 0;
        while (pos_ < text_.size() && text_[pos_] >= '0' && text_[pos_] <= '9') {
            magnitude = magnitude * 10 + static_cast<std::uint64_t>(text_[pos_] - '0');
            if (magnitude > (1ull << 62)) Fail("integer out of range");
            ++pos_;
        }
        if (pos_ < text_.size() && (text_[pos_] == '.' || text_[pos_] == 'e' || text_[pos_] == 'E')) {
            pos_ = start;
            Fail("only integers are supported");
        }
        const auto value = static_cast<std::int64_t>(magnitude);
        return Value::MakeInt(negative ? -value : value);
    }

    unsigned Hex4() {
        if (pos_ + 4 > text_.size()) Fail("short \\u escape");
        unsigned v = 0;
        for (int i = 0; i < 4; ++i) {
            const char c = text_[pos_++];
            v <<= 4;
            if (c >= '0' && c <= '9') {
                v |= static_cast<unsigned>(c - '0');
            } else if (c >= 'a' && c <= 'f') {
                v |= static_cast<unsigned>(c - 'a' + 10);
            } else if (c >= 'A' && c <= 'F') {
                v |= static_cast<unsigned>(c - 'A' + 10);
            } else {
                Fail("bad \\u escape");
            }
        }
        return v;
    }

    std::string ParseString() {
        ++pos_;  // opening quote
        std::string out;
        for (;;) {
            if (pos_ >= text_.size()) Fail("unterminated string");
            const auto c = static_cast<unsigned char>(text_[pos_++]);
            if (c == '"') return out;
            if (c < 0x20) Fail("control character in a string");
            if (c == '\\') {
                if (pos_ >= text_.size()) Fail("unterminated escape");
                const char e = text_[pos_++];
                switch (e) {
                    case '"': out += '"'; break;
                    case '\\': out += '\\'; break;
                    case '/': out += '/'; break;
                    case 'b': out += '\b'; break;
                    case 'f': out += '\f'; break;
                    case 'n': out += '\n'; break;
                    case 'r': out += '\r'; break;
                    case 't': out += '\t'; break;
                    case 'u': {
                        const unsigned v = Hex4();
                        if (v > 0xFF) Fail("character above U+00FF in a byte string");
                        out += static_cast<char>(v);
                        break;
                    }
                    default: Fail("unknown escape");
                }
            } else if (c < 0x80) {
                out += static_cast<char>(c);
            } else if ((c == 0xC2 || c == 0xC3) && pos_ < text_.size() &&
                       (static_cast<unsigned char>(text_[pos_]) & 0xC0) == 0x80) {
                // U+0080..U+00FF written as UTF-8.
                out += static_cast<char>(((c & 0x03) << 6) | (static_cast<unsigned char>(text_[pos_++]) & 0x3F));
            } else {
                Fail("character above U+00FF in a byte string");
            }
        }
    }

    std::string_view text_;
    std::size_t pos_ = 0;
};

}  // namespace

Value Parse(std::string_view text) { return Parser(text).Document(); }

}  // namespace morvel::json
