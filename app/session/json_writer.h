// JSON text for every mode that prints it (--json, --almanac's member,
// --identify, --find, and the browser edition's answers): one escaping rule
// and locale-free numbers.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace app {

// utf8SequenceLength: the length of the valid UTF-8 sequence that starts at
// s[i] (1 for ASCII), or 0 where none does: a stray or cut byte, an overlong
// form, a surrogate, a code point past U+10FFFF.
std::size_t utf8SequenceLength(std::string_view s, std::size_t i);

// jsonString: `s` as a JSON string literal, quotes included. Quote and
// backslash are escaped, \b \f \n \r \t by their short forms, every other
// control character (U+0000..U+001F, U+007F) as \u00XX, and each byte that is
// not part of valid UTF-8 as \ufffd, so the result is always valid UTF-8 JSON.
std::string jsonString(std::string_view s);

// jsonRoundTrip: 17 significant digits (reads back as the same double);
// null for NaN and infinities, which JSON cannot spell.
std::string jsonRoundTrip(double x);

// jsonFixed: `decimals` digits after the point; null when not finite.
std::string jsonFixed(double x, int decimals);

// A one-line JSON object written member by member, closed by done().
class JsonObject {
public:
    void text(const char* key, std::string_view value);
    void number(const char* key, double value, int decimals);
    void integer(const char* key, long long value);
    void boolean(const char* key, bool value);
    void null(const char* key);
    // A member that is itself an object (written without its newline).
    void object(const char* key, const JsonObject& member);
    // A member that is an array of objects.
    void array(const char* key, const std::vector<JsonObject>& items);
    void texts(const char* key, const std::vector<std::string>& items);
    // The object with a final newline.
    std::string done() const;

private:
    void open(const char* key);
    std::string out_;
};

}  // namespace app
