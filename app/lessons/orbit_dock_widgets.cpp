#include "app/lessons/orbit_dock_widgets.h"

#include <QAction>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPrintDialog>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

#include "app/lessons/lesson_page_widgets.h"
#include "app/window/main_window_widgets.h"
#include "app/window/sky_canvas_widgets.h"

namespace app {

namespace {
constexpr view::OrbitExtent kExtents[] = {view::OrbitExtent::Saturn, view::OrbitExtent::Mars, view::OrbitExtent::Neptune};
constexpr double kPagePx = 1123.0;  // the page's width at 96 dpi
}  // namespace

OrbitDock::OrbitDock(MainWindow* window) : QDockWidget(QStringLiteral("宇宙から見た図"), window), window_(window) {
    setObjectName(QStringLiteral("orbitDock"));
    auto* body = new QWidget(this);
    extent_ = new QComboBox(body);
    extent_->setObjectName(QStringLiteral("orbitExtent"));
    extent_->addItems({QStringLiteral("土星まで"), QStringLiteral("火星まで（実際の比率）"), QStringLiteral("海王星まで")});
    target_ = new QComboBox(body);
    target_->setObjectName(QStringLiteral("orbitTarget"));
    target_->addItem(QStringLiteral("空の向きを見る"));
    for (const char* name : {"水星", "金星", "火星", "木星", "土星", "天王星", "海王星"})
        target_->addItem(QString::fromUtf8(name) + QStringLiteral("を見る"), QString::fromUtf8(name));
    picture_ = new QLabel(body);
    picture_->setObjectName(QStringLiteral("orbitPicture"));
    picture_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    picture_->setMinimumSize(480, 340);
    picture_->installEventFilter(this);
    auto* saveButton = new QPushButton(QStringLiteral("保存…"), body);
    saveButton->setObjectName(QStringLiteral("orbitSave"));
    auto* printButton = new QPushButton(QStringLiteral("印刷…"), body);
    printButton->setObjectName(QStringLiteral("orbitPrint"));
    auto* row = new QHBoxLayout;
    for (QWidget* w : std::initializer_list<QWidget*>{extent_, target_, saveButton, printButton}) row->addWidget(w);
    row->addStretch(1);
    auto* layout = new QVBoxLayout(body);
    layout->addLayout(row);
    layout->addWidget(picture_, 1);
    setWidget(body);

    connect(extent_, &QComboBox::currentIndexChanged, this, [this] { refresh(); });
    connect(target_, &QComboBox::currentIndexChanged, this, [this] { refresh(); });
    connect(saveButton, &QPushButton::clicked, this, &OrbitDock::save);
    connect(printButton, &QPushButton::clicked, this, &OrbitDock::print);
    askPrinter = [this](QPrinter& printer) {
        QPrintDialog dialog(&printer, this);
        dialog.setWindowTitle(QStringLiteral("宇宙から見た図を印刷"));
        return dialog.exec() == QDialog::Accepted;
    };
    const auto follow = [this] {
        if (!isHidden()) refresh();
    };
    connect(window->canvas(), &SkyCanvas::skyDrawn, this, follow);
    connect(window, &MainWindow::placeChosen, this, follow);
    resized_ = new QTimer(this);
    resized_->setSingleShot(true);
    resized_->setInterval(150);
    connect(resized_, &QTimer::timeout, this, [this] {
        if (!isHidden()) refresh();
    });
    connect(toggleViewAction(), &QAction::toggled, this, [this](bool shown) {
        if (shown) refresh();
    });
}

void OrbitDock::refresh() {
    const WindowRequest w = window_->currentRequest();
    // The way the sky view faces: its quarter, or the free view's centre.
    double faceAzDeg = w.direction == view::Direction::Zenith ? 180.0 : 90.0 * static_cast<int>(w.direction);
    if (w.picture.free) faceAzDeg = w.picture.free->azDeg;
    const QString targetName = target_->currentData().toString();
    const std::optional<astro::Planet> target =
        targetName.isEmpty() ? std::nullopt : orbitPlanetNamed(targetName.toStdString());
    SkyRequest req = w.request;
    req.placeName = w.titlePlaceName();
    answer_ = answerOrbits(req, faceAzDeg, target, kExtents[std::clamp(extent_->currentIndex(), 0, 2)], w.zone);
    const QSize box = picture_->size().expandedTo(QSize(480, 340));
    shownScale_ = std::max(0.3, std::min(box.width() / kPagePx, box.height() / 794.0));
    picture_->setPixmap(QPixmap::fromImage(lessonPageImage(page().draw, shownScale_)));
}

std::string OrbitDock::choose(double xPx, double yPx) {
    const std::string name = orbitBodyAt(answer_, xPx, yPx);
    if (name.empty() || name == "太陽" || name == "地球") {
        if (!name.empty()) window_->statusBar()->showMessage(QString::fromStdString(name), 5000);
        return name;
    }
    const int index = target_->findData(QString::fromStdString(name));
    if (index >= 0) target_->setCurrentIndex(index);  // redraws with the line of sight
    const view::OrbitPlanet& p = answer_.scene.planets[static_cast<int>(*orbitPlanetNamed(name))];
    window_->statusBar()->showMessage(QStringLiteral("%1：太陽から %2 au").arg(QString::fromStdString(name)).arg(p.distanceAu, 0, 'f', 2),
                                      8000);
    return name;
}

bool OrbitDock::eventFilter(QObject* watched, QEvent* event) {
    if (watched == picture_ && event->type() == QEvent::MouseButtonRelease) {
        const auto* e = static_cast<QMouseEvent*>(event);
        choose(e->position().x() / shownScale_, e->position().y() / shownScale_);
        return true;
    }
    return QDockWidget::eventFilter(watched, event);
}

void OrbitDock::resizeEvent(QResizeEvent* event) {
    QDockWidget::resizeEvent(event);
    resized_->start();
}

LessonPage OrbitDock::page() const {
    return {QStringLiteral("宇宙から見た図"), [this](view::Painter& p) { view::drawOrbitView(answer_.scene, answer_.extent, p); },
            false, {}};
}

bool OrbitDock::save() { return saveLessonPage(window_, page()); }

bool OrbitDock::print() { return printLessonPage(window_, page(), askPrinter); }

}  // namespace app
