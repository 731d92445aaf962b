#include "catalog/csv.h"

#include "astro/number_text.h"

#include <charconv>
#include <cmath>

namespace catalog {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view trimBlanks(std::string_view s) {
    while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
    return s;
}

}  // namespace

CsvParseResult parseCsv(std::string_view text) {
    CsvParseResult result;
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);

    CsvRecord record;
    std::string field;
    bool fieldQuoted = false;   // the current field was a quoted one
    bool recordHasText = false; // anything but blanks seen in this record
    int line = 1;
    std::size_t i = 0;

    auto endField = [&] {
        record.push_back(fieldQuoted ? field : std::string(trimBlanks(field)));
        field.clear();
        fieldQuoted = false;
    };
    auto endRecord = [&] {
        endField();
        if (recordHasText) result.records.push_back(std::move(record));
        record.clear();
        recordHasText = false;
    };

    while (i < text.size()) {
        const char c = text[i];
        if (c == '"' && trimBlanks(field).empty() && !fieldQuoted) {
            // Opening quote (blanks before it are padding). Read to the closing quote.
            field.clear();
            fieldQuoted = true;
            recordHasText = true;
            const int openLine = line;
            ++i;
            for (;;) {
                if (i >= text.size()) {
                    result.error = "unterminated quoted field";
                    result.errorLine = openLine;
                    result.records.clear();
                    return result;
                }
                if (text[i] == '"') {
                    if (i + 1 < text.size() && text[i + 1] == '"') {
                        field += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                if (text[i] == '\n') ++line;
                field += text[i++];
            }
            // Only blanks may follow the closing quote before the separator.
            while (i < text.size() && isBlank(text[i])) ++i;
            if (i < text.size() && text[i] != ',' && text[i] != '\n' && text[i] != '\r') {
                result.error = "text after a closing quote";
                result.errorLine = line;
                result.records.clear();
                return result;
            }
            continue;
        }
        if (c == ',') {
            recordHasText = true;
            endField();
            ++i;
        } else if (c == '\r' || c == '\n') {
            endRecord();
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            ++i;
            ++line;
        } else {
            if (fieldQuoted) {
                result.error = "text after a closing quote";
                result.errorLine = line;
                result.records.clear();
                return result;
            }
            if (!isBlank(c)) recordHasText = true;
            field += c;
            ++i;
        }
    }
    endRecord();
    return result;
}

std::optional<double> parseDouble(std::string_view text) {
    text = trimBlanks(text);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    if (text.empty()) return std::nullopt;
    return astro::readDecimal(text);
}

std::optional<int> parseInt(std::string_view text) {
    text = trimBlanks(text);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    if (text.empty()) return std::nullopt;
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

}  // namespace catalog
