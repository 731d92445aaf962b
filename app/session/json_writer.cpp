#include "app/session/json_writer.h"

#include "astro/number_text.h"

#include <charconv>
#include <cmath>

namespace app {

namespace {

constexpr char kHex[] = "0123456789abcdef";

}  // namespace

std::size_t utf8SequenceLength(std::string_view s, std::size_t i) {
    const auto b = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char c = b(i);
    const auto cont = [&](std::size_t k) { return k < s.size() && (b(k) & 0xC0) == 0x80; };
    if (c < 0x80) return 1;
    if (c >= 0xC2 && c <= 0xDF) return cont(i + 1) ? 2 : 0;
    if (c >= 0xE0 && c <= 0xEF) {
        if (!cont(i + 1) || !cont(i + 2)) return 0;
        const unsigned char d = b(i + 1);
        if (c == 0xE0 && d < 0xA0) return 0;   // overlong
        if (c == 0xED && d >= 0xA0) return 0;  // surrogate
        return 3;
    }
    if (c >= 0xF0 && c <= 0xF4) {
        if (!cont(i + 1) || !cont(i + 2) || !cont(i + 3)) return 0;
        const unsigned char d = b(i + 1);
        if (c == 0xF0 && d < 0x90) return 0;  // overlong
        if (c == 0xF4 && d >= 0x90) return 0; // beyond U+10FFFF
        return 4;
    }
    return 0;
}

std::string jsonString(std::string_view s) {
    std::string out = "\"";
    for (std::size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        const std::size_t n = utf8SequenceLength(s, i);
        if (n == 0) {
            out += "\\ufffd";
            ++i;
            continue;
        }
        if (n > 1) {
            out.append(s.substr(i, n));
            i += n;
            continue;
        }
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\b': out += "\\b"; break;
        case '\f': out += "\\f"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (c < 0x20 || c == 0x7F) {
                out += "\\u00";
                out += kHex[c >> 4];
                out += kHex[c & 0xF];
            } else {
                out += static_cast<char>(c);
            }
        }
        ++i;
    }
    return out + "\"";
}

std::string jsonRoundTrip(double x) {
    if (!std::isfinite(x)) return "null";
    return astro::significantText(x, 17);
}

std::string jsonFixed(double x, int decimals) {
    if (!std::isfinite(x)) return "null";
    std::string t = astro::fixedText(x, decimals);
    // "-0.00" reads as a sign without a value.
    if (t.front() == '-' && t.find_first_not_of("-0.") == std::string::npos) t.erase(0, 1);
    return t;
}

void JsonObject::open(const char* key) {
    out_ += out_.empty() ? "{" : ", ";
    out_ += jsonString(key);
    out_ += ": ";
}

void JsonObject::text(const char* key, std::string_view value) {
    open(key);
    out_ += jsonString(value);
}

void JsonObject::number(const char* key, double value, int decimals) {
    open(key);
    out_ += jsonFixed(value, decimals);
}

void JsonObject::integer(const char* key, long long value) {
    open(key);
    out_ += std::to_string(value);
}

void JsonObject::boolean(const char* key, bool value) {
    open(key);
    out_ += value ? "true" : "false";
}

void JsonObject::null(const char* key) {
    open(key);
    out_ += "null";
}

void JsonObject::object(const char* key, const JsonObject& member) {
    open(key);
    out_ += member.out_.empty() ? "{" : member.out_;
    out_ += "}";
}

void JsonObject::array(const char* key, const std::vector<JsonObject>& items) {
    open(key);
    out_ += "[";
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0) out_ += ", ";
        out_ += (items[i].out_.empty() ? "{" : items[i].out_) + "}";
    }
    out_ += "]";
}

void JsonObject::texts(const char* key, const std::vector<std::string>& items) {
    open(key);
    out_ += "[";
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0) out_ += ", ";
        out_ += jsonString(items[i]);
    }
    out_ += "]";
}

std::string JsonObject::done() const { return (out_.empty() ? "{" : out_) + "}\n"; }

}  // namespace app
