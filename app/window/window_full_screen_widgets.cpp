// 表示 → 全画面: the picture alone on the screen, for a projector.
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>

#include "app/window/main_window_widgets.h"
#include "app/window/sky_canvas_widgets.h"

namespace app {

void MainWindow::setFullScreenPicture(bool on) {
    if (on == fullScreen_) return;
    fullScreen_ = on;
    if (fullScreenAction_->isChecked() != on) fullScreenAction_->setChecked(on);
    if (on) {
        // The menu is hidden, so its keys (N, E, S, W, Z, Space, PageUp,
        // PageDown, Home, F11) are given to the window itself.
        for (QAction* a : viewMenu_->actions()) addAction(a);
        hiddenForFullScreen_.clear();
        for (QWidget* w : canvas_->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
            if (w->isVisible() && w != fullScreenOverlay_) {
                hiddenForFullScreen_.push_back(w);
                w->hide();
            }
        }
        menuBar()->hide();
        statusBar()->hide();
        if (fullScreenOverlay_ == nullptr) {
            fullScreenOverlay_ = new QLabel(canvas_);
            fullScreenOverlay_->setObjectName(QStringLiteral("fullScreenOverlay"));
            fullScreenOverlay_->setStyleSheet(QStringLiteral(
                "QLabel { color: white; background: rgba(0, 0, 0, 110); padding: 4px 10px; font-size: 20px; }"));
            connect(canvas_, &SkyCanvas::skyDrawn, fullScreenOverlay_, [this] {
                fullScreenOverlay_->setText(statusText());
                fullScreenOverlay_->adjustSize();

            });
        }
        fullScreenOverlay_->setText(statusText());
        fullScreenOverlay_->adjustSize();
        // Top left: the sky above the zenith is empty there in every view.
        fullScreenOverlay_->move(12, 12);
        fullScreenOverlay_->show();
        largeNamesBeforeFullScreen_ = largeNamesAction_->isChecked();
        {
            const QSignalBlocker quiet(largeNamesAction_);
            largeNamesAction_->setChecked(true);
        }
        showFullScreen();
    } else {
        for (QAction* a : viewMenu_->actions()) removeAction(a);
        if (fullScreenOverlay_ != nullptr) fullScreenOverlay_->hide();
        for (QWidget* w : hiddenForFullScreen_) w->show();
        hiddenForFullScreen_.clear();
        menuBar()->show();
        statusBar()->show();
        {
            const QSignalBlocker quiet(largeNamesAction_);
            largeNamesAction_->setChecked(largeNamesBeforeFullScreen_);
        }
        showNormal();
    }
    if (canvas_->lastDrawn()) onDrawClicked();
}

}  // namespace app
