#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorlin {

/// One value of a JSON text, as far as the program reads the answers of web services: numbers keep
/// the text they were written with, so that nothing is lost to rounding.
class JsonValue {
public:
    enum class Type { Null, Bool, Number, String, Array, Object };

    JsonValue() = default;
    static JsonValue makeBool(bool value);
    static JsonValue makeNumber(std::string text);
    static JsonValue makeString(std::string text);
    static JsonValue makeArray(std::vector<JsonValue> items);
    static JsonValue makeObject(std::vector<std::string> names, std::vector<JsonValue> values);

    Type type() const { return type_; }
    bool isObject() const { return type_ == Type::Object; }
    bool isArray() const { return type_ == Type::Array; }

    /// True only for the literal true.
    bool isTrue() const { return type_ == Type::Bool && bool_; }
    /// The text of a string, or a number as written; empty for other values.
    const std::string& text() const { return text_; }
    /// The elements of an array, or the member values of an object.
    const std::vector<JsonValue>& items() const { return items_; }
    /// The member of an object with that name (the first one), or null when there is none.
    const JsonValue* member(std::string_view name) const;
    /// A whole number written as a number or as a string of digits; nothing otherwise.
    std::optional<std::int64_t> wholeNumber() const;

private:
    Type type_ = Type::Null;
    bool bool_ = false;
    std::string text_;
    std::vector<JsonValue> items_;
    std::vector<std::string> names_; ///< names_[i] names items_[i] of an object
};

/// The outcome of reading a JSON text: the value, or why the text is not JSON.
struct JsonParseResult {
    bool ok = false;
    JsonValue value;
    std::string error;
};

/// Reads a whole JSON text (UTF-8; blanks around the value are fine, anything else after it is not).
/// Nesting deeper than 64 levels is refused rather than followed.
JsonParseResult parseJson(std::string_view text);

} // namespace quorlin
