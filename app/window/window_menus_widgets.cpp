// The window's menu bar, status bar, help pages and command-line start.
#include <QAction>
#include <QActionGroup>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QCloseEvent>
#include <QProgressDialog>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QStatusBar>

#include <cmath>
#include <optional>
#include <random>

#include "app/window/main_window_widgets.h"
#include "app/almanac/almanac_menu_widgets.h"
#include "app/chart/chart_output_menu_widgets.h"
#include "app/film/film_dialog_widgets.h"
#include "app/film/trail_menu_widgets.h"
#include "app/planisphere/planisphere_menu_widgets.h"
#include "app/pointing/find_dialog_widgets.h"
#include "app/session/moment_text.h"
#include "app/session/fields.h"
#include "app/tonight/tonight_dialog_widgets.h"
#include "app/window/help_pages_qtcore.h"
#include "app/window/sky_canvas_widgets.h"

namespace app {

namespace {

constexpr int kManualEntryItem = catalog::kManualPlace - 1;

}  // namespace

void MainWindow::buildMenus() {
    fileMenu_ = menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
    fileMenu_->setObjectName(QStringLiteral("fileMenu"));
    QAction* save = fileMenu_->addAction(QStringLiteral("画像を保存(&S)…"), this, &MainWindow::savePictureInteractive);
    save->setObjectName(QStringLiteral("saveAction"));
    save->setShortcut(QKeySequence::Save);
    // ファイル → 印刷… (Ctrl+P), PDF/SVG に書き出し…: the shown picture as the
    // paper chart, named like the Ctrl+S picture.
    chartOutput_ = new ChartOutputMenu(
        this, fileMenu_, [this] { return shownChart(); }, [this] { return suggestedPictureName().chopped(4); }, cat_);
    QAction* film = fileMenu_->addAction(QStringLiteral("動画に書き出し(&M)…"), this, &MainWindow::exportFilmInteractive);
    film->setObjectName(QStringLiteral("filmAction"));
    // ファイル → 星座早見盤を作る…: for the place chosen now.
    planisphereMenu_ = new PlanisphereMenu(
        this, fileMenu_,
        [this] {
            const WindowRequest w = currentRequest();
            return PlanispherePlace{w.request.input.latDeg, w.request.input.lonDeg, w.titlePlaceName(), w.zone,
                                    w.request.input.year};
        },
        cat_);
    planisphereMenu_->hooks().done = [this](const QString& text) { statusBar()->showMessage(text, 5000); };
    fileMenu_->addSeparator();
    QAction* quit = fileMenu_->addAction(QStringLiteral("終了(&X)"), this, &MainWindow::onExitClicked);
    quit->setObjectName(QStringLiteral("quitAction"));
    quit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

    viewMenu_ = menuBar()->addMenu(QStringLiteral("表示(&V)"));
    viewMenu_->setObjectName(QStringLiteral("viewMenu"));
    auto* directions = new QActionGroup(this);
    const std::array<QString, 4> words = {"北", "東", "南", "西"};
    const std::array<Qt::Key, 4> keys = {Qt::Key_N, Qt::Key_E, Qt::Key_S, Qt::Key_W};
    for (int i = 0; i < 4; ++i) {
        QAction* a = viewMenu_->addAction(words[i]);
        a->setObjectName(QStringLiteral("directionAction_%1").arg(i));
        a->setCheckable(true);
        a->setShortcut(QKeySequence(keys[i]));
        directions->addAction(a);
        directionActions_[i] = a;
        a->setChecked(directionButtons_[i]->isChecked());
        const auto d = static_cast<view::Direction>(i);
        connect(a, &QAction::triggered, this, [this, d] { drawToward(d); });
        connect(directionButtons_[i], &QRadioButton::toggled, a, [a](bool on) {
            if (on) a->setChecked(true);
        });
        // Choosing a quarter leaves the all-sky view (drawn at the next draw).
        connect(directionButtons_[i], &QRadioButton::clicked, this, [this] {
            if (allSky_) setAllSky(false);
        });
    }
    QAction* allSky = viewMenu_->addAction(QStringLiteral("全天"));
    allSky->setObjectName(QStringLiteral("directionAction_4"));
    allSky->setCheckable(true);
    allSky->setShortcut(QKeySequence(Qt::Key_Z));
    directions->addAction(allSky);
    directionActions_[4] = allSky;
    connect(allSky, &QAction::triggered, this, [this] { drawToward(view::Direction::Zenith); });
    viewMenu_->addSeparator();
    const std::array<std::pair<QCheckBox*, const char*>, 6> options = {
        std::pair{figuresCheck_, "星座"},           std::pair{optionChecks_[3], "星の名前"},
        std::pair{meteorsCheck_, "流星群"},         std::pair{optionChecks_[0], "赤道"},
        std::pair{optionChecks_[1], "黄道"},        std::pair{optionChecks_[2], "高度・方位線"}};
    for (const auto& [check, word] : options) {
        QAction* a = viewMenu_->addAction(QString::fromUtf8(word));
        a->setObjectName(QStringLiteral("optionAction_") + check->objectName());
        a->setCheckable(true);
        a->setChecked(check->isChecked());
        connect(a, &QAction::toggled, check, &QCheckBox::setChecked);
        connect(check, &QCheckBox::toggled, a, &QAction::setChecked);
    }
    // The classroom's additions: drawn at once when a picture is shown.
    const auto redrawOn = [this](const char* word, const char* name, QAction*& member) {
        member = viewMenu_->addAction(QString::fromUtf8(word));
        member->setObjectName(QString::fromUtf8(name));
        member->setCheckable(true);
        connect(member, &QAction::toggled, this, [this] {
            if (canvas_->lastDrawn()) onDrawClicked();
        });
    };
    redrawOn("星の並び", "asterismsAction", asterismsAction_);
    redrawOn("星団・星雲", "deepSkyAction", deepSkyAction_);
    redrawOn("大きな星名", "largeNamesAction", largeNamesAction_);
    QAction* allFigures = viewMenu_->addAction(QStringLiteral("星座をすべて表示"), this, [this] { showAllFigures(true); });
    allFigures->setObjectName(QStringLiteral("allFiguresAction"));
    QAction* noFigures = viewMenu_->addAction(QStringLiteral("星座をすべて消す"), this, [this] { showAllFigures(false); });
    noFigures->setObjectName(QStringLiteral("noFiguresAction"));
    viewMenu_->addSeparator();
    QAction* pause = viewMenu_->addAction(QStringLiteral("一時停止"));
    pause->setObjectName(QStringLiteral("pauseAction"));
    pause->setCheckable(true);
    pause->setShortcut(QKeySequence(Qt::Key_Space));
    connect(pause, &QAction::toggled, this, &MainWindow::setTimerPaused);
    QAction* back = viewMenu_->addAction(QStringLiteral("時刻を戻す"), this, [this] { stepAndDraw(-1); });
    back->setShortcut(QKeySequence(Qt::Key_PageUp));
    QAction* forward = viewMenu_->addAction(QStringLiteral("時刻を進める"), this, [this] { stepAndDraw(1); });
    forward->setShortcut(QKeySequence(Qt::Key_PageDown));
    QAction* now = viewMenu_->addAction(QStringLiteral("現在の時刻"), this, &MainWindow::drawNow);
    now->setShortcut(QKeySequence(Qt::Key_Home));
    viewMenu_->addSeparator();
    fullScreenAction_ = viewMenu_->addAction(QStringLiteral("全画面"));
    fullScreenAction_->setObjectName(QStringLiteral("fullScreenAction"));
    fullScreenAction_->setCheckable(true);
    fullScreenAction_->setShortcut(QKeySequence(Qt::Key_F11));
    connect(fullScreenAction_, &QAction::toggled, this, &MainWindow::setFullScreenPicture);
    QAction* find = viewMenu_->addAction(QStringLiteral("天体を探す…"), this, [this] {
        findDialog_->show();
        findDialog_->raise();
        findDialog_->activateWindow();
    });
    find->setObjectName(QStringLiteral("findAction"));
    find->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    viewMenu_->addSeparator();
    // 軌跡: ticking it or choosing a span draws the trails at once.
    trailMenu_ = new TrailMenu(viewMenu_, this);
    connect(trailMenu_, &TrailMenu::changed, this, &MainWindow::onDrawClicked);

    toolsMenu_ = menuBar()->addMenu(QStringLiteral("ツール(&T)"));
    toolsMenu_->setObjectName(QStringLiteral("toolsMenu"));

    helpMenu_ = menuBar()->addMenu(QStringLiteral("ヘルプ(&H)"));
    helpMenu_->setObjectName(QStringLiteral("helpMenu"));
    helpMenu_->addAction(QStringLiteral("使い方(&U)"), this, &MainWindow::showHelp)->setObjectName("helpAction");
    helpMenu_->addAction(QStringLiteral("このプログラムについて(&A)"), this, &MainWindow::showAbout)
        ->setObjectName("aboutAction");

    statusLabel_ = new QLabel(this);
    statusLabel_->setObjectName(QStringLiteral("statusText"));
    statusBar()->addWidget(statusLabel_, 1);
    // ツール → こよみ… and the status bar's Moon age, sunrise and sunset.
    almanacMenu_ = new AlmanacMenu(this);
    QAction* tonight = toolsMenu_->addAction(QStringLiteral("今夜の見どころ…"), this, [this] {
        if (tonightDialog_ == nullptr) tonightDialog_ = new TonightDialog(this);
        tonightDialog_->refresh();
        tonightDialog_->show();
        tonightDialog_->raise();
        tonightDialog_->activateWindow();
    });
    tonight->setObjectName(QStringLiteral("tonightAction"));
}

QString MainWindow::statusText() const {
    const WindowRequest w = currentRequest();
    const bool manual = w.placeIndex == catalog::kManualPlace;
    return QString::fromStdString(
        app::statusText(w.reading.input, manual ? std::string() : w.request.placeName, w.picture.trailMinutes, w.zone));
}

void MainWindow::updateStatus() {
    if (statusLabel_ && placeList_)
        statusLabel_->setText(statusText() + (timerPaused_ ? QStringLiteral("　（一時停止中）") : QString()));
    emit fieldsChanged();
}

void MainWindow::exportFilmInteractive() {
    const WindowRequest w = currentRequest();
    PictureRequest first = w.picture;
    first.seed = hooks_.meteorSeed ? *hooks_.meteorSeed : std::random_device{}();
    // The film dialog may leave the stamp out.
    first.stamp = PictureRequest::Stamp{w.titlePlaceName(), w.zone};
    const QString name = QString::fromStdString(pictureFileName(first.input, first.direction, ".mp4"));
    filmRunning_ = true;
    const std::optional<FilmResult> result = askAndExportFilm(first, first.stepMinutes, name, cat_, this);
    filmRunning_ = false;
    if (closeAfterFilm_) {
        close();
        return;
    }
    if (!result) return;
    if (result->ok()) {
        statusBar()->showMessage(QStringLiteral("動画を書き出しました"), 5000);
    } else if (result->status != FilmResult::Status::Cancelled) {
        warn(filmFailedText(*result));
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (filmRunning_) {
        closeAfterFilm_ = true;
        if (auto* dialog = findChild<FilmDialog*>()) dialog->reject();
        if (auto* progress = findChild<QProgressDialog*>(QStringLiteral("filmProgress"))) progress->cancel();
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}

void MainWindow::showHelp() { hooks_.inform(QStringLiteral("使い方"), helpPageHtml()); }

void MainWindow::showAbout() { hooks_.inform(QStringLiteral("このプログラムについて"), aboutPageHtml()); }

void MainWindow::applyStartOptions(const CliOptions& o) {
    if (o.year && o.month && o.day && o.hour && o.minute) setMomentFields({*o.year, *o.month, *o.day, *o.hour, *o.minute});
    if (o.latDeg && o.lonDeg) {
        placeList_->setCurrentRow(kManualEntryItem);
        setFieldText(latitudeEdit_, QString::fromStdString(decimalText(*o.latDeg)));
        setFieldText(longitudeEdit_, QString::fromStdString(decimalText(*o.lonDeg)));
    } else if (o.placeIndex >= 1 && o.placeIndex <= placeList_->count()) {
        placeList_->setCurrentRow(o.placeIndex - 1);
    }
    updateStatus();
}

}  // namespace app
