// 表示 → 全画面: the picture alone on the screen, for a projector.
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>

#include "app/window/main_window_widgets.h"
#include "app/window/sky_canvas_widgets.h"

namespace app {

void MainWindow::setFullScreenPicture(bool on) {
    if (on == screen_.on) return;
    screen_.on = on;
    if (menus_.fullScreen->isChecked() != on) menus_.fullScreen->setChecked(on);
    if (on) {
        // The menu is hidden, so its keys (N, E, S, W, Z, Space, PageUp,
        // PageDown, Home, F11) are given to the window itself.
        for (QAction* a : menus_.view->actions()) addAction(a);
        screen_.hidden.clear();
        for (QWidget* w : canvas_->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
            if (w->isVisible() && w != screen_.overlay) {
                screen_.hidden.push_back(w);
                w->hide();
            }
        }
        menuBar()->hide();
        statusBar()->hide();
        if (screen_.overlay == nullptr) {
            screen_.overlay = new QLabel(canvas_);
            screen_.overlay->setObjectName(QStringLiteral("fullScreenOverlay"));
            screen_.overlay->setStyleSheet(QStringLiteral(
                "QLabel { color: white; background: rgba(0, 0, 0, 110); padding: 4px 10px; font-size: 20px; }"));
            connect(canvas_, &SkyCanvas::skyDrawn, screen_.overlay, [this] {
                screen_.overlay->setText(statusText());
                screen_.overlay->adjustSize();

            });
        }
        screen_.overlay->setText(statusText());
        screen_.overlay->adjustSize();
        // Top left: the sky above the zenith is empty there in every view.
        screen_.overlay->move(12, 12);
        screen_.overlay->show();
        screen_.largeNamesBefore = menus_.largeNames->isChecked();
        {
            const QSignalBlocker quiet(menus_.largeNames);
            menus_.largeNames->setChecked(true);
        }
        showFullScreen();
    } else {
        for (QAction* a : menus_.view->actions()) removeAction(a);
        if (screen_.overlay != nullptr) screen_.overlay->hide();
        for (QWidget* w : screen_.hidden) w->show();
        screen_.hidden.clear();
        menuBar()->show();
        statusBar()->show();
        {
            const QSignalBlocker quiet(menus_.largeNames);
            menus_.largeNames->setChecked(screen_.largeNamesBefore);
        }
        showNormal();
    }
    if (canvas_->lastDrawn()) onDrawClicked();
}

}  // namespace app
