#include "app/freeview/free_view_widgets.h"

#include <QAction>
#include <QKeySequence>
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

}  // namespace

FreeViewControl::FreeViewControl(MainWindow* window) : QObject(window), window_(window) {
    action_ = window->viewMenu()->addAction(QStringLiteral("自由視点"));
    action_->setObjectName(QStringLiteral("freeViewAction"));
    action_->setCheckable(true);
    action_->setToolTip(QStringLiteral("好きな方向の空を、形をゆがめずに描きます（ドラッグで回す、ホイールで拡大・縮小）"));
    connect(action_, &QAction::toggled, this, [this] { redraw(); });
    window->setFreeLook([this] { return look(); });
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

void FreeViewControl::redraw() { window_->onDrawClicked(); }

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
