#include "view/sky_view.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <string_view>
#include <vector>

#include "astro/angles.h"
#include "astro/vector_state.h"
#include "catalog/name_search.h"
#include "view/figures.h"
#include "view/chart_style.h"
#include "view/horizontal.h"
#include "view/label_placer.h"
#include "view/meteors.h"
#include "view/moon.h"
#include "view/natural_sky.h"
#include "view/picture.h"
#include "view/projector.h"
#include "view/star_patterns.h"
#include "view/trails.h"

namespace view {

namespace {

// Right ascension (hours) and declination (degrees) of ecliptic longitude
// lambdaDeg, with the obliquity fixed at its J2000 value.
struct EclipticPoint {
    double raHours;
    double decDeg;
};

EclipticPoint computeEclipticPoint(int lambdaDeg) {
    const astro::Equatorial e = astro::eclipticPointJ2000(lambdaDeg);
    return {e.raHours, e.decDeg};
}

// The same for every picture: one table of lambda = 0..360.
EclipticPoint eclipticPoint(int lambdaDeg) {
    static const std::array<EclipticPoint, 361> table = [] {
        std::array<EclipticPoint, 361> t{};
        for (int l = 0; l <= 360; ++l) t[static_cast<std::size_t>(l)] = computeEclipticPoint(l);
        return t;
    }();
    return table[static_cast<std::size_t>(lambdaDeg)];
}

// Which dots mark which circle, and in which colour. Each row applies when
// its box is ticked and the Sun condition holds; at an altitude of exactly 0
// both rows of a pair apply and the later one is on top.
enum class Circle { Ecliptic, Equator };
enum class SunWhen { AtOrBelow, AtOrAbove };
struct CircleDotRule {
    Circle circle;
    bool ViewOptions::*box;
    SunWhen when;
    Rgb colour;
};
constexpr CircleDotRule kCircleDotRules[] = {
    {Circle::Ecliptic, &ViewOptions::ecliptic, SunWhen::AtOrBelow, kEclipticColourNight},
    {Circle::Ecliptic, &ViewOptions::ecliptic, SunWhen::AtOrAbove, kEclipticColourDay},
    {Circle::Equator, &ViewOptions::equator, SunWhen::AtOrBelow, kEquatorColour},
    {Circle::Equator, &ViewOptions::equator, SunWhen::AtOrAbove, kEquatorColour},
};

class SkyPainter {
public:
    SkyPainter(const Projector& projector, const astro::SkyState& sky, const catalog::Catalogue& cat,
               const ViewOptions& opt, Painter& painter, PlacingPainter* placing, const Trails* trails,
               DrawRecord* record)
        : projector_(projector),
          sky_(sky),
          cat_(cat),
          opt_(opt),
          p_(placing != nullptr ? *placing : painter),
          placing_(placing),
          trails_(trails),
          record_(record),
          sunAlt_(sky.bodyAltDeg[astro::Sun]),
          paper_(opt.style == ChartStyle::Print),
          natural_(opt.style == ChartStyle::Natural),
          // Paper is read at arm's length or from the board: large names always.
          large_(opt.largeNames || paper_),
          limit_(natural_ ? limitingMagnitude(sky) : 99.0),
          skyColour_(naturalSkyColour(sunAlt_)) {
        if (record_ != nullptr) record_->objects.clear();
    }

    void draw(MeteorRng& rng) {
        const ViewFrame& frame = projector_.frame();
        p_.clear();
        if (natural_) drawNaturalBackdrop(frame);
        drawHorizon(frame);
        p_.setFillStyleSolid();
        if (paper_) {
            if (opt_.altAzLines) drawPaperGrid();
            if (opt_.equator || opt_.ecliptic) drawPaperCircles();
        } else {
            if (opt_.altAzLines) drawGrid();
            if (opt_.equator || opt_.ecliptic) drawCircles();
        }
        if (trails_ != nullptr) drawTrails(*trails_, p_);
        if (natural_) {
            drawNaturalBodies();
            drawStars();
        } else {
            drawBody(astro::Sun, kSunRadiusTwips, catalog::kBodyNames[astro::Sun], 160.0f);
            drawMoonBody();
            drawBody(astro::Venus, 50.0f, catalog::kBodyNames[astro::Venus], 80.0f);
            // By day only the Sun, the Moon and Venus are shown.
            if (!(sunAlt_ > 0.0)) {
                drawBody(astro::Mars, 50.0f, catalog::kBodyNames[astro::Mars], 80.0f);
                drawBody(astro::Jupiter, 50.0f, catalog::kBodyNames[astro::Jupiter], 80.0f);
                drawBody(astro::Saturn, 40.0f, catalog::kBodyNames[astro::Saturn], 80.0f);
                drawStars();
            }
        }
        const bool dark = natural_ ? limit_ >= kFiguresLimit : !(sunAlt_ > 0.0);
        if (opt_.deepSky && dark) drawDeepSky();
        rank(kRankFrame);
        for (const FrameLabel& label : frame.labels) {
            p_.setTextPosition(label.xTwips, label.yTwips);
            p_.text(label.text);
        }
        const bool night = natural_ ? limit_ >= kFiguresLimit : sunAlt_ < 0.0;
        rank(kRankConstellation);
        if (opt_.constellations && night)
            drawFigures(projector_, sky_, cat_, opt_.selected, p_, paper_ ? kPaperFigure : kFigureColour, &starPlaces());
        rank(kRankPattern);
        if (opt_.asterisms && night) {
            nameSize();
            drawAsterisms(projector_, sky_, cat_, starPlaces(), paper_ ? kPaperAsterism : kAsterismColour, p_);
            p_.setTextScale(1.0f);
        }
        if (opt_.meteors && night) {
            const std::vector<MeteorStreak> streaks = meteorStreaks(projector_, sky_, cat_, opt_, rng);
            drawMeteorStreaks(streaks, opt_.style, p_);
            if (record_ != nullptr) {
                for (const MeteorStreak& m : streaks) {
                    DrawnObject o = note(DrawnKind::Meteor, m.shower, m.points[3], 0.0f, kMeteorRankMag);
                    const DevicePoint tail = record_->viewport.deviceOf(m.points[0].x, m.points[0].y);
                    o.tailXPx = static_cast<float>(tail.x);
                    o.tailYPx = static_cast<float>(tail.y);
                    record_->objects.push_back(o);
                }
            }
        }
    }

private:
    // The natural style shows the figures, patterns, clusters and shooting
    // stars once second-magnitude stars are out (Sun about 7 degrees down).
    static constexpr double kFiguresLimit = 2.0;

    PicturePoint place(double altDeg, double azDeg) const { return projector_.place(altDeg, azDeg).at; }

    // Rank and object of the names that follow (placed pictures only).
    void rank(double r) {
        if (placing_ != nullptr) placing_->setRank(r);
    }
    void anchor(PicturePoint at, float radius) {
        if (placing_ != nullptr) placing_->setAnchor(at, radius);
    }

    // The sky in its colour by the Sun's altitude, the ground under the horizon.
    void drawNaturalBackdrop(const ViewFrame& frame) {
        const Rgb ground = naturalGroundColour(sunAlt_);
        const Rgb first = frame.areaIsGround ? skyColour_ : ground;
        const Rgb second = frame.areaIsGround ? ground : skyColour_;
        const float w = frame.widthTwips, h = frame.heightTwips;
        const Vertex whole[] = {{0.0f, 0.0f}, {w, 0.0f}, {w, h}, {0.0f, h}};
        p_.setFillStyleSolid();
        p_.setFillColour(first);
        p_.polygon(whole, first);
        if (frame.horizonArea.size() > 2) {
            p_.setFillColour(second);
            p_.polygon(frame.horizonArea, second);
        }
    }

    // A body's true radius in the picture (angular radius in degrees), from
    // two placings.
    float trueRadius(double altDeg, double azDeg, double radiusDeg) const {
        const Placed a = projector_.place(altDeg, azDeg), b = projector_.place(altDeg + radiusDeg, azDeg);
        if (!a.visible || !b.visible) return 0.0f;
        const float r = std::hypot(b.at.x - a.at.x, b.at.y - a.at.y);
        return std::isfinite(r) ? std::min(r, 1.0e5f) : 0.0f;
    }

    // The Sun, the Moon and the planets as the eye sees them: the Sun and
    // the Moon at least a readable size (their true size when the view is
    // narrow), each planet in its colour and by its magnitude, when bright
    // enough for the sky.
    void drawNaturalBodies() {
        const double sunAlt = sky_.bodyAltDeg[astro::Sun];
        if (sunAlt >= 0.0) {
            const PicturePoint at = place(sunAlt, sky_.bodyAzDeg[astro::Sun]);
            const float r = std::max(kSunRadiusTwips, trueRadius(sunAlt, sky_.bodyAzDeg[astro::Sun], 0.267));
            drawNaturalDisc(astro::Sun, at, r, kRankSun);
        }
        const double moonAlt = sky_.bodyAltDeg[astro::Moon];
        if (moonAlt >= 0.0) {
            const double az = sky_.bodyAzDeg[astro::Moon];
            const PicturePoint at = place(moonAlt, az);
            const float r = std::max(kReadableMoonRadiusTwips, trueRadius(moonAlt, az, 0.259));
            const double limb = sky_.moonLimbAngleDeg + projector_.upTurnDeg(moonAlt, az);
            const Rgb lit = naturalBodyColour(astro::Moon);
            // The dark part a little lighter than the sky: earthshine.
            const Rgb dark = mixColour(lit, skyColour_, 0.12);
            rank(kRankMoon);
            drawMoonShape(at.x, at.y, r, sky_.moonIllum, limb, {dark, dark, lit, lit}, p_);
            if (placing_ != nullptr) placing_->addObstacle(at, r);
            if (record_ != nullptr)
                record_->objects.push_back(note(DrawnKind::Moon, astro::Moon, at, r, kBodyRankMag[astro::Moon]));
            if (opt_.starNames) bodyName(astro::Moon, at, r);
        }
        // Mercury, Uranus and Neptune where the sky is the precise ephemeris's.
        for (const astro::Body b : {astro::Venus, astro::Jupiter, astro::Mars, astro::Saturn, astro::Mercury,
                                    astro::Uranus, astro::Neptune}) {
            if (b >= astro::kBodyCount && !sky_.precise) continue;
            const double alt = sky_.bodyAltDeg[b];
            const double mag = std::isfinite(sky_.bodyMag[b]) ? sky_.bodyMag[b] : kBodyRankMag[b];
            if (!(alt >= 0.0) || mag > limit_) continue;
            drawNaturalDisc(b, place(alt, sky_.bodyAzDeg[b]), naturalStarRadiusTwips(mag), kRankPlanet + mag);
        }
    }

    void drawNaturalDisc(astro::Body body, PicturePoint at, float radius, double order) {
        const Rgb colour = naturalBodyColour(body);
        rank(order);
        p_.setFillColour(colour);
        p_.disc(at.x, at.y, radius, colour);
        if (record_ != nullptr) {
            const DrawnKind kind = body == astro::Sun ? DrawnKind::Sun : DrawnKind::Planet;
            record_->objects.push_back(note(kind, body, at, radius, kBodyRankMag[body]));
        }
        if (opt_.starNames) bodyName(body, at, radius);
    }

    void bodyName(astro::Body body, PicturePoint at, float radius) {
        anchor(at, radius);
        name(at.x + radius + 40.0f, at.y, catalog::kBodyNames[body]);
    }

    // The size of objects' names: the labels' own, or the large names'.
    void nameSize() {
        if (large_) p_.setTextScale(kLargeNameScale);
    }

    void name(float x, float y, std::string_view text) {
        nameSize();
        p_.setTextPosition(x, y);
        p_.text(text);
        if (large_) p_.setTextScale(1.0f);
    }

    // The clusters, nebulae and galaxies: a small ring each, with its name
    // when names are shown and the table names it (catalog::DeepSkyObject::named).
    void drawDeepSky() {
        const Rgb colour = paper_ ? kPaperOutline : kDeepSkyColour;
        for (std::size_t k = 1; k < cat_.deepSky.size(); ++k) {
            const catalog::DeepSkyObject& o = cat_.deepSky[k];
            const astro::Horizontal hz = horizontal(sky_, o.raHours, o.decDeg);
            if (!(hz.altDeg >= 0.0) || (natural_ && o.mag > limit_ - 1.0)) continue;
            const Placed pr = projector_.place(hz.altDeg, hz.azDeg);
            if (!pr.visible) continue;
            // The ring: the same 24-sided circle about each object.
            static const std::array<Vertex, 25> kRing = [] {
                std::array<Vertex, 25> r{};
                for (std::size_t i = 0; i < r.size(); ++i) {
                    const double a = static_cast<double>(i) * 15.0 * astro::kDegToRad;
                    r[i] = {static_cast<float>(kDeepSkyRadiusTwips * std::cos(a)),
                            static_cast<float>(kDeepSkyRadiusTwips * std::sin(a))};
                }
                return r;
            }();
            std::array<Vertex, 25> ring{};
            for (std::size_t i = 0; i < ring.size(); ++i) ring[i] = {pr.at.x + kRing[i].x, pr.at.y + kRing[i].y};
            p_.polyline(ring, colour);
            if (record_ != nullptr) {
                record_->objects.push_back(note(DrawnKind::DeepSky, static_cast<int>(k), pr.at, kDeepSkyRadiusTwips,
                                                static_cast<float>(o.mag)));
            }
            // Below the ring: beside it would meet the names of the stars it sits among (M42 by Rigel).
            if ((opt_.starNames || paper_) && o.named) {
                rank(kRankDeepSky + o.mag);
                anchor(pr.at, kDeepSkyRadiusTwips);
                name(pr.at.x - 40.0f, pr.at.y + 70.0f, o.name);
            }
        }
    }

    // An object as recorded: picture twips to device pixels.
    DrawnObject note(DrawnKind kind, int id, PicturePoint at, float radiusTwips, float mag) const {
        const DevicePoint px = record_->viewport.deviceOf(at.x, at.y);
        DrawnObject o;
        o.kind = kind;
        o.id = id;
        o.xPx = static_cast<float>(px.x);
        o.yPx = static_cast<float>(px.y);
        o.radiusPx = static_cast<float>(radiusTwips * record_->viewport.pixelsPerTwip);
        o.tailXPx = o.xPx;
        o.tailYPx = o.yPx;
        o.mag = mag;
        return o;
    }

    void drawHorizon(const ViewFrame& frame) {
        const Rgb colour = paper_ ? kPaperHorizon : kHorizonColour;
        if (!frame.horizonRuns.empty()) {
            for (const std::vector<Vertex>& run : frame.horizonRuns) p_.polyline(run, colour);
            return;
        }
        if (!frame.horizonCircle) {
            p_.line(frame.horizonX0, frame.horizonY, frame.horizonX1, frame.horizonY, colour);
            return;
        }
        const HorizonCircle& c = *frame.horizonCircle;
        std::vector<Vertex> circle;
        for (int k = 0; k <= 360; ++k) {
            const double a = k * astro::kDegToRad;
            circle.push_back({static_cast<float>(c.centreX + c.radius * std::cos(a)),
                              static_cast<float>(c.centreY + c.radius * std::sin(a))});
        }
        p_.polyline(circle, colour);
    }

    void drawGrid() {
        const Rgb colour = natural_ ? mixColour({255, 255, 255}, skyColour_, 0.35)
                                    : sunAlt_ < 0.0 ? kGridColourNight : kGridColourDay;
        for (const PicturePoint& d : projector_.gridDots()) p_.point(d.x, d.y, colour);
    }

    void drawPaperGrid() {
        p_.setLineStyle(kPaperGridLine);
        for (const std::vector<Vertex>& run : projector_.gridLines()) p_.polyline(run, kPaperGrid);
        p_.setLineStyle(LineStyle::Solid);
    }

    // Each circle as runs of the points above the horizon, one per degree of
    // ecliptic longitude, whatever the Sun's altitude.
    void drawPaperCircles() {
        std::vector<Vertex> ecliptic, equator;
        const auto flush = [&](std::vector<Vertex>& run, Rgb colour, LineStyle style) {
            if (run.size() > 1) {
                p_.setLineStyle(style);
                p_.polyline(run, colour);
            }
            run.clear();
        };
        const auto add = [&](std::vector<Vertex>& run, const astro::Horizontal& hz, Rgb colour, LineStyle style) {
            const Placed pr = projector_.place(hz.altDeg, hz.azDeg);
            if (!(hz.altDeg >= 0.0) || !pr.visible) return flush(run, colour, style);
            run.push_back({pr.at.x, pr.at.y});
        };
        for (int lambda = 0; lambda <= 360; ++lambda) {
            const EclipticPoint e = eclipticPoint(lambda);
            if (opt_.ecliptic) add(ecliptic, horizontal(sky_, e.raHours, e.decDeg), kPaperEcliptic, kPaperEclipticLine);
            if (opt_.equator) add(equator, horizontal(sky_, e.raHours, 0.0), kPaperEquator, kPaperEquatorLine);
        }
        flush(ecliptic, kPaperEcliptic, kPaperEclipticLine);
        flush(equator, kPaperEquator, kPaperEquatorLine);
        p_.setLineStyle(LineStyle::Solid);
    }

    void drawCircles() {
        for (int lambda = 0; lambda <= 360; ++lambda) {
            const EclipticPoint e = eclipticPoint(lambda);
            const astro::Horizontal onEcliptic = horizontal(sky_, e.raHours, e.decDeg);
            const astro::Horizontal onEquator = horizontal(sky_, e.raHours, 0.0);
            for (const CircleDotRule& rule : kCircleDotRules) {
                if (!(opt_.*rule.box)) continue;
                const bool sunOk = rule.when == SunWhen::AtOrBelow ? sunAlt_ <= 0.0 : sunAlt_ >= 0.0;
                if (!sunOk) continue;
                const astro::Horizontal& hz = rule.circle == Circle::Ecliptic ? onEcliptic : onEquator;
                if (!(hz.altDeg >= 0.0)) continue;
                const PicturePoint at = place(hz.altDeg, hz.azDeg);
                p_.setFillColour(rule.colour);
                p_.point(at.x, at.y, rule.colour);
            }
        }
    }

    void drawBody(astro::Body body, float radius, std::string_view label, float labelDx) {
        const double alt = sky_.bodyAltDeg[body];
        if (!(alt >= 0.0)) return;
        const PicturePoint at = place(alt, sky_.bodyAzDeg[body]);
        rank(body == astro::Sun ? kRankSun : kRankPlanet + kBodyRankMag[body]);
        p_.setFillColour(paper_ ? kPaperBodyFill : kBodyColour);
        p_.setFillStyleSolid();
        p_.disc(at.x, at.y, radius, paper_ ? kPaperOutline : kBodyColour);
        if (record_ != nullptr) {
            const DrawnKind kind = body == astro::Sun ? DrawnKind::Sun : DrawnKind::Planet;
            record_->objects.push_back(note(kind, body, at, radius, kBodyRankMag[body]));
        }
        // On paper every body is an outline, so each carries its name. The
        // anchor ties the next text to the body: set only for its own name
        // (left set, the all-sky view's 北 went beside Saturn).
        if (opt_.starNames || paper_) {
            anchor(at, radius);
            name(at.x + labelDx, at.y, label);
        }
    }

    void drawMoonBody() {
        const double alt = sky_.bodyAltDeg[astro::Moon];
        if (!(alt >= 0.0)) return;
        const PicturePoint at = place(alt, sky_.bodyAzDeg[astro::Moon]);
        if (!paper_) p_.setFillColour(kBodyColour);
        p_.setFillStyleSolid();
        rank(kRankMoon);
        const float radius = static_cast<float>(paper_ ? kPaperMoonRadiusTwips : kMoonRadiusTwips);
        if (placing_ != nullptr) placing_->addObstacle(at, radius);
        // The bright limb is measured from the Moon's vertical; the picture
        // may hold that vertical turned (the all-sky circle).
        const double limb = sky_.moonLimbAngleDeg + projector_.upTurnDeg(alt, sky_.bodyAzDeg[astro::Moon]);
        if (paper_) {
            drawPaperMoon(at.x, at.y, sky_.moonIllum, limb, p_);
        } else {
            drawMoon(at.x, at.y, sky_.moonIllum, limb, p_);
        }
        if (record_ != nullptr) {
            record_->objects.push_back(note(DrawnKind::Moon, astro::Moon, at, radius, kBodyRankMag[astro::Moon]));
        }
        if (opt_.starNames || paper_) {
            anchor(at, radius);
            name(at.x + 160.0f, at.y, catalog::kBodyNames[astro::Moon]);
        }
    }

    // Every star row's altitude and azimuth, computed once for the stars and
    // the figures (row 0 unused).
    const std::vector<astro::Horizontal>& starPlaces() {
        if (starPlaces_.empty()) {
            starPlaces_.resize(cat_.stars.size());
            for (std::size_t k = 1; k < cat_.stars.size(); ++k)
                starPlaces_[k] = horizontal(sky_, cat_.stars[k].raHours, cat_.stars[k].decDeg);
        }
        return starPlaces_;
    }

    void drawStars() {
        const std::size_t n = cat_.stars.size();
        const std::vector<astro::Horizontal>& places = starPlaces();
        for (std::size_t k = 1; k < n && k <= static_cast<std::size_t>(catalog::kStarCount); ++k) {
            const catalog::Star& star = cat_.stars[k];
            const astro::Horizontal& hz = places[k];
            if (!(hz.altDeg >= 0.0) || star.mag > limit_) continue;
            const PicturePoint at = place(hz.altDeg, hz.azDeg);
            const float radius = natural_ ? naturalStarRadiusTwips(star.mag) : starRadiusTwips(star.mag);
            // Natural: the star's own colour, paling into the sky near the limit.
            const Rgb colour = paper_     ? kPaperStar
                               : natural_ ? mixColour(starColourForBv(star.bv, star.hasBv), skyColour_,
                                                      std::clamp((limit_ - star.mag) / 1.5, 0.35, 1.0))
                                          : kStarColour;
            rank(kRankStar + star.mag);
            p_.setFillColour(colour);
            p_.disc(at.x, at.y, radius, colour);
            if (record_ != nullptr) {
                record_->objects.push_back(
                    note(DrawnKind::Star, static_cast<int>(k), at, radius, static_cast<float>(star.mag)));
            }
            if (opt_.starNames && k < cat_.starLabel.size() && !cat_.starLabel[k].empty()) {
                anchor(at, radius);
                // The large names and the natural style spell the labelled
                // stars' names in full-width kana.
                const std::string_view proper = large_ || natural_ ? catalog::starProperName(cat_, static_cast<int>(k))
                                                                   : std::string_view{};
                name(at.x + 80.0f, at.y, proper.empty() ? std::string_view(cat_.starLabel[k]) : proper);
            }
        }
    }

    const Projector& projector_;
    const astro::SkyState& sky_;
    const catalog::Catalogue& cat_;
    const ViewOptions& opt_;
    Painter& p_;
    PlacingPainter* placing_;  // set when the names are placed
    const Trails* trails_;
    DrawRecord* record_;
    double sunAlt_;
    bool paper_;
    bool natural_;
    bool large_;
    double limit_;  // the faintest magnitude drawn (natural style)
    Rgb skyColour_;
    std::vector<astro::Horizontal> starPlaces_;
};

}  // namespace

float starRadiusTwips(double magnitude) {
    const double r = 10.0 * (5.0 - magnitude);
    return static_cast<float>(r >= 1.0 ? r : 1.0);
}

void drawView(Direction dir, const astro::SkyState& sky, const catalog::Catalogue& cat, const ViewOptions& opt,
              MeteorRng& rng, Painter& painter, DrawRecord* record) {
    drawView(projectorFor(dir), sky, cat, opt, rng, painter, nullptr, record);
}

void drawView(Direction dir, const astro::SkyState& sky, const catalog::Catalogue& cat, const ViewOptions& opt,
              MeteorRng& rng, Painter& painter, const Trails& trails, DrawRecord* record) {
    drawView(projectorFor(dir), sky, cat, opt, rng, painter, &trails, record);
}

bool placesNames(const Projector& projector, ChartStyle style) {
    return !(projector.frame().designLayout && style == ChartStyle::Screen);
}

void drawView(const Projector& projector, const astro::SkyState& sky, const catalog::Catalogue& cat,
              const ViewOptions& opt, MeteorRng& rng, Painter& painter, const Trails* trails, DrawRecord* record) {
    astro::detail::cleanVectorState();  // the painter's last drawing may have left them dirty
    if (!placesNames(projector, opt.style)) {
        SkyPainter(projector, sky, cat, opt, painter, nullptr, trails, record).draw(rng);
        return;
    }
    const ViewFrame& frame = projector.frame();
    PlacingPainter placing(painter, {0.0f, 0.0f, frame.widthTwips, frame.heightTwips});
    SkyPainter(projector, sky, cat, opt, painter, &placing, trails, record).draw(rng);
    placing.flush();
}

}  // namespace view
