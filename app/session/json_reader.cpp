#include "app/session/json_reader.h"

#include "app/session/json_writer.h"
#include "astro/number_text.h"
#include "catalog/utf8.h"

namespace app {

namespace {

class Reader {
public:
    explicit Reader(std::string_view s) : s_(s) {}

    std::optional<JsonValue> whole(std::string& error) {
        std::optional<JsonValue> v = value(0);
        if (v) {
            space();
            if (i_ != s_.size()) v.reset(), fail("text after the value");
        }
        if (!v) error = why_ + " at byte " + std::to_string(i_);
        return v;
    }

private:
    void fail(const char* why) {
        if (why_.empty()) why_ = why;
    }
    void space() {
        while (i_ < s_.size() && (s_[i_] == ' ' || s_[i_] == '\t' || s_[i_] == '\n' || s_[i_] == '\r')) ++i_;
    }
    bool literal(std::string_view word) {
        if (s_.substr(i_, word.size()) != word) return false;
        i_ += word.size();
        return true;
    }

    std::optional<JsonValue> value(int depth) {
        space();
        if (i_ >= s_.size()) return fail("a value is missing"), std::nullopt;
        if (depth > kJsonMaxDepth) return fail("nested too deeply"), std::nullopt;
        const char c = s_[i_];
        if (c == '{') return object(depth);
        if (c == '[') return array(depth);
        if (c == '"') {
            std::optional<std::string> t = string();
            if (!t) return std::nullopt;
            return JsonValue{std::move(*t)};
        }
        if (literal("true")) return JsonValue{true};
        if (literal("false")) return JsonValue{false};
        if (literal("null")) return JsonValue{nullptr};
        return number();
    }

    std::optional<JsonValue> number() {
        const std::size_t start = i_;
        if (i_ < s_.size() && s_[i_] == '-') ++i_;
        const std::size_t intStart = i_;
        while (i_ < s_.size() && s_[i_] >= '0' && s_[i_] <= '9') ++i_;
        if (i_ == intStart || (s_[intStart] == '0' && i_ - intStart > 1)) return fail("not a value"), std::nullopt;
        if (i_ < s_.size() && s_[i_] == '.') {
            const std::size_t f = ++i_;
            while (i_ < s_.size() && s_[i_] >= '0' && s_[i_] <= '9') ++i_;
            if (i_ == f) return fail("a number has no digits after its point"), std::nullopt;
        }
        if (i_ < s_.size() && (s_[i_] == 'e' || s_[i_] == 'E')) {
            ++i_;
            if (i_ < s_.size() && (s_[i_] == '+' || s_[i_] == '-')) ++i_;
            const std::size_t e = i_;
            while (i_ < s_.size() && s_[i_] >= '0' && s_[i_] <= '9') ++i_;
            if (i_ == e) return fail("a number's exponent has no digits"), std::nullopt;
        }
        const std::optional<double> v = astro::readDecimal(s_.substr(start, i_ - start));
        if (!v) return fail("a number out of range"), std::nullopt;
        return JsonValue{*v};
    }

    std::optional<char32_t> hex4() {
        if (i_ + 4 > s_.size()) return std::nullopt;
        char32_t v = 0;
        for (int k = 0; k < 4; ++k) {
            const char c = s_[i_++];
            v <<= 4;
            if (c >= '0' && c <= '9') v |= static_cast<char32_t>(c - '0');
            else if (c >= 'a' && c <= 'f') v |= static_cast<char32_t>(c - 'a' + 10);
            else if (c >= 'A' && c <= 'F') v |= static_cast<char32_t>(c - 'A' + 10);
            else return std::nullopt;
        }
        return v;
    }

    std::optional<std::string> string() {
        ++i_;  // the opening quote
        std::string out;
        while (i_ < s_.size()) {
            const auto c = static_cast<unsigned char>(s_[i_]);
            if (c == '"') {
                ++i_;
                return out;
            }
            if (c < 0x20) return fail("a control character in a string"), std::nullopt;
            if (c == '\\') {
                if (++i_ >= s_.size()) break;
                const char e = s_[i_++];
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
                    std::optional<char32_t> cp = hex4();
                    if (!cp) return fail("a bad \\u escape"), std::nullopt;
                    if (*cp >= 0xd800 && *cp <= 0xdbff) {
                        // A surrogate pair spells one code point.
                        std::optional<char32_t> low;
                        if (literal("\\u")) low = hex4();
                        if (!low || *low < 0xdc00 || *low > 0xdfff) return fail("a lone surrogate"), std::nullopt;
                        cp = 0x10000 + ((*cp - 0xd800) << 10) + (*low - 0xdc00);
                    } else if (*cp >= 0xdc00 && *cp <= 0xdfff) {
                        return fail("a lone surrogate"), std::nullopt;
                    }
                    catalog::encodeUtf8(*cp, out);
                    break;
                }
                default: return fail("a bad escape"), std::nullopt;
                }
                continue;
            }
            if (c < 0x80) {
                out += static_cast<char>(c);
                ++i_;
                continue;
            }
            const std::size_t len = utf8SequenceLength(s_, i_);
            if (len == 0) return fail("a string that is not UTF-8"), std::nullopt;
            out.append(s_.substr(i_, len));
            i_ += len;
        }
        return fail("a string is not closed"), std::nullopt;
    }

    std::optional<JsonValue> array(int depth) {
        ++i_;
        auto items = std::make_shared<JsonValue::Array>();
        space();
        if (i_ < s_.size() && s_[i_] == ']') return ++i_, JsonValue{items};
        while (true) {
            std::optional<JsonValue> v = value(depth + 1);
            if (!v) return std::nullopt;
            items->push_back(std::move(*v));
            space();
            if (i_ < s_.size() && s_[i_] == ',') {
                ++i_;
                continue;
            }
            if (i_ < s_.size() && s_[i_] == ']') return ++i_, JsonValue{items};
            return fail("an array is not closed"), std::nullopt;
        }
    }

    std::optional<JsonValue> object(int depth) {
        ++i_;
        auto members = std::make_shared<JsonValue::Object>();
        space();
        if (i_ < s_.size() && s_[i_] == '}') return ++i_, JsonValue{members};
        while (true) {
            space();
            if (i_ >= s_.size() || s_[i_] != '"') return fail("a member has no name"), std::nullopt;
            std::optional<std::string> key = string();
            if (!key) return std::nullopt;
            space();
            if (i_ >= s_.size() || s_[i_] != ':') return fail("a member has no value"), std::nullopt;
            ++i_;
            std::optional<JsonValue> v = value(depth + 1);
            if (!v) return std::nullopt;
            if (!members->emplace(std::move(*key), std::move(*v)).second)
                return fail("a member is given twice"), std::nullopt;
            space();
            if (i_ < s_.size() && s_[i_] == ',') {
                ++i_;
                continue;
            }
            if (i_ < s_.size() && s_[i_] == '}') return ++i_, JsonValue{members};
            return fail("an object is not closed"), std::nullopt;
        }
    }

    std::string_view s_;
    std::size_t i_ = 0;
    std::string why_;
};

}  // namespace

std::optional<JsonValue> readJson(std::string_view text, std::string& error) { return Reader(text).whole(error); }

}  // namespace app
