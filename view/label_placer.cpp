#include "view/label_placer.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace view {

namespace {

// Space between an object's edge and its name.
constexpr float kGapTwips = 40.0f;

// Distance from a point to the nearest point of a box.
float distanceToBox(PicturePoint p, const TextBox& b) {
    const float dx = std::max({b.x0 - p.x, 0.0f, p.x - b.x1});
    const float dy = std::max({b.y0 - p.y, 0.0f, p.y - b.y1});
    return std::hypot(dx, dy);
}

}  // namespace

bool overlaps(const TextBox& a, const TextBox& b) { return a.x0 < b.x1 && b.x0 < a.x1 && a.y0 < b.y1 && b.y0 < a.y1; }

float labelWidthTwips(std::string_view utf8, float scale) {
    double ems = 0.0;
    for (std::size_t i = 0; i < utf8.size();) {
        const unsigned char c = static_cast<unsigned char>(utf8[i]);
        const std::size_t len = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
        // Half-width katakana: EF BD A1 .. EF BE 9F (U+FF61..U+FF9F).
        const bool halfKana = len == 3 && c == 0xEF && i + 1 < utf8.size() &&
                              (static_cast<unsigned char>(utf8[i + 1]) == 0xBD ||
                               static_cast<unsigned char>(utf8[i + 1]) == 0xBE);
        ems += (len == 1 || halfKana) ? 0.6 : 1.0;
        i += len;
    }
    return static_cast<float>(ems * kLabelEmTwips * (scale > 0.0f ? scale : 1.0f));
}

TextBox labelBox(float x, float y, std::string_view utf8, float scale) {
    const float s = scale > 0.0f ? scale : 1.0f;
    return {x, y, x + labelWidthTwips(utf8, s), y + kLabelLineTwips * s};
}

PlacingPainter::PlacingPainter(Painter& target, TextBox bounds) : target_(target), bounds_(bounds) {}

void PlacingPainter::setAnchor(PicturePoint centre, float radiusTwips) {
    anchor_ = Obstacle{centre, std::max(radiusTwips, 0.0f), rank_};
}

void PlacingPainter::disc(float x, float y, float radius, Rgb colour) {
    target_.disc(x, y, radius, colour);
    obstacles_.push_back({{x, y}, radius, rank_});
}

void PlacingPainter::text(std::string_view utf8) {
    if (!utf8.empty() && std::isfinite(at_.x) && std::isfinite(at_.y))
        held_.push_back({std::string(utf8), at_, anchor_, scale_, rank_, held_.size()});
    anchor_.reset();
}

TextBox PlacingPainter::inside(TextBox box) const {
    const float w = box.x1 - box.x0, h = box.y1 - box.y0;
    if (box.x1 > bounds_.x1) box.x0 = bounds_.x1 - w;
    if (box.x0 < bounds_.x0) box.x0 = bounds_.x0;
    if (box.y1 > bounds_.y1) box.y0 = bounds_.y1 - h;
    if (box.y0 < bounds_.y0) box.y0 = bounds_.y0;
    return {box.x0, box.y0, box.x0 + w, box.y0 + h};
}

bool PlacingPainter::fits(const TextBox& box, double rank) const {
    if (box.x0 < bounds_.x0 - 0.5f || box.x1 > bounds_.x1 + 0.5f || box.y0 < bounds_.y0 - 0.5f ||
        box.y1 > bounds_.y1 + 0.5f)
        return false;
    for (const PlacedLabel& p : placed_)
        if (overlaps(box, p.box)) return false;
    for (const Obstacle& o : obstacles_)
        if (o.rank < rank && distanceToBox(o.centre, box) < o.radius) return false;
    return true;
}

const std::vector<PlacedLabel>& PlacingPainter::flush() {
    std::stable_sort(held_.begin(), held_.end(), [](const Held& a, const Held& b) { return a.rank < b.rank; });
    for (const Held& h : held_) {
        const TextBox own = labelBox(0.0f, 0.0f, h.text, h.scale);
        const float w = own.x1, ht = own.y1;
        // A name whose object is off the picture (or whose own spot lies
        // wholly outside it) is not pulled in: it would name nothing.
        const PicturePoint at = h.anchor ? h.anchor->centre : h.spot;
        const float slackX = h.anchor ? 0.0f : w, slackY = h.anchor ? 0.0f : ht;
        if (!(at.x >= bounds_.x0 - slackX && at.x <= bounds_.x1 && at.y >= bounds_.y0 - slackY && at.y <= bounds_.y1))
            continue;
        std::vector<PicturePoint> spots;
        if (h.anchor) {
            // Close beside the object first, then a line farther out.
            const PicturePoint c = h.anchor->centre;
            for (const float away : {0.0f, ht}) {
                const float r = h.anchor->radius + kGapTwips + away, d = 0.7f * (h.anchor->radius + away) + kGapTwips;
                spots.insert(spots.end(), {{c.x + r, c.y - 0.5f * ht},
                                           {c.x - r - w, c.y - 0.5f * ht},
                                           {c.x - 0.5f * w, c.y - r - ht},
                                           {c.x - 0.5f * w, c.y + r},
                                           {c.x + d, c.y - d - ht},
                                           {c.x + d, c.y + d},
                                           {c.x - d - w, c.y - d - ht},
                                           {c.x - d - w, c.y + d}});
            }
        } else {
            const PicturePoint s = h.spot;
            spots = {s,
                     {s.x, s.y - ht},
                     {s.x, s.y + ht},
                     {s.x - w, s.y},
                     {s.x - w, s.y - ht},
                     {s.x - w, s.y + ht},
                     {s.x, s.y + 2.0f * ht},
                     {s.x, s.y - 2.0f * ht},
                     {s.x - 0.5f * w, s.y + 2.0f * ht},
                     {s.x - 0.5f * w, s.y - 2.0f * ht}};
        }
        for (const PicturePoint& s : spots) {
            const TextBox box = inside({s.x, s.y, s.x + w, s.y + ht});
            // The direction names are the picture's frame: always drawn.
            if (h.rank > kRankFrame && !fits(box, h.rank)) continue;
            placed_.push_back({h.text, box, h.scale, h.rank});
            target_.setTextScale(h.scale);
            target_.setTextPosition(box.x0, box.y0);
            target_.text(h.text);
            break;
        }
    }
    target_.setTextScale(1.0f);
    held_.clear();
    return placed_;
}

}  // namespace view
