// Pointing at the picture: hovering names the object under the pointer (or
// the altitude and azimuth of the sky there) in the status bar, clicking an
// object opens its card. The answer comes from what the canvas last drew
// (its DrawRecord), through view::answerAt, the same as --identify.
#pragma once

#include <QObject>
#include <QPoint>
#include <QString>

#include <optional>

#include "view/finder.h"

namespace app {

class MainWindow;
class ObjectCard;

class SkyPointer : public QObject {
    Q_OBJECT

public:
    // Watches the window's canvas.
    explicit SkyPointer(MainWindow* window);

    // What the picture shows at a point of the canvas (logical pixels);
    // nothing before the first drawing.
    std::optional<view::PointAnswer> answerAt(QPoint canvasPos) const;
    // The status-bar line for that answer; empty where the picture shows
    // neither an object nor the sky.
    static QString hoverText(const view::PointAnswer& answer);

    // Opens the card of the object at this canvas point, if there is one.
    bool openCardAt(QPoint canvasPos);
    ObjectCard* card() const { return card_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void hoverAt(QPoint canvasPos);
    // Shows the card of a drawn object of the last picture, with its facts.
    void showCard(const view::DrawnObject& drawn, const view::ObjectInfo& info);
    // After a new picture (the timer's step, a redraw): an open card shows
    // its object at the new moment beside its new place, or closes when the
    // object is no longer drawn (set, hidden by day, a meteor gone).
    void followWithCard();

    MainWindow* window_;
    ObjectCard* card_ = nullptr;
    bool showing_ = false;  // a hover line is in the status bar
    std::optional<view::DrawnObject> carded_;  // the object of the open card
};

}  // namespace app
