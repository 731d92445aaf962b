// The card of a clicked object: a small popup beside it with its name,
// designation, magnitude and colour, position, and the day's rise, transit
// and set. Esc or a click elsewhere closes it. The words are the session's
// (card_text.h), the same the page's card and --identify's "card" give.
#pragma once

#include <QFrame>
#include <QString>

#include "app/session/card_text.h"

class QLabel;

namespace app {

// The card's text as rich text: cardLines, the name in bold.
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
