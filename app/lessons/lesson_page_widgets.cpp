#include "app/lessons/lesson_page_widgets.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QStatusBar>

#include "app/output/print_file_widgets.h"
#include "app/output/qt_painter_gui.h"
#include "app/output/safe_write_qtcore.h"
#include "app/window/main_window_widgets.h"
#include "view/chart_style.h"
#include "view/moon_card.h"
#include "view/sun_path.h"

namespace app {

bool saveLessonPage(MainWindow* window, const LessonPage& page) {
    const QString path = window->hooks().askSavePath(page.title + QStringLiteral(".png"));
    if (path.isEmpty()) return false;
    const std::optional<ChartFormat> format = chartFormatForPath(path.toStdString());
    if (!format) {
        window->warn(QStringLiteral("PNG、PDF、SVG のどれかの名前をつけてください。"));
        return false;
    }
    const QByteArray bytes = lessonPageBytes(*format, page.documentTitle.isEmpty() ? page.title : page.documentTitle, page.draw,
                                             2.0, page.portrait);
    const QString error = bytes.isEmpty() ? QStringLiteral("描けませんでした") : writeFileSafely(path, bytes);
    if (!error.isEmpty()) {
        window->warn(failedWriteText(page.title + QStringLiteral("を"), QStringLiteral("保存"), path, error));
        return false;
    }
    window->statusBar()->showMessage(QStringLiteral("%1を %2 に保存しました。").arg(page.title, path), 8000);
    return true;
}

bool printLessonPage(MainWindow* window, const LessonPage& page, const std::function<bool(QPrinter&)>& askPrinter) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), page.portrait ? QPageLayout::Portrait : QPageLayout::Landscape,
                                      QMarginsF(0, 0, 0, 0)));
    if (!askPrinter(printer)) return false;
    const QString file = printer.outputFileName();
    const view::ChartFrame frame = page.portrait ? view::ChartFrame{view::kMoonCardWidthTwips, view::kMoonCardHeightTwips}
                                                 : view::ChartFrame{view::kSunPathPageWidthTwips, view::kSunPathPageHeightTwips};
    const QString error = printSafely(printer, [&page, frame](QPrinter& p) {
        const QRectF area = p.pageLayout().paintRectPixels(p.resolution());
        QtPainter painter(p, QRectF(0.0, 0.0, area.width(), area.height()), frame, qColour(view::kPaperBackground),
                          qColour(view::kPaperText));
        if (!painter.isActive()) return false;
        page.draw(painter);
        return true;
    });
    if (error.isEmpty()) return true;
    window->warn(file.isEmpty() ? QStringLiteral("印刷を始められませんでした。プリンターの設定を確かめてください。")
                                : failedWriteText(page.title + QStringLiteral("を"), QStringLiteral("書き出し"), file, error));
    return false;
}

}  // namespace app
