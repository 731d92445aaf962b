// The window's almanac: ツール → こよみ… (Ctrl+K) opens the こよみ window, which
// then follows the main window (a drawing, a timer step, a place chosen),
// and a status-bar field with the Moon's age and the Sun's rise and set for
// the entered day. Times are in the place's own zone (Japan Standard Time
// for the places in Japan and for typed coordinates).
#pragma once

#include <QObject>
#include <QString>

#include <optional>
#include <string>

#include "app/almanac/almanac_window_widgets.h"

class QAction;
class QLabel;

namespace app {

class MainWindow;

class AlmanacMenu : public QObject {
    Q_OBJECT

public:
    // Adds the item to the window's ツール menu and the field to its status bar.
    explicit AlmanacMenu(MainWindow* window);

    // The こよみ window, once opened (nothing before).
    AlmanacWindow* almanacWindow() const { return almanac_; }
    // Opens (or raises) the こよみ window for the window's moment and place.
    void openAlmanac();
    // What the window shows now: its moment, place and the place's zone.
    AlmanacSubject currentSubject() const;
    // The status-bar field's text, e.g. "月齢 21.9　日の出 06:47　日の入り 16:57".
    QString statusText() const;

private:
    void followWindow();
    void updateStatusField();

    MainWindow* window_;
    QAction* open_ = nullptr;
    AlmanacWindow* almanac_ = nullptr;
    QLabel* statusField_ = nullptr;
    // The status field's day, kept so typing in the fields recomputes only
    // when the day or the place changes.
    std::string statusKey_;
    std::optional<astro::AlmanacDay> statusDay_;
};

}  // namespace app
