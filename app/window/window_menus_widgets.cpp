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
#include "app/session/moment_text.h"
#include "app/session/fields.h"
#include "app/window/help_pages_qtcore.h"
#include "app/window/sky_canvas_widgets.h"

namespace app {

void MainWindow::buildMenus() {
    menus_.file = menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
    menus_.file->setObjectName(QStringLiteral("fileMenu"));
    QAction* save = menus_.file->addAction(QStringLiteral("画像を保存(&S)…"), this, &MainWindow::savePictureInteractive);
    save->setObjectName(QStringLiteral("saveAction"));
    save->setShortcut(QKeySequence::Save);
    menus_.quitSeparator = menus_.file->addSeparator();
    menus_.quit = menus_.file->addAction(QStringLiteral("終了(&X)"), this, &MainWindow::onExitClicked);
    menus_.quit->setObjectName(QStringLiteral("quitAction"));
    menus_.quit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

    menus_.view = menuBar()->addMenu(QStringLiteral("表示(&V)"));
    menus_.view->setObjectName(QStringLiteral("viewMenu"));
    auto* directions = new QActionGroup(this);
    const auto& words = view::kQuarterNamesJa;
    const std::array<Qt::Key, 4> keys = {Qt::Key_N, Qt::Key_E, Qt::Key_S, Qt::Key_W};
    for (int i = 0; i < 4; ++i) {
        QAction* a = menus_.view->addAction(QString::fromUtf8(words[static_cast<std::size_t>(i)].data()));
        a->setObjectName(QStringLiteral("directionAction_%1").arg(i));
        a->setCheckable(true);
        a->setShortcut(QKeySequence(keys[i]));
        directions->addAction(a);
        menus_.directions[i] = a;
        a->setChecked(form_.directionButtons[i]->isChecked());
        const auto d = static_cast<view::Direction>(i);
        connect(a, &QAction::triggered, this, [this, d] { drawToward(d); });
        connect(form_.directionButtons[i], &QRadioButton::toggled, a, [a](bool on) {
            if (on) a->setChecked(true);
        });
        // Choosing a quarter leaves the all-sky view (drawn at the next draw).
        connect(form_.directionButtons[i], &QRadioButton::clicked, this, [this] {
            if (allSky_) setAllSky(false);
        });
    }
    QAction* allSky = menus_.view->addAction(QStringLiteral("全天"));
    allSky->setObjectName(QStringLiteral("directionAction_4"));
    allSky->setCheckable(true);
    allSky->setShortcut(QKeySequence(Qt::Key_Z));
    directions->addAction(allSky);
    menus_.directions[4] = allSky;
    connect(allSky, &QAction::triggered, this, [this] { drawToward(view::Direction::Zenith); });
    menus_.view->addSeparator();
    const std::array<std::pair<QCheckBox*, const char*>, 6> options = {
        std::pair{form_.figuresCheck, "星座"},           std::pair{form_.optionChecks[3], "星の名前"},
        std::pair{form_.meteorsCheck, "流星群"},         std::pair{form_.optionChecks[0], "赤道"},
        std::pair{form_.optionChecks[1], "黄道"},        std::pair{form_.optionChecks[2], "高度・方位線"}};
    for (const auto& [check, word] : options) {
        QAction* a = menus_.view->addAction(QString::fromUtf8(word));
        a->setObjectName(QStringLiteral("optionAction_") + check->objectName());
        a->setCheckable(true);
        a->setChecked(check->isChecked());
        connect(a, &QAction::toggled, check, &QCheckBox::setChecked);
        connect(check, &QCheckBox::toggled, a, &QAction::setChecked);
    }
    // The classroom's additions: drawn at once when a picture is shown.
    const auto redrawOn = [this](const char* word, const char* name, QAction*& member) {
        member = menus_.view->addAction(QString::fromUtf8(word));
        member->setObjectName(QString::fromUtf8(name));
        member->setCheckable(true);
        connect(member, &QAction::toggled, this, [this] {
            if (canvas_->lastDrawn()) onDrawClicked();
        });
    };
    redrawOn("星の並び", "asterismsAction", menus_.asterisms);
    redrawOn("星団・星雲", "deepSkyAction", menus_.deepSky);
    redrawOn("大きな星名", "largeNamesAction", menus_.largeNames);
    QAction* allFigures = menus_.view->addAction(QStringLiteral("星座をすべて表示"), this, [this] { showAllFigures(true); });
    allFigures->setObjectName(QStringLiteral("allFiguresAction"));
    QAction* noFigures = menus_.view->addAction(QStringLiteral("星座をすべて消す"), this, [this] { showAllFigures(false); });
    noFigures->setObjectName(QStringLiteral("noFiguresAction"));
    menus_.view->addSeparator();
    QAction* pause = menus_.view->addAction(QStringLiteral("一時停止"));
    pause->setObjectName(QStringLiteral("pauseAction"));
    pause->setCheckable(true);
    pause->setShortcut(QKeySequence(Qt::Key_Space));
    connect(pause, &QAction::toggled, this, &MainWindow::setTimerPaused);
    QAction* back = menus_.view->addAction(QStringLiteral("時刻を戻す"), this, [this] { stepAndDraw(-1); });
    back->setShortcut(QKeySequence(Qt::Key_PageUp));
    QAction* forward = menus_.view->addAction(QStringLiteral("時刻を進める"), this, [this] { stepAndDraw(1); });
    forward->setShortcut(QKeySequence(Qt::Key_PageDown));
    QAction* now = menus_.view->addAction(QStringLiteral("現在の時刻"), this, &MainWindow::drawNow);
    now->setShortcut(QKeySequence(Qt::Key_Home));
    menus_.view->addSeparator();
    menus_.fullScreen = menus_.view->addAction(QStringLiteral("全画面"));
    menus_.fullScreen->setObjectName(QStringLiteral("fullScreenAction"));
    menus_.fullScreen->setCheckable(true);
    menus_.fullScreen->setShortcut(QKeySequence(Qt::Key_F11));
    connect(menus_.fullScreen, &QAction::toggled, this, &MainWindow::setFullScreenPicture);

    menus_.tools = menuBar()->addMenu(QStringLiteral("ツール(&T)"));
    menus_.tools->setObjectName(QStringLiteral("toolsMenu"));

    menus_.help = menuBar()->addMenu(QStringLiteral("ヘルプ(&H)"));
    menus_.help->setObjectName(QStringLiteral("helpMenu"));
    menus_.help->addAction(QStringLiteral("使い方(&U)"), this, &MainWindow::showHelp)->setObjectName("helpAction");
    menus_.help->addAction(QStringLiteral("このプログラムについて(&A)"), this, &MainWindow::showAbout)
        ->setObjectName("aboutAction");

    statusLabel_ = new QLabel(this);
    statusLabel_->setObjectName(QStringLiteral("statusText"));
    statusBar()->addWidget(statusLabel_, 1);
}

void MainWindow::finishMenus() {
    // 終了 stays last, after what the capabilities added.
    menus_.file->removeAction(menus_.quitSeparator);
    menus_.file->removeAction(menus_.quit);
    menus_.file->addAction(menus_.quitSeparator);
    menus_.file->addAction(menus_.quit);
}

QString MainWindow::statusText() const {
    const WindowRequest w = currentRequest();
    const bool manual = w.placeIndex == catalog::kManualPlace;
    return QString::fromStdString(
        app::statusText(w.reading.input, manual ? std::string() : w.request.placeName, w.picture.trailMinutes, w.zone));
}

void MainWindow::updateStatus() {
    if (statusLabel_ && form_.placeList)
        statusLabel_->setText(statusText() + (timerPaused_ ? QStringLiteral("　（一時停止中）") : QString()));
    emit fieldsChanged();
}

void MainWindow::showHelp() { hooks_.inform(QStringLiteral("使い方"), helpPageHtml()); }

void MainWindow::showAbout() { hooks_.inform(QStringLiteral("このプログラムについて"), aboutPageHtml()); }

}  // namespace app
