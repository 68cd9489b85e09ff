// A small JSON reader for the test data files: objects, arrays, strings, integers, null, true and
// false. Strings are byte strings: every character must be U+0000..U+00FF (escaped or written
// as UTF-8) and stands for one byte. Malformed input throws JsonError naming the offset.
#pragma once

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace morvel::json {

class JsonError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class Value {
public:
    enum class Kind { Null, Bool, Int, String, Array, Object };

    Value() = default;
    static Value MakeBool(bool b);
    static Value MakeInt(std::int64_t i);
    static Value MakeString(std::string s);
    static Value MakeArray(std::vector<Value> items);
    static Value MakeObject(std::vector<std::pair<std::string, Value>> members);

    Kind kind() const { return kind_; }
    bool isNull() const { return kind_ == Kind::Null; }
    // Accessors throw JsonError when the value is of another kind.
    bool asBool() const;
    std::int64_t asInt() const;
    const std::string& asString() const;
    const std::vector<Value>& asArray() const;
    const std::vector<std::pair<std::string, Value>>& asObject() const;

    // Object member by name, or nullptr when absent (or when this is not an object).
    const Value* find(std::string_view name) const;

private:
    Kind kind_ = Kind::Null;
    bool bool_ = false;
    std::int64_t int_ = 0;
    std::string string_;
    std::vector<Value> array_;
    std::vector<std::pair<std::string, Value>> object_;
};

// Parses one JSON text (surrounding white space allowed, nothing else after it).
Value Parse(std::string_view text);

}  // namespace morvel::json
