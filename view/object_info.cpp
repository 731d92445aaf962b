#include "view/object_info.h"

#include "astro/number_text.h"

#include <charconv>
#include <cmath>

#include "astro/star_place.h"
#include "catalog/name_search.h"
#include "view/direction.h"
#include "view/horizontal.h"

namespace view {

const char* colourWordForBv(double bv) {
    if (bv < 0.0) return "青白い";
    if (bv < 0.3) return "白い";
    if (bv < 0.9) return "黄色い";
    if (bv < 1.6) return "オレンジ色";
    return "赤い";
}

std::string fixedText(double v, int decimals, bool typographicMinus) {
    if (!std::isfinite(v)) return "—";
    std::string s = astro::fixedText(v, decimals);
    // "-0.0" reads as a sign without a value.
    if (s.front() == '-' && s.find_first_not_of("-0.") == std::string::npos) s.erase(0, 1);
    if (typographicMinus && !s.empty() && s.front() == '-') s.replace(0, 1, "−");
    return s;
}

ObjectInfo describeStar(const catalog::Catalogue& cat, const astro::SkyState& sky, int row) {
    ObjectInfo info;
    info.kind = DrawnKind::Star;
    info.id = row;
    if (row < 1 || static_cast<std::size_t>(row) >= cat.stars.size()) return info;
    const catalog::Star& s = cat.stars[static_cast<std::size_t>(row)];
    info.designation = catalog::starDesignation(cat, row);
    info.designationJa = catalog::starDesignationJa(cat, row);
    const std::string_view proper = catalog::starProperName(cat, row);
    info.name = proper.empty() ? info.designation : std::string(proper);
    info.hr = s.hr;
    const int c = catalog::findIauConstellation(cat, s.constellation);
    if (c > 0) info.constellation = cat.iauConstellations[static_cast<std::size_t>(c)].name;
    info.hasMag = true;
    info.mag = s.mag;
    info.hasBv = s.hasBv;
    info.bv = s.bv;
    if (s.hasBv) info.colourWord = colourWordForBv(s.bv);
    info.raHours = s.raHours;
    info.decDeg = s.decDeg;
    const astro::Horizontal hz = horizontal(sky, s.raHours, s.decDeg);
    info.altDeg = hz.altDeg;
    info.azDeg = hz.azDeg;
    return info;
}

namespace {

std::string constellationNameAt(const catalog::Catalogue& cat, double raHours, double decDeg, double equinoxJd) {
    const int c = catalog::constellationAt(cat, raHours, decDeg, equinoxJd);
    return c > 0 ? cat.iauConstellations[static_cast<std::size_t>(c)].name : std::string();
}

}  // namespace

ObjectInfo describeBody(const catalog::Catalogue& cat, const astro::SkyState& sky, int body) {
    ObjectInfo info;
    // Mercury, Uranus and Neptune are only in a precise sky.
    if (body < 0 || body >= astro::kAllBodyCount || (body >= astro::kBodyCount && !sky.precise)) return info;
    info.kind = body == astro::Sun ? DrawnKind::Sun : body == astro::Moon ? DrawnKind::Moon : DrawnKind::Planet;
    info.id = body;
    info.name = catalog::kBodyNames[body];
    const auto b = static_cast<std::size_t>(body);
    info.raHours = sky.bodyRaHours[b];
    info.decDeg = sky.bodyDecDeg[b];
    info.altDeg = sky.bodyAltDeg[b];
    info.azDeg = sky.bodyAzDeg[b];
    if (body == astro::Moon) info.moonIllum = sky.moonIllum;
    // The bodies' places are of date (the UT day stands in for TT: a minute
    // of precession is 0.001").
    info.constellation = constellationNameAt(cat, info.raHours, info.decDeg, sky.jdUt);
    if (std::isfinite(sky.bodyMag[b])) {
        info.hasMag = true;
        info.mag = sky.bodyMag[b];
    }
    return info;
}

ObjectInfo describeDeepSky(const catalog::Catalogue& cat, const astro::SkyState& sky, int row) {
    ObjectInfo info;
    info.kind = DrawnKind::DeepSky;
    info.id = row;
    if (row < 1 || static_cast<std::size_t>(row) >= cat.deepSky.size()) return info;
    const catalog::DeepSkyObject& o = cat.deepSky[static_cast<std::size_t>(row)];
    info.name = o.name;
    info.designation = o.id;
    info.typeJa = o.kind;
    info.hasMag = true;
    info.mag = o.mag;
    info.raHours = o.raHours;
    info.decDeg = o.decDeg;
    info.constellation = constellationNameAt(cat, o.raHours, o.decDeg, astro::kEquinox2003_5Jd);
    const astro::Horizontal hz = horizontal(sky, o.raHours, o.decDeg);
    info.altDeg = hz.altDeg;
    info.azDeg = hz.azDeg;
    return info;
}

ObjectInfo describeMeteor(const catalog::Catalogue& cat, int shower) {
    ObjectInfo info;
    info.kind = DrawnKind::Meteor;
    info.id = shower;
    info.name = "流れ星";
    if (shower >= 1 && static_cast<std::size_t>(shower) < cat.showers.size()) {
        info.shower = cat.showers[static_cast<std::size_t>(shower)].name + "座流星群";
    }
    return info;
}

ObjectInfo describe(const catalog::Catalogue& cat, const astro::SkyState& sky, const DrawnObject& o) {
    switch (o.kind) {
    case DrawnKind::Star: return describeStar(cat, sky, o.id);
    case DrawnKind::Meteor: return describeMeteor(cat, o.id);
    case DrawnKind::DeepSky: return describeDeepSky(cat, sky, o.id);
    default: return describeBody(cat, sky, o.id);
    }
}

const char* compassPointJa(double azDeg) {
    const int i = compassIndex(azDeg, 16);
    return i < 0 ? "" : kCompassSixteen[static_cast<std::size_t>(i)].data();
}

const char* skyQuarterJa(double azDeg) {
    const int i = compassIndex(azDeg, 8);
    return i < 0 ? "" : kCompassEight[static_cast<std::size_t>(i)].text.data();
}

std::string skyPointLine(double altDeg, double azDeg) {
    return "高度 " + fixedText(altDeg, 1, true) + "° 方位 " + fixedText(azDeg, 1) + "°";
}

std::string statusLine(const ObjectInfo& info) {
    std::string line = info.name;
    if (info.kind == DrawnKind::Meteor) return line + (info.shower.empty() ? "" : " — " + info.shower);
    line += " — ";
    if (info.kind == DrawnKind::Star) {
        line += info.designationJa + " " + fixedText(info.mag, 1, true) + "等 ";
    } else if (info.kind == DrawnKind::DeepSky) {
        line += info.designation + " " + info.typeJa + " " + info.constellation + " " + fixedText(info.mag, 1, true) +
                "等 ";
    } else if (info.hasMag) {
        line += info.constellation + " " + fixedText(info.mag, 1, true) + "等 ";
    }
    return line + skyPointLine(info.altDeg, info.azDeg);
}

}  // namespace view
