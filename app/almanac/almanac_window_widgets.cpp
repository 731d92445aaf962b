#include "app/almanac/almanac_window_widgets.h"

#include "astro/number_text.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include <charconv>
#include <cmath>

#include "app/output/safe_write_qtcore.h"
#include "app/session/answers.h"
#include "app/zones/time_zones_qtcore.h"
#include "astro/calendar.h"
#include "catalog/name_search.h"

namespace app {

namespace {

const auto& kBodyNamesJa = catalog::kBodyNames;
const char* const kWeekdays[7] = {"月", "火", "水", "木", "金", "土", "日"};

QString decimals(double x, int n) { return QString::fromStdString(astro::fixedText(std::isfinite(x) ? x : 0.0, n)); }

QString hm(const std::optional<double>& jd, const astro::AlmanacDay& day, const LocalZone& zone) {
    return QString::fromStdString(hourMinute(jd, day, zone.offset));
}

std::optional<double> timeOf(const std::optional<astro::SkyEvent>& e) {
    return e ? std::optional<double>(e->jdUt) : std::nullopt;
}

QTableWidget* makeTable(const QString& objectName, const QStringList& columns, QWidget* parent) {
    auto* t = new QTableWidget(0, static_cast<int>(columns.size()), parent);
    t->setObjectName(objectName);
    t->setHorizontalHeaderLabels(columns);
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setSelectionMode(QAbstractItemView::NoSelection);
    t->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    t->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    return t;
}

void setCell(QTableWidget* t, int row, int col, const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment(Qt::AlignCenter);
    t->setItem(row, col, item);
}

// Day of the week of a date (ymdYD counts days from a Monday + 0.5).
int weekday(const astro::LocalDate& d) {
    const long long jdn = std::llround(astro::ymdYD(d.year, d.month, d.day) + 0.5);
    return static_cast<int>(((jdn % 7) + 7) % 7);
}

QString dateJa(const astro::LocalDate& d) {
    return QStringLiteral("%1年%2月%3日（%4）")
        .arg(d.year)
        .arg(d.month)
        .arg(d.day)
        .arg(QString::fromUtf8(kWeekdays[weekday(d)]));
}

}  // namespace

QString almanacStatusText(const astro::AlmanacDay& day, const LocalZone& zone) {
    return QStringLiteral("正午月齢 %1　日の出 %2　日の入り %3")
        .arg(decimals(day.moonAgeDays, 1), hm(timeOf(day.bodies[astro::Sun].rise), day, zone),
             hm(timeOf(day.bodies[astro::Sun].set), day, zone));
}

QString riseSetCellText(const std::optional<astro::SkyEvent>& e, astro::UpState up, const astro::AlmanacDay& day,
                        const LocalZone& zone) {
    if (e) return hm(e->jdUt, day, zone) + QStringLiteral("　方位 %1°").arg(decimals(e->azDeg, 0));
    if (up == astro::UpState::Always) return QStringLiteral("一日中地平線の上");
    if (up == astro::UpState::Never) return QStringLiteral("一日中地平線の下");
    return QStringLiteral("--:--");
}

AlmanacWindow::AlmanacWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("almanacWindow"));
    setWindowTitle(QStringLiteral("こよみ"));
    resize(720, 640);

    auto* layout = new QVBoxLayout(this);
    heading_ = new QLabel(this);
    heading_->setObjectName(QStringLiteral("almanacHeading"));
    layout->addWidget(heading_);
    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("almanacTabs"));
    layout->addWidget(tabs_, 1);

    auto* dayPage = new QWidget(tabs_);
    auto* dayLayout = new QVBoxLayout(dayPage);
    // The rows name the body: 太陽 出, 月 出, 金星 出.
    bodyTable_ = makeTable(QStringLiteral("almanacBodies"), {"出", "南中", "入り"}, dayPage);
    bodyTable_->setRowCount(astro::kAllBodyCount);
    QStringList bodyRows;
    for (const astro::Body b : kAlmanacOrder) bodyRows << QString::fromUtf8(kBodyNamesJa[b]);
    bodyTable_->setVerticalHeaderLabels(bodyRows);
    dayLayout->addWidget(bodyTable_, 3);
    twilightTable_ = makeTable(QStringLiteral("almanacTwilight"), {"始まり", "終わり"}, dayPage);
    twilightTable_->setRowCount(3);
    twilightTable_->setVerticalHeaderLabels({"常用薄明", "航海薄明", "天文薄明"});
    dayLayout->addWidget(twilightTable_, 2);
    moonAge_ = new QLabel(dayPage);
    moonAge_->setObjectName(QStringLiteral("almanacMoonAge"));
    dayLayout->addWidget(moonAge_);
    phaseTable_ = makeTable(QStringLiteral("almanacPhases"), {"月相", "日時"}, dayPage);
    phaseTable_->setRowCount(4);
    dayLayout->addWidget(phaseTable_, 2);
    tabs_->addTab(dayPage, QStringLiteral("その日"));

    auto* monthPage = new QWidget(tabs_);
    auto* monthLayout = new QVBoxLayout(monthPage);
    monthTable_ = makeTable(QStringLiteral("almanacMonth"), {"日付", "日の出", "日の入り", "月の出", "月の入り", "正午月齢", "月相"},
                            monthPage);
    monthTable_->verticalHeader()->hide();
    monthLayout->addWidget(monthTable_, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    exportButton_ = new QPushButton(QStringLiteral("CSV に書き出す…"), monthPage);
    exportButton_->setObjectName(QStringLiteral("almanacExport"));
    buttons->addWidget(exportButton_);
    monthLayout->addLayout(buttons);
    tabs_->addTab(monthPage, QStringLiteral("月間"));

    connect(exportButton_, &QPushButton::clicked, this, &AlmanacWindow::onExportClicked);
    askExportPath = [this](const QString& suggested) {
        return QFileDialog::getSaveFileName(this, QStringLiteral("CSV に書き出す"), suggested,
                                            QStringLiteral("CSV (*.csv)"));
    };
    warn = [this](const QString& text) { QMessageBox::warning(this, QStringLiteral("こよみ"), text); };
}

QString AlmanacWindow::heading() const {
    const QString place = subject_.placeName.empty()
                              ? QStringLiteral("北緯 %1°　東経 %2°")
                                    .arg(decimals(subject_.moment.latDeg, 2), decimals(subject_.moment.lonDeg, 2))
                              : QString::fromStdString(subject_.placeName).trimmed();
    return QStringLiteral("%1　%2　%3")
        .arg(place, dateJa(day_.date),
             QString::fromStdString(zoneHeading(subject_.zone, day_.startJdUt + 0.5, subject_.placeName)));
}

void AlmanacWindow::showSubject(const AlmanacSubject& subject) {
    const astro::LocalDate date = localDateOfRequest(subject.moment, subject.zone);
    const std::string key = std::to_string(date.year) + "-" + std::to_string(date.month) + "-" +
                            std::to_string(date.day) + "|" + decimals(subject.moment.latDeg, 6).toStdString() + "|" +
                            decimals(subject.moment.lonDeg, 6).toStdString() + "|" + subject.zone.name + "|" +
                            subject.placeName;
    if (shownKey_ && *shownKey_ == key) return;
    const bool sameMonth = !month_.empty() && shownKey_ && month_.front().date.year == date.year &&
                           month_.front().date.month == date.month &&
                           shownKey_->substr(shownKey_->find('|')) == key.substr(key.find('|'));
    subject_ = subject;
    shownKey_ = key;
    day_ = almanacDayAt(date, subject.moment.latDeg, subject.moment.lonDeg, subject.zone);
    if (!sameMonth) {
        month_ = almanacMonthAt(date, subject.moment.latDeg, subject.moment.lonDeg, subject.zone);
        fillMonthTab();
    }
    heading_->setText(heading());
    fillDayTab();
}

void AlmanacWindow::fillDayTab() {
    const LocalZone& z = subject_.zone;
    for (int row = 0; row < astro::kAllBodyCount; ++row) {
        const astro::BodyDay& bd = day_.bodies[static_cast<std::size_t>(kAlmanacOrder[static_cast<std::size_t>(row)])];
        setCell(bodyTable_, row, 0, riseSetCellText(bd.rise, bd.up, day_, z));
        setCell(bodyTable_, row, 1,
                bd.transit ? hm(bd.transit->jdUt, day_, z) + QStringLiteral("　高度 %1°").arg(decimals(bd.transit->altDeg, 1))
                           : QStringLiteral("--:--"));
        setCell(bodyTable_, row, 2, riseSetCellText(bd.set, bd.up, day_, z));
    }
    const astro::Twilight* tw[3] = {&day_.civil, &day_.nautical, &day_.astronomical};
    for (int k = 0; k < 3; ++k) {
        setCell(twilightTable_, k, 0, hm(tw[k]->beginJdUt, day_, z));
        setCell(twilightTable_, k, 1, hm(tw[k]->endJdUt, day_, z));
    }
    moonAge_->setText(QStringLiteral("月齢 %1（正午）").arg(decimals(day_.moonAgeDays, 1)));
    for (int i = 0; i < 4; ++i) {
        const astro::PhaseEvent& p = day_.nextPhases[static_cast<std::size_t>(i)];
        const astro::LocalDateTime t = astro::localDateTime(p.jdUt, z.offset);
        setCell(phaseTable_, i, 0, QString::fromUtf8(phaseNameJa(p.kind)));
        setCell(phaseTable_, i, 1,
                QStringLiteral("%1月%2日 %3:%4")
                    .arg(t.date.month)
                    .arg(t.date.day)
                    .arg(t.hour, 2, 10, QLatin1Char('0'))
                    .arg(t.minute, 2, 10, QLatin1Char('0')));
    }
}

void AlmanacWindow::fillMonthTab() {
    const LocalZone& z = subject_.zone;
    monthTable_->setRowCount(static_cast<int>(month_.size()));
    for (int r = 0; r < static_cast<int>(month_.size()); ++r) {
        const astro::AlmanacDay& d = month_[static_cast<std::size_t>(r)];
        QString phases;
        for (const astro::PhaseEvent& p : d.nextPhases)
            if (p.jdUt >= d.startJdUt && p.jdUt < d.endJdUt)
                phases += (phases.isEmpty() ? QString() : QStringLiteral(" ")) + QString::fromUtf8(phaseNameJa(p.kind));
        setCell(monthTable_, r, 0,
                QStringLiteral("%1日（%2）").arg(d.date.day).arg(QString::fromUtf8(kWeekdays[weekday(d.date)])));
        setCell(monthTable_, r, 1, hm(timeOf(d.bodies[astro::Sun].rise), d, z));
        setCell(monthTable_, r, 2, hm(timeOf(d.bodies[astro::Sun].set), d, z));
        setCell(monthTable_, r, 3, hm(timeOf(d.bodies[astro::Moon].rise), d, z));
        setCell(monthTable_, r, 4, hm(timeOf(d.bodies[astro::Moon].set), d, z));
        setCell(monthTable_, r, 5, decimals(d.moonAgeDays, 1));
        setCell(monthTable_, r, 6, phases);
    }
}

QString AlmanacWindow::exportMonth(const QString& path) const {
    // What a spreadsheet on a Japanese PC reads as UTF-8: a byte-order mark
    // and CRLF line ends (--almanac keeps plain UTF-8 with LF).
    std::string csv = almanacCsv(month_, subject_.zone);
    std::string windows = "\xEF\xBB\xBF";
    windows.reserve(csv.size() + csv.size() / 16 + 3);
    for (const char c : csv) {
        if (c == '\n') windows += '\r';
        windows += c;
    }
    return writeFileSafely(path, QByteArray::fromStdString(windows));
}

QString AlmanacWindow::suggestedExportName() const {
    const astro::LocalDate& d = month_.front().date;
    QString place = QString::fromStdString(subject_.placeName).trimmed();
    if (place.isEmpty()) {
        place = QStringLiteral("%1%2%3%4")
                    .arg(subject_.moment.latDeg < 0 ? "S" : "N", decimals(std::fabs(subject_.moment.latDeg), 2),
                         subject_.moment.lonDeg < 0 ? "W" : "E", decimals(std::fabs(subject_.moment.lonDeg), 2));
    }
    return QStringLiteral("koyomi-%1-%2-%3.csv").arg(d.year).arg(d.month, 2, 10, QLatin1Char('0')).arg(place);
}

void AlmanacWindow::onExportClicked() {
    if (month_.empty()) return;
    const QString path = askExportPath ? askExportPath(suggestedExportName()) : QString();
    if (path.isEmpty()) return;
    const QString error = exportMonth(path);
    if (!error.isEmpty() && warn) warn(failedWriteText(QStringLiteral("こよみの CSV を"), QStringLiteral("書き出し"), path, error));
}

}  // namespace app
