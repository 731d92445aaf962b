// view::Painter through Qt: twips become pixels at 15 twips per pixel times
// a scale factor. On a QImage it draws the window's pixels (one-pixel lines
// and dots); on a vector device (PDF, SVG, printer) the same chart becomes
// shapes and real text, scaled to fit a target rectangle.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QRectF>

#include "view/chart_style.h"
#include "view/painter.h"

namespace app {

// A colour of the sky code as Qt's.
inline QColor qColour(view::Rgb c) { return QColor(c.r, c.g, c.b); }

class QtPainter final : public view::Painter {
public:
    // Draws into `image`, which must outlive the painter. `background` fills
    // the image on clear(); `textColour` is used for text().
    QtPainter(QImage& image, double scale, QColor background, QColor textColour);

    // Draws a chart of `frame` onto `device` (a QPdfWriter, QSvgGenerator or
    // QPrinter), scaled to fit `target` (device units) with its aspect kept
    // and centred there; nothing is drawn outside the frame. Lines are 1/96
    // inch wide at a scale of 1 (one screen pixel), points small squares.
    // `device` must outlive the painter; painting ends when it is destroyed.
    QtPainter(QPaintDevice& device, const QRectF& target, view::ChartFrame frame, QColor background,
              QColor textColour);
    ~QtPainter() override;
    QtPainter(const QtPainter&) = delete;
    QtPainter& operator=(const QtPainter&) = delete;

    // False when Qt could not start painting on the device (e.g. a PDF file
    // that cannot be opened); every drawing call is then ignored.
    bool isActive() const { return painter_.isActive(); }
    // On a paged device (a PDF), ends the page and goes on on a new one with
    // the same frame; false when the device cannot.
    bool newPage();

    void clear() override;
    void line(float x1, float y1, float x2, float y2, view::Rgb colour) override;
    void disc(float x, float y, float radius, view::Rgb colour) override;
    void point(float x, float y, view::Rgb colour) override;
    void setTextPosition(float x, float y) override;
    void text(std::string_view utf8) override;
    void setFillColour(view::Rgb colour) override;
    void setFillStyleSolid() override;
    void setLineStyle(view::LineStyle style) override;
    void setTextScale(float factor) override;
    void polyline(std::span<const view::Vertex> points, view::Rgb colour) override;
    void polygon(std::span<const view::Vertex> points, view::Rgb colour) override;

private:
    QPen linePen(view::Rgb colour) const;
    void usePen(const QPen& pen);
    void useBrush(const QBrush& brush);
    // The usable points of a polyline, in painter units; empty if any is not.
    bool toDevice(std::span<const view::Vertex> points, QPolygonF& out) const;
    // Vector devices: a run of dots of one colour becomes one filled path, so
    // an SVG holds one element for the whole altitude/azimuth grid rather
    // than one per dot. Every other drawing call flushes the run first.
    void flushPoints();
    // Pictures (raster): the one rule that places every mark. A design pixel
    // at twips (x, y) covers the device pixels from (floor(x·k), floor(y·k)),
    // k device pixels per twip, over markPixels_ × markPixels_: the scale
    // rounded, at least 1. Points fill that square; lines, outlines and
    // discs are centred on its centre, lines markPixels_ wide.
    int devicePixel(double twips) const;
    double markCentre(double twips) const { return devicePixel(twips) + markPixels_ / 2.0; }

    QPainter painter_;
    QSizeF surface_;  // painter units: pixels at the chart's scale
    // The image drawn into (raster painting only): points are set in it
    // directly, the same pixels fillRect would set, at a fraction of its cost.
    QImage* image_ = nullptr;
    bool vector_;
    double pixelsPerTwip_;
    int markPixels_ = 1;
    QColor background_;
    QColor textColour_;
    QColor fill_;
    QPointF textPos_;
    QFont font_;
    QFont labelFont_;         // the labels' own font, for setTextScale(1)
    QFont scaledFont_;        // the last other size asked for
    double textFactor_ = 1.0;
    double scaledFactor_ = 0.0;
    view::LineStyle lineStyle_ = view::LineStyle::Solid;
    QPainterPath pendingPoints_;
    QColor pendingColour_;
};

}  // namespace app
