// What the window asks of the outside world when a test has not replaced
// it: message boxes, the file dialog, quitting, the clock, the computation.
#include <QCoreApplication>
#include <QFileDialog>
#include <QMessageBox>

#include "app/window/main_window_widgets.h"
#include "astro/astro.h"

namespace app {

void MainWindow::installDefaultHooks() {
    if (!hooks_.warn) hooks_.warn = [this](const QString& t) { QMessageBox::warning(this, windowTitle(), t); };
    if (!hooks_.inform) {
        hooks_.inform = [this](const QString& title, const QString& t) { QMessageBox::about(this, title, t); };
    }
    if (!hooks_.askQuitAnyway) {
        hooks_.askQuitAnyway = [this](const QString& t) {
            return QMessageBox::warning(this, windowTitle(), t, QMessageBox::Yes | QMessageBox::No,
                                        QMessageBox::No) == QMessageBox::Yes;
        };
    }
    if (!hooks_.askSavePath) {
        hooks_.askSavePath = [this](const QString& name) {
            return QFileDialog::getSaveFileName(this, QStringLiteral("画像を保存"), name,
                                                QStringLiteral("PNG (*.png)"));
        };
    }
    if (!hooks_.quit) {
        hooks_.quit = [this] {
            close();
            QCoreApplication::quit();
        };
    }
    if (!hooks_.nowUtc) hooks_.nowUtc = [] { return QDateTime::currentDateTimeUtc(); };
    if (!hooks_.computeSky) hooks_.computeSky = [](const astro::SkyInput& in) { return astro::computeSky(in); };
}

}  // namespace app
