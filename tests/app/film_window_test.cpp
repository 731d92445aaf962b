// The window's parts of star trails and films: the 軌跡 menu item and its
// span chooser, the film dialog's frame count by count or by end time, and
// the export under a progress dialog whose cancel leaves nothing behind.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QDir>
#include <QMenu>
#include <QProgressDialog>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>

#include <csignal>
#include <cstdio>
#include <cstdlib>

#include <sys/wait.h>
#include <unistd.h>

#include "app/film/film_dialog_widgets.h"
#include "app/film/trail_menu_widgets.h"
#include "catalog/catalog.h"

namespace {

TEST(TrailMenu, TickAndSpanGiveTheMinutesToDraw) {
    QMenu menu;
    app::TrailMenu trails(&menu);
    int changed = 0;
    QObject::connect(&trails, &app::TrailMenu::changed, [&changed] { ++changed; });
    EXPECT_EQ(trails.minutes(), 0);
    trails.toggleAction()->trigger();
    EXPECT_EQ(trails.minutes(), 4 * 60);
    // Choosing a span while ticked redraws once with the new span.
    trails.spanAction(12)->trigger();
    EXPECT_EQ(trails.minutes(), 12 * 60);
    EXPECT_EQ(changed, 2);
    trails.toggleAction()->trigger();
    EXPECT_EQ(trails.minutes(), 0);
    // Choosing a span while off turns the trails on.
    trails.spanAction(1)->trigger();
    EXPECT_EQ(trails.minutes(), 60);
    EXPECT_TRUE(trails.spanAction(1)->isChecked());
    EXPECT_FALSE(trails.spanAction(12)->isChecked());
    EXPECT_EQ(trails.spanAction(5), nullptr);
    EXPECT_EQ(changed, 4);
}

TEST(FilmDialog, FramesByCountOrUpToTheEndTime) {
    const app::CivilMinute start{2026, 1, 15, 20, 0};
    // Up to and including the end moment; across the month and year ends.
    EXPECT_EQ(app::framesUntil(start, {2026, 1, 16, 8, 0}, 15), 49);
    EXPECT_EQ(app::framesUntil(start, {2026, 1, 16, 7, 59}, 15), 48);
    EXPECT_EQ(app::framesUntil({2025, 12, 31, 23, 0}, {2026, 1, 1, 1, 0}, 60), 3);
    EXPECT_EQ(app::framesUntil(start, start, 15), 1);
    EXPECT_EQ(app::framesUntil(start, {2026, 1, 15, 19, 59}, 15), 0);
    EXPECT_EQ(app::framesUntil(start, {2027, 1, 15, 20, 0}, 1), 9999);
    EXPECT_EQ(app::framesUntil(start, {2026, 1, 16, 20, 0}, 0), 0);

    app::FilmDialog dialog(start, 30, QStringLiteral("film.mp4"));
    EXPECT_EQ(dialog.everyMinutes(), 30);
    EXPECT_EQ(dialog.frames(), 24);
    dialog.findChild<QRadioButton*>(QStringLiteral("filmByEnd"))->setChecked(true);
    dialog.findChild<QLineEdit*>(QStringLiteral("filmEnd"))->setText(QStringLiteral("2026-01-16 02:00"));
    EXPECT_EQ(dialog.frames(), 13);
    dialog.findChild<QSpinBox*>(QStringLiteral("filmInterval"))->setValue(60);
    EXPECT_EQ(dialog.frames(), 7);
    EXPECT_EQ(dialog.path(), QStringLiteral("film.mp4"));
    // The rate and a projector's size are offered; the length follows the rate.
    EXPECT_EQ(dialog.framesPerSecond(), 4);
    EXPECT_FALSE(dialog.frameSize().isValid());
    dialog.findChild<QSpinBox*>(QStringLiteral("filmFps"))->setValue(7);
    dialog.findChild<QComboBox*>(QStringLiteral("filmSize"))->setCurrentIndex(1);
    EXPECT_EQ(dialog.framesPerSecond(), 7);
    EXPECT_EQ(dialog.frameSize(), QSize(1920, 1080));
    EXPECT_EQ(dialog.findChild<QLabel*>(QStringLiteral("filmSummary"))->text(), QStringLiteral("7 枚（1.0 秒）"));

    // Days and sidereal days: the end time and the count follow one rule.
    dialog.findChild<QRadioButton*>(QStringLiteral("filmByCount"))->setChecked(true);
    dialog.findChild<QSpinBox*>(QStringLiteral("filmInterval"))->setValue(1);
    dialog.findChild<QSpinBox*>(QStringLiteral("filmFrames"))->setValue(3);
    dialog.findChild<QComboBox*>(QStringLiteral("filmUnit"))->setCurrentIndex(2);  // 恒星日
    EXPECT_EQ(dialog.everyMinutes(), 1436);
    EXPECT_GT(dialog.exactMinutes(), 1436.0);
    EXPECT_EQ(dialog.findChild<QLineEdit*>(QStringLiteral("filmEnd"))->text(), QStringLiteral("2026-01-17 19:52"));
    dialog.findChild<QRadioButton*>(QStringLiteral("filmByEnd"))->setChecked(true);
    EXPECT_EQ(dialog.frames(), 3);
    dialog.findChild<QComboBox*>(QStringLiteral("filmUnit"))->setCurrentIndex(1);  // 日
    EXPECT_EQ(dialog.everyMinutes(), 1440);
    EXPECT_EQ(dialog.frames(), 2);  // 2026-01-16 20:00; the 17th's 20:00 is after 19:52
    EXPECT_EQ(app::framesUntil(start, {2026, 1, 17, 19, 52}, 1436, 1436.068175), 3);
    EXPECT_EQ(app::framesUntil(start, {2026, 1, 17, 19, 51}, 1436, 1436.068175), 2);
}

// One rule for the end and the count: the end time is the last frame's.
// 24 frames at 15 minutes from 20:00 end at 01:45 (the box once said 02:00,
// and 02:00 then gave 25 frames); any year the fields hold, 1500 and year 0
// included (the box once stopped at 1752).
TEST(FilmDialog, EndTimeIsTheLastFramesAndCoversEveryYear) {
    for (const int year : {2026, 1500, 0, -500}) {
        app::FilmDialog dialog({year, 1, 15, 20, 0}, 15, QStringLiteral("film.mp4"));
        auto* end = dialog.findChild<QLineEdit*>(QStringLiteral("filmEnd"));
        const QString want = QStringLiteral("%1-01-16 01:45").arg(year);
        EXPECT_EQ(end->text(), want);
        dialog.findChild<QRadioButton*>(QStringLiteral("filmByEnd"))->setChecked(true);
        EXPECT_EQ(dialog.frames(), 24) << year;
        end->setText(QStringLiteral("not a time"));
        EXPECT_EQ(dialog.frames(), 0);
        EXPECT_TRUE(dialog.findChild<QLabel*>(QStringLiteral("filmSummary"))->text().contains(QStringLiteral("の形で")));
    }
}

// Frames of a January evening over Tokyo into night-NNNN.png in `dir`.
app::FilmRequest nightFilm(const QTemporaryDir& dir, int frames) {
    app::FilmRequest film;
    film.first.input = {.year = 2026, .month = 1, .day = 15, .hour = 20, .minute = 0, .latDeg = 35.65, .lonDeg = 139.75};
    film.first.scale = 0.5;
    film.frames = frames;
    film.everyMinutes = 10;
    film.path = dir.filePath(QStringLiteral("night.png"));
    return film;
}

TEST(FilmDialog, CancellingTheProgressDialogLeavesNothingBehind) {
    const catalog::Catalogue cat = catalog::loadCatalogue();
    QTemporaryDir dir;
    const app::FilmRequest film = nightFilm(dir, 200);
    // Press cancel as soon as the progress dialog shows its first frames.
    QTimer cancel;
    QObject::connect(&cancel, &QTimer::timeout, [&] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* p = qobject_cast<QProgressDialog*>(w);
            if (p && p->objectName() == QStringLiteral("filmProgress") && p->value() >= 3) p->cancel();
        }
    });
    cancel.start(0);
    const app::FilmResult r = app::exportFilmWithProgress(film, cat, nullptr);
    EXPECT_EQ(r.status, app::FilmResult::Status::Cancelled);
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).isEmpty());
}

// A real SIGTERM while the window writes a film: the export stops, removes
// what it had staged and the process then ends by that signal. Run in a
// forked copy of this test process, which the signal ends.
TEST(FilmDialog, SigtermDuringTheExportLeavesNothingAndEndsTheProcess) {
    const catalog::Catalogue cat = catalog::loadCatalogue();
    QTemporaryDir dir;
    const app::FilmRequest film = nightFilm(dir, 2000);
    std::fflush(nullptr);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        QTimer signal;
        QObject::connect(&signal, &QTimer::timeout, [&] {
            for (QWidget* w : QApplication::topLevelWidgets()) {
                auto* p = qobject_cast<QProgressDialog*>(w);
                if (p && p->objectName() == QStringLiteral("filmProgress") && p->value() >= 5) ::kill(::getpid(), SIGTERM);
            }
        });
        signal.start(0);
        app::exportFilmWithProgress(film, cat, nullptr);
        std::_Exit(3);  // not reached: the signal ends the process
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM) << status;
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).isEmpty());
}

}  // namespace
