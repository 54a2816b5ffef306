#include "data/json_reader.h"

#include <charconv>

namespace quorlin {

JsonValue JsonValue::makeBool(bool value)
{
    JsonValue v;
    v.type_ = Type::Bool;
    v.bool_ = value;
    return v;
}

JsonValue JsonValue::makeNumber(std::string text)
{
    JsonValue v;
    v.type_ = Type::Number;
    v.text_ = std::move(text);
    return v;
}

JsonValue JsonValue::makeString(std::string text)
{
    JsonValue v;
    v.type_ = Type::String;
    v.text_ = std::move(text);
    return v;
}

JsonValue JsonValue::makeArray(std::vector<JsonValue> items)
{
    JsonValue v;
    v.type_ = Type::Array;
    v.items_ = std::move(items);
    return v;
}

JsonValue JsonValue::makeObject(std::vector<std::string> names, std::vector<JsonValue> values)
{
    JsonValue v;
    v.type_ = Type::Object;
    v.names_ = std::move(names);
    v.items_ = std::move(values);
    return v;
}

const JsonValue* JsonValue::member(std::string_view name) const
{
    if (type_ != Type::Object)
        return nullptr;
    for (std::size_t i = 0; i < names_.size(); ++i) {
        if (names_[i] == name)
            return &items_[i];
    }
    return nullptr;
}

std::optional<std::int64_t> JsonValue::wholeNumber() const
{
    if (type_ != Type::Number && type_ != Type::String)
        return std::nullopt;
    std::int64_t value = 0;
    const char* end = text_.data() + text_.size();
    const auto [last, ec] = std::from_chars(text_.data(), end, value);
    if (text_.empty() || ec != std::errc() || last != end)
        return std::nullopt;
    return value;
}

namespace {

constexpr int kMaxDepth = 64;

/// A recursive-descent reader over the text; the first error stops it.
class JsonParser {
public:
    explicit JsonParser(std::string_view text) : text_(text) {}

    JsonParseResult run()
    {
        JsonParseResult result;
        skipBlanks();
        if (!value(result.value, 0))
            return failed();
        skipBlanks();
        if (pos_ != text_.size()) {
            fail("值之后还有多余的内容");
            return failed();
        }
        result.ok = true;
        return result;
    }

private:
    JsonParseResult failed() const { return JsonParseResult{false, {}, error_}; }

    bool fail(const std::string& what)
    {
        if (error_.empty())
            error_ = "JSON 第 " + std::to_string(pos_ + 1) + " 个字节处" + what;
        return false;
    }

    bool atEnd() const { return pos_ >= text_.size(); }
    char peek() const { return text_[pos_]; }

    void skipBlanks()
    {
        while (!atEnd() && (peek() == ' ' || peek() == '\t' || peek() == '\n' || peek() == '\r'))
            ++pos_;
    }

    bool value(JsonValue& out, int depth)
    {
        if (depth >= kMaxDepth)
            return fail("嵌套过深");
        if (atEnd())
            return fail("缺少值");
        switch (peek()) {
        case '{':
            return object(out, depth);
        case '[':
            return array(out, depth);
        case '"': {
            std::string text;
            if (!string(text))
                return false;
            out = JsonValue::makeString(std::move(text));
            return true;
        }
        case 't':
            return literal("true", JsonValue::makeBool(true), out);
        case 'f':
            return literal("false", JsonValue::makeBool(false), out);
        case 'n':
            return literal("null", JsonValue(), out);
        default:
            return number(out);
        }
    }

    bool literal(std::string_view word, JsonValue meaning, JsonValue& out)
    {
        if (text_.substr(pos_, word.size()) != word)
            return fail("不是有效的值");
        pos_ += word.size();
        out = std::move(meaning);
        return true;
    }

    bool digits()
    {
        const std::size_t start = pos_;
        while (!atEnd() && peek() >= '0' && peek() <= '9')
            ++pos_;
        return pos_ > start;
    }

    bool number(JsonValue& out)
    {
        const std::size_t start = pos_;
        if (!atEnd() && peek() == '-')
            ++pos_;
        if (!digits())
            return fail("不是有效的值");
        if (!atEnd() && peek() == '.') {
            ++pos_;
            if (!digits())
                return fail("小数点后缺少数字");
        }
        if (!atEnd() && (peek() == 'e' || peek() == 'E')) {
            ++pos_;
            if (!atEnd() && (peek() == '+' || peek() == '-'))
                ++pos_;
            if (!digits())
                return fail("指数缺少数字");
        }
        out = JsonValue::makeNumber(std::string(text_.substr(start, pos_ - start)));
        return true;
    }

    bool hex4(unsigned& code)
    {
        if (pos_ + 4 > text_.size())
            return fail("\\u 之后应有 4 位十六进制数字");
        code = 0;
        for (int i = 0; i < 4; ++i) {
            const char ch = text_[pos_++];
            code <<= 4;
            if (ch >= '0' && ch <= '9')
                code |= static_cast<unsigned>(ch - '0');
            else if (ch >= 'a' && ch <= 'f')
                code |= static_cast<unsigned>(ch - 'a' + 10);
            else if (ch >= 'A' && ch <= 'F')
                code |= static_cast<unsigned>(ch - 'A' + 10);
            else
                return fail("\\u 之后应有 4 位十六进制数字");
        }
        return true;
    }

    static void appendUtf8(std::string& out, unsigned code)
    {
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | (code >> 6));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            out += static_cast<char>(0xE0 | (code >> 12));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (code >> 18));
            out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
    }

    // \uXXXX, with a following low surrogate for characters beyond the first plane; a lone
    // surrogate becomes U+FFFD, as a web page would show it.
    bool unicodeEscape(std::string& out)
    {
        unsigned code = 0;
        if (!hex4(code))
            return false;
        if (code >= 0xD800 && code <= 0xDBFF && text_.substr(pos_, 2) == "\\u") {
            const std::size_t back = pos_;
            pos_ += 2;
            unsigned low = 0;
            if (!hex4(low))
                return false;
            if (low >= 0xDC00 && low <= 0xDFFF) {
                appendUtf8(out, 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00));
                return true;
            }
            pos_ = back;
        }
        appendUtf8(out, code >= 0xD800 && code <= 0xDFFF ? 0xFFFD : code);
        return true;
    }

    bool string(std::string& out)
    {
        ++pos_; // the opening quote
        while (true) {
            if (atEnd())
                return fail("字符串没有结束");
            const char ch = text_[pos_++];
            if (ch == '"')
                return true;
            if (ch != '\\') {
                out += ch;
                continue;
            }
            if (atEnd())
                return fail("字符串没有结束");
            switch (text_[pos_++]) {
            case '"':
                out += '"';
                break;
            case '\\':
                out += '\\';
                break;
            case '/':
                out += '/';
                break;
            case 'b':
                out += '\b';
                break;
            case 'f':
                out += '\f';
                break;
            case 'n':
                out += '\n';
                break;
            case 'r':
                out += '\r';
                break;
            case 't':
                out += '\t';
                break;
            case 'u':
                if (!unicodeEscape(out))
                    return false;
                break;
            default:
                --pos_;
                return fail("有无效的转义符");
            }
        }
    }

    bool array(JsonValue& out, int depth)
    {
        ++pos_; // '['
        std::vector<JsonValue> items;
        skipBlanks();
        if (!atEnd() && peek() == ']') {
            ++pos_;
            out = JsonValue::makeArray(std::move(items));
            return true;
        }
        while (true) {
            skipBlanks();
            items.emplace_back();
            if (!value(items.back(), depth + 1))
                return false;
            skipBlanks();
            if (atEnd())
                return fail("数组没有结束");
            const char ch = text_[pos_++];
            if (ch == ']')
                break;
            if (ch != ',') {
                --pos_;
                return fail("数组中缺少逗号");
            }
        }
        out = JsonValue::makeArray(std::move(items));
        return true;
    }

    bool object(JsonValue& out, int depth)
    {
        ++pos_; // '{'
        std::vector<std::string> names;
        std::vector<JsonValue> values;
        skipBlanks();
        if (!atEnd() && peek() == '}') {
            ++pos_;
            out = JsonValue::makeObject(std::move(names), std::move(values));
            return true;
        }
        while (true) {
            skipBlanks();
            if (atEnd() || peek() != '"')
                return fail("缺少成员名");
            names.emplace_back();
            if (!string(names.back()))
                return false;
            skipBlanks();
            if (atEnd() || peek() != ':')
                return fail("成员名之后缺少冒号");
            ++pos_;
            skipBlanks();
            values.emplace_back();
            if (!value(values.back(), depth + 1))
                return false;
            skipBlanks();
            if (atEnd())
                return fail("对象没有结束");
            const char ch = text_[pos_++];
            if (ch == '}')
                break;
            if (ch != ',') {
                --pos_;
                return fail("对象中缺少逗号");
            }
        }
        out = JsonValue::makeObject(std::move(names), std::move(values));
        return true;
    }

    std::string_view text_;
    std::size_t pos_ = 0;
    std::string error_;
};

} // namespace

JsonParseResult parseJson(std::string_view text)
{
    return JsonParser(text).run();
}

} // namespace quorlin
