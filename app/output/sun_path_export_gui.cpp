#include "app/output/sun_path_export_gui.h"

#include <QBuffer>
#include <QPdfWriter>
#include <QSvgGenerator>

#include <cmath>

#include "app/output/chart_export_gui.h"
#include "app/output/qt_painter_gui.h"
#include "view/chart_style.h"
#include "view/paper_chart.h"

namespace app {

namespace {

const view::ChartFrame kPage{view::kSunPathPageWidthTwips, view::kSunPathPageHeightTwips};
const view::ChartFrame kPortraitPage{view::kSunPathPageHeightTwips, view::kSunPathPageWidthTwips};

QSize pagePixels(double scale, const view::ChartFrame& page = kPage) {
    return {static_cast<int>(std::ceil(page.widthTwips / view::kTwipsPerPixel * scale)),
            static_cast<int>(std::ceil(page.heightTwips / view::kTwipsPerPixel * scale))};
}

}  // namespace

QImage sunPathImage(const view::SunPathScene& scene, double scale) {
    return lessonPageImage([&scene](view::Painter& p) { view::drawSunPath(scene, p); }, scale);
}

QImage lessonPageImage(const PageDrawing& draw, double scale, bool portrait) {
    QImage image(pagePixels(scale, portrait ? kPortraitPage : kPage), QImage::Format_RGB32);
    QtPainter painter(image, scale, qColour(view::kPaperBackground), qColour(view::kPaperText));
    draw(painter);
    return image;
}

QByteArray lessonPageBytes(ChartFormat format, const QString& title, const PageDrawing& draw, double scale,
                           bool portrait) {
    QByteArray bytes;
    const view::ChartFrame& page = portrait ? kPortraitPage : kPage;
    if (format == ChartFormat::Pdf) {
        return pdfBytes(portrait ? QPageLayout::Portrait : QPageLayout::Landscape, 0.0, title, [&](QPdfWriter& pdf) {
            QtPainter painter(pdf, QRectF(0.0, 0.0, pdf.width(), pdf.height()), page, qColour(view::kPaperBackground),
                              qColour(view::kPaperText));
            if (!painter.isActive()) return false;
            draw(painter);
            return true;
        });
    }
    if (format == ChartFormat::Svg) {
        {
            QBuffer buffer(&bytes);
            buffer.open(QIODevice::WriteOnly);
            const QSize px = pagePixels(1.0, page);
            QSvgGenerator svg;
            svg.setOutputDevice(&buffer);
            svg.setResolution(96);
            svg.setSize(px);
            svg.setViewBox(QRectF(QPointF(0.0, 0.0), QSizeF(px)));
            svg.setTitle(title);
            svg.setDescription(QString::fromUtf8(view::kProgramName));
            QtPainter painter(svg, QRectF(QPointF(0.0, 0.0), QSizeF(px)), page, qColour(view::kPaperBackground),
                              qColour(view::kPaperText));
            if (!painter.isActive()) return {};
            draw(painter);
        }
        return bytes;
    }
    const QImage image = lessonPageImage(draw, scale, portrait);
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) return {};
    return bytes;
}

}  // namespace app
