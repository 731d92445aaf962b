#include "catalog/ephemeris.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "catalog/csv.h"
#include "catalog/embedded.h"

namespace catalog {

namespace {

[[noreturn]] void broken(const char* table, std::size_t row) {
    std::fprintf(stderr, "planetarium: the embedded table %s is damaged at row %zu\n", table, row);
    std::abort();
}

// The records of an embedded table, its header row left out, each of
// `fields` fields.
std::vector<CsvRecord> rows(std::string_view text, const char* table, std::size_t fields) {
    CsvParseResult parsed = parseCsv(text);
    if (!parsed.ok() || parsed.records.empty()) broken(table, 0);
    parsed.records.erase(parsed.records.begin());
    for (std::size_t r = 0; r < parsed.records.size(); ++r)
        if (parsed.records[r].size() != fields) broken(table, r + 1);
    return parsed.records;
}

double number(const CsvRecord& row, std::size_t i, const char* table, std::size_t r) {
    const std::optional<double> v = parseDouble(row[i]);
    if (!v) broken(table, r);
    return *v;
}

int whole(const CsvRecord& row, std::size_t i, const char* table, std::size_t r) {
    const std::optional<int> v = parseInt(row[i]);
    if (!v) broken(table, r);
    return *v;
}

astro::EphemerisTables load() {
    astro::EphemerisTables t;
    static constexpr const char* kNames[] = {"mercury", "venus", "earth", "mars", "jupiter", "saturn", "uranus", "neptune"};
    const std::vector<CsvRecord> vsop = rows(embedded::vsop87aCsv(), "vsop87a", 6);
    for (std::size_t r = 0; r < vsop.size(); ++r) {
        const CsvRecord& row = vsop[r];
        std::size_t planet = 0;
        while (planet < astro::kPlanetCount && row[0] != kNames[planet]) ++planet;
        if (planet == astro::kPlanetCount) broken("vsop87a", r + 1);
        astro::VsopTerm term{whole(row, 1, "vsop87a", r + 1), whole(row, 2, "vsop87a", r + 1),
                             number(row, 3, "vsop87a", r + 1), number(row, 4, "vsop87a", r + 1),
                             number(row, 5, "vsop87a", r + 1)};
        if (term.coord < 0 || term.coord > 2 || term.power < 0 || term.power > 5) broken("vsop87a", r + 1);
        t.planets[planet].push_back(term);
    }
    const std::vector<CsvRecord> elp = rows(embedded::elpmpp02Csv(), "elpmpp02", 17);
    for (std::size_t r = 0; r < elp.size(); ++r) {
        astro::ElpTerm term;
        term.coord = whole(elp[r], 0, "elpmpp02", r + 1);
        term.power = whole(elp[r], 1, "elpmpp02", r + 1);
        for (std::size_t k = 0; k < 13; ++k) term.multipliers[k] = whole(elp[r], 2 + k, "elpmpp02", r + 1);
        term.amplitude = number(elp[r], 15, "elpmpp02", r + 1);
        term.phase = number(elp[r], 16, "elpmpp02", r + 1);
        if (term.coord < 0 || term.coord > 2 || term.power < 0 || term.power > 3) broken("elpmpp02", r + 1);
        astro::setUsedArguments(term);
        t.moon.push_back(term);
    }
    const std::vector<CsvRecord> nut = rows(embedded::nutation2000bCsv(), "nutation_2000b", 11);
    for (std::size_t r = 0; r < nut.size(); ++r) {
        astro::NutationTerm term;
        for (std::size_t k = 0; k < 5; ++k) term.multipliers[k] = whole(nut[r], k, "nutation_2000b", r + 1);
        double* amplitudes[] = {&term.ps, &term.pst, &term.pc, &term.ec, &term.ect, &term.es};
        for (std::size_t k = 0; k < 6; ++k) *amplitudes[k] = number(nut[r], 5 + k, "nutation_2000b", r + 1);
        t.nutation.push_back(term);
    }
    return t;
}

}  // namespace

const astro::EphemerisTables& ephemerisTables() {
    static const astro::EphemerisTables tables = load();
    return tables;
}

}  // namespace catalog
