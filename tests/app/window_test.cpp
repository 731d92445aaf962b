// Drives the real window under Qt's offscreen platform: controls are found by
// their design names, every test runs in its own temporary working directory
// (where "pstart.txt" lives), and the dialogs are replaced by recorders.
#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTimer>
#include <QMenuBar>
#include <QAction>
#include <QPrinter>
#include <QTimeZone>
#include <QTableWidget>
#include <QTest>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QProgressDialog>
#include <QSpinBox>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <tuple>
#include <sys/stat.h>
#include <unistd.h>

#include <deque>
#include <functional>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "app/window/help_pages_qtcore.h"
#include "app/cli/cli_queries.h"
#include "app/desktop/desktop_widgets.h"
#include "app/window/main_window_widgets.h"
#include "app/cli/cli_args.h"
#include "app/almanac/almanac_menu_widgets.h"
#include "app/chart/chart_output_menu_widgets.h"
#include "app/film/film_dialog_widgets.h"
#include "app/film/trail_menu_widgets.h"
#include "app/freeview/free_view_widgets.h"
#include "app/planisphere/planisphere_menu_widgets.h"
#include "app/pointing/sky_pointer_widgets.h"
#include "app/tonight/tonight_dialog_widgets.h"
#include "app/eclipse/eclipse_dialog_widgets.h"
#include "app/lessons/moon_card_dialog_widgets.h"
#include "app/lessons/orbit_dock_widgets.h"
#include "app/lessons/phase_strip_dialog_widgets.h"
#include "app/lessons/sun_path_dialog_widgets.h"
#include "app/window/sky_canvas_widgets.h"
#include "app/session/fields.h"
#include "app/session/numeric_tables.h"
#include "app/window/sky_canvas_widgets.h"
#include "astro/astro.h"
#include "catalog/catalog.h"
#include "tests/support/file_size_limit.h"

namespace fs = std::filesystem;

namespace {

const catalog::Catalogue& catalogue() {
    static const catalog::Catalogue cat = catalog::loadCatalogue();
    return cat;
}

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        oldDir_ = fs::current_path();
        dir_ = fs::temp_directory_path() / ("window_test_" + std::to_string(::getpid()) + "_" +
                                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        fs::current_path(dir_);
    }
    void TearDown() override {
        desktop_.reset();
        window_ = nullptr;
        fs::current_path(oldDir_);
        fs::remove_all(dir_);
    }

    // Hooks that never block: warnings and questions are recorded.
    app::WindowHooks hooks() {
        app::WindowHooks h;
        h.warn = [this](const QString& t) { warnings_ << t; };
        h.askQuitAnyway = [this](const QString& t) {
            warnings_ << t;
            return quitAnyway_;
        };
        h.askSavePath = [this](const QString& name) {
            suggested_ = name;
            if (whileAsking_) whileAsking_();
            return savePath_;
        };
        h.quit = [this] { ++quits_; };
        h.nowUtc = [] { return QDateTime(QDate(2026, 12, 7), QTime(10, 5), Qt::UTC); };
        h.meteorSeed = 1;
        return h;
    }

    app::MainWindow& open(app::WindowHooks h) {
        desktop_.reset();
        window_ = nullptr;
        desktop_ = std::make_unique<app::Desktop>(catalogue(), std::move(h));
        window_ = &desktop_->window();
        return *window_;
    }
    app::MainWindow& open() { return open(hooks()); }

    template <typename T>
    T* find(const char* name) {
        T* w = window_->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QString text(const char* name) { return find<QLineEdit>(name)->text(); }
    QString caption(const char* name) { return find<QLabel>(name)->text(); }
    void setText(const char* name, const QString& t) { find<QLineEdit>(name)->setText(t); }
    void selectRow(const char* list, int row) { find<QListWidget>(list)->setCurrentRow(row); }
    void click(const char* button) { find<QPushButton>(button)->click(); }

    static void writeFile(const std::string& content) {
        std::ofstream out("pstart.txt", std::ios::binary);
        out << content;
    }
    static std::string readFile() {
        std::ifstream in("pstart.txt", std::ios::binary);
        std::stringstream ss;
        ss << in.rdbuf();
        return ss.str();
    }

    fs::path oldDir_, dir_;
    std::unique_ptr<app::Desktop> desktop_;
    app::MainWindow* window_ = nullptr;
    QStringList warnings_;
    bool quitAnyway_ = false;
    int quits_ = 0;
    QString suggested_, savePath_;
    std::function<void()> whileAsking_;  // runs while the save dialog is open
};

TEST_F(WindowTest, FirstRunShowsTokyoAndTheClockInJst) {
    open();
    QListWidget* city = find<QListWidget>("lstCITY");
    ASSERT_EQ(city->count(), 75);
    EXPECT_EQ(city->item(0)->text(), "札幌");
    EXPECT_EQ(city->item(48)->text(), "入力");
    EXPECT_EQ(city->item(49)->text(), "オークランド");
    EXPECT_EQ(city->item(74)->text(), "ホノルル");
    EXPECT_EQ(city->currentRow(), 12);
    EXPECT_EQ(city->currentItem()->text(), "東京");
    EXPECT_EQ(caption("Label10"), "東京");
    EXPECT_EQ(text("txtIDO"), "35.65");
    EXPECT_EQ(text("txtKEIDO"), "139.75");
    // 10:05 UTC is 19:05 in Japan.
    EXPECT_EQ(text("txtYMD_0"), "2026");
    EXPECT_EQ(text("txtYMD_1"), "12");
    EXPECT_EQ(text("txtYMD_2"), "7");
    EXPECT_EQ(text("txtYMD_3"), "19");
    EXPECT_EQ(text("txtYMD_4"), "5");
    EXPECT_EQ(find<QListWidget>("lstINTV1")->currentItem()->text(), "15");
    EXPECT_EQ(find<QListWidget>("lstINTV2")->currentItem()->text(), " 6");
    QListWidget* str = find<QListWidget>("lstSTR");
    EXPECT_EQ(str->currentRow(), 1);
    EXPECT_TRUE(str->selectedItems().isEmpty());
    EXPECT_FALSE(find<QTimer>("Timer1")->isActive());
    EXPECT_EQ(window_->colourScheme(), 1);
    EXPECT_EQ(window_->lastSunAlt(), -1.0);
    // Nothing is drawn before the draw button: the picture is plain night blue.
    const QImage& pic = window_->picture();
    ASSERT_FALSE(pic.isNull());
    EXPECT_EQ(pic.pixelColor(pic.width() / 2, pic.height() / 2), QColor(32, 96, 192));
    EXPECT_EQ(pic.pixelColor(5, pic.height() - 5), QColor(32, 96, 192));
    EXPECT_FALSE(fs::exists("pstart.txt")) << "start-up never writes the settings";
}

TEST_F(WindowTest, ClockNearMidnightUtcGivesTheNextJapaneseDay) {
    app::WindowHooks h = hooks();
    h.nowUtc = [] { return QDateTime(QDate(2026, 12, 31), QTime(20, 0), Qt::UTC); };
    open(std::move(h));
    EXPECT_EQ(text("txtYMD_0"), "2027");
    EXPECT_EQ(text("txtYMD_1"), "1");
    EXPECT_EQ(text("txtYMD_2"), "1");
    EXPECT_EQ(text("txtYMD_3"), "5");
    EXPECT_EQ(text("txtYMD_4"), "0");
}

TEST_F(WindowTest, ManualPlaceIsRememberedByTheExitButton) {
    open();
    selectRow("lstCITY", 48);
    setText("txtIDO", "26.5");
    setText("txtKEIDO", "128.0");
    click("Command1");
    EXPECT_EQ(quits_, 1);
    EXPECT_TRUE(warnings_.isEmpty());
    EXPECT_EQ(readFile(), "48,26.5,128\n");

    open();
    EXPECT_EQ(find<QListWidget>("lstCITY")->currentRow(), 48);
    EXPECT_EQ(caption("Label10"), "入力");
    EXPECT_EQ(text("txtIDO"), "26.5");
    EXPECT_EQ(text("txtKEIDO"), "128");
    // Drawing with "入力" keeps the typed place.
    click("Command3");
    EXPECT_EQ(text("txtIDO"), "26.5");
    EXPECT_EQ(text("txtKEIDO"), "128");
}

TEST_F(WindowTest, ClosingOtherwiseDoesNotWrite) {
    open();
    selectRow("lstCITY", 3);
    window_->close();
    desktop_.reset();
        window_ = nullptr;
    EXPECT_FALSE(fs::exists("pstart.txt"));
}

TEST_F(WindowTest, DamagedSettingsFallBack) {
    struct Case {
        const char* content;
        int row;
        const char* lat;
        const char* lon;
    };
    for (const Case& c : {Case{"garbage", 12, "35.65", "139.75"}, Case{"48", 48, "0", "0"},
                          Case{"48,26.5", 48, "26.5", "0"}, Case{"999,1,2", 12, "35.65", "139.75"},
                          Case{"-5,1,2", 12, "35.65", "139.75"}, Case{"48,nan,nan", 48, "0", "0"},
                          Case{"48,1e999,-1e999", 48, "0", "0"}, Case{"", 12, "35.65", "139.75"},
                          Case{"\x00\x01\x02", 12, "35.65", "139.75"}}) {
        SCOPED_TRACE(c.content);
        writeFile(c.content);
        open();
        EXPECT_EQ(find<QListWidget>("lstCITY")->currentRow(), c.row);
        EXPECT_EQ(text("txtIDO"), c.lat);
        EXPECT_EQ(text("txtKEIDO"), c.lon);
        click("Command3");  // draws without trouble
        EXPECT_TRUE(std::isfinite(window_->lastSunAlt()));
    }
}

TEST_F(WindowTest, UnwritableSettingsAreReportedAndTheOldFileSurvives) {
    writeFile("48,26.5,128\n");
    open();
    selectRow("lstCITY", 3);
    // Files may grow to 4 bytes only: the write fails half-way.
    quitAnyway_ = false;
    {
        const testsupport::FileSizeLimit fullDisk(4);
        click("Command1");
    }
    ASSERT_EQ(warnings_.size(), 1);
    EXPECT_TRUE(warnings_[0].contains("pstart.txt"));
    EXPECT_EQ(quits_, 0) << "the user chose to stay";
    EXPECT_EQ(readFile(), "48,26.5,128\n");
    EXPECT_EQ(std::distance(fs::directory_iterator("."), fs::directory_iterator()), 1);

    // A directory in the file's place; this time the user quits anyway.
    fs::remove("pstart.txt");
    fs::create_directory("pstart.txt");
    quitAnyway_ = true;
    click("Command1");
    EXPECT_EQ(warnings_.size(), 2);
    EXPECT_EQ(quits_, 1);
    EXPECT_TRUE(fs::is_directory("pstart.txt"));
}

// A FIFO where the settings file should be: start-up does not wait on it
// (東京 is selected), and 終了 tells the user instead of replacing it.
TEST_F(WindowTest, FifoInPlaceOfTheSettingsFileIsNeitherReadNorReplaced) {
    ASSERT_EQ(::mkfifo("pstart.txt", 0600), 0);
    open();
    EXPECT_EQ(find<QListWidget>("lstCITY")->currentRow(), 12);
    quitAnyway_ = true;
    click("Command1");
    ASSERT_EQ(warnings_.size(), 1);
    EXPECT_TRUE(warnings_[0].contains("pstart.txt"));
    EXPECT_EQ(quits_, 1);
    EXPECT_TRUE(fs::is_fifo(fs::symlink_status("pstart.txt")));
}

TEST_F(WindowTest, DrawingCopiesThePlaceIntoTheBoxes) {
    open();
    selectRow("lstCITY", 74);
    EXPECT_EQ(caption("Label10"), "ホノルル");
    click("Command3");
    EXPECT_EQ(text("txtIDO"), "21.35");
    EXPECT_EQ(text("txtKEIDO"), "-157.93");
    selectRow("lstCITY", 12);
    click("Command3");
    EXPECT_EQ(text("txtIDO"), "35.65");
    EXPECT_EQ(text("txtKEIDO"), "139.75");
}

// planetarium --place ホノルル --at "1999-01-01 00:00" opens on that moment
// and place, as the draw command would read them, and draws nothing until
// asked; typed coordinates select "入力".
TEST_F(WindowTest, StartOptionsFillTheFieldsAndDrawNothing) {
    open();
    app::CliOptions o;
    o.year = 1999, o.month = 1, o.day = 1, o.hour = 0, o.minute = 0;
    o.placeIndex = catalog::findPlace(catalogue(), "ホノルル");
    window_->applyStartOptions(app::skyQuery(o));
    const QStringList moment{text("txtYMD_0"), text("txtYMD_1"), text("txtYMD_2"), text("txtYMD_3"),
                             text("txtYMD_4")};
    EXPECT_EQ(moment, QStringList({"1999", "1", "1", "0", "0"}));
    EXPECT_EQ(caption("Label10"), "ホノルル");
    EXPECT_EQ(text("txtKEIDO"), "-157.93");
    EXPECT_TRUE(caption("statusText").contains(QStringLiteral("1999年1月1日 00:00"))) << caption("statusText").toStdString();
    EXPECT_FALSE(window_->canvas()->lastDrawn());

    app::CliOptions typed;
    typed.latDeg = -33.9, typed.lonDeg = 18.4;
    window_->applyStartOptions(app::skyQuery(typed));
    EXPECT_EQ(caption("Label10"), "入力");
    EXPECT_EQ(text("txtIDO"), "-33.9");
    EXPECT_EQ(text("txtKEIDO"), "18.4");
    EXPECT_EQ(text("txtYMD_0"), "1999") << "a moment not given is kept";
    EXPECT_FALSE(window_->canvas()->lastDrawn());
}

TEST_F(WindowTest, TimerPeriodFollowsTheDisplayInterval) {
    open();
    QTimer* timer = find<QTimer>("Timer1");
    selectRow("lstINTV2", 0);  // " 0"
    click("Command3");
    EXPECT_FALSE(timer->isActive());
    selectRow("lstINTV2", 3);  // " 6"
    click("Command3");
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(timer->interval(), 6000);
    selectRow("lstINTV2", 7);  // "60": picked up by the next tick
    window_->onTimerTick();
    EXPECT_EQ(timer->interval(), 60000);
    selectRow("lstINTV2", 0);
    click("Command3");
    EXPECT_FALSE(timer->isActive());

    // 表示 → 一時停止 (Space) holds the timer, also through a draw, and says so.
    selectRow("lstINTV2", 3);
    click("Command3");
    QAction* pause = window_->findChild<QAction*>("pauseAction");
    pause->trigger();
    EXPECT_FALSE(timer->isActive());
    EXPECT_TRUE(caption("statusText").endsWith(QStringLiteral("（一時停止中）"))) << caption("statusText").toStdString();
    click("Command3");
    EXPECT_FALSE(timer->isActive());
    pause->trigger();
    EXPECT_TRUE(timer->isActive());
    EXPECT_FALSE(caption("statusText").contains(QStringLiteral("一時停止")));

    // 星座をすべて表示 / すべて消す.
    window_->findChild<QAction*>("allFiguresAction")->trigger();
    EXPECT_TRUE(find<QCheckBox>("chkSTR")->isChecked());
    EXPECT_EQ(find<QListWidget>("lstSTR")->selectedItems().size(), 41);
    window_->findChild<QAction*>("noFiguresAction")->trigger();
    EXPECT_TRUE(find<QListWidget>("lstSTR")->selectedItems().isEmpty());
}

TEST_F(WindowTest, ColoursSwitchOnlyWhenTheSunCrossesTheHorizon) {
    auto altitudes = std::make_shared<std::deque<double>>();
    app::WindowHooks h = hooks();
    h.computeSky = [altitudes](const astro::SkyInput& in) {
        astro::SkyState s = astro::computeSky(in);
        s.bodyAltDeg[astro::Sun] = altitudes->front();
        altitudes->pop_front();
        return s;
    };
    open(std::move(h));
    const QColor night(32, 96, 192), day(0, 144, 255);
    auto windowColour = [this] { return window_->canvas()->palette().color(QPalette::Window); };

    *altitudes = {-5.0, -3.0, 2.0, 4.0, 0.0, -1.0};
    click("Command3");  // -5: night
    EXPECT_EQ(window_->colourScheme(), 1);
    window_->onTimerTick();  // -3: no crossing
    EXPECT_EQ(window_->colourScheme(), 1);
    window_->onTimerTick();  // +2: crossing to day
    EXPECT_EQ(window_->colourScheme(), 2);
    EXPECT_EQ(windowColour(), day);
    EXPECT_EQ(window_->picture().pixelColor(5, window_->picture().height() - 5), day);
    window_->onTimerTick();  // +4: stays day
    EXPECT_EQ(window_->colourScheme(), 2);
    EXPECT_EQ(window_->lastSunAlt(), 4.0);
    click("Command3");  // exactly 0: the day colours win
    EXPECT_EQ(window_->colourScheme(), 2);
    window_->onTimerTick();  // 0 -> -1 is no crossing
    EXPECT_EQ(window_->colourScheme(), 2);
    EXPECT_EQ(window_->lastSunAlt(), -1.0);

    // A user who forces day by drawing in daylight, then steps into the night.
    *altitudes = {10.0, -0.5};
    click("Command3");
    window_->onTimerTick();
    EXPECT_EQ(window_->colourScheme(), 1);
    EXPECT_EQ(windowColour(), night);
}

TEST_F(WindowTest, TimeStepWritesTheFieldsWithoutLeadingZeros) {
    open();
    const char* names[] = {"txtYMD_0", "txtYMD_1", "txtYMD_2", "txtYMD_3", "txtYMD_4"};
    const QString start[] = {"2026", "12", "31", "22", "10"};
    for (int i = 0; i < 5; ++i) setText(names[i], start[i]);
    selectRow("lstINTV1", 3);  // 15 minutes
    selectRow("lstINTV2", 0);
    for (int i = 0; i < 8; ++i) window_->onTimerTick();
    EXPECT_EQ(text("txtYMD_0"), "2027");
    EXPECT_EQ(text("txtYMD_1"), "1");
    EXPECT_EQ(text("txtYMD_2"), "1");
    EXPECT_EQ(text("txtYMD_3"), "0");
    EXPECT_EQ(text("txtYMD_4"), "10");
    for (int i = 8; i < 96; ++i) window_->onTimerTick();
    EXPECT_EQ(text("txtYMD_2"), "1");
    EXPECT_EQ(text("txtYMD_3"), "22");
    EXPECT_EQ(text("txtYMD_4"), "10");

    // Typed values outside their ranges are normalised by the step.
    setText("txtYMD_1", "2");
    setText("txtYMD_2", "30");
    setText("txtYMD_3", "25");
    setText("txtYMD_4", "0");
    selectRow("lstINTV1", 0);  // 2 minutes
    window_->onTimerTick();
    EXPECT_EQ(text("txtYMD_1"), "3");
    EXPECT_EQ(text("txtYMD_2"), "3");
    EXPECT_EQ(text("txtYMD_3"), "1");
    EXPECT_EQ(text("txtYMD_4"), "2");
}

TEST_F(WindowTest, UnusableFieldsAreMarked) {
    open();
    setText("txtYMD_0", "abc");
    setText("txtIDO", "95");
    selectRow("lstCITY", 48);
    click("Command3");
    QLineEdit* year = find<QLineEdit>("txtYMD_0");
    EXPECT_TRUE(year->property("fieldWarning").toBool());
    EXPECT_FALSE(year->toolTip().isEmpty());
    EXPECT_TRUE(find<QLineEdit>("txtIDO")->property("fieldWarning").toBool());
    EXPECT_TRUE(find<QLineEdit>("txtIDO")->toolTip().contains("90"));
    EXPECT_FALSE(find<QLineEdit>("txtYMD_1")->property("fieldWarning").toBool());
    setText("txtYMD_0", "2026");
    click("Command3");
    EXPECT_FALSE(year->property("fieldWarning").toBool());
    EXPECT_TRUE(year->toolTip().isEmpty());
}

TEST_F(WindowTest, NumericTables) {
    open();
    click("Command2");
    EXPECT_EQ(caption("lblST_0"), "星の名前");
    EXPECT_EQ(caption("lblH_0"), "高度");
    EXPECT_EQ(caption("lblV_0"), "方位");
    EXPECT_EQ(caption("lblST_15"), "星の名前");
    const char* bodies[] = {" 太陽", " 月　", " 金星", " 火星", " 木星", " 土星"};
    const QRegularExpression number(QStringLiteral("^-?\\d+\\.\\d$"));
    for (int i = 1; i <= 6; ++i) {
        const std::string row = std::to_string(i);
        EXPECT_EQ(caption(("lblST_" + row).c_str()), bodies[i - 1]);
        EXPECT_TRUE(number.match(caption(("lblH_" + row).c_str())).hasMatch());
        EXPECT_TRUE(number.match(caption(("lblV_" + row).c_str())).hasMatch());
    }
    EXPECT_EQ(caption("lblST_7").toStdString(), catalogue().namedStars[1].name);
    EXPECT_EQ(caption("lblST_27").toStdString(), catalogue().namedStars[20].name);
    EXPECT_TRUE(number.match(caption("lblV_27")).hasMatch());
    EXPECT_EQ(caption("lblST_28"), "");

    find<QCheckBox>("chkMET")->setChecked(true);
    click("Command2");
    EXPECT_EQ(caption("lblST_0"), "群名");
    EXPECT_EQ(caption("lblH_0"), "ピーク時期");
    EXPECT_EQ(caption("lblV_0"), "出現数/hour");
    EXPECT_EQ(caption("lblH_15"), "ピーク時期");
    const catalog::Shower& first = catalogue().showers[1];
    EXPECT_EQ(caption("lblST_1").toStdString(), first.name);
    EXPECT_EQ(caption("lblH_1").toStdString(), std::to_string(first.month) + "月" + std::to_string(first.day) + "日");
    EXPECT_EQ(caption("lblV_1").toStdString(), std::to_string(first.ratePerHour));
    EXPECT_EQ(caption("lblST_27").toStdString(), catalogue().showers[26].name);

    // The draw command clears the table; the timed redraw does not.
    click("Command3");
    for (int i = 0; i < 29; ++i) {
        const std::string row = std::to_string(i);
        EXPECT_EQ(caption(("lblST_" + row).c_str()), "");
        EXPECT_EQ(caption(("lblV_" + row).c_str()), "");
    }
    click("Command2");
    window_->onTimerTick();
    EXPECT_EQ(caption("lblST_0"), "群名");
}

TEST_F(WindowTest, ReturnInATextFieldDraws) {
    auto calls = std::make_shared<int>(0);
    app::WindowHooks h = hooks();
    h.computeSky = [calls](const astro::SkyInput& in) {
        ++*calls;
        return astro::computeSky(in);
    };
    open(std::move(h));
    selectRow("lstCITY", 74);
    QLineEdit* minute = find<QLineEdit>("txtYMD_4");
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(minute, &press);
    EXPECT_EQ(*calls, 1);
    EXPECT_EQ(text("txtIDO"), "21.35");
    EXPECT_TRUE(find<QPushButton>("Command3")->isDefault());
}

TEST_F(WindowTest, PictureIsDrawnKeptAcrossResizeAndSaved) {
    open();
    click("Command3");
    const QImage before = window_->picture().copy();
    window_->show();
    window_->resize(window_->width() + 200, window_->height() + 100);
    QCoreApplication::processEvents();
    const QImage& after = window_->picture();
    ASSERT_GE(after.width(), before.width());
    EXPECT_EQ(after.copy(0, 0, before.width(), before.height()), before);

    setText("txtYMD_0", "2026");
    setText("txtYMD_1", "12");
    setText("txtYMD_2", "8");
    setText("txtYMD_3", "22");
    setText("txtYMD_4", "10");
    EXPECT_EQ(window_->suggestedPictureName(), "sky-2026-12-08-2210-south.png");
    find<QRadioButton>("optDIR_0")->setChecked(true);
    EXPECT_EQ(window_->suggestedPictureName(), "sky-2026-12-08-2210-north.png");

    savePath_ = QString::fromStdString((dir_ / "saved.png").string());
    window_->savePictureInteractive();
    EXPECT_EQ(suggested_, "sky-2026-12-08-2210-north.png");
    QImage saved;
    ASSERT_TRUE(saved.load(savePath_));
    EXPECT_EQ(saved.width(), window_->canvas()->width());

    EXPECT_FALSE(window_->savePicture(QString::fromStdString((dir_ / "no/such/dir.png").string())));
    EXPECT_EQ(warnings_.size(), 1);
    // The system's reason comes after a Japanese sentence saying what failed
    // and what was kept; a directory in the way is such a case too.
    EXPECT_TRUE(warnings_[0].startsWith(QStringLiteral("画像を "))) << warnings_[0].toStdString();
    EXPECT_TRUE(warnings_[0].contains(QStringLiteral("に保存できませんでした。元のファイルはそのままです。\n（理由: ")))
        << warnings_[0].toStdString();
    fs::create_directory(dir_ / "folder.png");
    EXPECT_FALSE(window_->savePicture(QString::fromStdString((dir_ / "folder.png").string())));
    ASSERT_EQ(warnings_.size(), 2);
    EXPECT_TRUE(warnings_[1].contains(QStringLiteral("元のファイルはそのままです。"))) << warnings_[1].toStdString();
    EXPECT_TRUE(fs::is_directory(dir_ / "folder.png"));
}

// The back buffer follows the picture area both ways; a size whose buffer
// would pass 512 MiB shows one message in place of the picture, with no
// painter warnings, and the picture comes back at a sane size.
TEST_F(WindowTest, BufferFollowsTheSizeBothWaysAndRefusesAHugeOne) {
    open();
    app::SkyCanvas* canvas = window_->canvas();
    const QSize normal = canvas->size();
    click("Command3");
    canvas->resize(8000, 6000);
    EXPECT_EQ(canvas->picture().size(), QSize(8000, 6000));
    canvas->resize(normal);
    EXPECT_EQ(canvas->picture().size(), normal);
    EXPECT_EQ(canvas->picture().sizeInBytes(), qsizetype(normal.width()) * normal.height() * 4);

    static QStringList messages;
    messages.clear();
    const QtMessageHandler old = qInstallMessageHandler(
        [](QtMsgType, const QMessageLogContext&, const QString& m) { messages << m; });
    canvas->resize(16000, 12000);  // 732 MiB
    EXPECT_FALSE(canvas->hasPicture());
    click("Command3");
    const QImage shown = canvas->grab().toImage();
    qInstallMessageHandler(old);
    EXPECT_TRUE(messages.isEmpty()) << messages.join('\n').toStdString();
    EXPECT_FALSE(shown.isNull());
    canvas->resize(normal);
    click("Command3");
    EXPECT_TRUE(canvas->hasPicture());
}


TEST_F(WindowTest, ControlsSitWhereTheDesignPutsThem) {
    open();
    struct Expect {
        const char* name;
        int left, top, width, height;  // twips
        const char* caption;
    };
    const Expect controls[] = {
        {"lstCITY", 120, 120, 975, 1230, nullptr},       {"txtYMD_0", 1320, 120, 615, 375, nullptr},
        {"Label2", 1920, 120, 495, 375, "年"},           {"txtYMD_4", 4680, 120, 375, 375, nullptr},
        {"Label6", 5160, 120, 495, 375, "分"},           {"Label10", 1320, 600, 2895, 255, nullptr},
        {"txtIDO", 1920, 960, 855, 375, nullptr},        {"txtKEIDO", 3600, 960, 975, 375, nullptr},
        {"Label8", 5880, 240, 975, 255, "間隔（分)"},    {"lstINTV1", 6000, 480, 615, 510, nullptr},
        {"Label9", 6960, 240, 1455, 255, "表示間隔（秒）"}, {"lstINTV2", 7080, 480, 615, 510, nullptr},
        {"optDIR_0", 9000, 0, 495, 375, "北"},           {"optDIR_3", 8160, 480, 495, 375, "西"},
        {"Command3", 8760, 360, 855, 495, "プラネタリウム"}, {"optDIR_1", 9720, 480, 495, 375, "東"},
        {"optDIR_2", 9000, 960, 495, 375, "南"},         {"chkSTR", 10560, 120, 855, 255, "星座"},
        {"lstSTR", 10560, 480, 1575, 1470, nullptr},     {"chkOP_3", 11520, 120, 1335, 255, "星の名前"},
        {"chkMET", 12960, 120, 1215, 255, "流星群"},     {"chkOP_0", 12960, 720, 855, 255, "赤道"},
        {"chkOP_1", 13920, 720, 975, 255, "黄道"},       {"chkOP_2", 12960, 1080, 1695, 255, "高度・方位線"},
        {"Command2", 12960, 1560, 615, 375, "数値"},     {"Command1", 14040, 1560, 615, 375, "終了"},
        {"lblST_0", 360, 2280, 2175, 375, nullptr},      {"lblV_0", 4200, 2280, 1455, 375, nullptr},
        {"lblV_1", 4200, 2760, 975, 375, nullptr},       {"lblST_14", 360, 9000, 2175, 375, nullptr},
        {"lblST_15", 5880, 2280, 1575, 375, nullptr},    {"lblST_16", 5880, 2760, 2175, 375, nullptr},
        {"lblH_28", 8160, 8520, 1455, 375, nullptr},     {"lblV_15", 9720, 2280, 1575, 375, nullptr},
    };
    for (const Expect& e : controls) {
        SCOPED_TRACE(e.name);
        QWidget* w = window_->findChild<QWidget*>(QString::fromLatin1(e.name));
        ASSERT_NE(w, nullptr);
        EXPECT_NEAR(w->x(), e.left / 15.0, 0.5);
        EXPECT_NEAR(w->y(), e.top / 15.0, 0.5);
        EXPECT_NEAR(w->width(), e.width / 15.0, 0.5);
        EXPECT_NEAR(w->height(), e.height / 15.0, 0.5);
        if (e.caption) {
            QString c;
            if (auto* l = qobject_cast<QLabel*>(w)) c = l->text();
            if (auto* b = qobject_cast<QAbstractButton*>(w)) c = b->text();
            EXPECT_EQ(c, QString::fromUtf8(e.caption));
        }
    }
    EXPECT_EQ(window_->windowTitle(), "プラネタリウム");
    EXPECT_GE(window_->width() * 15, 14655);
    EXPECT_GE(window_->height() * 15, 9375);
    EXPECT_TRUE(find<QRadioButton>("optDIR_2")->isChecked());
    EXPECT_EQ(find<QListWidget>("lstSTR")->count(), 41);
    EXPECT_EQ(find<QListWidget>("lstSTR")->item(1)->text(), "いて座");
    EXPECT_EQ(find<QListWidget>("lstSTR")->selectionMode(), QAbstractItemView::MultiSelection);
    EXPECT_EQ(find<QListWidget>("lstINTV1")->item(0)->text(), " 2");
    EXPECT_EQ(find<QListWidget>("lstINTV2")->item(7)->text(), "60");
    EXPECT_EQ(find<QPushButton>("Command3")->palette().color(QPalette::Button), QColor(19, 177, 255));
    EXPECT_EQ(find<QLineEdit>("txtYMD_0")->font().pointSizeF(), 14.25);
    EXPECT_EQ(find<QLineEdit>("txtIDO")->font().pointSizeF(), 15.75);
    EXPECT_EQ(find<QLabel>("lblV_15")->font().pointSizeF(), 11.25);
    EXPECT_TRUE(find<QLabel>("lblST_3")->font().bold());
    EXPECT_EQ(find<QLabel>("Label1")->font().family(), "IPAPGothic");
    for (const char* chk : {"chkSTR", "chkOP_0", "chkOP_1", "chkOP_2", "chkOP_3", "chkMET"})
        EXPECT_FALSE(find<QCheckBox>(chk)->isChecked());
}

// 表示 → 空の描き方 and the free view are remembered beside the place's
// settings: a compass key turns the free view on facing east, 元の配色 is
// chosen, and the next window opens the same way; a damaged memory gives
// the defaults (おまかせ: natural for the free view and 全天 only).
TEST_F(WindowTest, TheFreeViewAndTheSkyStyleAreRemembered) {
    app::MainWindow& w = open();
    w.show();
    const auto drawnStyle = [this] { return window_->canvas()->lastDrawn()->view.style; };
    w.drawToward(view::Direction::South);
    EXPECT_EQ(drawnStyle(), view::ChartStyle::Screen);
    w.drawToward(view::Direction::Zenith);
    EXPECT_EQ(drawnStyle(), view::ChartStyle::Natural);
    find<QAction>("faceEast")->trigger();
    ASSERT_TRUE(w.canvas()->lastDrawn()->free);
    EXPECT_EQ(w.canvas()->lastDrawn()->free->azDeg, 90.0);
    EXPECT_EQ(drawnStyle(), view::ChartStyle::Natural);
    find<QAction>("faceZenith")->trigger();
    EXPECT_EQ(w.canvas()->lastDrawn()->free->altDeg, 90.0);
    find<QAction>("faceEast")->trigger();  // from the zenith: back to a view holding the horizon
    EXPECT_EQ(w.canvas()->lastDrawn()->free->altDeg, 20.0);
    find<QAction>("skyStyleScreen")->trigger();
    EXPECT_EQ(drawnStyle(), view::ChartStyle::Screen);

    app::MainWindow& again = open();
    again.show();
    again.onDrawClicked();
    ASSERT_TRUE(again.canvas()->lastDrawn()->free);
    EXPECT_EQ(again.canvas()->lastDrawn()->free->azDeg, 90.0);
    EXPECT_EQ(again.canvas()->lastDrawn()->free->altDeg, 20.0);
    EXPECT_TRUE(find<QAction>("skyStyleScreen")->isChecked());
    EXPECT_EQ(drawnStyle(), view::ChartStyle::Screen);

    desktop_.reset();
    std::ofstream("planetarium.ini") << "[freeView]\non=maybe\naz=nan\nalt=1e999\nfov=-3\n[sky]\nstyle=purple\n\x01\xff";
    app::MainWindow& damaged = open();
    damaged.show();
    damaged.drawToward(view::Direction::South);
    EXPECT_FALSE(damaged.canvas()->lastDrawn()->free);
    EXPECT_TRUE(find<QAction>("skyStyleAuto")->isChecked());
    EXPECT_EQ(drawnStyle(), view::ChartStyle::Screen);
    find<QAction>("freeViewAction")->trigger();
    ASSERT_TRUE(damaged.canvas()->lastDrawn()->free);
    const view::FreeLook look = *damaged.canvas()->lastDrawn()->free;
    EXPECT_TRUE(std::isfinite(look.azDeg) && std::isfinite(look.altDeg));
    EXPECT_GE(look.fovDeg, view::kMinFovDeg);
}

}  // namespace


// The menu bar, the status bar and the keys, as a new user meets them.
// The window knows no capability: the desktop installs each one, and the
// file menu still ends with 終了; a capability can hold the window open.
TEST_F(WindowTest, TheDesktopInstallsEveryCapabilityAndQuitStaysLast) {
    app::MainWindow& w = open();
    const auto names = [](const QMenu* menu) {
        QStringList out;
        for (const QAction* a : menu->actions())
            if (!a->isSeparator()) out << a->objectName();
        return out;
    };
    const QStringList file = names(w.fileMenu());
    ASSERT_GE(file.size(), 5);
    EXPECT_EQ(file.front(), "saveAction");
    EXPECT_EQ(file.back(), "quitAction");
    EXPECT_TRUE(file.contains("filmAction") && file.contains("planisphereAction")) << file.join(",").toStdString();
    EXPECT_TRUE(names(w.viewMenu()).contains("findAction"));
    EXPECT_TRUE(names(w.toolsMenu()).contains("almanacAction"));
    EXPECT_TRUE(names(w.toolsMenu()).contains("tonightAction"));
    EXPECT_NE(desktop_->pointer(), nullptr);
    EXPECT_EQ(desktop_->trailMenu()->minutes(), 0);

    bool holdOpen = true;
    w.addCloseGuard([&] { return !holdOpen; });
    w.show();
    EXPECT_FALSE(w.close());
    EXPECT_TRUE(w.isVisible());
    holdOpen = false;
    EXPECT_TRUE(w.close());
}

TEST_F(WindowTest, MenusStatusBarAndKeys) {
    open();
    QStringList titles;
    for (QAction* a : window_->menuBar()->actions()) titles << a->text();
    EXPECT_EQ(titles, QStringList({"ファイル(&F)", "表示(&V)", "ツール(&T)", "ヘルプ(&H)"}));
    EXPECT_EQ(window_->findChild<QAction*>("almanacAction")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_K));
    EXPECT_EQ(window_->findChild<QAction*>("saveAction")->shortcut(), QKeySequence(QKeySequence::Save));

    // Every place's zone is one Qt knows; Japan's places show no second clock.
    for (std::size_t k = 1; k < catalogue().places.size(); ++k)
        EXPECT_TRUE(QTimeZone(QByteArray::fromStdString(catalogue().places[k].timeZone)).isValid()) << k;
    setText("txtYMD_0", "2026");
    setText("txtYMD_1", "1");
    setText("txtYMD_2", "15");
    setText("txtYMD_3", "22");
    setText("txtYMD_4", "0");
    auto status = [this] { return window_->findChild<QLabel*>("statusText")->text(); };
    EXPECT_EQ(status(), "2026年1月15日 22:00（日本時間）　東京（北緯 35.65°、東経 139.75°）");
    selectRow("lstCITY", 67);  // ロンドン: UTC in winter, UTC+1 in summer
    EXPECT_TRUE(status().endsWith("ロンドン（北緯 51.15°、西経 0.18°）　現地時刻 2026年1月15日 13:00")) << status().toStdString();
    setText("txtYMD_1", "7");
    EXPECT_TRUE(status().endsWith("現地時刻 2026年7月15日 14:00")) << status().toStdString();
    selectRow("lstCITY", 74);  // ホノルル: the day before
    EXPECT_TRUE(status().endsWith("現地時刻 2026年7月15日 03:00")) << status().toStdString();

    // N/E/S/W choose the direction and draw; the menu follows the buttons.
    window_->show();
    window_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_));
    window_->canvas()->setFocus();
    QTest::keyClick(window_, Qt::Key_W);
    EXPECT_TRUE(find<QRadioButton>("optDIR_3")->isChecked());
    EXPECT_TRUE(window_->findChild<QAction*>("directionAction_3")->isChecked());
    EXPECT_EQ(window_->canvas()->lastDrawn()->direction, view::Direction::West);
    find<QRadioButton>("optDIR_0")->setChecked(true);
    EXPECT_TRUE(window_->findChild<QAction*>("directionAction_0")->isChecked());
    // PageDown steps forward by the chosen interval, PageUp back, and draw.
    selectRow("lstINTV1", 7);  // 120 minutes
    QTest::keyClick(window_, Qt::Key_PageDown);  // 22:00 -> 0:00 the next day
    EXPECT_EQ(text("txtYMD_2"), "16");
    EXPECT_EQ(text("txtYMD_3"), "0");
    QTest::keyClick(window_, Qt::Key_PageUp);
    QTest::keyClick(window_, Qt::Key_PageUp);
    EXPECT_EQ(text("txtYMD_2"), "15");
    EXPECT_EQ(text("txtYMD_3"), "20");
    QTest::keyClick(window_, Qt::Key_Home);
    EXPECT_EQ(text("txtYMD_0"), "2026");
    EXPECT_EQ(text("txtYMD_2"), "7");
    EXPECT_EQ(text("txtYMD_3"), "19");
    // In a focused list Home and End move within it and leave the clock alone.
    for (const char* name : {"lstCITY", "lstINTV1", "lstINTV2"}) {
        auto* list = find<QListWidget>(name);
        list->setFocus();
        list->setCurrentRow(3);
        QTest::keyClick(list, Qt::Key_Home);
        EXPECT_EQ(list->currentRow(), 0) << name;
        QTest::keyClick(list, Qt::Key_End);
        EXPECT_EQ(list->currentRow(), list->count() - 1) << name;
        EXPECT_EQ(text("txtYMD_3"), "19") << name;
    }
    selectRow("lstINTV1", 7);
    selectRow("lstINTV2", 3);
    // The display options in the menu and the check boxes are one state.
    window_->findChild<QAction*>("optionAction_chkOP_0")->trigger();
    EXPECT_TRUE(find<QCheckBox>("chkOP_0")->isChecked());
    find<QCheckBox>("chkOP_0")->setChecked(false);
    EXPECT_FALSE(window_->findChild<QAction*>("optionAction_chkOP_0")->isChecked());

    // Every control a screen reader reaches has a name.
    for (QWidget* w : window_->canvas()->findChildren<QWidget*>()) {
        if (w->focusPolicy() == Qt::NoFocus || w->parentWidget() != window_->canvas()) continue;
        EXPECT_FALSE(w->accessibleName().isEmpty()) << w->objectName().toStdString();
    }
}

// Every text the program writes into a box shows from its first character
// and fits the box: each place's coordinates, and the year range's ends.
TEST_F(WindowTest, BoxesShowTheWholeTextTheProgramWrites) {
    open();
    auto fitsFromTheStart = [this](const char* name) {
        QLineEdit* e = find<QLineEdit>(name);
        SCOPED_TRACE(name + (": " + e->text().toStdString()));
        EXPECT_EQ(e->cursorPosition(), 0);
        EXPECT_LE(e->fontMetrics().horizontalAdvance(e->text()) + 1, e->width() - 4);
    };
    QListWidget* city = find<QListWidget>("lstCITY");
    for (int row = 0; row < city->count(); ++row) {
        if (row == 48) continue;  // "入力" keeps the typed text
        city->setCurrentRow(row);
        fitsFromTheStart("txtIDO");
        fitsFromTheStart("txtKEIDO");
    }
    setText("txtYMD_0", "32767");
    setText("txtYMD_1", "12");
    setText("txtYMD_2", "31");
    setText("txtYMD_3", "22");
    setText("txtYMD_4", "0");
    selectRow("lstINTV2", 0);
    window_->onTimerTick();
    for (const char* name : {"txtYMD_0", "txtYMD_1", "txtYMD_2", "txtYMD_3", "txtYMD_4"}) fitsFromTheStart(name);
    setText("txtYMD_0", "-32768");
    setText("txtYMD_1", "1");
    setText("txtYMD_2", "1");
    setText("txtYMD_3", "2");
    window_->stepAndDraw(1);
    EXPECT_EQ(text("txtYMD_0"), "-32768");
    fitsFromTheStart("txtYMD_0");
}

// Choosing a place puts its coordinates in the boxes at once, so "数値"
// before drawing tabulates that place; a shown table follows the timer.
TEST_F(WindowTest, TableFollowsThePlaceAndTheTimer) {
    open();
    auto sunAltitude = [this] {
        const astro::SkyFieldsReading r = app::readFields(app::FieldTexts{
            {text("txtYMD_0").toStdString(), text("txtYMD_1").toStdString(), text("txtYMD_2").toStdString(),
             text("txtYMD_3").toStdString(), text("txtYMD_4").toStdString(), text("txtIDO").toStdString(),
             text("txtKEIDO").toStdString()}});
        return QString::fromStdString(app::oneDecimal(astro::computeSky(r.input).bodyAltDeg[astro::Sun]));
    };
    selectRow("lstCITY", 0);  // 札幌
    EXPECT_EQ(text("txtIDO"), "43.067");
    EXPECT_EQ(text("txtKEIDO"), "141.35");
    click("Command2");
    EXPECT_EQ(caption("lblH_1"), sunAltitude());
    // "入力" keeps what was typed.
    setText("txtIDO", "10");
    selectRow("lstCITY", 48);
    EXPECT_EQ(text("txtIDO"), "10");

    selectRow("lstCITY", 12);
    selectRow("lstINTV1", 7);  // 120 minutes a step
    selectRow("lstINTV2", 0);
    click("Command2");
    const QString before = caption("lblH_1");
    window_->onTimerTick();
    EXPECT_EQ(caption("lblH_1"), sunAltitude());
    EXPECT_NE(caption("lblH_1"), before);
    EXPECT_EQ(caption("lblST_1"), " 太陽");
}

// Ctrl+S saves the sky the offered name describes, as the user saw it
// (table included), even when the timer draws on behind the dialog.
TEST_F(WindowTest, SavingTakesThePictureAndNameWhenAsked) {
    open();
    window_->show();
    selectRow("lstINTV2", 0);
    click("Command3");
    click("Command2");
    const QImage shown = window_->canvas()->snapshot(window_->canvas()->findChildren<QWidget*>(
        QRegularExpression(QStringLiteral("^lbl"))));
    EXPECT_NE(shown, window_->picture().copy(0, 0, shown.width(), shown.height())) << "the table is in the picture";
    const QString name = window_->suggestedPictureName();
    savePath_ = QString::fromStdString((dir_ / "asked.png").string());
    // The dialog stays open for 45 minutes of sky: three timer ticks.
    whileAsking_ = [this] {
        for (int i = 0; i < 3; ++i) window_->onTimerTick();
    };
    window_->savePictureInteractive();
    whileAsking_ = nullptr;
    EXPECT_EQ(suggested_, name);
    EXPECT_NE(window_->suggestedPictureName(), name) << "the timer did move on";
    QImage saved;
    ASSERT_TRUE(saved.load(savePath_));
    EXPECT_EQ(saved.convertToFormat(QImage::Format_RGB32), shown.convertToFormat(QImage::Format_RGB32));
}

// A month, day, hour or minute outside its range still carries, but the
// field is marked and says what was used; so is the year at its limit.
TEST_F(WindowTest, OutOfRangeDateFieldsAreMarked) {
    open();
    setText("txtYMD_0", "2026");
    setText("txtYMD_1", "12");
    setText("txtYMD_2", "8");
    setText("txtYMD_3", "1830");
    setText("txtYMD_4", "0");
    click("Command3");
    QLineEdit* hour = find<QLineEdit>("txtYMD_3");
    EXPECT_TRUE(hour->property("fieldWarning").toBool());
    EXPECT_EQ(hour->palette().color(QPalette::Base), QColor(255, 200, 64));
    EXPECT_TRUE(hour->toolTip().contains("0〜23")) << hour->toolTip().toStdString();
    EXPECT_TRUE(hour->toolTip().contains("2027年2月22日 06:00")) << hour->toolTip().toStdString();
    for (const char* ok : {"txtYMD_0", "txtYMD_1", "txtYMD_2", "txtYMD_4"})
        EXPECT_FALSE(find<QLineEdit>(ok)->property("fieldWarning").toBool()) << ok;
    setText("txtYMD_3", "23");
    setText("txtYMD_1", "13");
    setText("txtYMD_4", "60");
    click("Command3");
    EXPECT_FALSE(hour->property("fieldWarning").toBool());
    EXPECT_TRUE(find<QLineEdit>("txtYMD_1")->property("fieldWarning").toBool());
    EXPECT_TRUE(find<QLineEdit>("txtYMD_4")->property("fieldWarning").toBool());

    // A day the month does not have is marked and nothing is drawn (it once
    // became 3月3日 silently); the ten days of the calendar change likewise.
    for (const auto& [y, m, d, says] : {std::tuple{"2026", "2", "31", "28 日までです"},
                                         std::tuple{"1582", "10", "10", "1582年10月5日〜14日はありません"}}) {
        setText("txtYMD_0", y);
        setText("txtYMD_1", m);
        setText("txtYMD_2", d);
        setText("txtYMD_3", "10");
        setText("txtYMD_4", "0");
        window_->canvas()->clearPicture();
        click("Command3");
        QLineEdit* day = find<QLineEdit>("txtYMD_2");
        EXPECT_TRUE(day->property("fieldWarning").toBool()) << d;
        EXPECT_TRUE(day->toolTip().contains(QString::fromUtf8(says))) << day->toolTip().toStdString();
        EXPECT_FALSE(window_->canvas()->lastDrawn()) << d;
    }
    setText("txtYMD_0", "2026");
    setText("txtYMD_1", "2");
    setText("txtYMD_2", "28");
    click("Command3");
    EXPECT_FALSE(find<QLineEdit>("txtYMD_2")->property("fieldWarning").toBool());
    EXPECT_TRUE(window_->canvas()->lastDrawn());

    setText("txtYMD_0", "32767");
    setText("txtYMD_1", "12");
    setText("txtYMD_2", "31");
    setText("txtYMD_3", "23");
    setText("txtYMD_4", "59");
    window_->onTimerTick();
    QLineEdit* year = find<QLineEdit>("txtYMD_0");
    EXPECT_TRUE(year->property("fieldWarning").toBool());
    EXPECT_EQ(year->palette().color(QPalette::Base), QColor(255, 200, 64));
    EXPECT_FALSE(year->toolTip().isEmpty());
}

// The buttons' face is the design's colour; every list item can be read
// (its first three characters show, and its tooltip holds the full name).
TEST_F(WindowTest, ButtonsAndListItemsLookAsDesigned) {
    open();
    window_->show();
    for (const char* name : {"Command1", "Command2", "Command3"}) {
        const QImage face = find<QPushButton>(name)->grab().toImage();
        int design = 0;
        for (int y = 0; y < face.height(); ++y)
            for (int x = 0; x < face.width(); ++x) design += QColor(face.pixel(x, y)) == QColor(19, 177, 255) ? 1 : 0;
        EXPECT_GT(design, face.width() * face.height() / 2) << name;
    }
    for (const char* name : {"lstCITY", "lstSTR"}) {
        QListWidget* list = find<QListWidget>(name);
        const int margin = 2 * (list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1);
        for (int row = 0; row < list->count(); ++row) {
            QListWidgetItem* item = list->item(row);
            const QString full = item->text().trimmed();
            EXPECT_EQ(item->toolTip(), full);
            const int room = list->visualItemRect(item).width() - margin;
            const QString shown = list->fontMetrics().elidedText(item->text(), Qt::ElideRight, room);
            EXPECT_TRUE(shown.startsWith(full.left(3))) << name << ": " << full.toStdString() << " shows as "
                                                        << shown.toStdString();
        }
    }
}

// The almanac, the trails and the film hang from the menu bar and follow the
// window: こよみ opens for the entered day and place and follows a new place
// and a new drawing; the status bar gives the Moon's age and the Sun's rise
// and set (published Tokyo values of 2006-01-22: sunrise 6:48, sunset 16:58).
TEST_F(WindowTest, AlmanacTrailsAndFilmFromTheMenus) {
    open();
    const std::array<const char*, 5> moment = {"2006", "1", "22", "12", "0"};
    for (int i = 0; i < 5; ++i) setText(("txtYMD_" + std::to_string(i)).c_str(), moment[i]);
    EXPECT_EQ(caption("almanacStatus"), QStringLiteral("正午月齢 22.0　日の出 06:48　日の入り 16:58"));
    window_->findChild<QAction*>("almanacAction")->trigger();
    app::AlmanacWindow* almanac = desktop_->almanacMenu()->almanacWindow();
    ASSERT_NE(almanac, nullptr);
    EXPECT_TRUE(almanac->isVisible());
    EXPECT_EQ(almanac->heading(), QStringLiteral("東京　2006年1月22日（日）　時刻は日本標準時"));
    selectRow("lstCITY", 67);  // ロンドン: 12:00 JST is 03:00 GMT the same day
    EXPECT_EQ(almanac->heading(), QStringLiteral("ロンドン　2006年1月22日（日）　時刻はロンドン時間 (UTC)"));
    EXPECT_TRUE(caption("almanacStatus").contains(QStringLiteral("日の出 07:51"))) << caption("almanacStatus").toStdString();
    setText("txtYMD_2", "23");
    EXPECT_TRUE(almanac->heading().contains(QStringLiteral("1月22日"))) << "the window waits for the drawing";
    click("Command3");
    EXPECT_TRUE(almanac->heading().contains(QStringLiteral("1月23日"))) << almanac->heading().toStdString();

    // 軌跡 draws at once: the picture and the printed chart end 4 hours on.
    selectRow("lstCITY", 0);
    setText("txtYMD_3", "20");
    click("Command3");
    const astro::SkyState before = window_->canvas()->lastDrawn()->sky;
    desktop_->trailMenu()->toggleAction()->trigger();
    ASSERT_TRUE(window_->shownChart() && window_->shownChart()->trails);
    EXPECT_GT(window_->shownChart()->trails->paths.size(), 100u);
    EXPECT_NEAR(window_->canvas()->lastDrawn()->sky.jdUt - before.jdUt, 4.0 / 24.0, 1e-6);
    EXPECT_TRUE(caption("statusText").contains(QStringLiteral("軌跡 4 時間")));
    const QImage paper = app::chartImage([&] {
        app::ChartScene scene = *window_->shownChart();
        scene.view.style = view::ChartStyle::Print;
        return scene;
    }(), catalogue(), 1.0);
    EXPECT_FALSE(paper.isNull());

    // 動画に書き出し… asks for the film and writes its frames.
    QTemporaryDir out;
    const QString path = out.filePath(QStringLiteral("film.png"));
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->findChild<QSpinBox*>("filmFrames")->setValue(2);
        dialog->findChild<QLineEdit*>("filmPath")->setText(path);
        dialog->accept();
    });
    desktop_->trailMenu()->toggleAction()->trigger();
    window_->findChild<QAction*>("filmAction")->trigger();
    EXPECT_TRUE(QFile::exists(out.filePath("film-0001.png")));
    EXPECT_TRUE(QFile::exists(out.filePath("film-0002.png")));
    EXPECT_FALSE(QFile::exists(out.filePath("film-0003.png")));
    EXPECT_TRUE(warnings_.isEmpty()) << warnings_.join('\n').toStdString();
}

// 表示 → 全天 (Z) draws the whole sky, leaves the four buttons where they
// are with none chosen, names its picture "-zenith" and is printed as it
// is shown; a quarter's button brings the quarters back. ファイル →
// 星座早見盤を作る… writes the two pages for the place chosen and says
// plainly why a place near the equator gets none.
TEST_F(WindowTest, AllSkyViewAndPlanisphereFromTheMenus) {
    open();
    window_->show();
    const std::array<const char*, 5> moment = {"2026", "1", "15", "22", "0"};
    for (int i = 0; i < 5; ++i) setText(("txtYMD_" + std::to_string(i)).c_str(), moment[i]);
    selectRow("lstCITY", 12);  // 東京
    click("Command3");
    const QRect southButton = find<QRadioButton>("optDIR_2")->geometry();
    window_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_));
    window_->canvas()->setFocus();
    QTest::keyClick(window_, Qt::Key_Z);
    ASSERT_TRUE(window_->shownChart());
    EXPECT_EQ(window_->shownChart()->direction, view::Direction::Zenith);
    EXPECT_EQ(window_->shownChart()->heading.direction, view::Direction::Zenith);
    EXPECT_TRUE(window_->findChild<QAction*>("directionAction_4")->isChecked());
    for (int i = 0; i < 4; ++i)
        EXPECT_FALSE(find<QRadioButton>(("optDIR_" + std::to_string(i)).c_str())->isChecked()) << i;
    EXPECT_EQ(find<QRadioButton>("optDIR_2")->geometry(), southButton);
    // Sirius is drawn in the circle.
    bool sirius = false;
    for (const view::DrawnObject& o : window_->canvas()->lastDrawn()->record.objects)
        sirius = sirius || (o.kind == view::DrawnKind::Star && catalogue().stars[static_cast<std::size_t>(o.id)].hr == 2491);
    EXPECT_TRUE(sirius);
    savePath_.clear();
    window_->findChild<QAction*>("saveAction")->trigger();
    EXPECT_TRUE(suggested_.endsWith(QStringLiteral("-zenith.png"))) << suggested_.toStdString();

    QTest::mouseClick(find<QRadioButton>("optDIR_0"), Qt::LeftButton);
    click("Command3");
    EXPECT_EQ(window_->shownChart()->direction, view::Direction::North);
    EXPECT_FALSE(window_->findChild<QAction*>("directionAction_4")->isChecked());

    QTemporaryDir out;
    QString asked;
    desktop_->planisphereMenu()->hooks().askPath = [&](const QString& name) {
        asked = name;
        return out.filePath(QStringLiteral("hayami.pdf"));
    };
    desktop_->planisphereMenu()->hooks().warn = [this](const QString& t) { warnings_ << t; };
    window_->findChild<QAction*>("planisphereAction")->trigger();
    EXPECT_EQ(asked, QStringLiteral("hayami-東京.pdf"));
    QFile pdf(out.filePath(QStringLiteral("hayami.pdf")));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.read(5) == "%PDF-");
    EXPECT_TRUE(warnings_.isEmpty()) << warnings_.join('\n').toStdString();

    asked.clear();
    selectRow("lstCITY", catalog::kManualPlace - 1);  // 入力
    setText("txtIDO", "1.35");
    setText("txtKEIDO", "103.82");
    window_->findChild<QAction*>("planisphereAction")->trigger();
    EXPECT_TRUE(asked.isEmpty());
    ASSERT_EQ(warnings_.size(), 1);
    EXPECT_TRUE(warnings_[0].contains(QStringLiteral("赤道"))) << warnings_[0].toStdString();
}

// Closing the window while a film is written stops the export, which
// leaves nothing behind, and the window then closes rather than leaving a
// process without one; closing while the film dialog asks closes it too.
TEST_F(WindowTest, ClosingTheWindowDuringAFilmStopsItAndCloses) {
    for (const bool duringExport : {true, false}) {
        open();
        window_->show();
        QTemporaryDir out;
        const QString path = out.filePath(QStringLiteral("film.png"));
        bool closed = false;
        QTimer driver;
        QObject::connect(&driver, &QTimer::timeout, [&] {
            auto* dialog = window_->findChild<QDialog*>("filmDialog");
            auto* progress = window_->findChild<QProgressDialog*>("filmProgress");
            if (dialog && dialog->isVisible() && duringExport) {
                dialog->findChild<QSpinBox*>("filmFrames")->setValue(2000);
                dialog->findChild<QLineEdit*>("filmPath")->setText(path);
                dialog->accept();
            } else if (!closed && ((dialog && dialog->isVisible()) || (progress && progress->value() >= 3))) {
                closed = true;
                window_->close();
                EXPECT_TRUE(window_->isVisible()) << "not before the export has cleaned up";
            }
        });
        driver.start(0);
        window_->findChild<QAction*>("filmAction")->trigger();
        driver.stop();
        EXPECT_TRUE(closed);
        EXPECT_FALSE(window_->isVisible()) << duringExport;
        EXPECT_TRUE(QDir(out.path()).isEmpty()) << QDir(out.path()).entryList(QDir::Hidden | QDir::AllEntries | QDir::NoDotAndDotDot).join(' ').toStdString();
        EXPECT_TRUE(warnings_.isEmpty()) << warnings_.join('\n').toStdString();
    }
}

// 使い方 tells of everything the menus offer (it once stopped at the keys).
TEST(HelpPage, TellsOfPrintingFilmsAlmanacTrailsAndTheConstellationList) {
    const QString help = app::helpPageHtml();
    for (const char* topic : {"印刷", "動画", "こよみ", "軌跡", "星座", "CSV", "Ctrl+F", "全天", "星座早見盤"})
        EXPECT_TRUE(help.contains(QString::fromUtf8(topic))) << topic;
}

// The window cannot be made so small that a control leaves it, and its
// smallest size fits a 1366x768 screen with room for a title bar and a
// task bar.
TEST_F(WindowTest, MinimumSizeKeepsEveryControlAndFitsASmallScreen) {
    open();
    window_->show();
    window_->resize(400, 300);
    QApplication::processEvents();
    EXPECT_GE(window_->width(), window_->minimumWidth());
    EXPECT_LE(window_->minimumWidth(), 1366);
    EXPECT_LE(window_->minimumHeight(), 768 - 70);
    const QRect shown = window_->canvas()->rect();
    for (QWidget* w : window_->canvas()->findChildren<QWidget*>()) {
        if (w->parentWidget() != window_->canvas() || !w->isVisible()) continue;
        EXPECT_TRUE(shown.contains(w->geometry())) << w->objectName().toStdString();
    }
}

// The classroom: the picture grows with the window and fills a projector's
// screen, the large names and star patterns, and 今夜の見どころ.
TEST_F(WindowTest, ThePictureGrowsWithTheWindowFillsTheScreenAndTellsTonight) {
    open();
    window_->show();
    const std::array<const char*, 5> moment = {"2026", "12", "13", "22", "0"};
    for (int i = 0; i < 5; ++i) setText(("txtYMD_" + std::to_string(i)).c_str(), moment[i]);
    selectRow("lstCITY", 12);  // 東京
    click("Command3");
    app::SkyCanvas* canvas = window_->canvas();
    const double dpr = canvas->devicePixelRatioF();
    ASSERT_TRUE(canvas->lastDrawn());
    // At the design size, the design's picture: scale 1 at the corner.
    EXPECT_EQ(canvas->fit(), app::PictureFit{});
    EXPECT_DOUBLE_EQ(canvas->lastDrawn()->record.viewport.pixelsPerTwip, dpr / view::kTwipsPerPixel);
    const QImage design = canvas->picture().copy();

    // Larger: the whole picture, scaled and centred, and pointing follows it.
    window_->resize(1920, 1080);
    QCoreApplication::processEvents();
    const app::PictureFit big = canvas->fit();
    EXPECT_EQ(big, app::fitPicture(canvas->width(), canvas->height(), 14655.0 / 15.0, 9375.0 / 15.0));
    ASSERT_GE(big.scale, 1.25);
    EXPECT_DOUBLE_EQ(canvas->lastDrawn()->record.viewport.pixelsPerTwip, big.scale * dpr / view::kTwipsPerPixel);
    int pointed = 0;
    for (const view::DrawnObject& o : canvas->lastDrawn()->record.objects) {
        // The record also holds stars placed beyond the picture's edges.
        const QRectF shown(big.originX * dpr, big.originY * dpr, 977 * big.scale * dpr, 625 * big.scale * dpr);
        if (o.kind != view::DrawnKind::Star || o.radiusPx < 2.0f || !shown.contains(o.xPx, o.yPx)) continue;
        const auto answer = desktop_->pointer()->answerAt(QPoint(static_cast<int>(o.xPx / dpr), static_cast<int>(o.yPx / dpr)));
        ASSERT_TRUE(answer && answer->object);
        pointed += answer->object->id == o.id;
    }
    EXPECT_GT(pointed, 10);
    // Back at the design size, the very same picture.
    window_->resize(window_->minimumSize());
    QCoreApplication::processEvents();
    EXPECT_EQ(canvas->fit(), app::PictureFit{});
    const QRect area(0, 0, static_cast<int>(977 * dpr), static_cast<int>(625 * dpr));
    const QImage again = canvas->picture().copy(area);
    int differ = 0;
    for (int y = 0; y < area.height(); ++y)
        for (int x = 0; x < area.width(); ++x) differ += again.pixel(x, y) != design.pixel(x, y);
    EXPECT_EQ(differ, 0);

    // 星の並び and 大きな星名 reach the picture the window draws.
    window_->findChild<QAction*>("asterismsAction")->setChecked(true);
    EXPECT_TRUE(window_->shownChart()->view.asterisms);
    EXPECT_FALSE(window_->shownChart()->view.largeNames);

    // Full screen: the picture alone, the moment and place in a corner, the
    // large names on; Esc brings every control back as it was.
    window_->findChild<QAction*>("fullScreenAction")->trigger();
    EXPECT_TRUE(window_->fullScreenPicture());
    EXPECT_FALSE(find<QPushButton>("Command3")->isVisible());
    EXPECT_FALSE(window_->menuBar()->isVisible());
    const auto* overlay = window_->findChild<QLabel*>("fullScreenOverlay");
    ASSERT_NE(overlay, nullptr);
    EXPECT_TRUE(overlay->isVisible());
    EXPECT_TRUE(overlay->text().contains(QStringLiteral("東京"))) << overlay->text().toStdString();
    EXPECT_TRUE(window_->shownChart()->view.largeNames);
    QTest::keyClick(window_, Qt::Key_Escape);
    EXPECT_FALSE(window_->fullScreenPicture());
    EXPECT_TRUE(find<QPushButton>("Command3")->isVisible());
    EXPECT_TRUE(window_->menuBar()->isVisible());
    EXPECT_FALSE(window_->findChild<QAction*>("largeNamesAction")->isChecked());

    // ツール → 今夜の見どころ… for the entered date and place.
    window_->findChild<QAction*>("tonightAction")->trigger();
    ASSERT_NE(desktop_->tonightDialog(), nullptr);
    const QString text = desktop_->tonightDialog()->text();
    EXPECT_TRUE(text.startsWith(QStringLiteral("2026年12月13日（日）の夜の空　東京"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("ふたご座流星群"))) << text.toStdString();
    desktop_->tonightDialog()->close();
}

// ツール → 日食・月食…: the place's eclipses of the span, one chosen shows the
// almanac's table, and 食の最大を描く sets the window to its greatest phase.
TEST_F(WindowTest, EclipsesListShowTheTableAndDrawTheGreatestPhase) {
    open();
    const std::array<const char*, 5> moment = {"2026", "1", "1", "12", "0"};
    for (int i = 0; i < 5; ++i) setText(("txtYMD_" + std::to_string(i)).c_str(), moment[i]);
    selectRow("lstCITY", 0);  // 札幌
    window_->findChild<QAction*>("eclipseAction")->trigger();
    app::EclipseDialog* dialog = desktop_->eclipseDialog();
    ASSERT_NE(dialog, nullptr);
    ASSERT_GE(dialog->rowCount(), 40);  // 2026 to 2036
    auto* list = dialog->findChild<QTableWidget*>("eclipseList");
    EXPECT_EQ(list->item(1, 0)->text(), QStringLiteral("2026-03-03"));
    EXPECT_EQ(list->item(1, 1)->text(), QStringLiteral("皆既月食"));
    dialog->choose(1);
    EXPECT_TRUE(dialog->tableText().contains(QStringLiteral("部分食の始め　18時49.8分"))) << dialog->tableText().toStdString();
    dialog->drawGreatest();
    const app::WindowRequest r = window_->currentRequest();
    EXPECT_EQ(r.request.input.day, 3);
    EXPECT_EQ(r.request.input.hour, 20);
    EXPECT_EQ(r.request.input.minute, 34);
    // 連続画像・動画…: from the first contact every 30 minutes to the last
    // of the umbral phase (18:49.8 to 22:17.6: seven pictures).
    savePath_ = QString::fromStdString((dir_ / "moon.png").string());
    EXPECT_TRUE(dialog->exportSeries());
    EXPECT_TRUE(fs::exists(dir_ / "moon-0001.png"));
    EXPECT_TRUE(fs::exists(dir_ / "moon-0007.png"));
    EXPECT_FALSE(fs::exists(dir_ / "moon-0008.png"));
    dialog->close();
}

// 表示 → 透明半球…: the entered date's path at the chosen place, the year's
// solstices and equinoxes, saved as a PDF and printed to one; a timer-like
// drawing of another date follows in the open dialog.
TEST_F(WindowTest, SunPathFollowsTheWindowSavesAndPrints) {
    open();
    const std::array<const char*, 5> moment = {"2026", "6", "21", "12", "0"};
    for (int i = 0; i < 5; ++i) setText(("txtYMD_" + std::to_string(i)).c_str(), moment[i]);
    selectRow("lstCITY", 0);  // 札幌
    window_->findChild<QAction*>("sunPathAction")->trigger();
    app::SunPathDialog* dialog = desktop_->sunPathDialog();
    ASSERT_NE(dialog, nullptr);
    ASSERT_EQ(dialog->scene().days.size(), 1u);
    EXPECT_EQ(dialog->scene().placeName, "札幌");
    EXPECT_EQ(dialog->scene().days[0].label, "2026年6月21日");
    ASSERT_TRUE(dialog->scene().days[0].rise);
    EXPECT_EQ(astro::localMinute(dialog->scene().days[0].rise->jdUt, astro::fixedUtcOffset(9 * 3600)).hour, 3);
    dialog->setKind(app::SunPathDialog::Kind::Seasons);
    EXPECT_EQ(dialog->scene().days.size(), 3u);
    savePath_ = QString::fromStdString((dir_ / "dome.pdf").string());
    EXPECT_TRUE(dialog->save());
    EXPECT_GT(fs::file_size(dir_ / "dome.pdf"), 1000u);
    dialog->askPrinter = [this](QPrinter& p) {
        p.setOutputFileName(QString::fromStdString((dir_ / "printed.pdf").string()));
        return true;
    };
    EXPECT_TRUE(dialog->print());
    EXPECT_TRUE(fs::exists(dir_ / "printed.pdf"));
    // Another date drawn in the window: the open dialog follows.
    dialog->setKind(app::SunPathDialog::Kind::Day);
    setText("txtYMD_1", "12");
    window_->onDrawClicked();
    EXPECT_EQ(dialog->scene().days[0].label, "2026年12月21日");
    dialog->close();
}

// 表示 → 金星の満ち欠け…: twelve discs from the entered date, Mercury or the
// Moon chosen from the list, the page saved as a PNG.
TEST_F(WindowTest, PhasesFollowTheWindowAndSave) {
    open();
    const std::array<const char*, 5> moment = {"2026", "5", "1", "12", "0"};
    for (int i = 0; i < 5; ++i) setText(("txtYMD_" + std::to_string(i)).c_str(), moment[i]);
    window_->findChild<QAction*>("phasesAction")->trigger();
    app::PhaseStripDialog* dialog = desktop_->phaseStripDialog();
    ASSERT_NE(dialog, nullptr);
    ASSERT_EQ(dialog->strip().discs.size(), 12u);
    EXPECT_EQ(dialog->strip().body, astro::Venus);
    EXPECT_EQ(dialog->strip().discs[0].date, (astro::LocalDate{2026, 5, 1}));
    EXPECT_GT(dialog->strip().discs.back().diameterArcsec, 3.0 * dialog->strip().discs[0].diameterArcsec);
    dialog->setBody(2);
    EXPECT_EQ(dialog->strip().body, astro::Moon);
    savePath_ = QString::fromStdString((dir_ / "moon.png").string());
    EXPECT_TRUE(dialog->save());
    EXPECT_EQ(QImage(QString::fromStdString((dir_ / "moon.png").string())).width(), 2246);
    dialog->close();
}

// 表示 → 月の観察カード…: the entered moment toward the south, five days at
// 18:00; printed to a PDF, A4 portrait.
TEST_F(WindowTest, MoonCardFollowsTheWindowAndPrints) {
    open();
    const std::array<const char*, 5> moment = {"2026", "12", "15", "18", "0"};
    for (int i = 0; i < 5; ++i) setText(("txtYMD_" + std::to_string(i)).c_str(), moment[i]);
    window_->findChild<QAction*>("moonCardAction")->trigger();
    app::MoonCardDialog* dialog = desktop_->moonCardDialog();
    ASSERT_NE(dialog, nullptr);
    dialog->setChoice(4, true, 1, 5, false);
    ASSERT_EQ(dialog->card().entries.size(), 5u);
    EXPECT_TRUE(dialog->card().sameTime);
    EXPECT_EQ(dialog->card().faceAzDeg, 180.0);
    EXPECT_GT(dialog->card().entries[4].illum, dialog->card().entries[0].illum);
    dialog->askPrinter = [this](QPrinter& p) {
        p.setOutputFileName(QString::fromStdString((dir_ / "card.pdf").string()));
        return true;
    };
    EXPECT_TRUE(dialog->print());
    EXPECT_TRUE(fs::exists(dir_ / "card.pdf"));
    dialog->close();
}

// 宇宙から見た図 beside the sky: it follows each drawing, a click on a
// planet draws the line of sight to it, and it prints on A4.
TEST_F(WindowTest, OrbitViewFollowsTheSkyAndTakesAClickOnAPlanet) {
    open();
    const std::array<const char*, 5> moment = {"2026", "8", "15", "19", "0"};
    for (int i = 0; i < 5; ++i) setText(("txtYMD_" + std::to_string(i)).c_str(), moment[i]);
    click("Command3");
    QAction* item = window_->findChild<QAction*>("orbitsAction");
    ASSERT_NE(item, nullptr);
    item->trigger();
    app::OrbitDock* dock = desktop_->orbitDock();
    ASSERT_FALSE(dock->isHidden());
    const double venusLon = dock->answer().scene.planets[static_cast<int>(astro::Planet::Venus)].lonDeg;
    EXPECT_EQ(dock->answer().scene.facingLabel, "南");
    setText("txtYMD_2", "29");
    click("Command3");
    EXPECT_GT(dock->answer().scene.planets[static_cast<int>(astro::Planet::Venus)].lonDeg, venusLon + 15.0);  // two weeks on
    const app::OrbitPixel venus = app::orbitPixel(dock->answer(), astro::Planet::Venus);
    EXPECT_EQ(dock->choose(venus.x + 2.0, venus.y - 1.0), "金星");
    ASSERT_TRUE(dock->answer().scene.target.has_value());
    EXPECT_EQ(*dock->answer().scene.target, astro::Planet::Venus);
    dock->askPrinter = [this](QPrinter& p) {
        p.setOutputFileName(QString::fromStdString((dir_ / "orbits.pdf").string()));
        return true;
    };
    EXPECT_TRUE(dock->print());
    EXPECT_GT(fs::file_size(dir_ / "orbits.pdf"), 1000u);
    item->trigger();
    EXPECT_TRUE(dock->isHidden());
}
