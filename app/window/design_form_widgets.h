// The design's controls of Form1, each at its design place with its design
// objectName, and how the window reads them: the seven fields, the display
// options, the chosen quarter, the step. Built by buildControls.
#pragma once

#include <QList>

#include <array>

#include "app/session/fields.h"
#include "view/direction.h"
#include "view/sky_view.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTimer;
class QWidget;

namespace app {

struct DesignForm {
    QListWidget* placeList = nullptr;      // lstCITY
    std::array<QLineEdit*, 5> dateEdits{};  // txtYMD(0..4): year, month, day, hour, minute (JST)
    QLabel* placeName = nullptr;           // Label10
    QLineEdit* latitude = nullptr;         // txtIDO
    QLineEdit* longitude = nullptr;        // txtKEIDO
    QListWidget* stepList = nullptr;       // lstINTV1: minutes per step
    QListWidget* intervalList = nullptr;   // lstINTV2: seconds between steps
    QTimer* stepTimer = nullptr;           // Timer1
    std::array<QRadioButton*, 4> directionButtons{};  // optDIR(0..3): north, east, south, west
    QPushButton* exitButton = nullptr;     // Command1 "終了"
    QPushButton* tableButton = nullptr;    // Command2 "数値"
    QPushButton* drawButton = nullptr;     // Command3 "プラネタリウム"
    QCheckBox* figuresCheck = nullptr;     // chkSTR "星座"
    QListWidget* constellationList = nullptr;  // lstSTR
    std::array<QCheckBox*, 4> optionChecks{};  // chkOP(0..3): equator, ecliptic, grid, names
    QCheckBox* meteorsCheck = nullptr;     // chkMET "流星群"
    std::array<QLabel*, 29> tableNames{};  // lblST(0..28)
    std::array<QLabel*, 29> tableFirst{};  // lblH(0..28)
    std::array<QLabel*, 29> tableSecond{}; // lblV(0..28)

    // The seven fields' texts, indexed by astro::SkyField.
    FieldTexts fieldTexts() const;
    // The field of each astro::SkyField.
    std::array<QLineEdit*, astro::kSkyFieldCount> fieldEdits() const;
    // The check boxes and the constellation list (the menu's additions
    // are the window's).
    view::ViewOptions checkedOptions() const;
    // The quarter chosen by the option buttons (south when none is).
    view::Direction quarter() const;
    // Minutes of one time step (lstINTV1), seconds between steps (lstINTV2).
    int stepMinutes() const;
    int intervalSeconds() const;
    // The numeric table's cells, name, first and second value of each row.
    QList<QWidget*> tableCells() const;
};

}  // namespace app
