// The desktop program's composition root: builds the window (the shell of
// actions) and installs every capability on it, so the window knows none of
// them. Tests build the same Desktop the program runs.
#pragma once

#include <memory>

#include "app/window/main_window_widgets.h"
#include "catalog/catalog.h"

namespace app {

class AlmanacMenu;
class ChartOutputMenu;
class FilmMenu;
class FindDialog;
class PlanisphereMenu;
class SkyPointer;
class TonightDialog;
class EclipseDialog;
class SunPathDialog;
class PhaseStripDialog;
class MoonCardDialog;
class OrbitDock;
class TrailMenu;
class FreeViewControl;

class Desktop {
public:
    explicit Desktop(const catalog::Catalogue& cat, WindowHooks hooks = {});
    ~Desktop();
    Desktop(const Desktop&) = delete;
    Desktop& operator=(const Desktop&) = delete;

    MainWindow& window() { return *window_; }

    // The capabilities, for tests: pointing at the picture (hover and card),
    // 天体を探す…, 軌跡, こよみ…, 星座早見盤を作る…, the chart's print and
    // export, 動画に書き出し…, and 今夜の見どころ… (once opened).
    SkyPointer* pointer() const { return pointer_; }
    FindDialog* findDialog() const { return find_; }
    TrailMenu* trailMenu() const { return trails_; }
    FreeViewControl* freeView() const { return freeView_; }
    AlmanacMenu* almanacMenu() const { return almanac_; }
    PlanisphereMenu* planisphereMenu() const { return planisphere_; }
    ChartOutputMenu* chartOutput() const { return chartOutput_; }
    FilmMenu* filmMenu() const { return film_; }
    TonightDialog* tonightDialog() const { return tonight_; }
    EclipseDialog* eclipseDialog() const { return eclipses_; }
    SunPathDialog* sunPathDialog() const { return sunPath_; }
    PhaseStripDialog* phaseStripDialog() const { return phases_; }
    MoonCardDialog* moonCardDialog() const { return moonCard_; }
    OrbitDock* orbitDock() const { return orbits_; }

private:
    std::unique_ptr<MainWindow> window_;
    SkyPointer* pointer_ = nullptr;
    FindDialog* find_ = nullptr;
    TrailMenu* trails_ = nullptr;
    FreeViewControl* freeView_ = nullptr;
    AlmanacMenu* almanac_ = nullptr;
    PlanisphereMenu* planisphere_ = nullptr;
    ChartOutputMenu* chartOutput_ = nullptr;
    FilmMenu* film_ = nullptr;
    TonightDialog* tonight_ = nullptr;
    EclipseDialog* eclipses_ = nullptr;
    SunPathDialog* sunPath_ = nullptr;
    PhaseStripDialog* phases_ = nullptr;
    MoonCardDialog* moonCard_ = nullptr;
    OrbitDock* orbits_ = nullptr;
};

// No mode option: opens the window on the start query's moment and place
// (nothing drawn until プラネタリウム); returns the exit status.
int runWindow(int argc, char** argv, const SkyQuery& start, const catalog::Catalogue& cat);

}  // namespace app
