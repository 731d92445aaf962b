#include "app/pointing/object_card_widgets.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>


namespace app {

QString cardText(const CardFacts& facts, const astro::UtcOffsetFn& zone) {
    QStringList lines;
    for (const std::string& line : cardLines(facts, zone)) {
        const QString text = QString::fromStdString(line).toHtmlEscaped();
        lines << (lines.isEmpty() ? QStringLiteral("<b style='font-size:120%'>%1</b>").arg(text) : text);
    }
    return lines.join(QStringLiteral("<br>"));
}

ObjectCard::ObjectCard(QWidget* parent) : QFrame(parent, Qt::Popup) {
    setObjectName(QStringLiteral("objectCard"));
    setFrameShape(QFrame::Box);
    setLineWidth(1);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(255, 255, 225));
    p.setColor(QPalette::WindowText, Qt::black);
    setPalette(p);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 6, 8, 6);
    text_ = new QLabel(this);
    text_->setObjectName(QStringLiteral("cardText"));
    text_->setTextFormat(Qt::RichText);
    QFont f = text_->font();
    f.setPointSizeF(f.pointSizeF() * 1.15);
    text_->setFont(f);
    layout->addWidget(text_);
}

void ObjectCard::showFor(const CardFacts& facts, const astro::UtcOffsetFn& zone, QPoint globalPos) {
    text_->setText(cardText(facts, zone));
    adjustSize();
    // Beside the object, not over it; inside the screen it is on.
    QPoint at = globalPos + QPoint(14, 14);
    if (const QScreen* screen = QGuiApplication::screenAt(globalPos)) {
        const QRect area = screen->availableGeometry();
        if (at.x() + width() > area.right()) at.setX(globalPos.x() - 14 - width());
        if (at.y() + height() > area.bottom()) at.setY(globalPos.y() - 14 - height());
        at.setX(std::max(at.x(), area.left()));
        at.setY(std::max(at.y(), area.top()));
    }
    move(at);
    show();
    raise();
}

QString ObjectCard::text() const { return text_->text(); }

}  // namespace app
