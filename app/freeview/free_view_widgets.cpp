#include "app/freeview/free_view_widgets.h"

#include <QAction>
#include <QActionGroup>
#include <QDir>
#include <QFileInfo>
#include <QKeySequence>
#include <QSettings>
#include <QSignalBlocker>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QNativeGestureEvent>
#include <QWheelEvent>

#include <cmath>

#include "app/window/main_window_widgets.h"
#include "app/window/sky_canvas_widgets.h"

namespace app {

namespace {

// A press that moves less than this is a click (the card), not a drag.
constexpr int kDragStartPx = 4;
constexpr double kKeyTurnDeg = 5.0;
constexpr double kZoomStep = 1.25;
constexpr double kLowestFacingAltDeg = 20.0;

// The compass on the number keys, as on a keypad; 5 is the zenith.
struct Facing {
    const char* name;
    const char* objectName;
    Qt::Key key;
    std::optional<double> azDeg;
};
const Facing kFacings[] = {
    {"北", "faceNorth", Qt::Key_8, 0.0},          {"北東", "faceNorthEast", Qt::Key_9, 45.0},
    {"東", "faceEast", Qt::Key_6, 90.0},          {"南東", "faceSouthEast", Qt::Key_3, 135.0},
    {"南", "faceSouth", Qt::Key_2, 180.0},        {"南西", "faceSouthWest", Qt::Key_1, 225.0},
    {"西", "faceWest", Qt::Key_4, 270.0},         {"北西", "faceNorthWest", Qt::Key_7, 315.0},
    {"天頂", "faceZenith", Qt::Key_5, std::nullopt},
};

// 空の描き方: the style each item asks for.
struct StyleChoice {
    const char* text;
    const char* objectName;
    const char* word;  // as remembered
    std::optional<view::ChartStyle> style;
};
const StyleChoice kStyles[] = {
    {"おまかせ（自由視点と全天は自然な空）", "skyStyleAuto", "auto", std::nullopt},
    {"自然な空", "skyStyleNatural", "natural", view::ChartStyle::Natural},
    {"元の配色", "skyStyleScreen", "screen", view::ChartStyle::Screen},
};

}  // namespace

FreeViewControl::FreeViewControl(MainWindow* window) : QObject(window), window_(window) {
    action_ = window->viewMenu()->addAction(QStringLiteral("自由視点"));
    action_->setObjectName(QStringLiteral("freeViewAction"));
    action_->setCheckable(true);
    action_->setToolTip(QStringLiteral("好きな方向の空を、形をゆがめずに描きます（ドラッグで回す、ホイールで拡大・縮小）"));
    connect(action_, &QAction::toggled, this, [this] { redraw(); });
    window->setFreeLook([this] { return look(); });
    addFacingMenu();
    addStyleMenu();
    window->setSkyStyle([this] { return style(); });
    // The memory lives beside the place's settings file.
    const QFileInfo settings(QString::fromStdString(window->hooks().settingsPath));
    memory_ = new QSettings(settings.dir().filePath(QStringLiteral("planetarium.ini")), QSettings::IniFormat, this);
    recall();
    // Keys on the picture (once clicked): arrows turn, + and - zoom.
    struct Key {
        QKeySequence key;
        double turnAz, turnAlt, zoom;
    };
    const Key keys[] = {{QKeySequence(Qt::Key_Left), -kKeyTurnDeg, 0, 0}, {QKeySequence(Qt::Key_Right), kKeyTurnDeg, 0, 0},
                        {QKeySequence(Qt::Key_Up), 0, kKeyTurnDeg, 0},    {QKeySequence(Qt::Key_Down), 0, -kKeyTurnDeg, 0},
                        {QKeySequence(Qt::Key_Plus), 0, 0, 1},            {QKeySequence(Qt::Key_Equal), 0, 0, 1},
                        {QKeySequence(Qt::Key_Minus), 0, 0, -1}};
    window->canvas()->setFocusPolicy(Qt::ClickFocus);
    for (const Key& k : keys) {
        auto* a = new QAction(window->canvas());
        a->setShortcut(k.key);
        a->setShortcutContext(Qt::WidgetShortcut);
        connect(a, &QAction::triggered, this, [this, k] {
            if (action_.isNull() || !action_->isChecked()) return;
            view::FreeLook next = look_;
            next.azDeg += k.turnAz;
            next.altDeg += k.turnAlt;
            setLook(k.zoom != 0 ? zoomed(next, k.zoom) : next);
        });
        window->canvas()->addAction(a);
    }
    canvas_ = window->canvas();
    canvas_->installEventFilter(this);
    window->canvas()->setAttribute(Qt::WA_AcceptTouchEvents);
}

std::optional<view::FreeLook> FreeViewControl::look() const {
    if (action_.isNull() || !action_->isChecked()) return std::nullopt;
    return look_;
}

void FreeViewControl::setLook(const view::FreeLook& look) {
    look_ = view::normalisedLook(look);
    if (!action_.isNull() && action_->isChecked()) redraw();
}

std::optional<view::ChartStyle> FreeViewControl::style() const {
    if (styles_.isNull() || styles_->checkedAction() == nullptr) return std::nullopt;
    const QString name = styles_->checkedAction()->objectName();
    for (const StyleChoice& s : kStyles)
        if (name == QLatin1String(s.objectName)) return s.style;
    return std::nullopt;
}

view::FreeLook FreeViewControl::facing(const view::FreeLook& look, std::optional<double> azDeg) {
    view::FreeLook out = view::normalisedLook(look);
    if (!azDeg) {
        out.altDeg = 90.0;
        return out;
    }
    out.azDeg = *azDeg;
    // From the zenith or below the horizon, a view that holds the horizon.
    if (!(out.altDeg >= 0.0 && out.altDeg < 89.0)) out.altDeg = kLowestFacingAltDeg;
    return out;
}

void FreeViewControl::addFacingMenu() {
    QMenu* menu = window_->viewMenu()->addMenu(QStringLiteral("向き（自由視点）"));
    menu->setObjectName(QStringLiteral("facingMenu"));
    for (const Facing& f : kFacings) {
        QAction* a = menu->addAction(QString::fromUtf8(f.name));
        a->setObjectName(QLatin1String(f.objectName));
        a->setShortcut(QKeySequence(f.key));
        a->setShortcutContext(Qt::WidgetShortcut);
        window_->canvas()->addAction(a);  // the key works on the picture
        const std::optional<double> az = f.azDeg;
        connect(a, &QAction::triggered, this, [this, az] {
            // Facing a direction turns the free view on.
            if (!action_.isNull() && !action_->isChecked()) {
                look_ = facing(look_, az);
                action_->setChecked(true);
                return;
            }
            setLook(facing(look_, az));
        });
    }
}

void FreeViewControl::addStyleMenu() {
    QMenu* menu = window_->viewMenu()->addMenu(QStringLiteral("空の描き方"));
    menu->setObjectName(QStringLiteral("skyStyleMenu"));
    styles_ = new QActionGroup(menu);
    for (const StyleChoice& s : kStyles) {
        QAction* a = menu->addAction(QString::fromUtf8(s.text));
        a->setObjectName(QLatin1String(s.objectName));
        a->setCheckable(true);
        styles_->addAction(a);
        if (!s.style) a->setChecked(true);
    }
    connect(styles_, &QActionGroup::triggered, this, [this] { redraw(); });
}

void FreeViewControl::remember() {
    if (memory_ == nullptr) return;
    memory_->setValue(QStringLiteral("freeView/on"), !action_.isNull() && action_->isChecked());
    memory_->setValue(QStringLiteral("freeView/az"), look_.azDeg);
    memory_->setValue(QStringLiteral("freeView/alt"), look_.altDeg);
    memory_->setValue(QStringLiteral("freeView/fov"), look_.fovDeg);
    QString word = QStringLiteral("auto");
    if (!styles_.isNull() && styles_->checkedAction() != nullptr) {
        for (const StyleChoice& s : kStyles)
            if (styles_->checkedAction()->objectName() == QLatin1String(s.objectName)) word = QLatin1String(s.word);
    }
    memory_->setValue(QStringLiteral("sky/style"), word);
}

// What the file holds is taken only when it reads as numbers in range and
// a known style; anything else keeps the defaults.
void FreeViewControl::recall() {
    const auto number = [this](const char* key, double fallback) {
        bool ok = false;
        const double v = memory_->value(QLatin1String(key)).toDouble(&ok);
        return ok && std::isfinite(v) ? v : fallback;
    };
    const view::FreeLook defaults;
    look_ = view::normalisedLook({number("freeView/az", defaults.azDeg), number("freeView/alt", defaults.altDeg),
                                  number("freeView/fov", defaults.fovDeg)});
    const QString word = memory_->value(QStringLiteral("sky/style")).toString();
    if (!styles_.isNull()) {
        for (QAction* a : styles_->actions())
            for (const StyleChoice& s : kStyles)
                if (a->objectName() == QLatin1String(s.objectName) && word == QLatin1String(s.word)) a->setChecked(true);
    }
    if (!action_.isNull() && memory_->value(QStringLiteral("freeView/on")).toString() == QLatin1String("true")) {
        const QSignalBlocker quiet(action_.data());
        action_->setChecked(true);
    }
}

view::FreeLook FreeViewControl::dragged(const view::FreeLook& look, double dx, double dy, double widthPx) {
    if (!(widthPx > 0.0)) return look;
    // The sky under the pointer follows it: dragging right brings what was
    // to the left (smaller azimuths) into the middle.
    const double degPerPx = look.fovDeg / widthPx;
    view::FreeLook out = look;
    out.azDeg = look.azDeg - dx * degPerPx;
    out.altDeg = look.altDeg + dy * degPerPx;
    return view::normalisedLook(out);
}

view::FreeLook FreeViewControl::zoomed(const view::FreeLook& look, double steps) {
    view::FreeLook out = look;
    out.fovDeg = look.fovDeg / std::pow(kZoomStep, steps);
    return view::normalisedLook(out);
}

void FreeViewControl::redraw() {
    remember();
    window_->onDrawClicked();
}

bool FreeViewControl::eventFilter(QObject* watched, QEvent* event) {
    // The canvas as kept at the start: while the window is taken down its
    // children still get events, and the window may no longer be asked.
    const QEvent::Type type = event->type();
    const bool ours = type == QEvent::MouseButtonPress || type == QEvent::MouseMove ||
                      type == QEvent::MouseButtonRelease || type == QEvent::Wheel || type == QEvent::NativeGesture;
    if (!ours || canvas_.isNull() || watched != canvas_.data() || action_.isNull() || !action_->isChecked())
        return QObject::eventFilter(watched, event);
    const double widthPx = canvas_->width();
    switch (type) {
    case QEvent::MouseButtonPress: {
        auto* e = static_cast<QMouseEvent*>(event);
        if (e->button() == Qt::LeftButton) {
            dragFrom_ = e->position().toPoint();
            dragged_ = false;
        }
        break;  // the click still reaches the pointer (the card)
    }
    case QEvent::MouseMove: {
        auto* e = static_cast<QMouseEvent*>(event);
        if (!dragFrom_ || !(e->buttons() & Qt::LeftButton)) break;
        const QPoint d = e->position().toPoint() - *dragFrom_;
        if (!dragged_ && d.manhattanLength() < kDragStartPx) break;
        dragged_ = true;
        look_ = dragged(look_, d.x(), d.y(), widthPx);
        dragFrom_ = e->position().toPoint();
        redraw();
        return true;
    }
    case QEvent::MouseButtonRelease:
        dragFrom_.reset();
        if (dragged_) {
            dragged_ = false;
            return true;  // a drag is no click
        }
        break;
    case QEvent::Wheel: {
        const double steps = static_cast<QWheelEvent*>(event)->angleDelta().y() / 120.0;
        if (steps == 0.0) break;
        look_ = zoomed(look_, steps);
        redraw();
        return true;
    }
    case QEvent::NativeGesture: {
        auto* g = static_cast<QNativeGestureEvent*>(event);
        if (g->gestureType() != Qt::ZoomNativeGesture) break;
        look_ = zoomed(look_, std::log1p(g->value()) / std::log(kZoomStep));
        redraw();
        return true;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace app
