// 表示 → 月の観察カード…: the card for one of the eight directions from the
// window's moment at its place: Moons every N minutes of one day or at the
// same time on N days, or the pupils' card without Moons; saved as PNG, PDF
// or SVG and printed on A4 portrait. It follows each drawing of the window.
#pragma once

#include <QDialog>

#include <functional>

#include "view/moon_card.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPrinter;
class QSpinBox;

namespace app {

class MainWindow;
struct LessonPage;

class MoonCardDialog : public QDialog {
    Q_OBJECT

public:
    explicit MoonCardDialog(MainWindow* window);

    void refresh();
    const view::MoonCard& card() const { return card_; }
    // 0 北 … 7 北西; days: one time on several days instead of times of one day.
    void setChoice(int direction, bool days, int every, int count, bool blank);

    bool save();
    // The page as drawn now, for saving and printing.
    LessonPage page() const;
    bool print();
    std::function<bool(QPrinter&)> askPrinter;

private:
    MainWindow* window_;
    view::MoonCard card_;
    QComboBox* direction_ = nullptr;
    QComboBox* mode_ = nullptr;
    QSpinBox* every_ = nullptr;
    QSpinBox* count_ = nullptr;
    QCheckBox* blank_ = nullptr;
    QLabel* picture_ = nullptr;
};

}  // namespace app
