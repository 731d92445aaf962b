// UTF-8 one code point at a time, for the catalogue's text handling.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace catalog {

// Decodes one code point at s[i], advancing i; invalid bytes (overlong
// forms, surrogates, values past U+10FFFF, a cut sequence) give 0 and
// advance by one.
inline char32_t decodeUtf8(std::string_view s, std::size_t& i) {
    const auto b0 = static_cast<unsigned char>(s[i]);
    auto cont = [&](std::size_t k) -> int {
        if (i + k >= s.size()) return -1;
        const auto b = static_cast<unsigned char>(s[i + k]);
        return (b & 0xC0) == 0x80 ? (b & 0x3F) : -1;
    };
    if (b0 < 0x80) {
        ++i;
        return b0;
    }
    int len = 0;
    char32_t cp = 0;
    if ((b0 & 0xE0) == 0xC0) { len = 2; cp = b0 & 0x1F; }
    else if ((b0 & 0xF0) == 0xE0) { len = 3; cp = b0 & 0x0F; }
    else if ((b0 & 0xF8) == 0xF0) { len = 4; cp = b0 & 0x07; }
    else { ++i; return 0; }
    for (int k = 1; k < len; ++k) {
        const int c = cont(static_cast<std::size_t>(k));
        if (c < 0) { ++i; return 0; }
        cp = (cp << 6) | static_cast<char32_t>(c);
    }
    i += static_cast<std::size_t>(len);
    if ((len == 2 && cp < 0x80) || (len == 3 && cp < 0x800) || (len == 4 && cp < 0x10000) ||
        (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF) return 0;
    return cp;
}

// Every valid code point of s; invalid bytes are dropped.
inline std::u32string decodeUtf8All(std::string_view s) {
    std::u32string out;
    for (std::size_t i = 0; i < s.size();) {
        const char32_t c = decodeUtf8(s, i);
        if (c != 0) out.push_back(c);
    }
    return out;
}

inline void encodeUtf8(char32_t c, std::string& out) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

inline std::string encodeUtf8(std::u32string_view s) {
    std::string out;
    for (const char32_t c : s) encodeUtf8(c, out);
    return out;
}

}  // namespace catalog
