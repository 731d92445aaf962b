#include "app/almanac/almanac_menu_widgets.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QStatusBar>

#include "app/session/answers.h"
#include "app/window/main_window_widgets.h"
#include "app/window/sky_canvas_widgets.h"
#include "app/zones/time_zones_qtcore.h"

namespace app {

AlmanacMenu::AlmanacMenu(MainWindow* window) : QObject(window), window_(window) {
    open_ = window->toolsMenu()->addAction(QStringLiteral("こよみ(&K)…"), this, &AlmanacMenu::openAlmanac);
    open_->setObjectName(QStringLiteral("almanacAction"));
    open_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_K));

    statusField_ = new QLabel(window);
    statusField_->setObjectName(QStringLiteral("almanacStatus"));
    window->statusBar()->addPermanentWidget(statusField_);

    // The window follows what the main window draws and the place chosen;
    // the status field also follows the fields as they are typed.
    connect(window->canvas(), &SkyCanvas::skyDrawn, this, &AlmanacMenu::followWindow);
    connect(window, &MainWindow::placeChosen, this, &AlmanacMenu::followWindow);
    connect(window, &MainWindow::fieldsChanged, this, &AlmanacMenu::updateStatusField);
    updateStatusField();
}

AlmanacSubject AlmanacMenu::currentSubject() const {
    const WindowRequest w = window_->currentRequest();
    AlmanacSubject s;
    s.moment = w.reading.input;
    if (w.placeIndex != catalog::kManualPlace) s.placeName = w.request.placeName;
    s.zone = w.zone;
    return s;
}

void AlmanacMenu::openAlmanac() {
    if (almanac_ == nullptr) {
        // A window of its own that closes with the main window.
        almanac_ = new AlmanacWindow(window_);
        almanac_->setWindowFlag(Qt::Window);
        almanac_->setAttribute(Qt::WA_DeleteOnClose, false);
    }
    almanac_->showSubject(currentSubject());
    almanac_->show();
    almanac_->raise();
    almanac_->activateWindow();
}

void AlmanacMenu::followWindow() {
    updateStatusField();
    if (almanac_ != nullptr && almanac_->isVisible()) almanac_->showSubject(currentSubject());
}

QString AlmanacMenu::statusText() const { return statusField_->text(); }

void AlmanacMenu::updateStatusField() {
    const AlmanacSubject s = currentSubject();
    const astro::LocalDate date = localDateOfRequest(s.moment, s.zone);
    const std::string key = std::to_string(date.year) + "-" + std::to_string(date.month) + "-" +
                            std::to_string(date.day) + "|" + std::to_string(s.moment.latDeg) + "|" +
                            std::to_string(s.moment.lonDeg) + "|" + s.zone.name;
    if (key != statusKey_ || !statusDay_) {
        statusKey_ = key;
        statusDay_ = almanacDayAt(date, s.moment.latDeg, s.moment.lonDeg, s.zone);
    }
    statusField_->setText(almanacStatusText(*statusDay_, s.zone));
}

}  // namespace app
