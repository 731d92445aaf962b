// ファイル → 動画に書き出し…: the film dialog for the current view and
// moment, then the export under a progress dialog. Closing the window while
// a film is written stops the export (it removes what it had written) and
// closes the window once it has.
#pragma once

#include <QObject>

class QAction;
class QMenu;

namespace app {

class MainWindow;

class FilmMenu : public QObject {
    Q_OBJECT

public:
    FilmMenu(MainWindow* window, QMenu* fileMenu);
    // The whole command: asks, writes, says how it went.
    void exportInteractive();
    bool running() const { return running_; }

private:
    MainWindow* window_;
    bool running_ = false;
    bool closeAfter_ = false;
};

}  // namespace app
