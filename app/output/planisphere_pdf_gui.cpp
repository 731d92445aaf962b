#include "app/output/planisphere_pdf_gui.h"

#include "app/output/chart_export_gui.h"
#include "app/output/qt_painter_gui.h"
#include "view/chart_style.h"
#include "view/paper_chart.h"

namespace app {

QByteArray planispherePdf(const view::Planisphere& p, const catalog::Catalogue& cat, const std::string& placeName) {
    // The whole sheet: the drawing keeps its own margins.
    return pdfBytes(QPageLayout::Portrait, 0.0, QStringLiteral("星座早見盤 ") + QString::fromStdString(placeName),
                    [&](QPdfWriter& pdf) {
                        const view::ChartFrame a4{view::kA4WidthMm * view::kTwipsPerMm,
                                                  view::kA4HeightMm * view::kTwipsPerMm};
                        QtPainter painter(pdf, QRectF(0.0, 0.0, pdf.width(), pdf.height()), a4,
                                          qColour(view::kPaperBackground), qColour(view::kPaperText));
                        if (!painter.isActive()) return false;
                        view::drawStarDisc(p, cat, placeName, painter);
                        if (!painter.newPage()) return false;
                        view::drawHorizonMask(p, placeName, painter);
                        return true;
                    });
}

}  // namespace app
