// The 軌跡 (star trails) item of the 表示 menu: a check item and a chooser of
// the span, 1, 2, 3, 4, 6 or 12 hours.
#pragma once

#include <QObject>

#include <array>

class QAction;
class QMenu;

namespace app {

class TrailMenu : public QObject {
    Q_OBJECT

public:
    static constexpr std::array<int, 6> kSpanHours = {1, 2, 3, 4, 6, 12};

    // Adds the items to `viewMenu`; the span starts at 4 hours, trails off.
    TrailMenu(QMenu* viewMenu, QObject* parent = nullptr);

    // Minutes of trails to draw; 0 while 軌跡 is not ticked.
    int minutes() const;
    QAction* toggleAction() const { return toggle_; }
    QAction* spanAction(int hours) const;

signals:
    // 軌跡 was ticked or unticked, or another span was chosen.
    void changed();

private:
    QAction* toggle_ = nullptr;
    std::array<QAction*, kSpanHours.size()> spans_{};
    int hours_ = 4;
};

}  // namespace app
