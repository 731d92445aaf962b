#include "app/chart/chart_output_menu_widgets.h"
#include "app/output/print_file_widgets.h"

#include <QAction>
#include <QFileDialog>
#include <QMenu>
#include <QMessageBox>
#include <QPageLayout>
#include <QPrintDialog>
#include <QPrinter>
#include <QWidget>

#include "app/output/safe_write_qtcore.h"

namespace app {

namespace {

const QString kNothingShown = QStringLiteral("まだ星空が描かれていません。「プラネタリウム」を押してから、もう一度お試しください。");

}  // namespace

ChartOutputMenu::ChartOutputMenu(QWidget* window, QMenu* fileMenu,
                                 std::function<std::optional<ChartScene>()> shownChart,
                                 std::function<QString()> baseName, const catalog::Catalogue& cat,
                                 ChartOutputHooks hooks)
    : QObject(window),
      window_(window),
      shownChart_(std::move(shownChart)),
      baseName_(std::move(baseName)),
      cat_(cat),
      hooks_(std::move(hooks)) {
    if (!hooks_.askPath) {
        hooks_.askPath = [this](const QString& caption, const QString& name, const QString& filter) {
            return QFileDialog::getSaveFileName(window_, caption, name, filter);
        };
    }
    if (!hooks_.askPrinter) {
        hooks_.askPrinter = [this](QPrinter& printer) {
            QPrintDialog dialog(&printer, window_);
            return dialog.exec() == QDialog::Accepted;
        };
    }
    if (!hooks_.warn) {
        hooks_.warn = [this](const QString& text) { QMessageBox::warning(window_, QStringLiteral("プラネタリウム"), text); };
    }

    print_ = new QAction(QStringLiteral("印刷…"), this);
    print_->setShortcut(QKeySequence::Print);
    print_->setShortcutContext(Qt::WindowShortcut);
    pdf_ = new QAction(QStringLiteral("PDF に書き出し…"), this);
    svg_ = new QAction(QStringLiteral("SVG に書き出し…"), this);
    connect(print_, &QAction::triggered, this, [this] { printChart(); });
    connect(pdf_, &QAction::triggered, this, [this] { exportInteractive(ChartFormat::Pdf); });
    connect(svg_, &QAction::triggered, this, [this] { exportInteractive(ChartFormat::Svg); });
    window_->addActions({print_, pdf_, svg_});
    if (fileMenu) fileMenu->addActions({print_, pdf_, svg_});
}

std::optional<ChartScene> ChartOutputMenu::paperChart() const {
    std::optional<ChartScene> scene = shownChart_();
    if (scene) scene->view.style = view::ChartStyle::Print;
    return scene;
}

bool ChartOutputMenu::printChart() {
    const std::optional<ChartScene> scene = paperChart();
    if (!scene) {
        hooks_.warn(kNothingShown);
        return false;
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    // The print job's name, which Qt's dialog also offers as the file name
    // when printing to PDF: the name Ctrl+S offers ("sky-2026-01-15-2200-south").
    printer.setDocName(baseName_());
    if (!hooks_.askPrinter(printer)) return false;
    const QString file = printer.outputFileName();
    const QString error = printSafely(printer, [&](QPrinter& p) {
        const QRectF page(QPointF(0.0, 0.0), p.pageRect(QPrinter::DevicePixel).size());
        return paintChart(*scene, cat_, p, page);
    });
    if (error.isEmpty()) return true;
    hooks_.warn(file.isEmpty() ? QStringLiteral("印刷を始められませんでした。プリンターの設定を確かめてください。")
                               : failedWriteText(QStringLiteral("PDF を"), QStringLiteral("書き出し"), file, error));
    return false;
}

bool ChartOutputMenu::exportInteractive(ChartFormat format) {
    // The chart and its name as they are when the user asks: the timer may
    // draw on while the dialog is open.
    const std::optional<ChartScene> scene = paperChart();
    if (!scene) {
        hooks_.warn(kNothingShown);
        return false;
    }
    const bool pdf = format == ChartFormat::Pdf;
    const QString name = baseName_() + (pdf ? QStringLiteral(".pdf") : QStringLiteral(".svg"));
    const QString path = hooks_.askPath(pdf ? QStringLiteral("PDF に書き出し") : QStringLiteral("SVG に書き出し"), name,
                                        pdf ? QStringLiteral("PDF (*.pdf)") : QStringLiteral("SVG (*.svg)"));
    if (path.isEmpty()) return false;
    return writeChart(format, *scene, path);
}

bool ChartOutputMenu::exportTo(ChartFormat format, const QString& path) {
    const std::optional<ChartScene> scene = paperChart();
    if (!scene) {
        hooks_.warn(kNothingShown);
        return false;
    }
    return writeChart(format, *scene, path);
}

bool ChartOutputMenu::writeChart(ChartFormat format, const ChartScene& scene, const QString& path) {
    const QByteArray bytes = chartBytes(format, scene, cat_, 1.0);
    const QString error = bytes.isEmpty() ? QStringLiteral("図を作れませんでした。") : writeFileSafely(path, bytes);
    if (error.isEmpty()) return true;
    hooks_.warn(failedWriteText(format == ChartFormat::Pdf ? QStringLiteral("PDF を") : QStringLiteral("SVG を"),
                                QStringLiteral("書き出し"), path, error));
    return false;
}

}  // namespace app
