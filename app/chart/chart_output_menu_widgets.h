// The ファイル menu's 印刷… (Ctrl+P), PDF に書き出し… and SVG に書き出し…: the
// picture the window shows, as the paper chart, on a printer chosen in Qt's
// print dialog or in a PDF or SVG file named like the Ctrl+S picture.
#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <optional>

#include "app/output/chart_export_gui.h"
#include "catalog/catalog.h"

class QAction;
class QMenu;
class QPrinter;
class QWidget;

namespace app {

// What the menu asks of the outside world; each has a modal default (the
// file dialog, the print dialog, a message box). Tests replace them.
struct ChartOutputHooks {
    // Where to write; an empty string cancels.
    std::function<QString(const QString& caption, const QString& suggestedName, const QString& filter)> askPath;
    // Lets the user set up `printer`; false cancels.
    std::function<bool(QPrinter& printer)> askPrinter;
    std::function<void(const QString& text)> warn;
};

class ChartOutputMenu : public QObject {
    Q_OBJECT

public:
    // `shownChart` gives the chart of the picture on the screen (nothing
    // before the first drawing); `baseName` the Ctrl+S name without its
    // extension, e.g. "sky-2026-01-15-2200-south". The actions are added to
    // `fileMenu` when one is given, and always to `window`, so their
    // shortcuts work.
    ChartOutputMenu(QWidget* window, QMenu* fileMenu, std::function<std::optional<ChartScene>()> shownChart,
                    std::function<QString()> baseName, const catalog::Catalogue& cat, ChartOutputHooks hooks = {});

    QAction* printAction() const { return print_; }
    QAction* exportPdfAction() const { return pdf_; }
    QAction* exportSvgAction() const { return svg_; }
    ChartOutputHooks& hooks() { return hooks_; }

    // 印刷…: the print dialog, then the paper chart on one landscape page.
    // True when something was printed.
    bool printChart();
    // PDF/SVG に書き出し…: asks for a file name, then writes it.
    bool exportInteractive(ChartFormat format);
    // Writes the shown chart (paper style) to `path`; false and a warning
    // when there is nothing to write or the file cannot be written.
    bool exportTo(ChartFormat format, const QString& path);

private:
    std::optional<ChartScene> paperChart() const;

    QWidget* window_;
    std::function<std::optional<ChartScene>()> shownChart_;
    std::function<QString()> baseName_;
    bool writeChart(ChartFormat format, const ChartScene& scene, const QString& path);
    const catalog::Catalogue& cat_;
    ChartOutputHooks hooks_;
    QAction* print_ = nullptr;
    QAction* pdf_ = nullptr;
    QAction* svg_ = nullptr;
};

}  // namespace app
