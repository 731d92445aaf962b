#include "app/film/film_menu_widgets.h"

#include <QAction>
#include <QMenu>
#include <QProgressDialog>
#include <QStatusBar>

#include <random>

#include "app/film/film_dialog_widgets.h"
#include "app/session/moment_text.h"
#include "app/window/main_window_widgets.h"

namespace app {

FilmMenu::FilmMenu(MainWindow* window, QMenu* fileMenu) : QObject(window), window_(window) {
    QAction* film = fileMenu->addAction(QStringLiteral("動画に書き出し(&M)…"), this, &FilmMenu::exportInteractive);
    film->setObjectName(QStringLiteral("filmAction"));
    window->addCloseGuard([this] {
        if (!running_) return true;
        closeAfter_ = true;
        if (auto* dialog = window_->findChild<FilmDialog*>()) dialog->reject();
        if (auto* progress = window_->findChild<QProgressDialog*>(QStringLiteral("filmProgress"))) progress->cancel();
        return false;
    });
}

void FilmMenu::exportInteractive() {
    const WindowRequest w = window_->currentRequest();
    PictureRequest first = w.picture;
    const std::optional<unsigned long long> seed = window_->hooks().meteorSeed;
    first.seed = seed ? *seed : std::random_device{}();
    // The film dialog may leave the stamp out.
    first.stamp = PictureRequest::Stamp{w.titlePlaceName(), w.zone};
    const QString name = QString::fromStdString(pictureFileName(first.input, first.direction, ".mp4"));
    running_ = true;
    const std::optional<FilmResult> result =
        askAndExportFilm(first, first.stepMinutes, name, window_->catalogue(), window_);
    running_ = false;
    if (closeAfter_) {
        window_->close();
        return;
    }
    if (!result) return;
    if (result->ok()) {
        window_->statusBar()->showMessage(filmWrittenText(*result), 15000);
    } else if (result->status != FilmResult::Status::Cancelled) {
        window_->warn(filmFailedText(*result));
    }
}

}  // namespace app
