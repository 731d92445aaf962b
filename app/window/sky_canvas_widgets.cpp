#include "app/window/sky_canvas_widgets.h"

#include <QPaintEvent>
#include <QPainter>

#include <cmath>

#include "app/output/qt_painter_gui.h"

namespace app {

SkyCanvas::SkyCanvas(const catalog::Catalogue& cat, unsigned long long meteorSeed, QWidget* parent)
    : QWidget(parent), cat_(cat), rng_(meteorSeed) {
    setObjectName(QStringLiteral("picture"));
    // The picture covers the whole area, so Qt need not erase it first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void SkyCanvas::setColours(QColor background, QColor text) {
    background_ = background;
    text_ = text;
}

void SkyCanvas::fitBuffer() const {
    const double dpr = devicePixelRatioF();
    const QSize want(static_cast<int>(std::ceil(width() * dpr)), static_cast<int>(std::ceil(height() * dpr)));
    if (want.isEmpty()) return;
    if (buffer_.size() == want) return;
    failedSize_ = QSize();
    if (static_cast<qint64>(want.width()) * want.height() * 4 > kMaxBufferBytes) {
        buffer_ = QImage();
        failedSize_ = want;
        return;
    }
    QImage fitted(want, QImage::Format_RGB32);
    if (fitted.isNull()) {
        buffer_ = QImage();
        failedSize_ = want;
        return;
    }
    fitted.fill(background_);
    if (!buffer_.isNull()) {
        // What fits of the old picture stays until the next drawing.
        QPainter p(&fitted);
        p.drawImage(0, 0, buffer_);
    }
    buffer_ = std::move(fitted);
}

void SkyCanvas::clearPicture() {
    lastDrawn_.reset();
    fitBuffer();
    if (!buffer_.isNull()) {
        QtPainter painter(buffer_, devicePixelRatioF(), background_, text_);
        painter.clear();
    }
    update();
}

PictureFit SkyCanvas::fit() const {
    const view::ChartFrame frame = view::chartFrame(view::ChartStyle::Screen);
    return fitPicture(width(), height(), frame.widthTwips / view::kTwipsPerPixel, frame.heightTwips / view::kTwipsPerPixel);
}

view::Viewport SkyCanvas::viewport() const {
    const PictureFit f = fit();
    return view::Viewport::fitted(f.scale, devicePixelRatioF(), f.originX, f.originY);
}

QPointF SkyCanvas::widgetPoint(double xTwips, double yTwips) const {
    const view::Viewport v = viewport();
    const view::DevicePoint px = v.deviceOf(xTwips, yTwips);
    const view::DevicePoint at = v.logicalFromDevice(px.x, px.y);
    return {at.x, at.y};
}

void SkyCanvas::drawSky(const ChartScene& chart) {
    lastDrawn_ = DrawnSky{chart, {}};
    lastDrawn_->meteorStart = rng_;
    render(chart);
    emit skyDrawn();
}

void SkyCanvas::render(const ChartScene& chart) {
    fitBuffer();
    if (!buffer_.isNull()) {
        const view::Viewport v = viewport();
        const int x0 = static_cast<int>(v.originXPx);
        const int y0 = static_cast<int>(v.originYPx);
        // The picture draws into its own rectangle of the buffer, a view of
        // the same memory, so nothing falls outside it; the margins of a
        // scaled-up picture are the background.
        if (x0 > 0 || y0 > 0) buffer_.fill(background_);
        const int w = buffer_.width() - x0, h = buffer_.height() - y0;
        QImage area(buffer_.bits() + static_cast<qsizetype>(y0) * buffer_.bytesPerLine() + x0 * 4, w, h,
                    buffer_.bytesPerLine(), QImage::Format_RGB32);
        QtPainter painter(area, v.painterScale(), background_, text_);
        lastDrawn_->record.viewport = v;
        view::MeteorRng rng = lastDrawn_->meteorStart.value_or(rng_);
        drawChart(chart, cat_, painter, &lastDrawn_->record, &rng);
        rng_ = rng;
    }
    update();
}

QImage SkyCanvas::snapshot(const QList<QWidget*>& overlays) const {
    fitBuffer();
    if (buffer_.isNull()) return {};
    const double dpr = devicePixelRatioF();
    QImage image = buffer_.copy(0, 0, static_cast<int>(std::ceil(width() * dpr)),
                                static_cast<int>(std::ceil(height() * dpr)));
    image.setDevicePixelRatio(dpr);
    QPainter p(&image);
    for (QWidget* w : overlays) {
        if (w == nullptr || !w->isVisibleTo(this)) continue;
        // Only the widget's own drawing: no background, no children.
        w->render(&p, w->mapTo(this, QPoint(0, 0)), QRegion(), QWidget::RenderFlags());
    }
    p.end();
    image.setDevicePixelRatio(1.0);
    return image;
}

QString SkyCanvas::noPictureText() const {
    return QStringLiteral("この大きさ（%1×%2 ピクセル）の画像に使うメモリーを確保できません。\n"
                          "ウィンドウを小さくしてください。")
        .arg(failedSize_.width())
        .arg(failedSize_.height());
}

void SkyCanvas::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    const QRect r = event->rect();
    if (buffer_.isNull()) {
        p.fillRect(r, background_);
        if (failedSize_.isValid()) {
            p.setPen(text_);
            p.drawText(rect().adjusted(20, 140, -20, -20), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                       noPictureText());
        }
        return;
    }
    // Copy only: the picture is rendered when a command draws.
    const double dpr = devicePixelRatioF();
    const QRectF source(r.x() * dpr, r.y() * dpr, r.width() * dpr, r.height() * dpr);
    p.drawImage(QRectF(r), buffer_, source);
}

void SkyCanvas::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const PictureFit before = lastFit_;
    fitBuffer();
    lastFit_ = fit();
    // A picture of another scale or place is drawn anew, shooting stars and all.
    if (lastDrawn_ && !(lastFit_ == before)) {
        render(*lastDrawn_);
        emit skyDrawn();
    }
}

}  // namespace app
