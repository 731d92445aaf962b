#include "app/output/chart_export_gui.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QSvgGenerator>

#include <cmath>
#include <string>

#include "app/output/qt_painter_gui.h"

namespace app {

namespace {

using view::kTwipsPerPixel;


QColor backgroundOf(const ChartScene& s) {
    return qColour(s.view.style == view::ChartStyle::Print ? view::kPaperBackground : s.screenBackground);
}
QColor textOf(const ChartScene& s) {
    return qColour(s.view.style == view::ChartStyle::Print ? view::kPaperText : s.screenText);
}

QSizeF framePixels(const ChartScene& s) {
    const view::ChartFrame f = view::chartFrame(s.view.style);
    return {f.widthTwips / kTwipsPerPixel, f.heightTwips / kTwipsPerPixel};
}

}  // namespace

QImage chartImage(const ChartScene& scene, const catalog::Catalogue& cat, double scale) {
    const QSizeF px = framePixels(scene);
    QImage image(static_cast<int>(std::ceil(px.width() * scale)), static_cast<int>(std::ceil(px.height() * scale)),
                 QImage::Format_RGB32);
    QtPainter painter(image, scale, backgroundOf(scene), textOf(scene));
    drawChart(scene, cat, painter);
    return image;
}

bool paintChart(const ChartScene& scene, const catalog::Catalogue& cat, QPaintDevice& device, const QRectF& target) {
    QtPainter painter(device, target, view::chartFrame(scene.view.style), backgroundOf(scene), textOf(scene));
    if (!painter.isActive()) return false;
    drawChart(scene, cat, painter);
    return true;
}

QByteArray pdfBytes(QPageLayout::Orientation orientation, double marginsMm, const QString& title,
                    const std::function<bool(QPdfWriter&)>& draw) {
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter pdf(&buffer);
        pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), orientation,
                                      QMarginsF(marginsMm, marginsMm, marginsMm, marginsMm), QPageLayout::Millimeter));
        pdf.setTitle(title);
        pdf.setCreator(QString::fromUtf8(view::kProgramName));
        if (!draw(pdf)) return {};
    }
    return bytes;
}

QByteArray chartPdf(const ChartScene& scene, const catalog::Catalogue& cat) {
    return pdfBytes(QPageLayout::Landscape, 10.0, QString::fromStdString(view::chartTitle(scene.heading)),
                    [&](QPdfWriter& pdf) { return paintChart(scene, cat, pdf, QRectF(0.0, 0.0, pdf.width(), pdf.height())); });
}

QByteArray chartSvg(const ChartScene& scene, const catalog::Catalogue& cat) {
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        const QSizeF px = framePixels(scene);
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        svg.setResolution(96);
        svg.setSize(QSize(static_cast<int>(std::ceil(px.width())), static_cast<int>(std::ceil(px.height()))));
        svg.setViewBox(QRectF(QPointF(0.0, 0.0), px));
        svg.setTitle(QString::fromStdString(view::chartTitle(scene.heading)));
        svg.setDescription(QString::fromUtf8(view::kProgramName));
        if (!paintChart(scene, cat, svg, QRectF(QPointF(0.0, 0.0), px))) return {};
    }
    return bytes;
}

QByteArray chartBytes(ChartFormat format, const ChartScene& scene, const catalog::Catalogue& cat, double scale) {
    switch (format) {
    case ChartFormat::Pdf: return chartPdf(scene, cat);
    case ChartFormat::Svg: return chartSvg(scene, cat);
    case ChartFormat::Png: break;
    }
    const QImage image = chartImage(scene, cat, scale);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) return {};
    return bytes;
}

}  // namespace app
