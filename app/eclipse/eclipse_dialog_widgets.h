// ツール → 日食・月食…: the eclipses of a span of years at the window's place
// (whether and how each is seen there); choosing one shows its table in the
// national almanac's manner, and 食の最大を描く sets the window to its
// greatest phase and draws the sky then.
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
