#include "app/window/design_form_widgets.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>

#include "app/session/numeric_tables.h"

namespace app {

namespace {

// The numeric value of a list item (" 6" is 6); 0 without a selection.
int selectedItemValue(const QListWidget* list) {
    const QListWidgetItem* item = list->currentRow() >= 0 ? list->item(list->currentRow()) : nullptr;
    return item ? item->text().trimmed().toInt() : 0;
}

}  // namespace

std::array<QLineEdit*, astro::kSkyFieldCount> DesignForm::fieldEdits() const {
    return {dateEdits[0], dateEdits[1], dateEdits[2], dateEdits[3], dateEdits[4], latitude, longitude};
}

FieldTexts DesignForm::fieldTexts() const {
    FieldTexts t;
    const auto edits = fieldEdits();
    for (std::size_t f = 0; f < edits.size(); ++f) t.text[f] = edits[f]->text().toStdString();
    return t;
}

view::ViewOptions DesignForm::checkedOptions() const {
    view::ViewOptions o;
    o.equator = optionChecks[0]->isChecked();
    o.ecliptic = optionChecks[1]->isChecked();
    o.altAzLines = optionChecks[2]->isChecked();
    o.starNames = optionChecks[3]->isChecked();
    o.constellations = figuresCheck->isChecked();
    o.meteors = meteorsCheck->isChecked();
    for (int row = 0; row < constellationList->count() && row + 1 < static_cast<int>(o.selected.size()); ++row)
        o.selected[static_cast<std::size_t>(row) + 1] = constellationList->item(row)->isSelected();
    return o;
}

view::Direction DesignForm::quarter() const {
    for (int i = 0; i < 4; ++i)
        if (directionButtons[static_cast<std::size_t>(i)]->isChecked()) return static_cast<view::Direction>(i);
    return view::Direction::South;
}

int DesignForm::stepMinutes() const { return selectedItemValue(stepList); }

int DesignForm::intervalSeconds() const { return selectedItemValue(intervalList); }

QList<QWidget*> DesignForm::tableCells() const {
    QList<QWidget*> cells;
    for (int i = 0; i < kTableRows; ++i) cells << tableNames[i] << tableFirst[i] << tableSecond[i];
    return cells;
}

}  // namespace app
