// view::Painter on a QImage: twips become pixels at 15 twips per pixel times
// a scale factor for high-density screens.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>

#include "view/painter.h"

namespace app {

class QtPainter final : public view::Painter {
public:
    // Draws into `image`, which must outlive the painter. `background` fills
    // the image on clear(); `textColour` is used for text().
    QtPainter(QImage& image, double scale, QColor background, QColor textColour);

    void clear() override;
    void line(float x1, float y1, float x2, float y2, view::Rgb colour) override;
    void disc(float x, float y, float radius, view::Rgb colour) override;
    void point(float x, float y, view::Rgb colour) override;
    void setTextPosition(float x, float y) override;
    void text(std::string_view utf8) override;
    void setFillColour(view::Rgb colour) override;
    void setFillStyleSolid() override;

private:
    QImage& image_;
    QPainter painter_;
    double pixelsPerTwip_;
    QColor background_;
    QColor textColour_;
    QColor fill_;
    QPointF textPos_;
    QFont font_;
};

}  // namespace app
