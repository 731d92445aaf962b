// Reading a JSON text: what the browser edition's requests are written in.
// A small strict reader (RFC 8259): objects, arrays, strings with every
// escape, numbers, true, false and null; a bounded depth; anything else is
// refused with the byte offset where it went wrong.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace app {

struct JsonValue {
    using Array = std::vector<JsonValue>;
    using Object = std::map<std::string, JsonValue, std::less<>>;
    std::variant<std::nullptr_t, bool, double, std::string, std::shared_ptr<Array>, std::shared_ptr<Object>> v;

    bool isNull() const { return std::holds_alternative<std::nullptr_t>(v); }
    const bool* boolean() const { return std::get_if<bool>(&v); }
    const double* number() const { return std::get_if<double>(&v); }
    const std::string* string() const { return std::get_if<std::string>(&v); }
    const Array* array() const {
        const auto* a = std::get_if<std::shared_ptr<Array>>(&v);
        return a != nullptr ? a->get() : nullptr;
    }
    const Object* object() const {
        const auto* o = std::get_if<std::shared_ptr<Object>>(&v);
        return o != nullptr ? o->get() : nullptr;
    }
};

// The deepest nesting a request may have.
inline constexpr int kJsonMaxDepth = 16;

// readJson: the value of a whole text (white space around it allowed), or
// nothing and `error` ("… at byte N"). Strings must be valid UTF-8;
// duplicate keys are refused; numbers must be finite.
std::optional<JsonValue> readJson(std::string_view text, std::string& error);

}  // namespace app
