// Placeholder until the Qt painter lands.
#include "app/qt_painter.h"

namespace app {
QtPainter::QtPainter(QImage& image, double scale, QColor background, QColor textColour)
    : image_(image), pixelsPerTwip_(scale / 15.0), background_(background), textColour_(textColour) {}
void QtPainter::clear() { image_.fill(background_); }
void QtPainter::line(float, float, float, float, view::Rgb) {}
void QtPainter::disc(float, float, float, view::Rgb) {}
void QtPainter::point(float, float, view::Rgb) {}
void QtPainter::setTextPosition(float x, float y) { textPos_ = QPointF(x, y); }
void QtPainter::text(std::string_view) {}
void QtPainter::setFillColour(view::Rgb c) { fill_ = QColor(c.r, c.g, c.b); }
void QtPainter::setFillStyleSolid() {}
}  // namespace app
