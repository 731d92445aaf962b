// view::Painter through QPainter. The view hands over twips; this class turns
// them into painter units (pixels at the chart's scale) and keeps every
// non-finite or absurdly large coordinate away from Qt, whose rasteriser
// converts to fixed point.
#include "app/output/qt_painter_gui.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPen>
#include <QPolygonF>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <cmath>

#include "app/output/japanese_font_gui.h"
#include "view/picture.h"

namespace app {

namespace {

using view::kTwipsPerPixel;
// Anything beyond this many twips from the origin (about 66 000 pixels) is far
// outside every picture; dropping it keeps Qt's fixed-point arithmetic safe.
constexpr double kMaxTwips = 1.0e6;

bool usable(double v) { return std::isfinite(v) && std::fabs(v) <= kMaxTwips; }


// The small Japanese-capable font of the star and planet labels.
QFont labelFont(double scale) { return japanesePixelFont(static_cast<int>(std::lround(12.0 * scale))); }

// Dash patterns in units of the pen width (one pixel on the screen).
QList<qreal> dashPattern(view::LineStyle style) {
    switch (style) {
    case view::LineStyle::Dashed: return {6.0, 4.0};
    case view::LineStyle::Dotted: return {1.0, 3.0};
    case view::LineStyle::DashDot: return {9.0, 3.0, 2.0, 3.0};
    case view::LineStyle::Solid: break;
    }
    return {};
}

}  // namespace

QtPainter::QtPainter(QImage& image, double scale, QColor background, QColor textColour)
    : surface_(image.width(), image.height()),
      vector_(false),
      pixelsPerTwip_((std::isfinite(scale) && scale > 0.0 ? scale : 1.0) / kTwipsPerPixel),
      background_(background),
      textColour_(textColour),
      fill_(background),
      textPos_(0.0, 0.0),
      font_(labelFont(pixelsPerTwip_ * kTwipsPerPixel)) {
    markPixels_ = std::max(1, static_cast<int>(std::lround(pixelsPerTwip_ * kTwipsPerPixel)));
    labelFont_ = font_;
    if (image.format() == QImage::Format_RGB32) image_ = &image;
    painter_.begin(&image);
    painter_.setFont(font_);
}

QtPainter::QtPainter(QPaintDevice& device, const QRectF& target, view::ChartFrame frame, QColor background,
                     QColor textColour)
    : surface_(frame.widthTwips / kTwipsPerPixel, frame.heightTwips / kTwipsPerPixel),
      vector_(true),
      pixelsPerTwip_(1.0 / kTwipsPerPixel),
      background_(background),
      textColour_(textColour),
      fill_(background),
      textPos_(0.0, 0.0),
      font_(labelFont(1.0)),
      labelFont_(font_) {
    if (!painter_.begin(&device)) return;
    double k = std::min(target.width() / surface_.width(), target.height() / surface_.height());
    if (!std::isfinite(k) || k <= 0.0) k = 1.0;
    painter_.translate(target.center() - QPointF(surface_.width() * k / 2.0, surface_.height() * k / 2.0));
    painter_.scale(k, k);
    painter_.setClipRect(QRectF(QPointF(0.0, 0.0), surface_));
    painter_.setRenderHint(QPainter::Antialiasing, true);
    painter_.setRenderHint(QPainter::TextAntialiasing, true);
    painter_.setFont(font_);
}

QtPainter::~QtPainter() { flushPoints(); }

bool QtPainter::newPage() {
    flushPoints();
    auto* paged = dynamic_cast<QPagedPaintDevice*>(painter_.device());
    return paged != nullptr && painter_.isActive() && paged->newPage();
}

int QtPainter::devicePixel(double twips) const { return static_cast<int>(std::floor(twips * pixelsPerTwip_)); }

void QtPainter::flushPoints() {
    if (pendingPoints_.isEmpty()) return;
    painter_.fillPath(pendingPoints_, pendingColour_);
    pendingPoints_ = QPainterPath();
}

void QtPainter::clear() {
    flushPoints();
    textPos_ = QPointF(0.0, 0.0);
    if (vector_) {
        painter_.fillRect(QRectF(QPointF(0.0, 0.0), surface_), background_);
        return;
    }
    painter_.save();
    painter_.setCompositionMode(QPainter::CompositionMode_Source);
    painter_.fillRect(QRect(0, 0, static_cast<int>(surface_.width()), static_cast<int>(surface_.height())),
                      background_);
    painter_.restore();
}

QPen QtPainter::linePen(view::Rgb colour) const {
    QPen pen(qColour(colour));
    if (vector_) {
        pen.setWidthF(1.0);
        pen.setCosmetic(false);
    } else {
        pen.setWidth(markPixels_);  // a design pixel wide: lines stay visible at every scale
        pen.setCosmetic(true);
    }
    if (lineStyle_ != view::LineStyle::Solid) {
        pen.setDashPattern(dashPattern(lineStyle_));
        pen.setCapStyle(Qt::FlatCap);
    }
    return pen;
}

void QtPainter::usePen(const QPen& pen) {
    if (painter_.pen() != pen) painter_.setPen(pen);
}

void QtPainter::useBrush(const QBrush& brush) {
    if (painter_.brush() != brush) painter_.setBrush(brush);
}

void QtPainter::line(float x1, float y1, float x2, float y2, view::Rgb colour) {
    flushPoints();
    if (!usable(x1) || !usable(y1) || !usable(x2) || !usable(y2)) return;
    usePen(linePen(colour));
    if (vector_) {
        painter_.drawLine(QPointF(x1 * pixelsPerTwip_, y1 * pixelsPerTwip_),
                          QPointF(x2 * pixelsPerTwip_, y2 * pixelsPerTwip_));
        return;
    }
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.drawLine(QPointF(markCentre(x1), markCentre(y1)), QPointF(markCentre(x2), markCentre(y2)));
}

void QtPainter::disc(float x, float y, float radius, view::Rgb colour) {
    flushPoints();
    if (!usable(x) || !usable(y) || !usable(radius)) return;
    const double r = std::fabs(radius) * pixelsPerTwip_;
    const QPointF centre(x * pixelsPerTwip_, y * pixelsPerTwip_);
    if (vector_) {
        // Every disc stays a disc, however small: the file scales.
        QPen pen(qColour(colour));
        pen.setWidthF(1.0);
        usePen(pen);
        useBrush(fill_);
        painter_.drawEllipse(centre, r, r);
        return;
    }
    if (r < 0.75 * markPixels_) {
        // Smaller than a design pixel: the disc is the design pixel it is in.
        point(x, y, colour);
        return;
    }
    QPen pen(qColour(colour));
    pen.setWidth(0);
    pen.setCosmetic(true);
    painter_.setPen(pen);
    painter_.setRenderHint(QPainter::Antialiasing, true);
    painter_.setBrush(fill_);
    painter_.drawEllipse(QPointF(markCentre(x), markCentre(y)), r, r);
    painter_.setBrush(Qt::NoBrush);
}

void QtPainter::point(float x, float y, view::Rgb colour) {
    if (!usable(x) || !usable(y)) return;
    if (vector_) {
        const QPointF at(x * pixelsPerTwip_, y * pixelsPerTwip_);
        if (at.x() < 0.0 || at.y() < 0.0 || at.x() >= surface_.width() || at.y() >= surface_.height()) return;
        const QColor c = qColour(colour);
        if (c != pendingColour_) flushPoints();
        pendingColour_ = c;
        // A one-pixel square centred on the point, as a one-pixel pen draws it.
        pendingPoints_.addRect(QRectF(at.x() - 0.5, at.y() - 0.5, 1.0, 1.0));
        return;
    }
    const int px = devicePixel(x);
    const int py = devicePixel(y);
    if (px < 0 || py < 0 || px >= surface_.width() || py >= surface_.height()) return;
    if (image_ != nullptr) {
        const QRgb value = qRgb(colour.r, colour.g, colour.b);
        const int x1 = std::min(px + markPixels_, image_->width()), y1 = std::min(py + markPixels_, image_->height());
        for (int y = py; y < y1; ++y) {
            auto* row = reinterpret_cast<QRgb*>(image_->scanLine(y));
            for (int x = px; x < x1; ++x) row[x] = value;
        }
        return;
    }
    painter_.fillRect(QRect(px, py, markPixels_, markPixels_), qColour(colour));
}

void QtPainter::setTextPosition(float x, float y) {
    // A position that cannot be drawn at parks the text off the picture.
    if (!usable(x) || !usable(y)) {
        textPos_ = QPointF(-kMaxTwips, -kMaxTwips);
        return;
    }
    textPos_ = QPointF(x, y);
}

void QtPainter::text(std::string_view utf8) {
    flushPoints();
    if (utf8.empty()) return;
    const QPointF topLeft(textPos_.x() * pixelsPerTwip_, textPos_.y() * pixelsPerTwip_);
    if (topLeft.x() >= surface_.width() || topLeft.y() >= surface_.height()) return;
    const QString s = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    if (vector_) {
        usePen(QPen(textColour_));
    } else {
        painter_.setPen(textColour_);
    }
    const QFontMetricsF fm(font_);
    if (topLeft.x() + fm.horizontalAdvance(s) < 0.0 || topLeft.y() + fm.height() < 0.0) return;
    painter_.drawText(QPointF(topLeft.x(), topLeft.y() + fm.ascent()), s);
}

void QtPainter::setFillColour(view::Rgb colour) { fill_ = qColour(colour); }

void QtPainter::setFillStyleSolid() {}

void QtPainter::setLineStyle(view::LineStyle style) { lineStyle_ = style; }

void QtPainter::setTextScale(float factor) {
    const double f = std::isfinite(factor) && factor > 0.0f ? std::min(factor, 8.0f) : 1.0;
    if (f == textFactor_) return;
    // The labels go back and forth between two sizes: both fonts are kept.
    if (f == 1.0) {
        font_ = labelFont_;
    } else {
        if (f != scaledFactor_) {
            // The labels' size follows the picture's scale (1 for vector output).
            scaledFont_ = labelFont(pixelsPerTwip_ * kTwipsPerPixel * f);
            scaledFactor_ = f;
        }
        font_ = scaledFont_;
    }
    textFactor_ = f;
    painter_.setFont(font_);
}

bool QtPainter::toDevice(std::span<const view::Vertex> points, QPolygonF& out) const {
    out.clear();
    out.reserve(static_cast<qsizetype>(points.size()));
    for (const view::Vertex& v : points) {
        if (!usable(v.x) || !usable(v.y)) return false;
        out.append(vector_ ? QPointF(v.x * pixelsPerTwip_, v.y * pixelsPerTwip_)
                           : QPointF(markCentre(v.x), markCentre(v.y)));
    }
    return true;
}

void QtPainter::polyline(std::span<const view::Vertex> points, view::Rgb colour) {
    flushPoints();
    QPolygonF poly;
    if (points.size() < 2 || !toDevice(points, poly)) return;
    if (!vector_) painter_.setRenderHint(QPainter::Antialiasing, false);
    usePen(linePen(colour));
    painter_.drawPolyline(poly);
}

void QtPainter::polygon(std::span<const view::Vertex> points, view::Rgb colour) {
    flushPoints();
    QPolygonF poly;
    if (points.size() < 2 || !toDevice(points, poly)) return;
    QPen pen(qColour(colour));
    if (vector_) {
        pen.setWidthF(1.0);
    } else {
        pen.setWidth(0);
        pen.setCosmetic(true);
        painter_.setRenderHint(QPainter::Antialiasing, true);
    }
    usePen(pen);
    useBrush(fill_);
    painter_.drawPolygon(poly);
    if (!vector_) painter_.setBrush(Qt::NoBrush);
}

}  // namespace app
