// The picture area of the window: the back buffer the sky is drawn into, the
// drawing itself, painting it on screen and saving what it shows. The
// window's controls sit on top of it as its children, at their design
// places.
#pragma once

#include <QColor>
#include <QImage>
#include <QList>
#include <QString>
#include <QWidget>

#include <optional>

#include "app/output/qt_painter_gui.h"
#include "app/session/chart_scene.h"
#include "app/session/colour_scheme.h"
#include "app/session/picture_fit.h"
#include "view/viewport.h"
#include "catalog/catalog.h"
#include "view/hit_test.h"
#include "view/sky_view.h"

namespace app {

// What the canvas drew last: the chart (what printing and exporting write,
// its shooting stars from the generator as it stood before this picture)
// and what lies under each point.
struct DrawnSky : ChartScene {
    // Every object drawn and where, in device pixels of the back buffer
    // (empty while there is no buffer).
    view::DrawRecord record;
};

class SkyCanvas : public QWidget {
    Q_OBJECT

public:
    SkyCanvas(const catalog::Catalogue& cat, unsigned long long meteorSeed, QWidget* parent = nullptr);

    // Colours of the picture: `background` fills it (and what has not been
    // drawn yet), `text` writes the labels.
    void setColours(QColor background, QColor text);
    QColor background() const { return background_; }

    // Fills the picture with the background.
    void clearPicture();
    // Draws the chart (screen style) into the back buffer and shows it, at
    // the scale and place fitPicture() gives for the canvas's size; a new
    // size draws the last chart again, with the same shooting stars.
    void drawSky(const ChartScene& chart);
    // The fit of the picture to the canvas now, in widget pixels.
    PictureFit fit() const;
    // Where the picture meets the canvas now: the fit on this screen's
    // device pixels (the last drawing's record carries the one it drew with).
    view::Viewport viewport() const;
    // A point of the picture (twips) in widget pixels.
    QPointF widgetPoint(double xTwips, double yTwips) const;

    // The back buffer (device pixels); null while it could not be allocated.
    const QImage& picture() const {
        fitBuffer();
        return buffer_;
    }
    // False when the buffer for the current size could not be allocated;
    // the canvas then shows a message instead of the picture.
    bool hasPicture() const { return !picture().isNull(); }
    // The last sky drawn (none after clearPicture or before the first draw).
    const std::optional<DrawnSky>& lastDrawn() const { return lastDrawn_; }

    // What the user sees in the picture area: the picture with the widgets
    // in `overlays` (e.g. the numeric table) painted over it, without the
    // other controls.
    QImage snapshot(const QList<QWidget*>& overlays) const;

    // The most memory the back buffer may take; a larger window shows a
    // message instead of the picture.
    static constexpr qint64 kMaxBufferBytes = 512LL * 1024 * 1024;

signals:
    // After every drawSky.
    void skyDrawn();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // Gives the buffer the widget's size in device pixels (both ways),
    // keeping what fits of the old picture.
    void fitBuffer() const;
    void render(const ChartScene& chart);
    QString noPictureText() const;

    const catalog::Catalogue& cat_;
    view::MeteorRng rng_;
    // The buffer follows the widget's size, also while the widget is hidden
    // and gets no resize events, so it is fitted whenever it is read.
    mutable QImage buffer_;
    mutable QSize failedSize_;  // device size that could not be allocated, if any
    QColor background_ = qColour(schemeColours(kNightScheme).windowBack);
    QColor text_ = qColour(schemeColours(kNightScheme).windowText);
    std::optional<DrawnSky> lastDrawn_;
    PictureFit lastFit_;
};

}  // namespace app
