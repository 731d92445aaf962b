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

void SkyCanvas::drawSky(const ChartScene& chart) {
    lastDrawn_ = DrawnSky{chart, {}};
    lastDrawn_->meteorStart = rng_;
    fitBuffer();
    if (!buffer_.isNull()) {
        const double scale = devicePixelRatioF();
        QtPainter painter(buffer_, scale, background_, text_);
        lastDrawn_->record.pixelsPerTwip = scale / view::kTwipsPerPixel;
        drawChart(chart, cat_, painter, &lastDrawn_->record, &rng_);
    }
    update();
    emit skyDrawn();
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
    fitBuffer();
}

}  // namespace app
