// 表示 → 宇宙から見た図: the solar system from the north beside the sky
// view, following every drawing of the window (the clock, the timer, the
// place, the direction faced); a planet chosen, or clicked in the picture,
// gets the line of sight from the Earth. Closed with its own button; saved
// as PNG, PDF or SVG and printed on A4 landscape.
#pragma once

#include <QDockWidget>

#include <functional>

#include "app/session/orbit_answer.h"

class QComboBox;
class QLabel;
class QPrinter;
class QTimer;

namespace app {

class MainWindow;
struct LessonPage;

class OrbitDock : public QDockWidget {
    Q_OBJECT

public:
    explicit OrbitDock(MainWindow* window);

    void refresh();
    const OrbitAnswer& answer() const { return answer_; }
    // What a click at a point of the page (its PNG's pixels at scale 1)
    // chooses: the planet there gets the line of sight. The name, or "".
    std::string choose(double xPx, double yPx);

    LessonPage page() const;
    bool save();
    bool print();
    std::function<bool(QPrinter&)> askPrinter;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // A resized dock draws the page again at its new size, once it rests.
    void resizeEvent(QResizeEvent* event) override;

private:
    MainWindow* window_;
    OrbitAnswer answer_;
    QComboBox* extent_ = nullptr;
    QComboBox* target_ = nullptr;
    QLabel* picture_ = nullptr;
    double shownScale_ = 1.0;
    QTimer* resized_ = nullptr;
};

}  // namespace app
