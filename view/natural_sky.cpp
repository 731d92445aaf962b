#include "view/natural_sky.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "astro/angles.h"

namespace view {

namespace {

struct Key {
    double at;  // Sun altitude, degrees, or B-V
    double r, g, b;
};

// Colour at x on a table of keys in increasing order, linear between them
// and held at the ends.
template <std::size_t N>
Rgb colourAlong(const Key (&keys)[N], double x) {
    if (!(x > keys[0].at)) return {static_cast<std::uint8_t>(keys[0].r), static_cast<std::uint8_t>(keys[0].g),
                                   static_cast<std::uint8_t>(keys[0].b)};
    for (std::size_t i = 1; i < N; ++i) {
        if (x > keys[i].at) continue;
        const double f = (x - keys[i - 1].at) / (keys[i].at - keys[i - 1].at);
        const auto mix = [f](double a, double b) { return static_cast<std::uint8_t>(std::lround(a + f * (b - a))); };
        return {mix(keys[i - 1].r, keys[i].r), mix(keys[i - 1].g, keys[i].g), mix(keys[i - 1].b, keys[i].b)};
    }
    const Key& k = keys[N - 1];
    return {static_cast<std::uint8_t>(k.r), static_cast<std::uint8_t>(k.g), static_cast<std::uint8_t>(k.b)};
}

// The sky from night to full day.
constexpr Key kSkyKeys[] = {
    {-18.0, 4, 6, 18},     // night, and the end of astronomical twilight
    {-12.0, 10, 18, 48},   // end of nautical twilight: deep blue
    {-6.0, 30, 50, 100},   // end of civil twilight
    {-3.0, 55, 86, 146},
    {0.0, 96, 132, 190},   // sunset
    {10.0, 74, 138, 214},  // full day
};

// Blackbody colours by B-V (M. Charity, "What color are the stars?").
constexpr Key kStarKeys[] = {
    {-0.30, 155, 176, 255}, {-0.15, 170, 191, 255}, {0.00, 202, 215, 255}, {0.30, 248, 247, 255},
    {0.60, 255, 244, 234},  {0.80, 255, 229, 200},  {1.00, 255, 216, 170}, {1.40, 255, 204, 130},
    {1.80, 255, 190, 110},
};

// Limiting magnitude by the Sun's altitude (see the header).
constexpr double kLimitAlt[] = {-18.0, -12.0, -6.0, -3.0, 0.0};
constexpr double kLimitMag[] = {6.0, 4.0, 1.5, 0.0, -2.0};
constexpr double kSunUpLimit = -4.0;
constexpr double kMoonDimming = 2.0;

}  // namespace

SkyLight skyLight(double sunAltDeg) {
    if (!std::isfinite(sunAltDeg) || sunAltDeg <= kAstronomicalDuskAltDeg) return SkyLight::Night;
    if (sunAltDeg <= kNauticalDuskAltDeg) return SkyLight::AstronomicalTwilight;
    if (sunAltDeg <= kCivilDuskAltDeg) return SkyLight::NauticalTwilight;
    if (sunAltDeg <= kSunsetAltDeg) return SkyLight::CivilTwilight;
    return SkyLight::Day;
}

Rgb naturalSkyColour(double sunAltDeg) {
    return colourAlong(kSkyKeys, std::isfinite(sunAltDeg) ? sunAltDeg : -90.0);
}

Rgb naturalGroundColour(double sunAltDeg) {
    const Rgb sky = naturalSkyColour(sunAltDeg);
    // Darker than the sky above it, and greener: the land against the sky.
    return {static_cast<std::uint8_t>(std::lround(0.30 * sky.r + 8.0)),
            static_cast<std::uint8_t>(std::lround(0.34 * sky.g + 10.0)),
            static_cast<std::uint8_t>(std::lround(0.22 * sky.b + 8.0))};
}

double limitingMagnitude(double sunAltDeg, double moonAltDeg, double moonIllum) {
    const double sun = std::isfinite(sunAltDeg) ? sunAltDeg : -90.0;
    double limit = kSunUpLimit;
    if (sun <= kLimitAlt[0]) {
        limit = kLimitMag[0];
    } else if (sun <= kLimitAlt[4]) {
        for (std::size_t i = 1; i < std::size(kLimitAlt); ++i) {
            if (sun > kLimitAlt[i]) continue;
            const double f = (sun - kLimitAlt[i - 1]) / (kLimitAlt[i] - kLimitAlt[i - 1]);
            limit = kLimitMag[i - 1] + f * (kLimitMag[i] - kLimitMag[i - 1]);
            break;
        }
    }
    if (std::isfinite(moonAltDeg) && moonAltDeg > 0.0 && std::isfinite(moonIllum) && sun <= 0.0) {
        const double height = std::min(1.0, std::sin(moonAltDeg * astro::kDegToRad) / 0.5);
        limit -= kMoonDimming * std::clamp(moonIllum, 0.0, 1.0) * height;
    }
    return limit;
}

Rgb starColourForBv(double bv, bool hasBv) {
    if (!hasBv || !std::isfinite(bv)) return {255, 255, 255};
    return colourAlong(kStarKeys, bv);
}

Rgb naturalBodyColour(astro::Body body) {
    switch (body) {
        case astro::Sun: return {255, 248, 224};
        case astro::Moon: return {246, 242, 222};
        case astro::Venus: return {255, 255, 250};
        case astro::Mars: return {255, 112, 72};
        case astro::Jupiter: return {255, 238, 204};
        case astro::Saturn: return {236, 214, 140};
        case astro::Mercury: return {236, 228, 214};
        case astro::Uranus: return {200, 236, 240};
        case astro::Neptune: return {176, 200, 255};
        default: return {255, 255, 255};
    }
}

float naturalStarRadiusTwips(double magnitude) {
    const double mag = std::isfinite(magnitude) ? magnitude : 6.0;
    return static_cast<float>(std::clamp(12.0 * std::pow(1.25, 6.0 - mag), 12.0, 130.0));
}

Rgb mixColour(Rgb colour, Rgb toward, double weight) {
    const double w = std::isfinite(weight) ? std::clamp(weight, 0.0, 1.0) : 1.0;
    const auto mix = [w](std::uint8_t c, std::uint8_t b) {
        return static_cast<std::uint8_t>(std::lround(w * c + (1.0 - w) * b));
    };
    return {mix(colour.r, toward.r), mix(colour.g, toward.g), mix(colour.b, toward.b)};
}

}  // namespace view
