// The two numeric tables that "数値" writes into the label cells lblST, lblH
// and lblV (rows 0..28; rows 0..14 are the left block, 15..28 the right).
//
// Layout: each block starts with a heading row; entries 1..14 of a table
// fill rows 1..14 of the left block and entries 15..26 rows 16..27 of the
// right block, so row 28 stays empty.
//   alt/az:  " 太陽" .. " 土星" (entries 1..6), then the 20 named stars;
//            altitude and azimuth as "0.0".
//   showers: the 26 showers; name, date of the maximum as "M月D日", hourly rate.
#pragma once

#include <array>
#include <string>

#include "astro/sky_state.h"
#include "catalog/catalog.h"

namespace app {

inline constexpr int kTableRows = 29;
inline constexpr int kRightBlockFirstRow = 15;

struct TableRow {
    std::string st;  // lblST: name
    std::string h;   // lblH
    std::string v;   // lblV
};
using NumericTable = std::array<TableRow, kTableRows>;

// Altitude and azimuth of the six bodies and the 20 named stars for a state
// from the computation pass.
NumericTable altAzTable(const astro::SkyState& sky, const catalog::Catalogue& cat);

// The meteor shower calendar.
NumericTable showerTable(const catalog::Catalogue& cat);

// A number in the form "0.0" (one decimal, rounded; never "-0.0").
std::string oneDecimal(double value);

}  // namespace app
