// Form1, the program's one window: the menu bar, the picture area with every
// control at its design place, and the status bar. The window wires the
// controls to the commands; the picture lives in SkyCanvas, the layout in
// window_layout, the tables and computations in their own files.
//
// Adding a capability: hang its actions on fileMenu(), viewMenu(),
// toolsMenu() or helpMenu(); read the moment and place the window draws
// with currentRequest(); listen to canvas()->skyDrawn() and read
// canvas()->lastDrawn() for what is on screen; write messages with
// statusBar() or warn().
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

#include "app/cli/cli_args.h"
#include "app/session/chart_scene.h"
#include "app/session/fields.h"
#include "app/session/settings.h"
#include "app/session/sky_picture.h"
#include "app/session/sky_request.h"
#include "app/session/zone.h"
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

class AlmanacMenu;
class PlanisphereMenu;
class ChartOutputMenu;
class FindDialog;
class TonightDialog;
class SkyCanvas;
class SkyPointer;
class TrailMenu;

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

    // Fills the fields from the command line's --at and --place/--lat/--lon
    // (nothing is drawn, as at any start).
    void applyStartOptions(const CliOptions& options);

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
    bool fullScreenPicture() const { return fullScreen_; }

    const catalog::Catalogue& catalogue() const { return cat_; }
    SkyCanvas* canvas() const { return canvas_; }
    QMenu* fileMenu() const { return fileMenu_; }
    QMenu* viewMenu() const { return viewMenu_; }
    QMenu* toolsMenu() const { return toolsMenu_; }
    QMenu* helpMenu() const { return helpMenu_; }
    // Shows a problem to the user (a message box, or the tests' recorder).
    void warn(const QString& text) { hooks_.warn(text); }

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
    ChartOutputMenu* chartOutput() const { return chartOutput_; }
    // Pointing at the picture (hover and card) and 天体を探す….
    SkyPointer* pointer() const { return pointer_; }
    FindDialog* findDialog() const { return findDialog_; }
    TonightDialog* tonightDialog() const { return tonightDialog_; }
    // 表示 → 軌跡 and its span; ツール → こよみ… with the status bar's almanac.
    TrailMenu* trailMenu() const { return trailMenu_; }
    AlmanacMenu* almanacMenu() const { return almanacMenu_; }
    // ファイル → 星座早見盤を作る….
    PlanisphereMenu* planisphereMenu() const { return planisphereMenu_; }
    // ファイル → 動画に書き出し…: the film dialog for the current view and
    // moment, then the export under a progress dialog.
    void exportFilmInteractive();

signals:
    // A place was chosen in the place list (its coordinates are in the boxes).
    void placeChosen();
    // The fields changed (typed, stepped or filled); the status bar follows.
    void fieldsChanged();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    // Closed while a film is being written: the export is stopped (it removes
    // what it had written) and the window closes once it has.
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
    bool tableIsShowers_ = false;
    bool filmRunning_ = false;
    bool allSky_ = false;  // 表示 → 全天: the whole sky instead of a quarter
    bool timerPaused_ = false;
    bool fullScreen_ = false;
    bool largeNamesBeforeFullScreen_ = false;
    QList<QWidget*> hiddenForFullScreen_;  // the controls full screen hid
    QLabel* fullScreenOverlay_ = nullptr;  // the date, time and place in full screen
    bool closeAfterFilm_ = false;
    std::array<QPalette, 3> schemePalettes_;  // [1] night, [2] day, built once
    ChartOutputMenu* chartOutput_ = nullptr;
    TrailMenu* trailMenu_ = nullptr;
    AlmanacMenu* almanacMenu_ = nullptr;
    PlanisphereMenu* planisphereMenu_ = nullptr;
    SkyPointer* pointer_ = nullptr;
    FindDialog* findDialog_ = nullptr;
    TonightDialog* tonightDialog_ = nullptr;  // ツール → 今夜の見どころ…, once opened

    SkyCanvas* canvas_ = nullptr;           // picture
    QListWidget* placeList_ = nullptr;      // lstCITY
    std::array<QLineEdit*, 5> dateEdits_{}; // txtYMD(0..4): year, month, day, hour, minute (JST)
    QLabel* placeName_ = nullptr;           // Label10
    QLineEdit* latitudeEdit_ = nullptr;     // txtIDO
    QLineEdit* longitudeEdit_ = nullptr;    // txtKEIDO
    QListWidget* stepList_ = nullptr;       // lstINTV1: minutes per step
    QListWidget* intervalList_ = nullptr;   // lstINTV2: seconds between steps
    QTimer* stepTimer_ = nullptr;           // Timer1
    std::array<QRadioButton*, 4> directionButtons_{};  // optDIR(0..3): north, east, south, west
    QPushButton* exitButton_ = nullptr;     // Command1 "終了"
    QPushButton* tableButton_ = nullptr;    // Command2 "数値"
    QPushButton* drawButton_ = nullptr;     // Command3 "プラネタリウム"
    QCheckBox* figuresCheck_ = nullptr;     // chkSTR "星座"
    QListWidget* constellationList_ = nullptr;  // lstSTR
    std::array<QCheckBox*, 4> optionChecks_{};  // chkOP(0..3): equator, ecliptic, grid, names
    QCheckBox* meteorsCheck_ = nullptr;     // chkMET "流星群"
    std::array<QLabel*, 29> tableNames_{};  // lblST(0..28)
    std::array<QLabel*, 29> tableFirst_{};  // lblH(0..28)
    std::array<QLabel*, 29> tableSecond_{}; // lblV(0..28)

    QMenu* fileMenu_ = nullptr;   // ファイル
    QMenu* viewMenu_ = nullptr;   // 表示
    QMenu* toolsMenu_ = nullptr;  // ツール (filled by other parts)
    QMenu* helpMenu_ = nullptr;   // ヘルプ
    std::array<QAction*, 5> directionActions_{};  // 北, 東, 南, 西 and 全天
    QAction* asterismsAction_ = nullptr;   // 星の並び
    QAction* deepSkyAction_ = nullptr;     // 星団・星雲
    QAction* largeNamesAction_ = nullptr;  // 大きな星名
    QAction* fullScreenAction_ = nullptr;  // 全画面
    QLabel* statusLabel_ = nullptr;  // the moment and place in words
};

}  // namespace app
