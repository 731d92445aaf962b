// The こよみ window: both tabs for Tokyo and London with the right zone, the
// texts of days without an event, the CSV export, and following a new day.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>

#include "app/almanac/almanac_window_widgets.h"
#include "app/zones/time_zones_qtcore.h"

namespace app {
namespace {

AlmanacSubject subject(int y, int m, int d, int hour, double lat, double lon, const char* name, const char* zone) {
    AlmanacSubject s;
    s.moment = {.year = y, .month = m, .day = static_cast<double>(d), .hour = static_cast<double>(hour),
                .minute = 0.0, .latDeg = lat, .lonDeg = lon};
    s.placeName = name;
    const auto z = systemZone(zone);
    if (z) s.zone = *z;
    return s;
}

QString cell(const QTableWidget* t, int r, int c) {
    const QTableWidgetItem* i = t->item(r, c);
    return i ? i->text() : QString();
}

TEST(AlmanacWindow, TokyoDayAndMonthInJapanStandardTime) {
    AlmanacWindow w;
    w.showSubject(subject(2006, 1, 22, 12, 35.65, 139.75, "東京", "Asia/Tokyo"));
    EXPECT_EQ(w.findChild<QLabel*>("almanacHeading")->text(), QStringLiteral("東京　2006年1月22日（日）　時刻は日本標準時"));
    const auto* bodies = w.findChild<QTableWidget*>("almanacBodies");
    ASSERT_NE(bodies, nullptr);
    // The rows name the body, so the columns say only 出 and 入り (a
    // "moon sunrise" would be wrong).
    EXPECT_EQ(bodies->horizontalHeaderItem(0)->text(), QStringLiteral("出"));
    EXPECT_EQ(bodies->horizontalHeaderItem(2)->text(), QStringLiteral("入り"));
    EXPECT_EQ(cell(bodies, 1, 0), QStringLiteral("--:--"));  // no moonrise on the 22nd
    EXPECT_TRUE(cell(bodies, 1, 2).startsWith(QStringLiteral("10:33")));
    EXPECT_TRUE(cell(bodies, 0, 1).contains(QStringLiteral("高度 34.6°"))) << cell(bodies, 0, 1).toStdString();
    const auto* tabs = w.findChild<QTabWidget*>("almanacTabs");
    EXPECT_EQ(tabs->tabText(0), QStringLiteral("その日"));
    EXPECT_EQ(tabs->tabText(1), QStringLiteral("月間"));
    const auto* month = w.findChild<QTableWidget*>("almanacMonth");
    ASSERT_EQ(month->rowCount(), 31);
    EXPECT_EQ(cell(month, 21, 3), QStringLiteral("--:--"));
    EXPECT_EQ(cell(month, 21, 4), QStringLiteral("10:33"));
    EXPECT_EQ(cell(month, 22, 6), QStringLiteral("下弦"));
    EXPECT_EQ(almanacStatusText(w.day(), LocalZone{}), QStringLiteral("正午月齢 22.0　日の出 06:48　日の入り 16:58"));
}

TEST(AlmanacWindow, LondonInSummerTimeAndTromsoInPolarNight) {
    AlmanacWindow w;
    // 2026-07-01 21:00 JST is 13:00 in London (BST, UTC+1).
    w.showSubject(subject(2026, 7, 1, 21, 51.5072, -0.1276, "ロンドン", "Europe/London"));
    EXPECT_EQ(w.heading(), QStringLiteral("ロンドン　2026年7月1日（水）　時刻はロンドン時間 (UTC+1)"));
    const auto* bodies = w.findChild<QTableWidget*>("almanacBodies");
    EXPECT_TRUE(cell(bodies, 0, 0).startsWith(QStringLiteral("04:4"))) << cell(bodies, 0, 0).toStdString();

    w.showSubject(subject(2026, 12, 21, 21, 69.65, 18.96, "トロムソ", "Europe/Oslo"));
    EXPECT_EQ(cell(bodies, 0, 0), QStringLiteral("一日中地平線の下"));
    EXPECT_EQ(cell(bodies, 0, 2), QStringLiteral("一日中地平線の下"));
    EXPECT_NE(cell(bodies, 0, 1), QStringLiteral("--:--"));  // the Sun still transits, below the horizon
    EXPECT_EQ(w.month().size(), 31u);
}

TEST(AlmanacWindow, ExportWritesTheMonthAndReportsAFailure) {
    AlmanacWindow w;
    w.showSubject(subject(2026, 3, 20, 12, 35.65, 139.75, "東京", "Asia/Tokyo"));
    QTemporaryDir dir;
    const QString path = dir.filePath("koyomi.csv");
    QString warned;
    w.askExportPath = [&](const QString& suggested) {
        EXPECT_EQ(suggested, QStringLiteral("koyomi-2026-03-東京.csv"));
        return path;
    };
    w.warn = [&](const QString& text) { warned = text; };
    w.findChild<QPushButton*>("almanacExport")->click();
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    // What Excel on a Japanese PC reads as UTF-8: a byte-order mark, CRLF.
    ASSERT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));
    EXPECT_EQ(bytes.count("\r\n"), bytes.count('\n'));
    const QList<QByteArray> lines = bytes.mid(3).split('\n');
    ASSERT_EQ(lines.size(), 33);  // header, 31 days, and the empty piece after the last newline
    EXPECT_TRUE(QString::fromUtf8(lines[0]).startsWith(QStringLiteral("日付,日の出,日の入り,月の出,月の入り,月齢,月相,水星の出,")));
    EXPECT_TRUE(QString::fromUtf8(lines[0]).endsWith(QStringLiteral(",海王星の出,海王星の入り\r")));
    EXPECT_TRUE(warned.isEmpty());
    // A folder that does not exist: the user is told, nothing is written.
    w.askExportPath = [&](const QString&) { return dir.filePath("missing/koyomi.csv"); };
    w.findChild<QPushButton*>("almanacExport")->click();
    EXPECT_FALSE(warned.isEmpty());
    EXPECT_FALSE(QFile::exists(dir.filePath("missing/koyomi.csv")));
    // A typed place is named by its coordinates.
    w.showSubject(subject(2026, 12, 1, 12, -33.87, 151.21, "", "Australia/Sydney"));
    EXPECT_EQ(w.suggestedExportName(), QStringLiteral("koyomi-2026-12-S33.87E151.21.csv"));
}

}  // namespace
}  // namespace app
