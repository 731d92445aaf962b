// The window and the command line ask the same session code, so for the
// same moment, place and options they give the same chart: the same title
// line and local time (also in the status bar) and the same draw list, call
// for call. Checked where the two once disagreed: before 1888 (local mean
// time in Tokyo's zone data), before 1582 (the Julian calendar), during
// Japan's summer time of 1949, and today.
#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>

#include "app/cli/cli_args.h"
#include "app/cli/cli_queries.h"
#include "app/session/moment_text.h"
#include "app/desktop/desktop_widgets.h"
#include "app/window/main_window_widgets.h"
#include "catalog/catalog.h"
#include "view/recording_painter.h"  // tests/view

namespace {

using viewtest::Call;

std::vector<Call> drawList(const app::ChartScene& scene, const catalog::Catalogue& cat) {
    viewtest::RecordingPainter rec;
    app::drawChart(scene, cat, rec);
    return rec.calls;
}

TEST(OnePath, WindowAndCommandLineGiveTheSameLocalTimeHeadingAndDrawList) {
    const catalog::Catalogue cat = catalog::loadCatalogue();
    app::WindowHooks hooks;
    // A folder of its own: the window remembers its view beside the settings
    // file, and no other test may read or change that memory.
    const QTemporaryDir settingsDir;
    hooks.settingsPath = settingsDir.filePath(QStringLiteral("pstart.txt")).toStdString();
    hooks.warn = [](const QString& t) { ADD_FAILURE() << t.toStdString(); };
    hooks.meteorSeed = 1;
    app::Desktop windowDesktop(cat, std::move(hooks));
    app::MainWindow& window = windowDesktop.window();
    // The same display options as --show names,constellations --constellations all.
    window.findChild<QCheckBox*>(QStringLiteral("chkOP_3"))->setChecked(true);
    window.findChild<QCheckBox*>(QStringLiteral("chkSTR"))->setChecked(true);
    window.findChild<QListWidget*>(QStringLiteral("lstSTR"))->selectAll();

    for (const char* year : {"1850", "1500", "1949", "2026"}) {
        for (const char* place : {"東京", "ロンドン"}) {
            SCOPED_TRACE(std::string(year) + " " + place);
            const std::string at = std::string(year) + (std::string(year) == "1949" ? "-07-15 23:30" : "-03-01 00:00");
            const app::CliParse cli = app::parseCommandLine(
                {"--render", "chart.png", "--at", at, "--place", place, "--show", "names,constellations",
                 "--constellations", "all"},
                cat);
            ASSERT_TRUE(cli.ok()) << cli.error;
            const app::ChartScene fromCli = app::commandLineChart(cli.options, cat, view::ChartStyle::Screen, 1);

            window.applyStartOptions(app::skyQuery(cli.options));
            window.findChild<QPushButton*>(QStringLiteral("Command3"))->click();
            ASSERT_TRUE(window.shownChart());
            const app::ChartScene fromWindow = *window.shownChart();

            const view::ChartHeading& a = fromCli.heading;
            const view::ChartHeading& b = fromWindow.heading;
            EXPECT_EQ(a.moment, b.moment);
            EXPECT_EQ(a.placeName, b.placeName);
            EXPECT_EQ(a.latDeg, b.latDeg);
            EXPECT_EQ(a.lonDeg, b.lonDeg);
            EXPECT_EQ(a.localClock, b.localClock);
            const std::string status = window.statusText().toStdString();
            if (std::string(place) == "東京") {
                // Japan keeps UTC+9 at every date: no second clock anywhere.
                EXPECT_FALSE(a.localClock);
                EXPECT_EQ(status.find("現地時刻"), std::string::npos) << status;
            } else {
                ASSERT_TRUE(a.localClock);
                EXPECT_NE(status.find("現地時刻 " + app::civilMinuteText(*a.localClock)), std::string::npos) << status;
            }

            const std::vector<Call> cliCalls = drawList(fromCli, cat);
            const std::vector<Call> windowCalls = drawList(fromWindow, cat);
            ASSERT_EQ(cliCalls.size(), windowCalls.size());
            for (std::size_t i = 0; i < cliCalls.size(); ++i) {
                const Call& p = cliCalls[i];
                const Call& q = windowCalls[i];
                ASSERT_TRUE(p.op == q.op && p.x1 == q.x1 && p.y1 == q.y1 && p.x2 == q.x2 && p.y2 == q.y2 &&
                            p.radius == q.radius && p.colour == q.colour && p.text == q.text)
                    << "call " << i;
            }
        }
    }
}

// London has kept Greenwich time since December 1847: midnight JST on
// 1 March 1850 is 15:00 there, whatever Tokyo's zone data says of 1850.
TEST(OnePath, LondonIn1850IsFifteenHundredOnBothPaths) {
    const catalog::Catalogue cat = catalog::loadCatalogue();
    const app::CliParse cli = app::parseCommandLine({"--render", "h.pdf", "--at", "1850-03-01 00:00", "--place", "ロンドン"}, cat);
    ASSERT_TRUE(cli.ok());
    const app::ChartScene chart = app::commandLineChart(cli.options, cat, view::ChartStyle::Print, 1);
    ASSERT_TRUE(chart.heading.localClock);
    EXPECT_EQ(*chart.heading.localClock, (astro::CivilMinute{1850, 2, 28, 15, 0}));

    app::WindowHooks hooks;
    // A folder of its own: the window remembers its view beside the settings
    // file, and no other test may read or change that memory.
    const QTemporaryDir settingsDir;
    hooks.settingsPath = settingsDir.filePath(QStringLiteral("pstart.txt")).toStdString();
    app::Desktop windowDesktop(cat, std::move(hooks));
    app::MainWindow& window = windowDesktop.window();
    window.applyStartOptions(app::skyQuery(cli.options));
    EXPECT_NE(window.statusText().toStdString().find("現地時刻 1850年2月28日 15:00"), std::string::npos)
        << window.statusText().toStdString();
}

// At the minute London's clock changes the title gives the time the clock
// shows: 01:00 UTC on 29 March is 02:00 BST (01:00 does not exist), and on
// 25 October 01:00 GMT (not 02:00); a minute before, the old time.
TEST(OnePath, TheMinuteAClockChanges) {
    const catalog::Catalogue cat = catalog::loadCatalogue();
    struct Case {
        const char* at;
        astro::CivilMinute local;
    };
    const Case cases[] = {{"2026-03-29 10:00", {2026, 3, 29, 2, 0}},
                          {"2026-03-29 09:59", {2026, 3, 29, 0, 59}},
                          {"2026-10-25 10:00", {2026, 10, 25, 1, 0}},
                          {"2026-10-25 09:59", {2026, 10, 25, 1, 59}}};
    for (const Case& c : cases) {
        const app::CliParse cli = app::parseCommandLine({"--render", "c.pdf", "--at", c.at, "--place", "ロンドン"}, cat);
        ASSERT_TRUE(cli.ok());
        const app::ChartScene chart = app::commandLineChart(cli.options, cat, view::ChartStyle::Print, 1);
        ASSERT_TRUE(chart.heading.localClock);
        EXPECT_EQ(*chart.heading.localClock, c.local) << c.at;
    }
}

}  // namespace
