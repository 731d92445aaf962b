// 表示 → 透明半球…: the Sun's path on the textbook's hemisphere for the
// window's date and place (その日), the year's solstices and equinoxes
// (夏至・春分・秋分・冬至) or the pupils' worksheet, to save as PNG, PDF or
// SVG and to print on A4. It follows the window: each drawing (a timer
// step included) and each place chosen redraw it while it is open.
#pragma once

#include <QDialog>

#include <functional>

#include "view/sun_path.h"

class QLabel;
class QPrinter;
class QRadioButton;

namespace app {

class MainWindow;
struct LessonPage;

class SunPathDialog : public QDialog {
    Q_OBJECT

public:
    explicit SunPathDialog(MainWindow* window);

    enum class Kind { Day, Seasons, Worksheet };
    void setKind(Kind kind);
    // Recomputes the page for the window's date and place now.
    void refresh();
    const view::SunPathScene& scene() const { return scene_; }

    // 保存…: the page as PNG, PDF or SVG by the name's extension; false when
    // nothing was written (cancelled, refused or failed, which is said).
    bool save();
    // 印刷…: the page on the printer the user sets up (askPrinter), A4
    // landscape; false when nothing was printed.
    bool print();
    std::function<bool(QPrinter&)> askPrinter;
    // The page as drawn now, for saving and printing.
    LessonPage page() const;

private:
    Kind kind() const;
    void showPage();

    MainWindow* window_;
    view::SunPathScene scene_;
    QLabel* picture_ = nullptr;
    QRadioButton* day_ = nullptr;
    QRadioButton* seasons_ = nullptr;
    QRadioButton* worksheet_ = nullptr;
};

}  // namespace app
