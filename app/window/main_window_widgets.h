// Form1, the program's one window: the menu bar, the picture area with every
// control at its design place, and the status bar. The window wires the
// controls to the commands; the picture lives in SkyCanvas, the controls in
// DesignForm, the layout in window_layout, the answers in the session.
//
// The window knows no capability: the desktop root (app/desktop) installs
// them. A capability hangs its actions on fileMenu(), viewMenu(),
// toolsMenu() or helpMenu(); reads the moment and place the window draws
// with currentRequest(); listens to canvas()->skyDrawn() and reads
// canvas()->lastDrawn() for what is on screen; writes messages with
// statusBar() or warn(); may hold the window open with addCloseGuard().
#pragma once

#include <QDateTime>
#include <QImage>
#include <QMainWindow>
#include <QPalette>
#include <QString>

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/session/answers.h"
#include "app/session/chart_scene.h"
#include "app/session/fields.h"
#include "app/session/settings.h"
#include "app/session/sky_picture.h"
#include "app/session/sky_request.h"
#include "app/session/zone.h"
#include "app/window/design_form_widgets.h"
#include "astro/sky_state.h"
#include "catalog/catalog.h"
#include "view/sky_view.h"

class QAction;
class QActionGroup;
class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;
class QRadioButton;
class QTimer;

namespace app {

class SkyCanvas;

// What the window asks of the outside world. Every member has a default
// (modal message boxes, the file dialog, the computer's clock, the real
// computation); tests replace them so nothing blocks and the Sun can be
// steered.
struct WindowHooks {
    std::string settingsPath = kSettingsFileName;
    // A problem the user should know about.
    std::function<void(const QString& text)> warn;
    // A page of information (help, about).
    std::function<void(const QString& title, const QString& text)> inform;
    // After the settings could not be written: true to quit anyway.
    std::function<bool(const QString& text)> askQuitAnyway;
    // Where to save the picture; an empty string cancels.
    std::function<QString(const QString& suggestedName)> askSavePath;
    // Ends the program.
    std::function<void()> quit;
    // The current moment, UTC.
    std::function<QDateTime()> nowUtc;
    // The computation pass with the Moon phase.
    std::function<astro::SkyState(const astro::SkyInput&)> computeSky;
    // Seed of the shooting stars; none: a fresh seed per run.
    std::optional<unsigned long long> meteorSeed;
};

// The moment and place the window draws for, as its controls hold them now.
struct WindowRequest {
    astro::SkyFieldsReading reading;  // the seven fields, as the computation reads them
    SkyRequest request;               // input of the computation and the place's name
    int placeIndex = 0;               // catalogue index 1..75 of the chosen place, 0 if none
    std::string timeZone;             // IANA zone of the place ("Asia/Tokyo" for "入力")
    LocalZone zone;                   // that zone by the session's local-time rule
    view::Direction direction = view::Direction::South;
    PictureRequest picture;           // the picture the draw command draws (scale 1)
    // The place as the chart title names it: empty for "入力".
    std::string titlePlaceName() const;
};

class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    MainWindow(const catalog::Catalogue& cat, WindowHooks hooks = {}, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The window's commands, also reachable from tests.
    void onExitClicked();   // "終了": remember the place, quit
    void onTableClicked();  // "数値": the numeric table
    void onDrawClicked();   // "プラネタリウム": draw
    void onTimerTick();     // one time step, then redrawOnTimer
    void redrawOnTimer();
    // Sets the direction and draws (keys N, E, S, W and the 表示 menu).
    void drawToward(view::Direction direction);
    // Steps the time by the chosen interval, forward or back, and draws
    // (PageDown, PageUp).
    void stepAndDraw(int steps);
    // Sets the fields to the computer's clock and draws (Home).
    void drawNow();

    // Fills the fields from a start query's moment and place (the command
    // line's --at and --place/--lat/--lon); nothing is drawn, as at any start.
    void applyStartOptions(const SkyQuery& start);

    // The one place to read the moment and place the window draws.
    WindowRequest currentRequest() const;
    // The sky of a moment and place, as the window computes it for drawing.
    astro::SkyState computeSky(const astro::SkyInput& input) const { return hooks_.computeSky(input); }
    // Sets the date and time fields (Japan Standard Time); nothing is drawn.
    void setMoment(int year, int month, int day, int hour, int minute);
    // Ticks 星座 and selects figure 1..41 in the constellation list.
    void showFigure(int figure);
    // 表示 → 一時停止 (Space): stops the timer where it is and starts it again.
    void setTimerPaused(bool paused);
    bool timerPaused() const { return timerPaused_; }
    // 表示 → 星座をすべて表示 / すべて消す: every figure chosen, or none; draws.
    void showAllFigures(bool on);
    // 表示 → 全画面 (F11; Esc leaves it): the picture alone on the whole
    // screen, scaled to fit, with the date, time and place in a corner and
    // the large names on; every key of the 表示 menu keeps working.
    void setFullScreenPicture(bool on);
    bool fullScreenPicture() const { return screen_.on; }

    const catalog::Catalogue& catalogue() const { return cat_; }
    SkyCanvas* canvas() const { return canvas_; }
    QMenu* fileMenu() const { return menus_.file; }
    QMenu* viewMenu() const { return menus_.view; }
    QMenu* toolsMenu() const { return menus_.tools; }
    QMenu* helpMenu() const { return menus_.help; }
    // Shows a problem to the user (a message box, or the tests' recorder).
    void warn(const QString& text) { hooks_.warn(text); }
    const WindowHooks& hooks() const { return hooks_; }
    // A capability that may keep the window open (a film being written):
    // the guard returns false to refuse this close.
    void addCloseGuard(std::function<bool()> guard) { closeGuards_.push_back(std::move(guard)); }
    // Where the window reads the minutes of star trails to draw (軌跡).
    void setTrailSpan(std::function<int()> minutes) { trailSpan_ = std::move(minutes); }
    // Where the free view looks while it is on (表示 → 自由視点).
    void setFreeLook(std::function<std::optional<view::FreeLook>()> look) { freeLook_ = std::move(look); }
    // The style the picture is asked in (表示 → 空の描き方); unset: the
    // natural sky for the free view and 全天, the design's colours otherwise.
    void setSkyStyle(std::function<std::optional<view::ChartStyle>()> style) { skyStyle_ = std::move(style); }
    // Once the capabilities are installed: the file menu ends with 終了.
    void finishMenus();

    int colourScheme() const { return colourScheme_; }
    double lastSunAlt() const { return lastSunAlt_; }
    // The back buffer the picture lives in (device pixels).
    const QImage& picture() const;
    // The name offered when saving, from the fields and the direction,
    // e.g. "sky-2026-12-08-2210-south.png".
    QString suggestedPictureName() const;
    // Writes what the picture area shows (the numeric table included) as
    // PNG; false (and a warning) when it cannot.
    bool savePicture(const QString& path);
    // Ctrl+S: takes the picture and its name now, then asks for a file name
    // and saves that picture, whatever the timer draws meanwhile.
    void savePictureInteractive();
    // The status bar's text for the fields as they are.
    QString statusText() const;
    // The chart of the picture last drawn (nothing before the first), and
    // the print and export items that write it as the paper chart.
    std::optional<ChartScene> shownChart() const;

signals:
    // A place was chosen in the place list (its coordinates are in the boxes).
    void placeChosen();
    // The fields changed (typed, stepped or filled); the status bar follows.
    void fieldsChanged();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    // Asks the close guards; any of them may refuse.
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void buildMenus();
    void loadForm();
    void applyColourScheme(int scheme);
    FieldTexts fieldTexts() const;
    // Reads the fields and marks the ones that could not be used as typed.
    astro::SkyFieldsReading readAndMarkFields();
    void markField(QLineEdit* edit, const QString& note);
    void setTimerPeriod();
    void copyPlaceToFields();
    void setFieldText(QLineEdit* edit, const QString& text);
    void setMomentFields(const astro::CivilMinute& m);
    // The check boxes and the constellation list.
    view::ViewOptions displayOptions() const;
    view::Direction direction() const;
    void setAllSky(bool on);
    // Draws the sky the session chose for the request and keeps its chart.
    void drawSky(const WindowRequest& w, const PictureSky& shown);
    bool savePng(const QImage& image, const QString& path);
    void installDefaultHooks();
    void showTable(const astro::SkyFieldsReading& reading);
    bool tableShown() const;
    QList<QWidget*> tableCells() const;
    int stepMinutes() const;
    void updateStatus();
    void showHelp();
    void showAbout();

    const catalog::Catalogue& cat_;
    WindowHooks hooks_;
    std::vector<catalog::Place> places_;  // the place table; 49 holds the remembered manual place

    int colourScheme_ = 1;
    double lastSunAlt_ = -1.0;
    std::array<QPalette, 3> schemePalettes_;  // [1] night, [2] day, built once
    bool tableIsShowers_ = false;
    bool allSky_ = false;  // 表示 → 全天: the whole sky instead of a quarter
    bool timerPaused_ = false;
    struct FullScreen {
        bool on = false;
        bool largeNamesBefore = false;
        QList<QWidget*> hidden;     // the controls full screen hid
        QLabel* overlay = nullptr;  // the date, time and place in full screen
    } screen_;

    SkyCanvas* canvas_ = nullptr;  // picture
    DesignForm form_;
    QLabel* statusLabel_ = nullptr;  // the moment and place in words
    struct Menus {
        QMenu* file = nullptr;   // ファイル
        QMenu* view = nullptr;   // 表示
        QMenu* tools = nullptr;  // ツール (filled by the capabilities)
        QMenu* help = nullptr;   // ヘルプ
        QAction* quitSeparator = nullptr;
        QAction* quit = nullptr;
        std::array<QAction*, 5> directions{};  // 北, 東, 南, 西 and 全天
        QAction* asterisms = nullptr;   // 星の並び
        QAction* deepSky = nullptr;     // 星団・星雲
        QAction* largeNames = nullptr;  // 大きな星名
        QAction* fullScreen = nullptr;  // 全画面
    } menus_;
    std::vector<std::function<bool()>> closeGuards_;
    std::function<int()> trailSpan_;
    std::function<std::optional<view::FreeLook>()> freeLook_;
    std::function<std::optional<view::ChartStyle>()> skyStyle_;
};

}  // namespace app
