#include "app/pointing/sky_pointer_widgets.h"

#include <QCursor>
#include <QEvent>
#include <QMouseEvent>
#include <QStatusBar>

#include "app/window/main_window_widgets.h"
#include "app/pointing/object_card_widgets.h"
#include "app/window/sky_canvas_widgets.h"
#include "app/zones/time_zones_qtcore.h"

namespace app {

SkyPointer::SkyPointer(MainWindow* window) : QObject(window), window_(window) {
    setObjectName(QStringLiteral("skyPointer"));
    window_->canvas()->setMouseTracking(true);
    window_->canvas()->installEventFilter(this);
    // A new picture (the timer's step) answers anew where the pointer rests.
    connect(window_->canvas(), &SkyCanvas::skyDrawn, this, [this] {
        if (showing_) hoverAt(window_->canvas()->mapFromGlobal(QCursor::pos()));
        followWithCard();
    });
}

std::optional<view::PointAnswer> SkyPointer::answerAt(QPoint canvasPos) const {
    const SkyCanvas* canvas = window_->canvas();
    const std::optional<DrawnSky>& drawn = canvas->lastDrawn();
    if (!drawn) return std::nullopt;
    // The record is in device pixels of the back buffer; the pointer is at
    // the middle of its widget pixel.
    const view::DevicePoint at = drawn->record.viewport.deviceFromLogical(canvasPos.x() + 0.5, canvasPos.y() + 0.5);
    if (drawn->free)
        return view::answerAt(window_->catalogue(), drawn->sky, drawn->record, *view::freeProjector(*drawn->free), at.x, at.y);
    return view::answerAt(window_->catalogue(), drawn->sky, drawn->record, drawn->direction, at.x, at.y);
}

QString SkyPointer::hoverText(const view::PointAnswer& answer) {
    if (answer.object) return QString::fromStdString(view::statusLine(*answer.object));
    if (answer.sky) return QString::fromStdString(view::skyPointLine(answer.sky->altDeg, answer.sky->azDeg));
    return {};
}

void SkyPointer::hoverAt(QPoint canvasPos) {
    const std::optional<view::PointAnswer> answer = answerAt(canvasPos);
    const QString text = answer ? hoverText(*answer) : QString();
    // A passing message: the moment and place come back when it is cleared.
    if (!text.isEmpty()) {
        window_->statusBar()->showMessage(text);
        showing_ = true;
    } else if (showing_) {
        window_->statusBar()->clearMessage();
        showing_ = false;
    }
}

bool SkyPointer::openCardAt(QPoint canvasPos) {
    const std::optional<view::PointAnswer> answer = answerAt(canvasPos);
    if (!answer || !answer->object || !answer->drawn) return false;
    showCard(*answer->drawn, *answer->object);
    return true;
}

void SkyPointer::showCard(const view::DrawnObject& drawn, const view::ObjectInfo& info) {
    const DrawnSky& last = *window_->canvas()->lastDrawn();
    const LocalZone zone = window_->currentRequest().zone;
    const CardFacts facts = cardFacts(info, last.sky, zone.offset);
    if (card_ == nullptr) card_ = new ObjectCard(window_);
    const view::DevicePoint at = last.record.viewport.logicalFromDevice(drawn.xPx, drawn.yPx);
    const QPoint object(static_cast<int>(at.x), static_cast<int>(at.y));
    card_->showFor(facts, zone.offset, window_->canvas()->mapToGlobal(object));
    carded_ = drawn;
}

void SkyPointer::followWithCard() {
    if (card_ == nullptr || !card_->isVisible() || !carded_) return;
    const std::optional<DrawnSky>& last = window_->canvas()->lastDrawn();
    if (last && carded_->kind != view::DrawnKind::Meteor) {
        // The record also holds objects placed beyond the picture's edges.
        const view::DevicePoint size =
            last->record.viewport.deviceFromLogical(window_->canvas()->width(), window_->canvas()->height());
        const QRectF picture(0.0, 0.0, size.x, size.y);
        for (const view::DrawnObject& o : last->record.objects) {
            if (o.kind == carded_->kind && o.id == carded_->id && picture.contains(o.xPx, o.yPx)) {
                showCard(o, view::describe(window_->catalogue(), last->sky, o));
                return;
            }
        }
    }
    card_->hide();
    carded_.reset();
}

bool SkyPointer::eventFilter(QObject* watched, QEvent* event) {
    if (watched == window_->canvas()) {
        switch (event->type()) {
        case QEvent::MouseMove:
            hoverAt(static_cast<QMouseEvent*>(event)->position().toPoint());
            break;
        case QEvent::Leave:
            if (showing_) window_->statusBar()->clearMessage();
            showing_ = false;
            break;
        case QEvent::MouseButtonPress: {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() == Qt::LeftButton && openCardAt(mouse->position().toPoint())) return true;
            break;
        }
        default: break;
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace app
