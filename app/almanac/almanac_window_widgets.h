// こよみ: the almanac window. A non-modal window with two tabs: その日 (the
// day's rise, transit and set of the Sun, the Moon and the planets, the
// twilights, the Moon's age and the next principal phases) and 月間 (the
// month, one row per day, with a CSV export). It shows what it is given;
// the main window hands it the moment and place it draws for. The numbers
// come from astro/almanac.h, the texts from cli_almanac.h, so the window and
// the command line agree.
#pragma once

#include <QString>
#include <QWidget>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/session/almanac_text.h"
#include "astro/almanac.h"

class QLabel;
class QPushButton;
class QTabWidget;
class QTableWidget;

namespace app {

// What the almanac is asked for: the local day containing the entered moment
// at a place, and that day's month.
struct AlmanacSubject {
    astro::SkyInput moment;  // entered moment (JST) and the place's coordinates
    std::string placeName;   // empty for a typed place
    LocalZone zone;
};

// The status bar's almanac text: "月齢 21.9　日の出 06:47　日の入り 16:57"
// (日の出/日の入り "--:--" when there is none that day).
QString almanacStatusText(const astro::AlmanacDay& day, const LocalZone& zone);

// The text of a body's rise or set cell: the time and azimuth, "--:--", or
// 一日中地平線の上 / 一日中地平線の下 when that is why there is none.
QString riseSetCellText(const std::optional<astro::SkyEvent>& e, astro::UpState up,
                        const astro::AlmanacDay& day, const LocalZone& zone);

class AlmanacWindow : public QWidget {
    Q_OBJECT

public:
    explicit AlmanacWindow(QWidget* parent = nullptr);

    // Shows the almanac for this subject; recomputes only when the local
    // day, the place or the zone changed.
    void showSubject(const AlmanacSubject& subject);

    // Writes the month table as CSV (the columns of --almanac, UTF-8 with a
    // byte-order mark and CRLF line ends, as Excel on a Japanese PC reads
    // it); an empty string on success, otherwise the reason in one line.
    QString exportMonth(const QString& path) const;
    // "koyomi-2026-12-東京.csv"; a typed place by its coordinates
    // ("koyomi-2026-12-N35.65E139.75.csv").
    QString suggestedExportName() const;

    // Where to export; an empty string cancels. Defaults to a file dialog.
    std::function<QString(const QString& suggestedName)> askExportPath;
    // A problem the user should know about. Defaults to a message box.
    std::function<void(const QString& text)> warn;

    const astro::AlmanacDay& day() const { return day_; }
    const std::vector<astro::AlmanacDay>& month() const { return month_; }
    QString heading() const;

private:
    void fillDayTab();
    void fillMonthTab();
    void onExportClicked();

    AlmanacSubject subject_;
    std::optional<std::string> shownKey_;
    astro::AlmanacDay day_;
    std::vector<astro::AlmanacDay> month_;

    QLabel* heading_ = nullptr;
    QTabWidget* tabs_ = nullptr;
    QTableWidget* bodyTable_ = nullptr;
    QTableWidget* twilightTable_ = nullptr;
    QLabel* moonAge_ = nullptr;
    QTableWidget* phaseTable_ = nullptr;
    QTableWidget* monthTable_ = nullptr;
    QPushButton* exportButton_ = nullptr;
};

}  // namespace app
