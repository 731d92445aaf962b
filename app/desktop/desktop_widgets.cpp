#include "app/desktop/desktop_widgets.h"

#include <QAction>
#include <QMenu>
#include <QStatusBar>

#include "app/almanac/almanac_menu_widgets.h"
#include "app/eclipse/eclipse_dialog_widgets.h"
#include "app/lessons/moon_card_dialog_widgets.h"
#include "app/lessons/orbit_dock_widgets.h"
#include "app/lessons/phase_strip_dialog_widgets.h"
#include "app/lessons/sun_path_dialog_widgets.h"
#include "app/chart/chart_output_menu_widgets.h"
#include "app/film/film_menu_widgets.h"
#include "app/film/trail_menu_widgets.h"
#include "app/planisphere/planisphere_menu_widgets.h"
#include "app/pointing/find_dialog_widgets.h"
#include "app/pointing/sky_pointer_widgets.h"
#include "app/tonight/tonight_dialog_widgets.h"
#include "app/freeview/free_view_widgets.h"

namespace app {

namespace {

void showOnTop(QWidget* w) {
    w->show();
    w->raise();
    w->activateWindow();
}

}  // namespace

Desktop::Desktop(const catalog::Catalogue& cat, WindowHooks hooks)
    : window_(std::make_unique<MainWindow>(cat, std::move(hooks))) {
    MainWindow* w = window_.get();
    pointer_ = new SkyPointer(w);
    find_ = new FindDialog(w);

    // ファイル: 印刷…, PDF/SVG に書き出し… (the shown picture as the paper
    // chart, named like the Ctrl+S picture), 動画に書き出し…, 星座早見盤を作る….
    chartOutput_ = new ChartOutputMenu(
        w, w->fileMenu(), [w] { return w->shownChart(); }, [w] { return w->suggestedPictureName().chopped(4); }, cat);
    film_ = new FilmMenu(w, w->fileMenu());
    planisphere_ = new PlanisphereMenu(
        w, w->fileMenu(),
        [w] {
            const WindowRequest r = w->currentRequest();
            return PlanispherePlace{r.request.input.latDeg, r.request.input.lonDeg, r.titlePlaceName(), r.zone,
                                    r.request.input.year};
        },
        cat);
    planisphere_->hooks().done = [w](const QString& text) { w->statusBar()->showMessage(text, 5000); };

    // 表示: 天体を探す… and 軌跡 (ticking it or choosing a span draws at once).
    QAction* find = w->viewMenu()->addAction(QStringLiteral("天体を探す…"), find_, [this] { showOnTop(find_); });
    find->setObjectName(QStringLiteral("findAction"));
    find->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    w->viewMenu()->addSeparator();
    freeView_ = new FreeViewControl(w);
    trails_ = new TrailMenu(w->viewMenu(), w);
    // 透明半球…: the Sun's path of the date on the class experiment's dome.
    w->viewMenu()->addSeparator();
    QAction* sunPath = w->viewMenu()->addAction(QStringLiteral("透明半球…"), w, [this, w] {
        if (sunPath_ == nullptr) sunPath_ = new SunPathDialog(w);
        showOnTop(sunPath_);
        sunPath_->refresh();
    });
    sunPath->setObjectName(QStringLiteral("sunPathAction"));
    QAction* phases = w->viewMenu()->addAction(QStringLiteral("金星の満ち欠け…"), w, [this, w] {
        if (phases_ == nullptr) phases_ = new PhaseStripDialog(w);
        showOnTop(phases_);
        phases_->refresh();
    });
    phases->setObjectName(QStringLiteral("phasesAction"));
    QAction* moonCard = w->viewMenu()->addAction(QStringLiteral("月の観察カード…"), w, [this, w] {
        if (moonCard_ == nullptr) moonCard_ = new MoonCardDialog(w);
        showOnTop(moonCard_);
        moonCard_->refresh();
    });
    moonCard->setObjectName(QStringLiteral("moonCardAction"));
    // 宇宙から見た図: beside the sky, following it; the item shows and hides it.
    orbits_ = new OrbitDock(w);
    orbits_->setAllowedAreas(Qt::RightDockWidgetArea | Qt::BottomDockWidgetArea);
    w->addDockWidget(Qt::RightDockWidgetArea, orbits_);
    orbits_->hide();
    QAction* orbits = orbits_->toggleViewAction();
    orbits->setText(QStringLiteral("宇宙から見た図"));
    orbits->setObjectName(QStringLiteral("orbitsAction"));
    w->viewMenu()->addAction(orbits);
    w->setTrailSpan([this] { return trails_->minutes(); });
    QObject::connect(trails_, &TrailMenu::changed, w, &MainWindow::onDrawClicked);

    // ツール: こよみ… (and the status bar's Moon age, sunrise and sunset),
    // 今夜の見どころ….
    almanac_ = new AlmanacMenu(w);
    QAction* tonight = w->toolsMenu()->addAction(QStringLiteral("今夜の見どころ…"), w, [this, w] {
        if (tonight_ == nullptr) tonight_ = new TonightDialog(w);
        tonight_->refresh();
        showOnTop(tonight_);
    });
    tonight->setObjectName(QStringLiteral("tonightAction"));
    QAction* eclipses = w->toolsMenu()->addAction(QStringLiteral("日食・月食…"), w, [this] {
        if (eclipses_ == nullptr) eclipses_ = new EclipseDialog(window_.get());
        eclipses_->refresh();
        showOnTop(eclipses_);
    });
    eclipses->setObjectName(QStringLiteral("eclipseAction"));
    w->finishMenus();
}

Desktop::~Desktop() {
    // The pointer watches the canvas's events. The canvas still sends some
    // while the window's base classes take the widgets down, and by then the
    // window is no longer a MainWindow, so the watcher goes first.
    delete pointer_;
    pointer_ = nullptr;
}

}  // namespace app
