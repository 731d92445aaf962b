#include "app/pointing/find_dialog_widgets.h"

#include "app/session/find_text.h"
#include "app/session/time_step.h"

#include "view/zenith_projector.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QKeyEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QStringListModel>
#include <QTimer>

#include <algorithm>
#include <cmath>

#include "app/session/answers.h"
#include "app/window/main_window_widgets.h"
#include "app/window/sky_canvas_widgets.h"
#include "app/zones/time_zones_qtcore.h"

namespace app {

namespace {

QString qstr(const std::string& s) { return QString::fromStdString(s); }



// The picture whose centre azimuth is nearest (north 0, east 90, ...).
view::Direction nearestDirection(double azDeg) {
    const long quarter = std::lround(azDeg / 90.0);
    return static_cast<view::Direction>(((quarter % 4) + 4) % 4);
}

}  // namespace

SkyRing::SkyRing(SkyCanvas* canvas) : QWidget(canvas) {
    setObjectName(QStringLiteral("findRing"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    hide();
    hide_ = new QTimer(this);
    hide_->setSingleShot(true);
    connect(hide_, &QTimer::timeout, this, &QWidget::hide);
    // A new picture may have moved the object.
    connect(canvas, &SkyCanvas::skyDrawn, this, [this] {
        hide_->stop();
        hide();
    });
}

void SkyRing::mark(QPointF centre, double radius) {
    const double r = std::max(radius + 10.0, 16.0);
    const int side = static_cast<int>(std::ceil(2.0 * r)) + 6;
    setGeometry(static_cast<int>(std::lround(centre.x())) - side / 2, static_cast<int>(std::lround(centre.y())) - side / 2,
                side, side);
    show();
    raise();
    update();
    hide_->start(kShownMs);
}

void SkyRing::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(Qt::NoBrush);
    const QRectF circle = QRectF(rect()).adjusted(3, 3, -3, -3);
    // Dark under light, so the ring shows on the night and the day sky.
    p.setPen(QPen(QColor(0, 0, 0, 160), 4));
    p.drawEllipse(circle);
    p.setPen(QPen(QColor(255, 220, 60), 2));
    p.drawEllipse(circle);
}

FindDialog::FindDialog(MainWindow* window) : QDialog(window), window_(window), names_(window->catalogue()) {
    setObjectName(QStringLiteral("findDialog"));
    setWindowTitle(QStringLiteral("天体を探す"));
    setModal(false);
    auto* grid = new QGridLayout(this);
    auto* label = new QLabel(QStringLiteral("名前"), this);
    name_ = new QLineEdit(this);
    name_->setObjectName(QStringLiteral("findName"));
    name_->setPlaceholderText(QStringLiteral("シリウス、オリオン座、α Ori、HR 2491 …"));
    name_->setMinimumWidth(260);
    label->setBuddy(name_);
    auto* button = new QPushButton(QStringLiteral("探す"), this);
    button->setObjectName(QStringLiteral("findButton"));
    button->setDefault(true);
    result_ = new QLabel(this);
    result_->setObjectName(QStringLiteral("findResult"));
    result_->setWordWrap(true);
    result_->setMinimumHeight(2 * result_->fontMetrics().height());
    grid->addWidget(label, 0, 0);
    grid->addWidget(name_, 0, 1);
    grid->addWidget(button, 0, 2);
    grid->addWidget(result_, 1, 0, 1, 3);

    // The offered names follow the typed text through the name index, which
    // folds kana and widths; the completer shows them as they are.
    offered_ = new QStringListModel(this);
    completer_ = new QCompleter(offered_, this);
    completer_->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    completer_->setMaxVisibleItems(12);
    name_->setCompleter(completer_);
    completer_->popup()->installEventFilter(this);
    connect(name_, &QLineEdit::textEdited, this, &FindDialog::onEdited);
    connect(completer_, qOverload<const QString&>(&QCompleter::activated), this, &FindDialog::findLater);
    connect(button, &QPushButton::clicked, this, [this] { findLater(name_->text()); });

    ring_ = new SkyRing(window_->canvas());
    askSetTime = [this](const QString& text) {
        return QMessageBox::question(this, windowTitle(), text, QMessageBox::Yes | QMessageBox::No,
                                     QMessageBox::Yes) == QMessageBox::Yes;
    };
}

QStringList FindDialog::completions(const QString& typed) const {
    // One name per object: シリウス, not シリウス and ｼﾘｳｽ as well.
    QStringList out;
    std::vector<catalog::NameTarget> offered;
    for (const catalog::NameEntry* e : names_.complete(typed.toStdString(), 40)) {
        if (std::find(offered.begin(), offered.end(), e->target) != offered.end()) continue;
        offered.push_back(e->target);
        out << qstr(e->text);
        if (out.size() == 20) break;
    }
    return out;
}

bool FindDialog::eventFilter(QObject* watched, QEvent* event) {
    // Return with the list of names open but none chosen looks for what is
    // typed (the completer would only close the list).
    if (watched == completer_->popup() && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && !completer_->popup()->currentIndex().isValid()) {
            completer_->popup()->hide();
            findLater(name_->text());
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void FindDialog::onEdited(const QString& text) {
    offered_->setStringList(text.trimmed().isEmpty() ? QStringList() : completions(text));
    if (offered_->rowCount() > 0) completer_->complete();
}

void FindDialog::findLater(const QString& name) {
    // Return on a completion both activates it and presses the button: one
    // search for both.
    const bool scheduled = !pending_.isNull();
    pending_ = name;
    if (scheduled) return;
    QTimer::singleShot(0, this, [this] {
        const QString n = pending_;
        pending_ = QString();
        find(n);
    });
}

void FindDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (placed_) return;
    placed_ = true;
    // First shown at the top of the picture, just under the controls, where
    // the projection's edge leaves little sky, rather than over the middle
    // where what it finds is usually ringed.
    adjustSize();
    const QRect w = window_->geometry();
    move(w.left() + (w.width() - width()) / 2, w.top() + 150);
}

QString FindDialog::resultText() const { return result_->text(); }

void FindDialog::say(const QString& text) { result_->setText(text); }

void FindDialog::find(const QString& typed) {
    const QString name = typed.trimmed();
    if (name.isEmpty()) return;
    const WindowRequest req = window_->currentRequest();
    const astro::SkyState sky = window_->computeSky(req.reading.input);
    // The session's answer, as --find and the browser get it.
    last_ = findIn(sky, window_->catalogue(), names_, name.toStdString(),
                   req.direction == view::Direction::Zenith, req.zone);
    const view::FoundObject& found = last_->found;
    if (found.status == view::FoundObject::Status::Unknown) {
        QStringList offer;
        for (const std::string& c : last_->candidates) offer << qstr(c);
        say(offer.isEmpty() ? QStringLiteral("「%1」という天体は見つかりません").arg(name)
                            : QStringLiteral("「%1」という天体は見つかりません（%2 のことですか）")
                                  .arg(name, offer.join(QStringLiteral("、"))));
        return;
    }
    if (found.status == view::FoundObject::Status::NoStarInTable) {
        say(qstr(findSentence(*last_, req.zone)));
        return;
    }
    // A constellation: its figure is drawn from now on.
    if (found.target.kind == catalog::NameKind::Constellation) window_->showFigure(found.figure);
    if (found.aboveHorizon) {
        turnTo(found, qstr(findSentence(*last_, req.zone)));
    } else {
        offerRise(found, last_->nextRise, sky.jdUt, qstr(findSentence(*last_, req.zone)));
    }
}

void FindDialog::turnTo(const view::FoundObject& found, QString text) {
    const view::ObjectInfo& o = found.info;
    // The all-sky view holds everything above the horizon: it stays, and it
    // is chosen for what no quarter holds (near the zenith).
    const bool allSky = !found.picture || found.picture->dir == view::Direction::Zenith;
    window_->drawToward(allSky ? view::Direction::Zenith : found.picture->dir);
    if (!markDrawn(o)) {
        if (found.drawn) text += QStringLiteral("天頂付近のため絵に入りません。");
    }
    say(text);
}

void FindDialog::offerRise(const view::FoundObject& found, const std::optional<astro::SkyEvent>& rise, double nowJdUt,
                           const QString& answer) {
    const view::ObjectInfo& o = found.info;
    say(answer);
    if (!rise) return;
    const LocalZone zone = window_->currentRequest().zone;
    const QString sentence = qstr(riseSentence(*rise, nowJdUt, zone.offset));
    if (!askSetTime(answer + QStringLiteral("\n時刻をその時にして描きますか？"))) return;
    // The fields hold Japan Standard Time.
    const astro::LocalDateTime jst = astro::localMinute(rise->jdUt, astro::fixedUtcOffset(kJstOffsetSeconds));
    // With trails the sky is drawn at the end of their span: the span ends
    // at the rise, so the picture shows the moment the sentence names.
    const int span = window_->currentRequest().picture.trailMinutes;
    const std::optional<CivilMinute> start =
        advanceMinutes(jst.date.year, jst.date.month, jst.date.day, jst.hour, jst.minute, -span);
    if (!start) return;
    window_->setMoment(start->year, start->month, start->day, start->hour, start->minute);
    // The picture that holds the rising point on the horizon: the all-sky
    // view when it is shown, else the quarter.
    std::optional<view::PictureChoice> horizon = view::pictureShowing(0.0, rise->azDeg);
    if (window_->currentRequest().direction == view::Direction::Zenith)
        horizon = view::PictureChoice{view::Direction::Zenith, view::zenithProjector().place(0.0, rise->azDeg).at};
    const view::Direction dir = horizon ? horizon->dir : nearestDirection(rise->azDeg);
    window_->drawToward(dir);
    // The message now speaks of the moment drawn, not of the one before.
    QString drawnText = span > 0 ? QStringLiteral("%1は%2。その時刻までの軌跡を描きました").arg(qstr(o.name), sentence)
                                 : QStringLiteral("%1は%2。その時刻の空を描きました").arg(qstr(o.name), sentence);
    if (const std::optional<ChartScene> shown = window_->shownChart(); shown && shown->sky.bodyAltDeg[astro::Sun] > 0.0)
        drawnText += QStringLiteral("（昼間の空です）");
    if (markDrawn(o)) {
        say(drawnText + QStringLiteral("。"));
        return;
    }
    // Not yet above the drawn horizon at that minute: ring where it comes up.
    if (horizon && horizon->dir == dir) {
        ring_->mark(window_->canvas()->widgetPoint(horizon->at.x, horizon->at.y), 0.0);
        drawnText += QStringLiteral("（昇ってくる所を丸で示しています）");
    }
    say(drawnText + QStringLiteral("。"));
}

bool FindDialog::markDrawn(const view::ObjectInfo& info) {
    const std::optional<DrawnSky>& drawn = window_->canvas()->lastDrawn();
    if (!drawn) return false;
    const view::Viewport& v = drawn->record.viewport;
    for (const view::DrawnObject& d : drawn->record.objects) {
        if (d.kind != info.kind || d.id != info.id) continue;
        const view::DevicePoint at = v.logicalFromDevice(d.xPx, d.yPx);
        ring_->mark(QPointF(at.x, at.y), v.logicalLength(d.radiusPx));
        return true;
    }
    return false;
}

}  // namespace app
