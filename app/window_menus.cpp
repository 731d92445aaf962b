// The window's menu bar, status bar, help pages and command-line start.
#include <QAction>
#include <QActionGroup>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QStatusBar>
#include <QTimeZone>

#include <cmath>
#include <optional>
#include <random>

#include "app/main_window.h"
#include "app/almanac_menu.h"
#include "app/chart_output_menu.h"
#include "app/film_dialog.h"
#include "app/trail_menu.h"
#include "app/find_dialog.h"
#include "app/time_step.h"

namespace app {

namespace {

constexpr int kManualEntryItem = catalog::kManualPlace - 1;

QString degrees(double v, const char* positive, const char* negative) {
    return QStringLiteral("%1 %2°").arg(QString::fromUtf8(v < 0 ? negative : positive),
                                        QString::fromStdString(decimalText(std::fabs(v))));
}

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
        this, fileMenu_, [this] { return shownChart_; }, [this] { return suggestedPictureName().chopped(4); }, cat_);
    QAction* film = fileMenu_->addAction(QStringLiteral("動画に書き出し(&M)…"), this, &MainWindow::exportFilmInteractive);
    film->setObjectName(QStringLiteral("filmAction"));
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
    }
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
    viewMenu_->addSeparator();
    QAction* back = viewMenu_->addAction(QStringLiteral("時刻を戻す"), this, [this] { stepAndDraw(-1); });
    back->setShortcut(QKeySequence(Qt::Key_PageUp));
    QAction* forward = viewMenu_->addAction(QStringLiteral("時刻を進める"), this, [this] { stepAndDraw(1); });
    forward->setShortcut(QKeySequence(Qt::Key_PageDown));
    QAction* now = viewMenu_->addAction(QStringLiteral("現在の時刻"), this, &MainWindow::drawNow);
    now->setShortcut(QKeySequence(Qt::Key_Home));
    viewMenu_->addSeparator();
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
}

QString MainWindow::statusText() const {
    const WindowRequest w = currentRequest();
    const astro::SkyInput& in = w.reading.input;
    const std::optional<CivilMinute> m = advanceMinutes(in.year, in.month, in.day, in.hour, in.minute, 0);
    if (!m) return QStringLiteral("日時を読めません");
    QString text = QStringLiteral("%1年%2月%3日 %4:%5（日本時間）")
                       .arg(m->year)
                       .arg(m->month)
                       .arg(m->day)
                       .arg(m->hour, 2, 10, QLatin1Char('0'))
                       .arg(m->minute, 2, 10, QLatin1Char('0'));
    const bool manual = w.placeIndex == catalog::kManualPlace;
    const QString name = manual || w.request.placeName.empty()
                             ? QStringLiteral("入力した場所")
                             : QString::fromStdString(w.request.placeName).trimmed();
    text += QStringLiteral("　%1（%2、%3）")
                .arg(name, degrees(in.latDeg, "北緯", "南緯"), degrees(in.lonDeg, "東経", "西経"));
    if (trailMenu_ != nullptr && trailMenu_->minutes() > 0)
        text += QStringLiteral("　軌跡 %1 時間").arg(trailMenu_->minutes() / 60);
    // The local clock of a place outside Japan's time zone.
    const QTimeZone zone(QByteArray::fromStdString(w.timeZone));
    const QTimeZone japan(QByteArrayLiteral("Asia/Tokyo"));
    if (zone.isValid() && japan.isValid() && w.timeZone != "Asia/Tokyo") {
        const QDateTime jst(QDate(m->year, m->month, m->day), QTime(m->hour, m->minute), japan);
        const QDateTime local = jst.toTimeZone(zone);
        if (local.isValid()) {
            text += QStringLiteral("　現地時刻 %1年%2月%3日 %4:%5")
                        .arg(local.date().year())
                        .arg(local.date().month())
                        .arg(local.date().day())
                        .arg(local.time().hour(), 2, 10, QLatin1Char('0'))
                        .arg(local.time().minute(), 2, 10, QLatin1Char('0'));
        }
    }
    return text;
}

void MainWindow::updateStatus() {
    if (statusLabel_ && placeList_) statusLabel_->setText(statusText());
    emit fieldsChanged();
}

void MainWindow::exportFilmInteractive() {
    const WindowRequest w = currentRequest();
    PictureRequest first;
    first.input = w.reading.input;
    first.direction = w.direction;
    first.view = w.options;
    first.stepMinutes = stepMinutes();
    first.seed = hooks_.meteorSeed ? *hooks_.meteorSeed : std::random_device{}();
    first.trailMinutes = trailMenu_ ? trailMenu_->minutes() : 0;
    const QString name = suggestedPictureName().chopped(4) + QStringLiteral(".mp4");
    const std::optional<FilmResult> result = askAndExportFilm(first, stepMinutes(), name, cat_, this);
    if (!result) return;
    if (result->ok()) {
        statusBar()->showMessage(QStringLiteral("動画を書き出しました"), 5000);
    } else if (result->status != FilmResult::Status::Cancelled) {
        warn(QStringLiteral("動画を書き出せませんでした。書き出し先にあったファイルはそのままです。\n（理由: %1）")
                 .arg(result->error));
    }
}

void MainWindow::showHelp() {
    hooks_.inform(QStringLiteral("使い方"),
                  QStringLiteral(
                      "<p>日付と時刻（日本時間）を入れ、左の一覧で場所を選び（「入力」なら緯度と経度を入れます。"
                      "北緯と東経が正）、方角（北・東・南・西）と表示するものを選んで「プラネタリウム」を押します。</p>"
                      "<p>「間隔（分)」は 1 回に進める時間、「表示間隔（秒）」は進める間隔です。「 0」なら 1 回だけ描きます。</p>"
                      "<p>「数値」は太陽・月・惑星と明るい星の高度と方位の表（「流星群」にチェックがあれば流星群の表）です。</p>"
                      "<p>キー: N・E・S・W で方角を選んで描く、PageUp・PageDown で時刻を戻す・進める、"
                      "Home で現在の時刻、Ctrl+S で画像を保存、Ctrl+F で天体を探す。"
                      "絵の上の天体を指すと名前が下に出て、クリックすると詳しい説明が出ます。「終了」は場所を覚えて終わります。</p>"));
}

void MainWindow::showAbout() {
    hooks_.inform(QStringLiteral("このプログラムについて"),
                  QStringLiteral("<p><b>プラネタリウム</b> %1</p>"
                                 "<p>星の位置: Yale Bright Star Catalogue 第 5 版改訂版（Hoffleit, Warren 1991、"
                                 "CDS 経由で公開、自由に利用できます）。</p>"
                                 "<p>文字: IPA P ゴシック（IPA フォントライセンス v1.0）。</p>"
                                 "<p>Qt %2（LGPL v3）を使っています。</p>")
                      .arg(QStringLiteral(PLANETARIUM_VERSION), QString::fromLatin1(qVersion())));
}

void MainWindow::applyStartOptions(const CliOptions& o) {
    if (o.year && o.month && o.day && o.hour && o.minute) setMomentFields(*o.year, *o.month, *o.day, *o.hour, *o.minute);
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
