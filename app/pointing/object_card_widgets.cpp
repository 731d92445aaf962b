#include "app/pointing/object_card_widgets.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

#include <cmath>

namespace app {

namespace {

QString qstr(const std::string& s) { return QString::fromStdString(s); }

QString number(double v, int decimals, bool minusSign = true) {
    return qstr(view::fixedText(v, decimals, minusSign));
}

// "6h 45.1m": right ascension in hours and decimal minutes.
QString raText(double hours) {
    double h = std::fmod(hours, 24.0);
    if (h < 0) h += 24.0;
    int wholeHours = static_cast<int>(h);
    double minutes = std::round((h - wholeHours) * 600.0) / 10.0;
    if (minutes >= 60.0) {
        minutes = 0.0;
        wholeHours = (wholeHours + 1) % 24;
    }
    return QStringLiteral("%1h %2m").arg(wholeHours).arg(number(minutes, 1));
}

// "−16° 43′": declination in degrees and whole minutes.
QString decText(double deg) {
    const long totalMinutes = std::lround(std::fabs(deg) * 60.0);
    return QStringLiteral("%1%2° %3′")
        .arg(deg < 0 && totalMinutes > 0 ? QStringLiteral("−") : QStringLiteral("+"))
        .arg(totalMinutes / 60)
        .arg(totalMinutes % 60, 2, 10, QLatin1Char('0'));
}

// "5:07" in the zone, rounded to the minute; "--:--" for none.
QString clockText(const std::optional<astro::SkyEvent>& e, const astro::UtcOffsetFn& zone) {
    if (!e) return QStringLiteral("--:--");
    const astro::LocalDateTime t = astro::localMinute(e->jdUt, zone);
    return QStringLiteral("%1:%2").arg(t.hour).arg(t.minute, 2, 10, QLatin1Char('0'));
}

}  // namespace

QString cardText(const CardFacts& facts, const astro::UtcOffsetFn& zone) {
    const view::ObjectInfo& o = facts.info;
    QStringList lines;
    lines << QStringLiteral("<b style='font-size:120%'>%1</b>").arg(qstr(o.name).toHtmlEscaped());
    if (o.kind == view::DrawnKind::Meteor) {
        if (!o.shower.empty()) lines << qstr(o.shower).toHtmlEscaped();
        return lines.join(QStringLiteral("<br>"));
    }
    if (o.kind == view::DrawnKind::Star) {
        QString designation = qstr(o.designationJa.empty() ? o.designation : o.designationJa);
        if (o.hr > 0) designation += QStringLiteral(" (HR %1)").arg(o.hr);
        lines << designation.toHtmlEscaped();
        QString brightness = QStringLiteral("%1等").arg(number(o.mag, 2));
        if (o.hasBv) {
            brightness += QStringLiteral("　%1（B−V %2）").arg(qstr(o.colourWord), number(o.bv, 2));
        }
        lines << brightness;
    } else {
        // A cluster or nebula: its number and kind; it and the bodies: the
        // constellation they stand in and, but for the Sun and Moon, magnitude.
        if (o.kind == view::DrawnKind::DeepSky)
            lines << QStringLiteral("%1　%2").arg(qstr(o.designation), qstr(o.typeJa)).toHtmlEscaped();
        QString where = qstr(o.constellation).toHtmlEscaped();
        if (o.hasMag) where += (where.isEmpty() ? QString() : QStringLiteral("　")) + QStringLiteral("%1等").arg(number(o.mag, 1));
        if (!where.isEmpty()) lines << where;
    }
    if (o.kind == view::DrawnKind::Moon) {
        QString moon = QStringLiteral("輝面比 %1%").arg(number(o.moonIllum * 100.0, 0, false));
        if (facts.moonAgeDays) moon += QStringLiteral("　月齢 %1（この時刻）").arg(number(*facts.moonAgeDays, 1, false));
        lines << moon;
    }
    lines << QStringLiteral("赤経 %1　赤緯 %2").arg(raText(o.raHours), decText(o.decDeg));
    lines << QStringLiteral("高度 %1°　方位 %2°（%3）")
                 .arg(number(o.altDeg, 1), number(o.azDeg, 1, false), QString::fromUtf8(view::compassPointJa(o.azDeg)));
    lines << QStringLiteral("今日　出 %1　南中 %2　入り %3")
                 .arg(clockText(facts.day.rise, zone), clockText(facts.day.transit, zone), clockText(facts.day.set, zone));
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
