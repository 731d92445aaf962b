// Form1, the program's one window: every control at its design place, the
// sky picture painted on the window's background from a back buffer, the
// start-up, the draw command, the timer, the numeric tables and the exit.
#pragma once

#include <QDateTime>
#include <QImage>
#include <QString>
#include <QWidget>

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/chart_export.h"
#include "app/fields.h"
#include "astro/sky_state.h"
#include "catalog/catalog.h"
#include "view/sky_view.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTimer;

namespace app {

class ChartOutputMenu;

// What the window asks of the outside world. Every member has a default
// (modal message boxes, the file dialog, the computer's clock, the real
// computation); tests replace them so nothing blocks and the Sun can be
// steered.
struct WindowHooks {
    std::string settingsPath = "pstart.txt";
    // A problem the user should know about.
    std::function<void(const QString& text)> warn;
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

class MainWindow : public QWidget {
    Q_OBJECT

public:
    MainWindow(const catalog::Catalogue& cat, WindowHooks hooks = {}, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The window's commands, also reachable from tests.
    void command1Click();  // "終了": remember the place, quit
    void command2Click();  // "数値": the numeric table
    void command3Click();  // "プラネタリウム": draw
    void timer1Timer();    // one time step, then timedRedraw
    void timedRedraw();
    void colourSchemeStep();

    int colourScheme() const { return colourScheme_; }
    double lastSunAlt() const { return lastSunAlt_; }
    // The back buffer the picture lives in (device pixels).
    const QImage& picture() const { return buffer_; }
    // The name offered when saving, from the fields and the direction,
    // e.g. "sky-2026-12-08-2210-south.png".
    QString suggestedPictureName() const;
    // Writes the picture as PNG; false (and a warning) when it cannot.
    bool savePicture(const QString& path);
    // Ctrl+S: asks for a file name and saves.
    void savePictureInteractive();
    // The chart of the picture last drawn (nothing before the first), and
    // the print and export items that write it as the paper chart.
    const std::optional<ChartScene>& shownChart() const { return shownChart_; }
    ChartOutputMenu* chartOutput() const { return chartOutput_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildControls();
    void formLoad();
    FieldTexts fieldTexts() const;
    // Reads the fields and marks the ones that could not be used as typed.
    astro::SkyFieldsReading readAndMarkFields();
    void setTimerPeriod();
    void copyPlaceToFields();
    view::ViewOptions viewOptions(const astro::SkyFieldsReading& reading) const;
    view::Direction direction() const;
    void drawSky(const astro::SkyState& sky, const astro::SkyFieldsReading& reading);
    void clearPicture();
    void ensureBuffer();
    int stepMinutes() const;

    const catalog::Catalogue& cat_;
    WindowHooks hooks_;
    std::vector<catalog::Place> places_;  // the place table; 49 holds the remembered manual place

    int colourScheme_ = 1;
    double lastSunAlt_ = -1.0;
    QImage buffer_;
    view::MeteorRng rng_;
    std::optional<ChartScene> shownChart_;
    ChartOutputMenu* chartOutput_ = nullptr;

    // Controls, by their design names.
    QListWidget* lstCITY_ = nullptr;
    std::array<QLineEdit*, 5> txtYMD_{};
    QLabel* Label10_ = nullptr;
    QLineEdit* txtIDO_ = nullptr;
    QLineEdit* txtKEIDO_ = nullptr;
    QListWidget* lstINTV1_ = nullptr;
    QListWidget* lstINTV2_ = nullptr;
    QTimer* Timer1_ = nullptr;
    std::array<QRadioButton*, 4> optDIR_{};
    QPushButton* Command1_ = nullptr;
    QPushButton* Command2_ = nullptr;
    QPushButton* Command3_ = nullptr;
    QCheckBox* chkSTR_ = nullptr;
    QListWidget* lstSTR_ = nullptr;
    std::array<QCheckBox*, 4> chkOP_{};
    QCheckBox* chkMET_ = nullptr;
    std::array<QLabel*, 29> lblST_{};
    std::array<QLabel*, 29> lblH_{};
    std::array<QLabel*, 29> lblV_{};
};

}  // namespace app
