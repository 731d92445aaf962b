// 表示 → 金星の満ち欠け…: the discs of Venus (or Mercury, the Moon) from the
// window's date at its place, every few days, to one scale and tilted as in
// the twilight sky; saved as PNG, PDF or SVG and printed on A4. It follows
// each drawing of the window while it is open.
#pragma once

#include <QDialog>

#include <functional>

#include "view/phase_strip.h"

class QComboBox;
class QLabel;
class QPrinter;
class QSpinBox;

namespace app {

class MainWindow;
struct LessonPage;

class PhaseStripDialog : public QDialog {
    Q_OBJECT

public:
    explicit PhaseStripDialog(MainWindow* window);

    // Recomputes the discs for the window's date and place now.
    void refresh();
    const view::PhaseStrip& strip() const { return strip_; }
    // The body by its index in the list: 0 金星, 1 水星, 2 月.
    void setBody(int index);

    // 保存…: PNG, PDF or SVG by the name's extension; false when nothing was written.
    bool save();
    // The page as drawn now, for saving and printing.
    LessonPage page() const;
    // 印刷…: A4 landscape on the printer the user sets up (askPrinter).
    bool print();
    std::function<bool(QPrinter&)> askPrinter;

private:
    MainWindow* window_;
    view::PhaseStrip strip_;
    QComboBox* body_ = nullptr;
    QSpinBox* every_ = nullptr;
    QSpinBox* count_ = nullptr;
    QLabel* picture_ = nullptr;
};

}  // namespace app
