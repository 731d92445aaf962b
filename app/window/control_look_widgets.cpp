#include "app/window/control_look_widgets.h"

#include <QFontMetrics>
#include <QPainter>
#include <QStyleOptionSlider>

#include <algorithm>

#include "app/output/qt_painter_gui.h"
#include "app/session/colour_scheme.h"

namespace app {

void DesignButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRect r = rect();
    const QColor face(kButtonBack.r, kButtonBack.g, kButtonBack.b);
    p.fillRect(r, isDown() ? face.darker(115) : face);
    p.setPen(face.darker(hasFocus() || isDefault() ? 190 : 140));
    p.drawRect(r.adjusted(0, 0, -1, -1));
    if (hasFocus()) p.drawRect(r.adjusted(1, 1, -2, -2));
    p.setPen(isEnabled() ? QColor(Qt::black) : QColor(Qt::darkGray));
    p.setFont(font());
    p.drawText(r.adjusted(2, 1, -2, -1), Qt::AlignCenter | Qt::TextWrapAnywhere, text());
}

int CompactListStyle::pixelMetric(PixelMetric m, const QStyleOption* opt, const QWidget* w) const {
    if (m == PM_ScrollBarExtent) return 9;
    if (m == PM_FocusFrameHMargin) return 0;
    return QProxyStyle::pixelMetric(m, opt, w);
}

void CompactListStyle::drawComplexControl(ComplexControl cc, const QStyleOptionComplex* opt, QPainter* p,
                                          const QWidget* w) const {
    if (const auto* bar = qstyleoption_cast<const QStyleOptionSlider*>(opt); bar && cc == CC_ScrollBar) {
        QStyleOptionSlider stable = *bar;
        stable.palette = keptPalette(bar->palette);
        QProxyStyle::drawComplexControl(cc, &stable, p, w);
        return;
    }
    QProxyStyle::drawComplexControl(cc, opt, p, w);
}

const QPalette& CompactListStyle::keptPalette(const QPalette& palette) const {
    for (const QPalette& k : kept_)
        if (k == palette) return k;
    if (kept_.size() >= 8) kept_.clear();  // the schemes and the warning colours stay far below
    kept_.push_back(palette);
    return kept_.back();
}

namespace {

// The room a line edit gives its text: its width less Qt's two-pixel margin
// on each side and the cursor.
int textRoom(const QLineEdit* e) {
    const QMargins m = e->textMargins();
    return e->width() - m.left() - m.right() - 5;
}

}  // namespace

void fitFaceTo(QLineEdit* edit, const QStringList& texts) {
    QFont f = edit->font();
    for (int stretch = 100; stretch >= 50; stretch -= 2) {
        f.setStretch(stretch);
        const QFontMetrics fm(f);
        int widest = 0;
        for (const QString& t : texts) widest = std::max(widest, fm.horizontalAdvance(t));
        if (widest <= textRoom(edit)) break;
    }
    edit->setFont(f);
}

QPalette schemePalette(const QPalette& base, int scheme) {
    const SchemeColours c = schemeColours(scheme);
    QPalette p = base;
    p.setColor(QPalette::Window, qColour(c.windowBack));
    p.setColor(QPalette::WindowText, qColour(c.windowText));
    p.setColor(QPalette::Base, qColour(c.fieldBack));
    p.setColor(QPalette::AlternateBase, qColour(c.fieldBack));
    p.setColor(QPalette::Text, qColour(c.fieldText));
    p.setColor(QPalette::Highlight, qColour(c.highlightBack));
    p.setColor(QPalette::HighlightedText, qColour(c.highlightText));
    p.setColor(QPalette::Button, qColour(c.barBack));
    p.setColor(QPalette::ButtonText, qColour(c.fieldText));
    p.setColor(QPalette::ToolTipBase, QColor(255, 255, 225));
    p.setColor(QPalette::ToolTipText, Qt::black);
    return p;
}

QPalette warningPalette() {
    QPalette p;
    p.setColor(QPalette::Base, qColour(kWarningBack));
    p.setColor(QPalette::Text, qColour(kWarningText));
    return p;
}

}  // namespace app
