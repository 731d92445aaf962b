// ファイル → 星座早見盤を作る…: the planisphere of the place chosen in the
// window, written as the two-page PDF.
#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <optional>

#include "app/session/zone.h"
#include "catalog/catalog.h"

class QAction;
class QMenu;
class QWidget;

namespace app {

// The place the planisphere is for, as the window holds it now.
struct PlanispherePlace {
    double latDeg = 0.0;
    double lonDeg = 0.0;
    std::string name;  // empty for typed coordinates
    LocalZone zone;
    int year = 2026;   // of the entered date: the zone's standard time that year
};

// What the menu asks of the outside world; modal defaults, replaced by tests.
struct PlanisphereHooks {
    // Where to write; an empty string cancels.
    std::function<QString(const QString& suggestedName)> askPath;
    std::function<void(const QString& text)> warn;
    // Said when the file is written (the window's status bar).
    std::function<void(const QString& text)> done;
};

class PlanisphereMenu : public QObject {
    Q_OBJECT

public:
    PlanisphereMenu(QWidget* window, QMenu* fileMenu, std::function<PlanispherePlace()> place,
                    const catalog::Catalogue& cat, PlanisphereHooks hooks = {});

    QAction* action() const { return action_; }
    PlanisphereHooks& hooks() { return hooks_; }

    // Asks for the file and writes it; true when it was written. A latitude
    // that cannot have one is said plainly and nothing is asked.
    bool makeInteractive();

private:
    QWidget* window_;
    std::function<PlanispherePlace()> place_;
    const catalog::Catalogue& cat_;
    PlanisphereHooks hooks_;
    QAction* action_ = nullptr;
};

}  // namespace app
