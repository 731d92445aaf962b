// Pages are laid out in millimetres and drawn in twips (1/1440 inch), the
// painters' unit on paper.
#pragma once

namespace view {

inline constexpr double kTwipsPerMm = 1440.0 / 25.4;
inline constexpr double kA4WidthMm = 210.0;
inline constexpr double kA4HeightMm = 297.0;

// twipsFromMm: a length on the page in twips.
inline float twipsFromMm(double mm) { return static_cast<float>(mm * kTwipsPerMm); }

}  // namespace view
