#include "app/chart_export.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QSvgGenerator>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <string>

#include "app/qt_painter.h"

namespace app {

namespace {

// Trails on paper: light enough that the stars at their ends stand out,
// dark enough to survive a black-and-white printer.
constexpr view::Rgb kPaperTrail{170, 170, 170};

constexpr double kTwipsPerPixel = 15.0;

QColor toQ(view::Rgb c) { return QColor(c.r, c.g, c.b); }

QColor backgroundOf(const ChartScene& s) {
    return toQ(s.view.style == view::ChartStyle::Print ? view::kPaperBackground : s.screenBackground);
}
QColor textOf(const ChartScene& s) {
    return toQ(s.view.style == view::ChartStyle::Print ? view::kPaperText : s.screenText);
}

QSizeF framePixels(const ChartScene& s) {
    const view::ChartFrame f = view::chartFrame(s.view.style);
    return {f.widthTwips / kTwipsPerPixel, f.heightTwips / kTwipsPerPixel};
}

}  // namespace

std::optional<ChartFormat> chartFormatForPath(std::string_view path) {
    const std::size_t dot = path.rfind('.');
    const std::size_t slash = path.rfind('/');
    // No extension at all (/dev/stdout, a FIFO, "sky"): a PNG, as always.
    if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash)) return ChartFormat::Png;
    std::string ext(path.substr(dot + 1));
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (ext == "png") return ChartFormat::Png;
    if (ext == "pdf") return ChartFormat::Pdf;
    if (ext == "svg") return ChartFormat::Svg;
    return std::nullopt;
}

view::ChartStyle defaultStyle(ChartFormat format) {
    return format == ChartFormat::Png ? view::ChartStyle::Screen : view::ChartStyle::Print;
}

void drawChart(const ChartScene& scene, const catalog::Catalogue& cat, view::Painter& painter) {
    view::MeteorRng rng = scene.meteorStart ? *scene.meteorStart : view::MeteorRng(scene.meteorSeed);
    if (scene.trails) {
        view::Trails trails = *scene.trails;
        if (scene.view.style == view::ChartStyle::Print)
            for (view::TrailPath& path : trails.paths) path.colour = kPaperTrail;
        view::drawView(scene.direction, scene.sky, cat, scene.view, rng, painter, trails);
    } else {
        view::drawView(scene.direction, scene.sky, cat, scene.view, rng, painter);
    }
    if (scene.view.style == view::ChartStyle::Print) view::drawPaperFrame(scene.heading, painter);
}

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

QByteArray chartPdf(const ChartScene& scene, const catalog::Catalogue& cat) {
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter pdf(&buffer);
        pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(10, 10, 10, 10),
                                      QPageLayout::Millimeter));
        pdf.setTitle(QString::fromStdString(view::chartTitle(scene.heading)));
        pdf.setCreator(QString::fromUtf8(view::kProgramName));
        if (!paintChart(scene, cat, pdf, QRectF(0.0, 0.0, pdf.width(), pdf.height()))) return {};
    }
    return bytes;
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
