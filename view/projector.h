// The one way sky code places things in a picture: a projector maps an
// altitude and azimuth to picture twips, maps a picture point back, and
// knows its frame (the area it covers, where the horizon and its labels go,
// where figures and shooting stars are cut, and how its altitude/azimuth
// grid is drawn). The sky view, the figures, the shooting stars, the
// trails, pointing, finding and the paper chart place everything through
// it; a new kind of view is a new projector and its frame.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "view/direction.h"
#include "view/painter.h"
#include "view/picture.h"

namespace view {

// Where a point of the sky lands, and whether the projection shows it
// there at all (a point it rejects is placed far right of the picture,
// where nothing is seen).
struct Placed {
    bool visible = false;
    PicturePoint at;
};

struct SkyPoint {
    double altDeg = 0.0;
    double azDeg = 0.0;  // from north through east, [0, 360)
};

struct FrameLabel {
    float xTwips = 0.0f;
    float yTwips = 0.0f;
    std::string_view text;
};

// The all-sky view's horizon: a circle.
struct HorizonCircle {
    float centreX = 0.0f;
    float centreY = 0.0f;
    float radius = 0.0f;
};

// The fixed parts of a view's picture, in twips.
struct ViewFrame {
    float widthTwips = 0.0f;    // the picture spans 0..width across
    float horizonY = 0.0f;      // the horizon line, drawn from x0 to x1 ...
    float horizonX0 = 0.0f;
    float horizonX1 = 0.0f;
    std::optional<HorizonCircle> horizonCircle;  // ... or this circle instead
    std::vector<std::vector<Vertex>> horizonRuns;  // ... or, when not empty, these curves
    std::vector<FrameLabel> labels;  // direction names under (or around) the horizon
    float figureMaxX = 0.0f;    // a figure line with an end at or beyond this is not drawn
    float meteorMaxX = 0.0f;    // a streak reaching this belongs to another view
    float heightTwips = static_cast<float>(kSurfaceHeightTwips);  // the picture spans 0..height down
    // The one convex piece of the horizon's two sides within the picture,
    // as a polygon: the sky above the horizon, or the ground below it when
    // `areaIsGround`. The natural style paints the picture in the other
    // side's colour, then this.
    std::vector<Vertex> horizonArea;
    bool areaIsGround = false;
    // The four quarters of the design keep its own label layout in the
    // screen style.
    bool designLayout = false;
};

class Projector {
public:
    virtual ~Projector() = default;

    // place: altitude (degrees) and azimuth (degrees from north through
    // east) to picture twips. Points below the horizon are placed too
    // (callers leave them out); `visible` is false where the projection
    // has no place for the point (or for non-finite input).
    virtual Placed place(double altDeg, double azDeg) const = 0;

    // skyAt: the altitude and azimuth drawn at picture point (xTwips,
    // yTwips), to half a twip; nothing where the projection places no sky
    // point there, or for non-finite input. Points under the horizon line
    // give negative altitudes.
    virtual std::optional<SkyPoint> skyAt(double xTwips, double yTwips) const = 0;

    // inPicture: whether a placed point lies in the drawn sky (above the
    // horizon line, within the picture's width).
    virtual bool inPicture(PicturePoint at) const = 0;

    virtual const ViewFrame& frame() const = 0;

    // upTurnDeg: the angle, counter-clockwise in the picture, from the
    // picture's up to the way toward the zenith at a placed point; what
    // turns an angle measured from the vertical in the sky (the Moon's
    // bright limb) into the picture. 0 in the four quarters, whose pictures
    // keep the vertical up.
    virtual double upTurnDeg(double altDeg, double azDeg) const {
        (void)altDeg;
        (void)azDeg;
        return 0.0;
    }

    // The altitude/azimuth lines: dots for the screen, runs of connected
    // points for paper.
    virtual const std::vector<PicturePoint>& gridDots() const = 0;
    virtual const std::vector<std::vector<Vertex>>& gridLines() const = 0;
};

// The projector of a viewing direction: for the four quarters the design's
// formula (projection.h) and picture mapping (picture.h); for Zenith the
// stereographic all-sky circle (zenith_projector.h). One instance each,
// made on first use.
const Projector& projectorFor(Direction dir);

}  // namespace view
