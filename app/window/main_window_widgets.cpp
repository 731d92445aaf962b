#include "app/window/main_window_widgets.h"

#include <algorithm>

#include <QCheckBox>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include <random>

#include "app/output/png_file_gui.h"
#include "app/output/qt_painter_gui.h"
#include "app/output/safe_write_qtcore.h"
#include "app/session/colour_scheme.h"
#include "app/session/moment_text.h"
#include "app/session/numeric_tables.h"
#include "app/session/settings.h"
#include "app/session/time_step.h"
#include "app/window/control_look_widgets.h"
#include "app/window/sky_canvas_widgets.h"
#include "app/window/window_layout_qtcore.h"
#include "app/zones/time_zones_qtcore.h"
#include "astro/astro.h"

namespace app {

namespace {

constexpr int kManualEntryItem = catalog::kManualPlace - 1;  // lstCITY index of "入力"

QString qstr(const std::string& s) { return QString::fromStdString(s); }

// The JST minute of the computer's clock, by the one rule of the session.
CivilMinute jstNow(const QDateTime& utc) {
    return jstFromSystemClock(std::chrono::system_clock::time_point(std::chrono::milliseconds(utc.toMSecsSinceEpoch())));
}

}  // namespace

MainWindow::MainWindow(const catalog::Catalogue& cat, WindowHooks hooks, QWidget* parent)
    : QMainWindow(parent), cat_(cat), hooks_(std::move(hooks)) {
    installDefaultHooks();

    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("プラネタリウム"));
    canvas_ = new SkyCanvas(cat_, hooks_.meteorSeed ? *hooks_.meteorSeed : std::random_device{}(), this);
    const QSize minimum = designAreaPixels();
    canvas_->setMinimumSize(minimum);
    canvas_->resize(minimum + QSize(8, 8));
    setCentralWidget(canvas_);

    buildControls();
    buildMenus();
    loadForm();
    // Menu bar, picture area and status bar at the smallest size that shows
    // the whole picture.
    layout()->activate();
    // Never smaller than that, whatever the layout's hint later says: every
    // control stays on screen (the window manager is told so).
    setMinimumSize(minimumSizeHint().expandedTo(minimum));
    resize(minimumSizeHint().expandedTo(minimum + QSize(8, 8)));
}

MainWindow::~MainWindow() = default;

void MainWindow::loadForm() {
    const Settings settings = readSettings(hooks_.settingsPath);
    // Night colours until the first drawing says otherwise.
    lastSunAlt_ = -1.0;
    applyColourScheme(kNightScheme);
    canvas_->clearPicture();
    // The computer's clock, as Japan Standard Time whatever the zone.
    setMomentFields(jstNow(hooks_.nowUtc()));
    // Default step and display interval; "いて座" is the current item
    // without being selected.
    form_.stepList->setCurrentRow(3);
    form_.intervalList->setCurrentRow(3);
    if (form_.constellationList->count() > 1) form_.constellationList->setCurrentRow(1, QItemSelectionModel::NoUpdate);
    // The place table, with the manual place's remembered coordinates.
    const StartPlace start = startPlace(settings);
    places_ = cat_.places;
    if (static_cast<int>(places_.size()) > catalog::kManualPlace && settings.hasCoordinates) {
        places_[catalog::kManualPlace].latDeg = start.latDeg;
        places_[catalog::kManualPlace].lonDeg = start.lonDeg;
    }
    form_.placeList->clear();
    for (std::size_t k = 1; k < places_.size(); ++k) {
        auto* item = new QListWidgetItem(qstr(places_[k].name), form_.placeList);
        item->setToolTip(qstr(places_[k].name).trimmed());
    }
    // Select the remembered place and show its coordinates.
    const int index = std::clamp(start.placeIndex - 1, 0, std::max(0, form_.placeList->count() - 1));
    if (form_.placeList->count() > 0) {
        form_.placeList->setCurrentRow(index);
        setFieldText(form_.latitude, qstr(decimalText(places_[static_cast<std::size_t>(index) + 1].latDeg)));
        setFieldText(form_.longitude, qstr(decimalText(places_[static_cast<std::size_t>(index) + 1].lonDeg)));
    }
    updateStatus();
}

void MainWindow::applyColourScheme(int scheme) {
    colourScheme_ = scheme == kDayScheme ? kDayScheme : kNightScheme;
    QPalette& p = schemePalettes_[static_cast<std::size_t>(colourScheme_)];
    if (p.color(QPalette::Window) != qColour(schemeColours(colourScheme_).windowBack) || p.resolveMask() == 0)
        p = schemePalette(canvas_->palette(), colourScheme_);
    const SchemeColours c = schemeColours(colourScheme_);
    canvas_->setColours(qColour(c.windowBack), qColour(c.windowText));
    if (canvas_->palette() == p) return;
    canvas_->setPalette(p);
    canvas_->update();
}

FieldTexts MainWindow::fieldTexts() const { return form_.fieldTexts(); }

int MainWindow::stepMinutes() const { return form_.stepMinutes(); }

view::Direction MainWindow::direction() const { return allSky_ ? view::Direction::Zenith : form_.quarter(); }

view::ViewOptions MainWindow::displayOptions() const {
    view::ViewOptions o = form_.checkedOptions();
    o.asterisms = menus_.asterisms != nullptr && menus_.asterisms->isChecked();
    o.deepSky = menus_.deepSky != nullptr && menus_.deepSky->isChecked();
    o.largeNames = menus_.largeNames != nullptr && menus_.largeNames->isChecked();
    return o;
}

WindowRequest MainWindow::currentRequest() const {
    WindowRequest w;
    w.reading = readFields(fieldTexts());
    w.request.input = w.reading.input;
    const int row = form_.placeList->currentRow();
    if (row >= 0 && static_cast<std::size_t>(row) + 1 < places_.size()) {
        w.placeIndex = row + 1;
        w.request.placeName = places_[static_cast<std::size_t>(row) + 1].name;
        w.timeZone = placeZoneName(places_[static_cast<std::size_t>(row) + 1]);
    }
    if (w.timeZone.empty()) w.timeZone = kJapanZone;
    w.zone = zoneOrJapan(w.timeZone);
    w.direction = direction();
    w.picture.input = w.reading.input;
    w.picture.direction = w.direction;
    w.picture.view = displayOptions();
    w.picture.stepMinutes = stepMinutes();
    w.picture.trailMinutes = trailSpan_ ? trailSpan_() : 0;
    if (freeLook_) w.picture.free = freeLook_();
    if (skyStyle_) w.picture.style = skyStyle_();
    w.picture.seed = hooks_.meteorSeed.value_or(0);
    return w;
}

std::string WindowRequest::titlePlaceName() const {
    return placeIndex == catalog::kManualPlace || placeIndex == 0 ? std::string() : request.placeName;
}

const QImage& MainWindow::picture() const { return canvas_->picture(); }

void MainWindow::drawSky(const WindowRequest& w, const PictureSky& shown) {
    canvas_->drawSky(chartScene(w.picture, shown, pictureStyle(w.picture), w.titlePlaceName(), w.zone, colourScheme_));
}

std::optional<ChartScene> MainWindow::shownChart() const {
    const std::optional<DrawnSky>& drawn = canvas_->lastDrawn();
    if (!drawn) return std::nullopt;
    return static_cast<const ChartScene&>(*drawn);
}

bool MainWindow::tableShown() const { return !form_.tableNames[0]->text().isEmpty(); }

QList<QWidget*> MainWindow::tableCells() const { return form_.tableCells(); }

void MainWindow::showTable(const astro::SkyFieldsReading& reading) {
    const NumericTable table =
        tableIsShowers_ ? showerTable(cat_) : altAzTable(hooks_.computeSky(reading.input), cat_);
    for (int i = 0; i < kTableRows; ++i) {
        form_.tableNames[i]->setText(qstr(table[i].st));
        form_.tableFirst[i]->setText(qstr(table[i].h));
        form_.tableSecond[i]->setText(qstr(table[i].v));
    }
}

void MainWindow::onDrawClicked() {
    copyPlaceToFields();
    setTimerPeriod();
    for (QWidget* cell : tableCells()) static_cast<QLabel*>(cell)->clear();
    // A day the month does not have (2月31日) is marked and not drawn.
    if (missingDayOf(readAndMarkFields().input)) return;
    const WindowRequest w = currentRequest();
    const PictureSky shown = pictureSky(w.picture, cat_, hooks_.computeSky);
    lastSunAlt_ = shown.sky.bodyAltDeg[astro::Sun];
    applyColourScheme(schemeForSunAltitude(lastSunAlt_));
    drawSky(w, shown);
    updateStatus();
}

void MainWindow::redrawOnTimer() {
    setTimerPeriod();
    copyPlaceToFields();
    const astro::SkyFieldsReading reading = readAndMarkFields();
    if (missingDayOf(reading.input)) return;
    const WindowRequest w = currentRequest();
    const PictureSky shown = pictureSky(w.picture, cat_, hooks_.computeSky);
    const double sunAlt = shown.sky.bodyAltDeg[astro::Sun];
    if (const std::optional<int> scheme = schemeAfterStep(lastSunAlt_, sunAlt)) applyColourScheme(*scheme);
    lastSunAlt_ = sunAlt;
    drawSky(w, shown);
    // A table on screen follows the moment it describes.
    if (tableShown()) showTable(reading);
}

void MainWindow::onTimerTick() {
    const astro::SkyInput in = readAndMarkFields().input;
    const std::optional<CivilMinute> next =
        advanceMinutes(in.year, in.month, in.day, in.hour, in.minute, stepMinutes());
    if (!next) {
        // The fields cannot go further (the year range ends): stop turning.
        form_.stepTimer->stop();
        markField(form_.dateEdits[0], qstr(yearRangeEndNote()));
        return;
    }
    setMomentFields(*next);
    redrawOnTimer();
}

void MainWindow::drawToward(view::Direction d) {
    setAllSky(d == view::Direction::Zenith);
    if (!allSky_) form_.directionButtons[static_cast<int>(d)]->setChecked(true);
    onDrawClicked();
}

void MainWindow::setAllSky(bool on) {
    allSky_ = on;
    // While the whole sky is shown no quarter is chosen; a click on one of
    // the four buttons chooses it again.
    for (QRadioButton* b : form_.directionButtons) b->setAutoExclusive(!on);
    if (on) {
        for (QRadioButton* b : form_.directionButtons) b->setChecked(false);
    } else if (std::none_of(form_.directionButtons.begin(), form_.directionButtons.end(),
                            [](QRadioButton* b) { return b->isChecked(); })) {
        form_.directionButtons[static_cast<int>(view::Direction::South)]->setChecked(true);
    }
    for (QRadioButton* b : form_.directionButtons) b->setAutoExclusive(true);
    menus_.directions[4]->setChecked(on);
}

void MainWindow::setMoment(int year, int month, int day, int hour, int minute) {
    setMomentFields({year, month, day, hour, minute});
    updateStatus();
}

void MainWindow::setTimerPaused(bool paused) {
    timerPaused_ = paused;
    if (paused) {
        form_.stepTimer->stop();
    } else {
        setTimerPeriod();
    }
    updateStatus();
}

void MainWindow::showAllFigures(bool on) {
    form_.figuresCheck->setChecked(on || form_.figuresCheck->isChecked());
    for (int i = 0; i < form_.constellationList->count(); ++i) form_.constellationList->item(i)->setSelected(on);
    onDrawClicked();
}

void MainWindow::showFigure(int figure) {
    form_.figuresCheck->setChecked(true);
    if (figure >= 1 && figure <= form_.constellationList->count()) form_.constellationList->item(figure - 1)->setSelected(true);
}

void MainWindow::stepAndDraw(int steps) {
    const astro::SkyFieldsReading reading = readFields(fieldTexts());
    const astro::SkyInput& in = reading.input;
    const std::optional<CivilMinute> next =
        advanceMinutes(in.year, in.month, in.day, in.hour, in.minute, steps * stepMinutes());
    if (next) setMomentFields(*next);
    onDrawClicked();
}

void MainWindow::drawNow() {
    setMomentFields(jstNow(hooks_.nowUtc()));
    onDrawClicked();
}

void MainWindow::onTableClicked() {
    canvas_->clearPicture();
    tableIsShowers_ = form_.meteorsCheck->isChecked();
    showTable(readAndMarkFields());
}

void MainWindow::onExitClicked() {
    const astro::SkyFieldsReading reading = readFields(fieldTexts());
    const std::string error = writeSettings(hooks_.settingsPath, form_.placeList->currentRow(),
                                            reading.fields[astro::FieldLat].value, reading.fields[astro::FieldLon].value);
    if (!error.empty()) {
        const QString text = failedWriteText(QStringLiteral("場所を"), QStringLiteral("保存"), qstr(hooks_.settingsPath),
                                             qstr(error)) +
                             QStringLiteral("\n\nこのまま終了しますか？");
        if (!hooks_.askQuitAnyway(text)) return;
    }
    form_.stepTimer->stop();
    hooks_.quit();
}

QString MainWindow::suggestedPictureName() const {
    return qstr(pictureFileName(readFields(fieldTexts()).input, direction(), ".png", trailSpan_ ? trailSpan_() : 0));
}

bool MainWindow::savePicture(const QString& path) { return savePng(canvas_->snapshot(tableCells()), path); }

void MainWindow::savePictureInteractive() {
    // The picture and its name as they are now: the timer may draw on while
    // the dialog is open.
    const QImage shown = canvas_->snapshot(tableCells());
    const QString path = hooks_.askSavePath(suggestedPictureName());
    if (!path.isEmpty()) savePng(shown, path);
}

bool MainWindow::savePng(const QImage& image, const QString& path) {
    const QString problem = savePictureFile(image, path);
    if (!problem.isEmpty()) hooks_.warn(problem);
    return problem.isEmpty();
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    // Return draws, as the default button of a dialog would; on a focused
    // button it presses that button. Text boxes and lists pass Return on.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (auto* b = qobject_cast<QPushButton*>(focusWidget())) b->click();
        else onDrawClicked();
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Escape && screen_.on) {
        menus_.fullScreen->setChecked(false);
        event->accept();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    for (const auto& guard : closeGuards_) {
        if (!guard()) {
            event->ignore();
            return;
        }
    }
    QMainWindow::closeEvent(event);
}

void MainWindow::applyStartOptions(const SkyQuery& start) {
    if (start.at) setMomentFields(*start.at);
    if (start.latDeg && start.lonDeg) {
        form_.placeList->setCurrentRow(kManualEntryItem);
        setFieldText(form_.latitude, qstr(decimalText(*start.latDeg)));
        setFieldText(form_.longitude, qstr(decimalText(*start.lonDeg)));
    } else if (start.placeIndex >= 1 && start.placeIndex <= form_.placeList->count()) {
        form_.placeList->setCurrentRow(start.placeIndex - 1);
    }
    updateStatus();
}

}  // namespace app
