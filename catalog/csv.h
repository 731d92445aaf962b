// A small CSV reader for the embedded tables.
//
// Format: one record a line, fields separated by commas; LF or CRLF line ends;
// a UTF-8 byte-order mark at the start is skipped; lines holding nothing but
// blanks are skipped. An unquoted field loses its leading and trailing blanks
// (spaces and tabs), so alignment padding never leaks into values. A field in
// double quotes keeps every character verbatim, blanks included, may hold
// commas and line breaks, and writes a quote as two quotes. That is how a
// name that really ends in a blank is written: "ニューデリー ".
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace catalog {

using CsvRecord = std::vector<std::string>;

struct CsvParseResult {
    std::vector<CsvRecord> records;  // the header row, if any, is records[0]
    std::string error;               // empty on success
    int errorLine = 0;               // 1-based line of the fault, 0 on success
    bool ok() const { return error.empty(); }
};

CsvParseResult parseCsv(std::string_view text);

// Whole-field numeric conversions: the entire text must be one number, so
// "12x" or "" give nothing rather than a silent partial value.
std::optional<double> parseDouble(std::string_view text);
std::optional<int> parseInt(std::string_view text);

}  // namespace catalog
