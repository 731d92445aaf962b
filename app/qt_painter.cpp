// view::Painter on a QImage. The view hands over twips; this class turns
// them into device pixels and keeps every non-finite or absurdly large
// coordinate away from Qt, whose rasteriser converts to fixed point.
#include "app/qt_painter.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPen>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <cmath>

namespace app {

namespace {

constexpr double kTwipsPerPixel = 15.0;
// Anything beyond this many twips from the origin (about 66 000 pixels) is far
// outside every picture; dropping it keeps Qt's fixed-point arithmetic safe.
constexpr double kMaxTwips = 1.0e6;

bool usable(double v) { return std::isfinite(v) && std::fabs(v) <= kMaxTwips; }

QColor toQColor(view::Rgb c) { return QColor(c.r, c.g, c.b); }

// The small Japanese-capable font of the star and planet labels: IPA
// P Gothic when installed, otherwise the first CJK-capable family found.
QFont labelFont(double scale) {
    const QStringList families = QFontDatabase::families();
    QString chosen;
    if (families.contains(QStringLiteral("IPAPGothic"))) {
        chosen = QStringLiteral("IPAPGothic");
    } else {
        for (const QString& f : families) {
            if (QFontDatabase::writingSystems(f).contains(QFontDatabase::Japanese)) {
                chosen = f;
                break;
            }
        }
    }
    QFont font = chosen.isEmpty() ? QFont() : QFont(chosen);
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(12.0 * scale))));
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

}  // namespace

QtPainter::QtPainter(QImage& image, double scale, QColor background, QColor textColour)
    : image_(image),
      pixelsPerTwip_((std::isfinite(scale) && scale > 0.0 ? scale : 1.0) / kTwipsPerPixel),
      background_(background),
      textColour_(textColour),
      fill_(background),
      textPos_(0.0, 0.0),
      font_(labelFont(pixelsPerTwip_ * kTwipsPerPixel)) {
    painter_.begin(&image_);
    painter_.setFont(font_);
}

void QtPainter::clear() {
    painter_.save();
    painter_.setCompositionMode(QPainter::CompositionMode_Source);
    painter_.fillRect(QRect(0, 0, image_.width(), image_.height()), background_);
    painter_.restore();
    textPos_ = QPointF(0.0, 0.0);
}

void QtPainter::line(float x1, float y1, float x2, float y2, view::Rgb colour) {
    if (!usable(x1) || !usable(y1) || !usable(x2) || !usable(y2)) return;
    QPen pen(toQColor(colour));
    pen.setWidth(0);  // cosmetic: one device pixel whatever the scale
    pen.setCosmetic(true);
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setPen(pen);
    painter_.drawLine(QPointF(x1 * pixelsPerTwip_, y1 * pixelsPerTwip_),
                      QPointF(x2 * pixelsPerTwip_, y2 * pixelsPerTwip_));
}

void QtPainter::disc(float x, float y, float radius, view::Rgb colour) {
    if (!usable(x) || !usable(y) || !usable(radius)) return;
    const double r = std::fabs(radius) * pixelsPerTwip_;
    const QPointF centre(x * pixelsPerTwip_, y * pixelsPerTwip_);
    QPen pen(toQColor(colour));
    pen.setWidth(0);
    pen.setCosmetic(true);
    painter_.setPen(pen);
    if (r < 0.75) {
        // Smaller than a pixel: the disc is its centre pixel.
        painter_.setRenderHint(QPainter::Antialiasing, false);
        painter_.drawPoint(centre);
        return;
    }
    painter_.setRenderHint(QPainter::Antialiasing, true);
    painter_.setBrush(fill_);
    painter_.drawEllipse(centre, r, r);
    painter_.setBrush(Qt::NoBrush);
}

void QtPainter::point(float x, float y, view::Rgb colour) {
    if (!usable(x) || !usable(y)) return;
    const int px = static_cast<int>(std::floor(x * pixelsPerTwip_));
    const int py = static_cast<int>(std::floor(y * pixelsPerTwip_));
    if (px < 0 || py < 0 || px >= image_.width() || py >= image_.height()) return;
    QPen pen(toQColor(colour));
    pen.setWidth(0);
    pen.setCosmetic(true);
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setPen(pen);
    painter_.drawPoint(px, py);
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
    if (utf8.empty()) return;
    const QPointF topLeft(textPos_.x() * pixelsPerTwip_, textPos_.y() * pixelsPerTwip_);
    if (topLeft.x() >= image_.width() || topLeft.y() >= image_.height()) return;
    const QString s = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    painter_.setPen(textColour_);
    const QFontMetricsF fm(font_);
    if (topLeft.x() + fm.horizontalAdvance(s) < 0.0 || topLeft.y() + fm.height() < 0.0) return;
    painter_.drawText(QPointF(topLeft.x(), topLeft.y() + fm.ascent()), s);
}

void QtPainter::setFillColour(view::Rgb colour) { fill_ = toQColor(colour); }

void QtPainter::setFillStyleSolid() {}

}  // namespace app
