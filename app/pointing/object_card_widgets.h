// The card of a clicked object: a small popup beside it with its name,
// designation, magnitude and colour, position, and the day's rise, transit
// and set. Esc or a click elsewhere closes it. The facts come from
// view/object_info and view/finder, the same as the command line's.
#pragma once

#include <QFrame>
#include <QString>

#include <optional>

#include "astro/almanac.h"
#include "view/finder.h"
#include "view/object_info.h"

class QLabel;

namespace app {

// What the card shows: the object, its events of the local day and, for the
// Moon, its age.
struct CardFacts {
    view::ObjectInfo info;
    view::DayEvents day;
    std::optional<double> moonAgeDays;
};

// The card's text as rich text, one fact a line: name, designation
// (「おおいぬ座 α星 (HR 2491)」), magnitude, colour, RA/Dec, alt/az and the
// rise, transit and set in the zone's wall-clock time.
QString cardText(const CardFacts& facts, const astro::UtcOffsetFn& zone);

class ObjectCard : public QFrame {
    Q_OBJECT

public:
    explicit ObjectCard(QWidget* parent);

    // Shows the card with these facts, its top-left corner just beside
    // `globalPos` (the object) and kept on the screen.
    void showFor(const CardFacts& facts, const astro::UtcOffsetFn& zone, QPoint globalPos);
    QString text() const;

private:
    QLabel* text_ = nullptr;
};

}  // namespace app
