#include "app/eclipse/eclipse_dialog_widgets.h"

#include <QDate>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QTableWidget>
#include <QVBoxLayout>

#include <cmath>

#include "app/output/eclipse_picture_gui.h"
#include "app/output/film_export_gui.h"
#include "app/output/japanese_font_gui.h"
#include "app/session/eclipse_text.h"
#include "app/window/main_window_widgets.h"
#include "astro/astro.h"

namespace app {

EclipseDialog::EclipseDialog(MainWindow* window) : QDialog(window), window_(window) {
    setObjectName(QStringLiteral("eclipseDialog"));
    setWindowTitle(QStringLiteral("日食・月食"));
    const int year = window_->currentRequest().request.input.year;
    from_ = new QSpinBox(this);
    from_->setObjectName(QStringLiteral("eclipseFrom"));
    to_ = new QSpinBox(this);
    to_->setObjectName(QStringLiteral("eclipseTo"));
    for (QSpinBox* box : {from_, to_}) box->setRange(astro::kMinYear, astro::kMaxYear);
    from_->setValue(year);
    to_->setValue(std::min(year + 10, astro::kMaxYear));
    auto* update = new QPushButton(QStringLiteral("一覧"), this);
    update->setObjectName(QStringLiteral("eclipseRefresh"));
    auto* span = new QHBoxLayout;
    span->addWidget(from_);
    span->addWidget(new QLabel(QStringLiteral("年から"), this));
    span->addWidget(to_);
    span->addWidget(new QLabel(QStringLiteral("年まで"), this));
    span->addWidget(update);
    span->addStretch(1);
    list_ = new QTableWidget(0, 3, this);
    list_->setObjectName(QStringLiteral("eclipseList"));
    list_->setHorizontalHeaderLabels({QStringLiteral("日付"), QStringLiteral("種類"), QStringLiteral("この場所では")});
    list_->horizontalHeader()->setStretchLastSection(true);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_ = new QPlainTextEdit(this);
    table_->setObjectName(QStringLiteral("eclipseTable"));
    table_->setReadOnly(true);
    // The table lines up in columns: IPA Gothic's fixed pitch (a full-width
    // character two half-widths), the proportional face where it is missing.
    QFont fixed = japaneseFont(11.0);
    if (QFontDatabase::families().contains(QStringLiteral("IPAGothic"))) fixed.setFamily(QStringLiteral("IPAGothic"));
    fixed.setStyleHint(QFont::Monospace);
    table_->setFont(fixed);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* draw = buttons->addButton(QStringLiteral("食の最大を描く"), QDialogButtonBox::ActionRole);
    draw->setObjectName(QStringLiteral("eclipseDraw"));
    QPushButton* series = buttons->addButton(QStringLiteral("連続画像・動画…"), QDialogButtonBox::ActionRole);
    series->setObjectName(QStringLiteral("eclipseSeries"));
    connect(series, &QPushButton::clicked, this, &EclipseDialog::exportSeries);
    QPushButton* close = buttons->addButton(QStringLiteral("閉じる"), QDialogButtonBox::RejectRole);
    connect(update, &QPushButton::clicked, this, &EclipseDialog::refresh);
    connect(list_, &QTableWidget::currentCellChanged, this, [this](int row) { choose(row); });
    connect(draw, &QPushButton::clicked, this, &EclipseDialog::drawGreatest);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(span);
    layout->addWidget(list_, 1);
    layout->addWidget(table_, 1);
    layout->addWidget(buttons);
    resize(760, 680);
}

void EclipseDialog::refresh() {
    const WindowRequest w = window_->currentRequest();
    SkyRequest place = w.request;
    place.placeName = w.titlePlaceName();
    const int from = std::min(from_->value(), to_->value()), to = std::max(from_->value(), to_->value());
    const EclipsesAnswer a = answerEclipses(place, astro::LocalDate{from, 1, 1}, astro::LocalDate{to, 12, 31}, w.zone);
    eclipses_ = a.eclipses;
    chosen_ = -1;
    list_->setRowCount(0);
    table_->setPlainText(a.why.empty() ? QString() : QString::fromStdString(a.why));
    list_->setRowCount(static_cast<int>(eclipses_.size()));
    for (int r = 0; r < static_cast<int>(eclipses_.size()); ++r) {
        const astro::LocalEclipse& e = eclipses_[static_cast<std::size_t>(r)];
        const astro::LocalDate d = astro::localDateTime(e.global.greatestJdUt, w.zone.offset).date;
        const bool solar = e.global.kind == astro::EclipseKind::Solar;
        QString here = QStringLiteral("見られない");
        if (e.seen) {
            here = solar ? QString::fromStdString(eclipseNameJa(e.global.kind, e.type)) +
                               QStringLiteral("（食分 %1）").arg(e.magnitude, 0, 'f', 3)
                         : e.global.type == astro::EclipseType::Penumbral
                               ? QStringLiteral("見られる")
                               : QStringLiteral("見られる（食分 %1）").arg(e.umbralMagnitude, 0, 'f', 3);
        }
        const QString cells[] = {QStringLiteral("%1-%2-%3").arg(d.year, 4, 10, QChar('0')).arg(d.month, 2, 10, QChar('0')).arg(d.day, 2, 10, QChar('0')),
                                 QString::fromStdString(eclipseNameJa(e.global.kind, e.global.type)), here};
        for (int c = 0; c < 3; ++c) list_->setItem(r, c, new QTableWidgetItem(cells[c]));
    }
    if (eclipses_.empty() && a.why.empty()) table_->setPlainText(QStringLiteral("この期間に日食・月食はありません。"));
}

void EclipseDialog::choose(int row) {
    if (row < 0 || row >= static_cast<int>(eclipses_.size())) return;
    chosen_ = row;
    const WindowRequest w = window_->currentRequest();
    table_->setPlainText(QString::fromStdString(eclipseText(eclipses_[static_cast<std::size_t>(row)], w.titlePlaceName(), w.zone)));
}

void EclipseDialog::drawGreatest() {
    if (chosen_ < 0) return;
    const astro::LocalEclipse& e = eclipses_[static_cast<std::size_t>(chosen_)];
    double jd = e.global.greatestJdUt;
    for (const astro::EclipseMoment& m : e.events)
        if (m.event == "max") jd = m.jdUt;
    // The window's fields are Japan Standard Time.
    const astro::LocalDateTime t = astro::localMinute(jd, astro::fixedUtcOffset(9 * 3600));
    window_->setMoment(t.date.year, t.date.month, t.date.day, t.hour, t.minute);
    window_->onDrawClicked();
}

bool EclipseDialog::exportSeries() {
    if (chosen_ < 0) return false;
    const astro::LocalEclipse& e = eclipses_[static_cast<std::size_t>(chosen_)];
    const std::vector<double> moments = eclipseSeries(e, 30, 0);
    if (moments.empty()) {
        window_->warn(QStringLiteral("この場所では食になりません。"));
        return false;
    }
    const WindowRequest w = window_->currentRequest();
    const astro::LocalDate d = astro::localDateTime(e.global.greatestJdUt, w.zone.offset).date;
    const QString path = window_->hooks().askSavePath(
        QStringLiteral("eclipse-%1-%2-%3.png").arg(d.year).arg(d.month, 2, 10, QChar('0')).arg(d.day, 2, 10, QChar('0')));
    if (path.isEmpty()) return false;
    if (!filmFormat(path)) {
        window_->warn(QStringLiteral("PNG（連続画像）、GIF、MP4、WebM のどれかの名前をつけてください。"));
        return false;
    }
    FilmRequest film;
    film.frames = static_cast<int>(moments.size());
    film.everyMinutes = 30;
    film.path = path;
    const std::string placeName = w.titlePlaceName();
    const LocalZone zone = w.zone;
    film.drawFrame = [&e, moments, placeName, zone](int index) {
        return renderEclipse(eclipseScene(e, moments[static_cast<std::size_t>(index)], placeName, zone), 1.0);
    };
    const FilmResult result = exportFilm(film, window_->catalogue());
    if (!result.ok()) {
        if (result.status != FilmResult::Status::Cancelled) window_->warn(result.error);
        return false;
    }
    window_->statusBar()->showMessage(filmWrittenText(result), 15000);
    return true;
}

int EclipseDialog::rowCount() const { return list_->rowCount(); }

QString EclipseDialog::tableText() const { return table_->toPlainText(); }

}  // namespace app
