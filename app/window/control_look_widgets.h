#pragma once
// How the window's small controls look within the design's rectangles: the
// buttons' flat face in the design's colour, the lists' narrow scroll bars,
// and line-edit faces narrowed until the texts the program writes fit.

#include <QLineEdit>
#include <QPalette>
#include <QProxyStyle>
#include <QPushButton>
#include <QStringList>

#include <vector>

namespace app {

// A push button in the design's colour whose caption wraps onto a second
// line when it is wider than the button, as "プラネタリウム" must in its
// 57-pixel button. The face is painted flat: a style's gradient would leave
// no pixel of the design's colour.
class DesignButton final : public QPushButton {
public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent*) override;
};

// Narrow scroll bars and slim item margins for the small lists, so "120"
// still fits beside the bar in the 41-pixel time lists and every place name
// shows its first characters in lstCITY.
class CompactListStyle final : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    int pixelMetric(PixelMetric m, const QStyleOption* opt, const QWidget* w) const override;

    // Fusion caches the pictures of scroll bars under the palette's cache
    // key, and every change of a widget's palette makes a new key: each
    // switch between night and day colours would add a set of pictures and
    // keys to the cache (measured: 5.5 KiB per switch, growing for as long as
    // the program runs). Drawing with one kept palette per set of colours
    // finds the pictures of the earlier switches again.
    void drawComplexControl(ComplexControl cc, const QStyleOptionComplex* opt, QPainter* p,
                            const QWidget* w) const override;

private:
    const QPalette& keptPalette(const QPalette& palette) const;
    mutable std::vector<QPalette> kept_;
};

// The palette of colour scheme 1 (night) or 2 (day) on top of `base`: the
// picture's background and text, the fields, the lists' highlight and bars.
QPalette schemePalette(const QPalette& base, int scheme);

// The palette of a text box whose text could not be used as typed.
QPalette warningPalette();

// Narrows the box's face (font stretch 100 % down to 50 %) until every text
// in `texts` fits the room the box gives its text. The design's boxes are
// barely wider than their text: "2026" in 41 pixels at 14.25 pt.
void fitFaceTo(QLineEdit* edit, const QStringList& texts);

}  // namespace app
