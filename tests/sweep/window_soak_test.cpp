// A long run of the window's timer: thousands of ticks of every step size
// through MainWindow::onTimerTick, the slot Timer1 calls, each followed by
// the timed redraw of the whole picture with every option on. The fields
// land on the exact minute, memory stays flat, and the event loop keeps
// serving other timers between ticks.
//
// The Sun is held below the horizon (the night picture is the fullest: stars,
// figures, shooting stars). That also keeps the colour scheme from switching:
// Qt 6.4 keeps about half a kilobyte more for every palette change of each
// visible scroll bar (the list boxes have several), which would hide what
// this test looks for.
#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>
#include <malloc.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "app/desktop/desktop_widgets.h"
#include "app/window/main_window_widgets.h"
#include "app/window/sky_canvas_widgets.h"
#include "astro/astro.h"
#include "catalog/catalog.h"
#include "tests/support/file_size_limit.h"

namespace {

namespace chr = std::chrono;
namespace fs = std::filesystem;

#ifdef PLANETARIUM_SWEEP_REDUCED
constexpr int kDefaultTicksPerStepSize = 40;
#else
constexpr int kDefaultTicksPerStepSize = 400;
#endif

// PLANETARIUM_SOAK_TICKS in the environment lengthens the run (make bench
// uses 20000 / 8 ticks per step size, so 20,000 in all).
int ticksPerStepSize() {
    const QByteArray v = qgetenv("PLANETARIUM_SOAK_TICKS");
    const int n = v.isEmpty() ? 0 : v.toInt() / 8;
    return n >= 8 ? n : kDefaultTicksPerStepSize;
}

double residentMiB() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return static_cast<double>(resident) * static_cast<double>(::sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

// Bytes the program holds from the C heap: a leak grows this, while resident
// memory also moves with the allocator's free lists and Qt's caches.
double heapInUseMiB() { return static_cast<double>(::mallinfo2().uordblks) / (1024.0 * 1024.0); }

std::string fieldsOf(chr::sys_time<chr::minutes> t) {
    const chr::sys_days d = chr::floor<chr::days>(t);
    const chr::year_month_day ymd(d);
    const chr::hh_mm_ss<chr::minutes> hm(t - d);
    return std::to_string(static_cast<int>(ymd.year())) + "-" + std::to_string(static_cast<unsigned>(ymd.month())) +
           "-" + std::to_string(static_cast<unsigned>(ymd.day())) + " " + std::to_string(hm.hours().count()) + ":" +
           std::to_string(hm.minutes().count());
}

class WindowSoak : public ::testing::Test {
protected:
    void SetUp() override {
        oldDir_ = fs::current_path();
        dir_ = fs::temp_directory_path() / ("window_soak_" + std::to_string(::getpid()));
        fs::create_directories(dir_);
        fs::current_path(dir_);
    }
    void TearDown() override {
        fs::current_path(oldDir_);
        fs::remove_all(dir_);
    }
    fs::path oldDir_, dir_;
};

TEST_F(WindowSoak, TimerTicksStayExactKeepMemoryFlatAndLeaveTheLoopResponsive) {
    static const catalog::Catalogue cat = catalog::loadCatalogue();
    app::WindowHooks hooks;
    hooks.warn = [](const QString&) {};
    hooks.askQuitAnyway = [](const QString&) { return true; };
    hooks.askSavePath = [](const QString&) { return QString(); };
    hooks.quit = [] {};
    hooks.nowUtc = [] { return QDateTime(QDate(2026, 12, 31), QTime(13, 10), Qt::UTC); };  // 22:10 JST
    hooks.meteorSeed = 1;
    hooks.computeSky = [](const astro::SkyInput& in) {
        astro::SkyState sky = astro::computeSky(in);
        sky.bodyAltDeg[astro::Sun] = std::min(sky.bodyAltDeg[astro::Sun], -30.0);
        return sky;
    };
    app::Desktop wDesktop(cat, hooks);
    app::MainWindow& w = wDesktop.window();
    w.show();

    auto find = [&w](const char* name) { return w.findChild<QWidget*>(QString::fromLatin1(name)); };
    for (const char* chk : {"chkSTR", "chkOP_0", "chkOP_1", "chkOP_2", "chkOP_3", "chkMET"})
        qobject_cast<QCheckBox*>(find(chk))->setChecked(true);
    qobject_cast<QListWidget*>(find("lstSTR"))->selectAll();
    qobject_cast<QListWidget*>(find("lstINTV2"))->setCurrentRow(0);  // " 0": Timer1 itself stays stopped
    qobject_cast<QPushButton*>(find("Command3"))->click();
    QListWidget* stepList = qobject_cast<QListWidget*>(find("lstINTV1"));
    ASSERT_NE(stepList, nullptr);
    ASSERT_EQ(stepList->count(), 8);

    auto fieldText = [&] {
        QString s;
        for (int i = 0; i < 5; ++i) {
            s += qobject_cast<QLineEdit*>(find(("txtYMD_" + std::to_string(i)).c_str()))->text();
            s += (i < 2) ? "-" : (i == 2) ? " " : (i == 3) ? ":" : "";
        }
        return s.toStdString();
    };
    chr::sys_time<chr::minutes> expected = chr::sys_days{chr::year{2026} / 12 / 31} + chr::hours{22} + chr::minutes{10};
    ASSERT_EQ(fieldText(), fieldsOf(expected));

    // A heartbeat timer measures the longest stretch the loop went without
    // serving it; a single-shot timer must fire during the run.
    QElapsedTimer sinceBeat;
    qint64 longestGapMs = 0;
    int beats = 0;
    QTimer heartbeat;
    heartbeat.setInterval(20);
    QObject::connect(&heartbeat, &QTimer::timeout, [&] {
        longestGapMs = std::max(longestGapMs, sinceBeat.restart());
        ++beats;
    });
    bool singleShotFired = false;

    // Runs `count` ticks, each posted to the event loop as Timer1's timeout is.
    auto runTicks = [&](int count) {
        QEventLoop loop;
        int done = 0;
        std::function<void()> tick = [&] {
            w.onTimerTick();
            if (++done < count)
                QMetaObject::invokeMethod(&w, tick, Qt::QueuedConnection);
            else
                loop.quit();
        };
        QMetaObject::invokeMethod(&w, tick, Qt::QueuedConnection);
        loop.exec();
    };

    const int kTicksPerStepSize = ticksPerStepSize();
    double memoryAfterWarmUp = 0.0;
    double heapAfterWarmUp = 0.0;
    QElapsedTimer clock;
    clock.start();
    long ticks = 0;
    for (int row = 0; row < stepList->count(); ++row) {
        stepList->setCurrentRow(row);
        const int stepMinutes = stepList->item(row)->text().trimmed().toInt();
        if (row == 0) {
            runTicks(kTicksPerStepSize / 4);  // warm-up: caches, fonts, the back buffer
            expected += chr::minutes{stepMinutes * (kTicksPerStepSize / 4)};
            ticks += kTicksPerStepSize / 4;
            memoryAfterWarmUp = residentMiB();
            heapAfterWarmUp = heapInUseMiB();
            sinceBeat.start();
            heartbeat.start();
            QTimer::singleShot(50, [&] { singleShotFired = true; });
        }
        runTicks(kTicksPerStepSize);
        ticks += kTicksPerStepSize;
        expected += chr::minutes{static_cast<long>(stepMinutes) * kTicksPerStepSize};
        ASSERT_EQ(fieldText(), fieldsOf(expected)) << "after the " << stepMinutes << "-minute steps";
        std::printf("window soak: %ld ticks, resident %.1f MiB, heap in use %.2f MiB\n", ticks, residentMiB(),
                    heapInUseMiB());
    }
    heartbeat.stop();
    const double memoryAtEnd = residentMiB();
    const double heapAtEnd = heapInUseMiB();
    const double msPerTick = static_cast<double>(clock.elapsed()) / static_cast<double>(ticks);
    std::printf("window soak: %ld ticks, %.2f ms per tick; resident %.1f -> %.1f MiB, heap in use %.2f -> %.2f MiB "
                "from warm-up to end; %d heartbeats, longest gap %lld ms\n",
                ticks, msPerTick, memoryAfterWarmUp, memoryAtEnd, heapAfterWarmUp, heapAtEnd, beats,
                static_cast<long long>(longestGapMs));

    EXPECT_TRUE(singleShotFired);
    EXPECT_GT(beats, 0);
    // The loop is never held for longer than a few ticks.
    EXPECT_LT(longestGapMs, 1000);
#ifndef PLANETARIUM_SWEEP_REDUCED
    // The sanitizers keep freed memory in quarantine, so memory is only judged without them.
    EXPECT_LT(heapAtEnd - heapAfterWarmUp, 1.0);
    EXPECT_LT(memoryAtEnd - memoryAfterWarmUp, 8.0);
#endif
}

// Ctrl+S onto a full disk must say so instead of leaving a truncated picture
// behind in silence. The full disk is a file-size limit of 4 KiB with SIGXFSZ
// ignored, so every write past it fails with EFBIG.
TEST_F(WindowSoak, SavingThePictureOnAFullDiskIsReported) {
    static const catalog::Catalogue cat = catalog::loadCatalogue();
    QStringList warnings;
    app::WindowHooks hooks;
    hooks.warn = [&](const QString& t) { warnings << t; };
    hooks.askQuitAnyway = [](const QString&) { return true; };
    hooks.askSavePath = [](const QString&) { return QString(); };
    hooks.quit = [] {};
    hooks.nowUtc = [] { return QDateTime(QDate(2026, 1, 15), QTime(13, 0), Qt::UTC); };
    hooks.meteorSeed = 1;
    app::Desktop wDesktop(cat, hooks);
    app::MainWindow& w = wDesktop.window();
    w.show();
    qobject_cast<QPushButton*>(w.findChild<QWidget*>(QStringLiteral("Command3")))->click();
    bool saved = true;
    {
        const testsupport::FileSizeLimit fullDisk(4096);
        ASSERT_TRUE(fullDisk.active());
        saved = w.savePicture(QStringLiteral("full-disk.png"));
    }
    EXPECT_FALSE(saved);
    EXPECT_EQ(warnings.size(), 1);
    // The same picture saves when there is room.
    EXPECT_TRUE(w.savePicture(QStringLiteral("room.png")));
}

}  // namespace


// The switch between night and day colours, each time the Sun crosses the
// horizon: the heap must not grow with the number of switches. `make bench`
// runs 1,500 switches (PLANETARIUM_SCHEME_SWITCHES) and prints the figure.
TEST_F(WindowSoak, ColourSwitchesKeepTheHeapFlat) {
    static const catalog::Catalogue cat = catalog::loadCatalogue();
    const char* env = std::getenv("PLANETARIUM_SCHEME_SWITCHES");
    const int switches = env != nullptr ? std::max(200, std::atoi(env)) : 200;
    app::WindowHooks hooks;
    hooks.warn = [](const QString&) {};
    hooks.nowUtc = [] { return QDateTime(QDate(2026, 12, 31), QTime(13, 10), Qt::UTC); };
    hooks.meteorSeed = 1;
    bool day = false;
    hooks.computeSky = [&day](const astro::SkyInput& in) {
        astro::SkyState sky = astro::computeSky(in);
        sky.bodyAltDeg[astro::Sun] = day ? 10.0 : -10.0;
        return sky;
    };
    app::Desktop wDesktop(cat, hooks);
    app::MainWindow& w = wDesktop.window();
    w.show();
    auto switchColours = [&](int count) {
        for (int i = 0; i < count; ++i) {
            day = !day;
            w.redrawOnTimer();
            QCoreApplication::processEvents();
        }
    };
    switchColours(switches / 2);  // warm-up: Qt's caches fill
    ASSERT_EQ(w.colourScheme(), 1);  // an even number of switches ends at night
    const double heapBefore = heapInUseMiB();
    switchColours(switches / 2);
    const double perSwitchKiB = (heapInUseMiB() - heapBefore) * 1024.0 / (switches / 2);
    std::printf("colour switches: %d, heap in use %.2f -> %.2f MiB, %.2f KiB per switch after warm-up\n", switches,
                heapBefore, heapInUseMiB(), perSwitchKiB);
#ifndef PLANETARIUM_SWEEP_REDUCED
    EXPECT_LT(perSwitchKiB, 0.5);  // 5.5 KiB when Qt's scroll-bar pictures piled up
#endif
}
