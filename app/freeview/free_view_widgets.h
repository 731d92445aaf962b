// 表示 → 自由視点: the sky toward any direction, without the design views'
// stretch, turned and zoomed on the picture itself: drag with the mouse (or
// a finger) to turn, the wheel (or a pinch) and + / − to zoom, the arrow
// keys to turn by 5°, the number keys as a compass (8 北, 9 北東, 6 東, 3
// 南東, 2 南, 1 南西, 4 西, 7 北西, 5 天頂) or 表示 → 向き to face a direction
// at the height looked at. The design's four views and 全天 are untouched;
// the free view is drawn only while this is ticked.
//
// 表示 → 空の描き方 chooses the picture's style: おまかせ (the natural sky
// for the free view and 全天, the design's colours for the four quarters),
// 自然な空 for every view, or 元の配色 for every view.
//
// Both are remembered in "planetarium.ini" beside the place's settings
// file: whether the free view is on, where it looks, and the style.
#pragma once

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QAction>
#include <QWidget>

#include <optional>

#include "view/chart_style.h"
#include "view/free_projector.h"

class QAction;
class QActionGroup;
class QEvent;
class QSettings;

namespace app {

class MainWindow;

class FreeViewControl : public QObject {
    Q_OBJECT

public:
    explicit FreeViewControl(MainWindow* window);

    // The look while the free view is on; nothing while it is off.
    std::optional<view::FreeLook> look() const;
    void setLook(const view::FreeLook& look);  // and draws, when on
    QAction* action() const { return action_; }
    // The style asked for: unset for おまかせ.
    std::optional<view::ChartStyle> style() const;

    // Facing a compass point (azimuth, degrees) at the height looked at,
    // or the zenith; a height below the horizon becomes 20°.
    static view::FreeLook facing(const view::FreeLook& look, std::optional<double> azDeg);

    // One drag step: the picture follows the pointer, dx, dy device
    // pixels of a picture `widthPx` wide (right and down positive).
    static view::FreeLook dragged(const view::FreeLook& look, double dx, double dy, double widthPx);
    // Zooming by `steps` (positive: closer), 1.25 times a step.
    static view::FreeLook zoomed(const view::FreeLook& look, double steps);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void redraw();
    void addStyleMenu();
    void addFacingMenu();
    void remember();
    void recall();

    MainWindow* window_;
    QPointer<QWidget> canvas_;  // the window's canvas
    QPointer<QAction> action_;  // 表示 → 自由視点, owned by the menu
    view::FreeLook look_;
    std::optional<QPoint> dragFrom_;
    bool dragged_ = false;
    QPointer<QActionGroup> styles_;  // 空の描き方
    QSettings* memory_ = nullptr;    // planetarium.ini, owned by this
};

}  // namespace app
