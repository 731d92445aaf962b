// ツール → 日食・月食…: the eclipses of a span of years at the window's place
// (whether and how each is seen there); choosing one shows its table in the
// national almanac's manner, 食の最大を描く sets the window to its greatest
// phase and draws the sky then, and 連続画像・動画… writes the textbook's
// series (every 30 minutes) as pictures or a film.
#pragma once

#include <QDialog>

#include <vector>

#include "astro/eclipses.h"

class QPlainTextEdit;
class QSpinBox;
class QTableWidget;

namespace app {

class MainWindow;

class EclipseDialog : public QDialog {
    Q_OBJECT

public:
    explicit EclipseDialog(MainWindow* window);

    // Lists the span's eclipses at the window's place now.
    void refresh();
    // Shows the table of list row `row` (0-based).
    void choose(int row);
    // Sets the window's date and time to the chosen eclipse's greatest
    // phase (JST, to the minute) and draws.
    void drawGreatest();
    // 連続画像・動画…: the chosen eclipse seen from the place every 30 minutes
    // from its first contact to its last, as numbered PNGs or a film by the
    // file name the window asks for; false when nothing was written.
    bool exportSeries();

    int rowCount() const;
    QString tableText() const;

private:
    MainWindow* window_;
    QSpinBox* from_ = nullptr;
    QSpinBox* to_ = nullptr;
    QTableWidget* list_ = nullptr;
    QPlainTextEdit* table_ = nullptr;
    std::vector<astro::LocalEclipse> eclipses_;
    int chosen_ = -1;
};

}  // namespace app
