// Accessors for the CSV tables compiled into the library (generated from
// catalog/data/*.csv by embed.cmake). Each returns the file's exact bytes.
#pragma once

#include <string_view>

namespace catalog::embedded {
std::string_view placesCsv();
std::string_view constellationsCsv();
std::string_view showersCsv();
std::string_view starLabelsCsv();
std::string_view namedStarsCsv();
std::string_view starsCsv();
std::string_view constellationNamesCsv();
std::string_view starNamesCsv();
std::string_view nameAliasesCsv();
std::string_view asterismsCsv();
std::string_view deepSkyCsv();
std::string_view constellationBoundsCsv();
std::string_view kanjiGradesCsv();
std::string_view wordReadingsCsv();
std::string_view vsop87aCsv();
std::string_view elpmpp02Csv();
std::string_view nutation2000bCsv();
}  // namespace catalog::embedded
