// 表示 → 自由視点: the sky toward any direction, without the design views'
// stretch, turned and zoomed on the picture itself: drag with the mouse (or
// a finger) to turn, the wheel (or a pinch) and + / − to zoom, the arrow
// keys to turn by 5°. The design's four views and 全天 are untouched; the
// free view is drawn only while this is ticked.
#pragma once

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QAction>
#include <QWidget>

#include <optional>

#include "view/free_projector.h"

class QAction;
class QEvent;

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

    // One drag step: the picture follows the pointer, dx, dy device
    // pixels of a picture `widthPx` wide (right and down positive).
    static view::FreeLook dragged(const view::FreeLook& look, double dx, double dy, double widthPx);
    // Zooming by `steps` (positive: closer), 1.25 times a step.
    static view::FreeLook zoomed(const view::FreeLook& look, double steps);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void redraw();

    MainWindow* window_;
    QPointer<QWidget> canvas_;  // the window's canvas
    QPointer<QAction> action_;  // 表示 → 自由視点, owned by the menu
    view::FreeLook look_;
    std::optional<QPoint> dragFrom_;
    bool dragged_ = false;
};

}  // namespace app
