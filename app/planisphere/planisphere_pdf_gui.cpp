#include "app/planisphere/planisphere_pdf_gui.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>

#include "app/output/qt_painter_gui.h"
#include "view/chart_style.h"
#include "view/paper_chart.h"

namespace app {

QByteArray planispherePdf(const view::Planisphere& p, const catalog::Catalogue& cat, const std::string& placeName) {
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter pdf(&buffer);
        // The whole sheet: the drawing keeps its own margins.
        pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0),
                                      QPageLayout::Millimeter));
        pdf.setTitle(QStringLiteral("星座早見盤 ") + QString::fromStdString(placeName));
        pdf.setCreator(QString::fromUtf8(view::kProgramName));
        const view::ChartFrame a4{view::kA4WidthMm * view::kTwipsPerMm, view::kA4HeightMm * view::kTwipsPerMm};
        QtPainter painter(pdf, QRectF(0.0, 0.0, pdf.width(), pdf.height()), a4, qColour(view::kPaperBackground),
                          qColour(view::kPaperText));
        if (!painter.isActive()) return {};
        view::drawStarDisc(p, cat, placeName, painter);
        if (!painter.newPage()) return {};
        view::drawHorizonMask(p, placeName, painter);
    }
    return bytes;
}

}  // namespace app
