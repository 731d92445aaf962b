#include "app/main_window.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFileDialog>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPixmapCache>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <random>

#include "app/chart_heading.h"
#include "app/colour_scheme.h"
#include "app/control_look.h"
#include "app/find_dialog.h"
#include "app/japanese_font.h"
#include "app/numeric_tables.h"
#include "app/png_file.h"
#include "app/safe_write.h"
#include "app/settings.h"
#include "app/sky_moments.h"
#include "app/trail_menu.h"
#include "app/sky_canvas.h"
#include "app/sky_pointer.h"
#include "app/time_step.h"
#include "app/window_layout.h"
#include "astro/astro.h"
#include "view/finder.h"
#include "view/picture.h"

namespace app {

namespace {

constexpr int kManualEntryItem = catalog::kManualPlace - 1;  // lstCITY index of "入力"
constexpr int kJstOffsetSeconds = 9 * 3600;

QColor qcolour(view::Rgb c) { return QColor(c.r, c.g, c.b); }
QString qstr(const std::string& s) { return QString::fromStdString(s); }

// The numeric value of a list item (" 6" is 6); 0 without a selection.
int selectedItemValue(const QListWidget* list) {
    const QListWidgetItem* item = list->currentRow() >= 0 ? list->item(list->currentRow()) : nullptr;
    return item ? item->text().trimmed().toInt() : 0;
}

QString civilText(const CivilMinute& m) {
    return QStringLiteral("%1年%2月%3日 %4:%5")
        .arg(m.year)
        .arg(m.month)
        .arg(m.day)
        .arg(m.hour, 2, 10, QLatin1Char('0'))
        .arg(m.minute, 2, 10, QLatin1Char('0'));
}

}  // namespace

MainWindow::MainWindow(const catalog::Catalogue& cat, WindowHooks hooks, QWidget* parent)
    : QMainWindow(parent), cat_(cat), hooks_(std::move(hooks)) {
    if (!hooks_.warn) hooks_.warn = [this](const QString& t) { QMessageBox::warning(this, windowTitle(), t); };
    if (!hooks_.inform) {
        hooks_.inform = [this](const QString& title, const QString& t) { QMessageBox::about(this, title, t); };
    }
    if (!hooks_.askQuitAnyway) {
        hooks_.askQuitAnyway = [this](const QString& t) {
            return QMessageBox::warning(this, windowTitle(), t, QMessageBox::Yes | QMessageBox::No,
                                        QMessageBox::No) == QMessageBox::Yes;
        };
    }
    if (!hooks_.askSavePath) {
        hooks_.askSavePath = [this](const QString& name) {
            return QFileDialog::getSaveFileName(this, QStringLiteral("画像を保存"), name,
                                                QStringLiteral("PNG (*.png)"));
        };
    }
    if (!hooks_.quit) {
        hooks_.quit = [this] {
            close();
            QCoreApplication::quit();
        };
    }
    if (!hooks_.nowUtc) hooks_.nowUtc = [] { return QDateTime::currentDateTimeUtc(); };
    if (!hooks_.computeSky) hooks_.computeSky = [](const astro::SkyInput& in) { return astro::computeSky(in); };

    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("プラネタリウム"));
    canvas_ = new SkyCanvas(cat_, hooks_.meteorSeed ? *hooks_.meteorSeed : std::random_device{}(), this);
    const QSize minimum(twipsToPixels(static_cast<int>(view::kSurfaceWidthTwips)),
                        twipsToPixels(static_cast<int>(view::kSurfaceHeightTwips)));
    canvas_->setMinimumSize(minimum);
    canvas_->resize(minimum + QSize(8, 8));
    setCentralWidget(canvas_);

    buildControls();
    pointer_ = new SkyPointer(this);
    findDialog_ = new FindDialog(this);
    buildMenus();
    loadForm();
    // Menu bar, picture area and status bar at the smallest size that shows
    // the whole picture.
    layout()->activate();
    resize(minimumSizeHint().expandedTo(minimum + QSize(8, 8)));
}

MainWindow::~MainWindow() {
    // The pointer watches the canvas's events. The canvas still sends some
    // while the base classes take the widgets down, and by then this window
    // is no longer a MainWindow, so the watcher goes first.
    delete pointer_;
    pointer_ = nullptr;
}

void MainWindow::buildControls() {
    auto place = [](QWidget* w, const ControlLayout& c) {
        w->setObjectName(QString::fromLatin1(c.designName));
        w->setGeometry(pixelRect(c));
        if (c.points > 0) w->setFont(japaneseFont(c.points, c.bold));
    };
    auto label = [&](const char* name, const QString& caption) {
        auto* l = new QLabel(caption, canvas_);
        place(l, controlLayout(name));
        return l;
    };
    auto lineEdit = [&](const char* name, const QString& accessibleName) {
        auto* e = new QLineEdit(canvas_);
        place(e, controlLayout(name));
        e->setAccessibleName(accessibleName);
        e->setFrame(false);
        e->setTextMargins(0, 0, 0, 0);
        connect(e, &QLineEdit::textEdited, this, [e] {
            // A new text has not been read yet: drop the old warning.
            if (e->property("fieldWarning").toBool()) {
                e->setProperty("fieldWarning", false);
                e->setPalette(QPalette());
                e->setToolTip(QString());
            }
        });
        connect(e, &QLineEdit::textChanged, this, &MainWindow::updateStatus);
        return e;
    };
    auto* compact = new CompactListStyle();
    compact->setParent(this);
    auto list = [&](const char* name, const QStringList& items, const QString& accessibleName) {
        auto* l = new QListWidget(canvas_);
        place(l, controlLayout(name));
        l->setAccessibleName(accessibleName);
        for (const QString& text : items) {
            auto* item = new QListWidgetItem(text, l);
            // The full name, whatever the list's width cuts off.
            item->setToolTip(text.trimmed());
        }
        // A one-pixel frame leaves room for two items in the 34-pixel lists.
        l->setFrameShape(QFrame::Box);
        l->setLineWidth(1);
        // The items are short; a horizontal bar would only hide a row.
        l->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        l->setStyle(compact);
        l->verticalScrollBar()->setStyle(compact);
        return l;
    };
    auto check = [&](const char* name, const QString& caption) {
        auto* c = new QCheckBox(caption, canvas_);
        place(c, controlLayout(name));
        c->setAccessibleName(caption);
        return c;
    };
    auto button = [&](const char* name, const QString& caption) {
        auto* b = new DesignButton(caption, canvas_);
        place(b, controlLayout(name));
        // The design's face in both colour schemes, with black text.
        QPalette p = b->palette();
        p.setColor(QPalette::Button, qcolour(kButtonBack));
        p.setColor(QPalette::ButtonText, Qt::black);
        b->setPalette(p);
        b->setAccessibleName(caption);
        return b;
    };

    // Date and place row.
    placeList_ = list("lstCITY", {}, QStringLiteral("場所"));
    const std::array<const char*, 5> dateNames = {"txtYMD_0", "txtYMD_1", "txtYMD_2", "txtYMD_3", "txtYMD_4"};
    const std::array<QString, 5> dateWords = {"年", "月", "日", "時", "分"};
    for (int i = 0; i < 5; ++i) {
        dateEdits_[i] = lineEdit(dateNames[i], dateWords[i]);
        label(QStringLiteral("Label%1").arg(i + 2).toLatin1().constData(), dateWords[i]);
    }
    // The widest texts the time step writes: the year range's ends, two digits.
    fitFaceTo(dateEdits_[0], {QString::number(kMinYear), QString::number(kMaxYear)});
    for (int i = 1; i < 5; ++i) fitFaceTo(dateEdits_[i], {QStringLiteral("00"), QStringLiteral("28")});
    placeName_ = label("Label10", QString());
    label("Label1", QStringLiteral("緯度"));
    latitudeEdit_ = lineEdit("txtIDO", QStringLiteral("緯度"));
    label("Label7", QStringLiteral("経度"));
    longitudeEdit_ = lineEdit("txtKEIDO", QStringLiteral("経度"));
    QStringList lats, lons;
    for (std::size_t k = 1; k < cat_.places.size(); ++k) {
        lats << qstr(decimalText(cat_.places[k].latDeg));
        lons << qstr(decimalText(cat_.places[k].lonDeg));
    }
    fitFaceTo(latitudeEdit_, lats);
    fitFaceTo(longitudeEdit_, lons);

    // Time step.
    label("Label8", QStringLiteral("間隔（分)"));
    stepList_ = list("lstINTV1", {" 2", " 5", "10", "15", "30", "60", "90", "120"}, QStringLiteral("間隔（分)"));
    label("Label9", QStringLiteral("表示間隔（秒）"));
    intervalList_ = list("lstINTV2", {" 0", " 1", " 3", " 6", "10", "20", "30", "60"},
                         QStringLiteral("表示間隔（秒）"));
    for (QListWidget* l : {stepList_, intervalList_}) l->setTextElideMode(Qt::ElideNone);
    stepTimer_ = new QTimer(this);
    stepTimer_->setObjectName(QStringLiteral("Timer1"));
    connect(stepTimer_, &QTimer::timeout, this, &MainWindow::onTimerTick);

    // Direction cross around the draw button.
    const std::array<QString, 4> dirCaption = {"北", "東", "南", "西"};
    for (int i = 0; i < 4; ++i) {
        directionButtons_[i] = new QRadioButton(dirCaption[i], canvas_);
        place(directionButtons_[i], controlLayout(QStringLiteral("optDIR_%1").arg(i).toLatin1().constData()));
        directionButtons_[i]->setAccessibleName(dirCaption[i]);
    }
    directionButtons_[2]->setChecked(true);
    drawButton_ = button("Command3", QStringLiteral("プラネタリウム"));
    drawButton_->setDefault(true);
    connect(drawButton_, &QPushButton::clicked, this, &MainWindow::onDrawClicked);

    // Display options.
    figuresCheck_ = check("chkSTR", QStringLiteral("星座"));
    QStringList constellationNames;
    for (std::size_t c = 1; c < cat_.constellations.size(); ++c) constellationNames << qstr(cat_.constellations[c].name);
    constellationList_ = list("lstSTR", constellationNames, QStringLiteral("星座の一覧"));
    constellationList_->setSelectionMode(QAbstractItemView::MultiSelection);
    optionChecks_[3] = check("chkOP_3", QStringLiteral("星の名前"));
    meteorsCheck_ = check("chkMET", QStringLiteral("流星群"));
    optionChecks_[0] = check("chkOP_0", QStringLiteral("赤道"));
    optionChecks_[1] = check("chkOP_1", QStringLiteral("黄道"));
    optionChecks_[2] = check("chkOP_2", QStringLiteral("高度・方位線"));
    tableButton_ = button("Command2", QStringLiteral("数値"));
    exitButton_ = button("Command1", QStringLiteral("終了"));
    connect(tableButton_, &QPushButton::clicked, this, &MainWindow::onTableClicked);
    connect(exitButton_, &QPushButton::clicked, this, &MainWindow::onExitClicked);

    // Numeric-table cells.
    const std::array<const char*, 3> cellNames = {"lblST_%1", "lblH_%1", "lblV_%1"};
    std::array<std::array<QLabel*, 29>*, 3> columns = {&tableNames_, &tableFirst_, &tableSecond_};
    for (int column = 0; column < 3; ++column) {
        for (int i = 0; i < kTableRows; ++i) {
            auto* l = new QLabel(canvas_);
            place(l, tableCellLayout(column, i));
            l->setObjectName(QString::fromLatin1(cellNames[column]).arg(i));
            // Text only: pointing at the picture passes through to it.
            l->setAttribute(Qt::WA_TransparentForMouseEvents);
            (*columns[column])[i] = l;
        }
    }

    // Choosing a place shows its name and, except for "入力", its
    // coordinates at once, so name, boxes, table and picture agree.
    connect(placeList_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row < 0) return;
        placeName_->setText(placeList_->item(row)->text());
        copyPlaceToFields();
        updateStatus();
        emit placeChosen();
    });
}

void MainWindow::loadForm() {
    const Settings settings = readSettings(hooks_.settingsPath);
    // Night colours until the first drawing says otherwise.
    lastSunAlt_ = -1.0;
    applyColourScheme(kNightScheme);
    canvas_->clearPicture();
    // The computer's clock, as Japan Standard Time whatever the zone.
    const QDateTime jst = hooks_.nowUtc().toUTC().addSecs(kJstOffsetSeconds);
    setMomentFields(jst.date().year(), jst.date().month(), jst.date().day(), jst.time().hour(), jst.time().minute());
    // Default step and display interval; "いて座" is the current item
    // without being selected.
    stepList_->setCurrentRow(3);
    intervalList_->setCurrentRow(3);
    if (constellationList_->count() > 1) constellationList_->setCurrentRow(1, QItemSelectionModel::NoUpdate);
    // The place table, with the manual place's remembered coordinates.
    places_ = cat_.places;
    if (static_cast<int>(places_.size()) > catalog::kManualPlace && settings.hasCoordinates) {
        places_[catalog::kManualPlace].latDeg = settings.latDeg;
        places_[catalog::kManualPlace].lonDeg = settings.lonDeg;
    }
    placeList_->clear();
    for (std::size_t k = 1; k < places_.size(); ++k) {
        auto* item = new QListWidgetItem(qstr(places_[k].name), placeList_);
        item->setToolTip(qstr(places_[k].name).trimmed());
    }
    // Select the remembered place and show its coordinates.
    const int index = std::clamp(settings.placeIndex, 0, std::max(0, placeList_->count() - 1));
    if (placeList_->count() > 0) {
        placeList_->setCurrentRow(index);
        setFieldText(latitudeEdit_, qstr(decimalText(places_[static_cast<std::size_t>(index) + 1].latDeg)));
        setFieldText(longitudeEdit_, qstr(decimalText(places_[static_cast<std::size_t>(index) + 1].lonDeg)));
    }
    updateStatus();
}

void MainWindow::applyColourScheme(int scheme) {
    colourScheme_ = scheme == kDayScheme ? kDayScheme : kNightScheme;
    QPalette& p = schemePalettes_[static_cast<std::size_t>(colourScheme_)];
    if (p.color(QPalette::Window) != qcolour(schemeColours(colourScheme_).windowBack) ||
        p.resolveMask() == 0) {
        const SchemeColours c = schemeColours(colourScheme_);
        p = canvas_->palette();
        p.setColor(QPalette::Window, qcolour(c.windowBack));
        p.setColor(QPalette::WindowText, qcolour(c.windowText));
        p.setColor(QPalette::Base, qcolour(c.fieldBack));
        p.setColor(QPalette::AlternateBase, qcolour(c.fieldBack));
        p.setColor(QPalette::Text, qcolour(c.fieldText));
        p.setColor(QPalette::Highlight, qcolour(c.highlightBack));
        p.setColor(QPalette::HighlightedText, qcolour(c.highlightText));
        p.setColor(QPalette::Button, qcolour(c.barBack));
        p.setColor(QPalette::ButtonText, qcolour(c.fieldText));
        p.setColor(QPalette::ToolTipBase, QColor(255, 255, 225));
        p.setColor(QPalette::ToolTipText, Qt::black);
    }
    const SchemeColours c = schemeColours(colourScheme_);
    canvas_->setColours(qcolour(c.windowBack), qcolour(c.windowText));
    if (canvas_->palette() == p) return;
    canvas_->setPalette(p);
    canvas_->update();
}

FieldTexts MainWindow::fieldTexts() const {
    FieldTexts t;
    for (int i = 0; i < 5; ++i) t.text[i] = dateEdits_[i]->text().toStdString();
    t.text[astro::FieldLat] = latitudeEdit_->text().toStdString();
    t.text[astro::FieldLon] = longitudeEdit_->text().toStdString();
    return t;
}

void MainWindow::markField(QLineEdit* e, const QString& note) {
    const bool warn = !note.isEmpty();
    e->setProperty("fieldWarning", warn);
    if (warn) {
        QPalette p;
        p.setColor(QPalette::Base, qcolour(kWarningBack));
        p.setColor(QPalette::Text, qcolour(kWarningText));
        e->setPalette(p);
    } else {
        e->setPalette(QPalette());
    }
    e->setToolTip(note);
}

astro::SkyFieldsReading MainWindow::readAndMarkFields() {
    const astro::SkyFieldsReading r = readFields(fieldTexts());
    const std::array<QLineEdit*, astro::kSkyFieldCount> edits = {dateEdits_[0], dateEdits_[1], dateEdits_[2],
                                                                 dateEdits_[3], dateEdits_[4], latitudeEdit_,
                                                                 longitudeEdit_};
    // Month, day, hour and minute outside their calendar ranges still carry
    // (hour 25 is 1 o'clock the next day), but the user is told.
    struct Range {
        int field;
        double lo, hi;
        const char* word;
    };
    const Range ranges[] = {{astro::FieldMonth, 1, 12, "月"},
                            {astro::FieldDay, 1, 31, "日"},
                            {astro::FieldHour, 0, 23, "時"},
                            {astro::FieldMinute, 0, 59, "分"}};
    const astro::SkyInput& in = r.input;
    const std::optional<CivilMinute> carried = advanceMinutes(in.year, in.month, in.day, in.hour, in.minute, 0);
    for (int f = 0; f < astro::kSkyFieldCount; ++f) {
        const astro::FieldValue& n = r.fields[static_cast<std::size_t>(f)];
        QString note = qstr(fieldNoteText(n));
        for (const Range& range : ranges) {
            if (range.field != f || !note.isEmpty() || (n.value >= range.lo && n.value <= range.hi)) continue;
            note = QStringLiteral("%1は %2〜%3 の範囲外です。繰り越して %4 として計算しました。")
                       .arg(QString::fromUtf8(range.word))
                       .arg(range.lo)
                       .arg(range.hi)
                       .arg(carried ? civilText(*carried) : QStringLiteral("読めない日時"));
        }
        markField(edits[static_cast<std::size_t>(f)], note);
    }
    return r;
}

void MainWindow::setTimerPeriod() {
    const int seconds = selectedItemValue(intervalList_);
    if (seconds <= 0) {
        stepTimer_->stop();
        return;
    }
    const int ms = seconds * 1000;
    if (!stepTimer_->isActive() || stepTimer_->interval() != ms) stepTimer_->start(ms);
}

void MainWindow::setFieldText(QLineEdit* edit, const QString& text) {
    edit->setText(text);
    // Show the text from its first character (setText puts the cursor at the end).
    edit->setCursorPosition(0);
}

void MainWindow::setMomentFields(int year, int month, int day, int hour, int minute) {
    const std::array<int, 5> v = {year, month, day, hour, minute};
    for (int i = 0; i < 5; ++i) setFieldText(dateEdits_[i], QString::number(v[i]));
}

void MainWindow::copyPlaceToFields() {
    const int i = placeList_->currentRow();
    // "入力" keeps what the user typed; with no place chosen there is nothing
    // to copy, so the boxes keep their text too.
    if (i < 0 || i == kManualEntryItem || static_cast<std::size_t>(i) + 1 >= places_.size()) return;
    setFieldText(latitudeEdit_, qstr(decimalText(places_[static_cast<std::size_t>(i) + 1].latDeg)));
    setFieldText(longitudeEdit_, qstr(decimalText(places_[static_cast<std::size_t>(i) + 1].lonDeg)));
}

int MainWindow::stepMinutes() const { return selectedItemValue(stepList_); }

view::Direction MainWindow::direction() const {
    for (int i = 0; i < 4; ++i)
        if (directionButtons_[i]->isChecked()) return static_cast<view::Direction>(i);
    return view::Direction::South;
}

view::ViewOptions MainWindow::viewOptions(const astro::SkyFieldsReading& reading) const {
    view::ViewOptions o;
    o.equator = optionChecks_[0]->isChecked();
    o.ecliptic = optionChecks_[1]->isChecked();
    o.altAzLines = optionChecks_[2]->isChecked();
    o.starNames = optionChecks_[3]->isChecked();
    o.constellations = figuresCheck_->isChecked();
    o.meteors = meteorsCheck_->isChecked();
    for (int row = 0; row < constellationList_->count() && row + 1 < static_cast<int>(o.selected.size()); ++row)
        o.selected[static_cast<std::size_t>(row) + 1] = constellationList_->item(row)->isSelected();
    o.year = reading.input.year;
    o.month = reading.input.month;
    o.day = reading.input.day;
    o.stepMinutes = stepMinutes();
    return o;
}

WindowRequest MainWindow::currentRequest() const {
    WindowRequest w;
    w.reading = readFields(fieldTexts());
    w.request.input = w.reading.input;
    const int row = placeList_->currentRow();
    if (row >= 0 && static_cast<std::size_t>(row) + 1 < places_.size()) {
        w.placeIndex = row + 1;
        w.request.placeName = places_[static_cast<std::size_t>(row) + 1].name;
        w.timeZone = places_[static_cast<std::size_t>(row) + 1].timeZone;
    }
    if (w.timeZone.empty()) w.timeZone = "Asia/Tokyo";
    w.direction = direction();
    w.options = viewOptions(w.reading);
    return w;
}

const QImage& MainWindow::picture() const { return canvas_->picture(); }

MainWindow::ShownSky MainWindow::skyToShow(const astro::SkyFieldsReading& reading) const {
    if (trailMenu_ != nullptr && trailMenu_->minutes() > 0) {
        if (std::optional<TrailScene> t = trailScene(reading.input, trailMenu_->minutes(), direction(), cat_))
            return {std::move(t->endSky), std::move(t->trails)};
    }
    return {hooks_.computeSky(reading.input), std::nullopt};
}

void MainWindow::drawSky(const ShownSky& shownSky, const astro::SkyFieldsReading& reading) {
    // What is drawn, kept for printing and exporting.
    const SchemeColours c = schemeColours(colourScheme_);
    ChartScene shown;
    shown.direction = direction();
    shown.sky = shownSky.sky;
    shown.view = viewOptions(reading);
    const int placeRow = placeList_->currentRow();
    const bool manual = placeRow + 1 == catalog::kManualPlace || placeRow < 0;
    shown.heading = chartHeading(reading.input, manual ? std::string() : placeName_->text().toStdString(), direction(),
                                 currentRequest().timeZone);
    shown.screenBackground = c.windowBack;
    shown.screenText = c.windowText;
    shown.meteorStart = canvas_->meteorRng();
    shown.trails = shownSky.trails;
    shownChart_ = shown;
    canvas_->drawSky(shownSky.sky, direction(), viewOptions(reading), shownSky.trails ? &*shownSky.trails : nullptr);
}

bool MainWindow::tableShown() const { return !tableNames_[0]->text().isEmpty(); }

QList<QWidget*> MainWindow::tableCells() const {
    QList<QWidget*> cells;
    for (int i = 0; i < kTableRows; ++i) cells << tableNames_[i] << tableFirst_[i] << tableSecond_[i];
    return cells;
}

void MainWindow::showTable(const astro::SkyFieldsReading& reading) {
    const NumericTable table =
        tableIsShowers_ ? showerTable(cat_) : altAzTable(hooks_.computeSky(reading.input), cat_);
    for (int i = 0; i < kTableRows; ++i) {
        tableNames_[i]->setText(qstr(table[i].st));
        tableFirst_[i]->setText(qstr(table[i].h));
        tableSecond_[i]->setText(qstr(table[i].v));
    }
}

void MainWindow::onDrawClicked() {
    copyPlaceToFields();
    setTimerPeriod();
    for (QWidget* cell : tableCells()) static_cast<QLabel*>(cell)->clear();
    const astro::SkyFieldsReading reading = readAndMarkFields();
    const ShownSky shown = skyToShow(reading);
    const double sunAlt = shown.sky.bodyAltDeg[astro::Sun];
    lastSunAlt_ = sunAlt;
    applyColourScheme(schemeForSunAltitude(sunAlt));
    drawSky(shown, reading);
    updateStatus();
}

void MainWindow::redrawOnTimer() {
    setTimerPeriod();
    copyPlaceToFields();
    const astro::SkyFieldsReading reading = readAndMarkFields();
    const ShownSky shown = skyToShow(reading);
    const double sunAlt = shown.sky.bodyAltDeg[astro::Sun];
    if (const std::optional<int> scheme = schemeAfterStep(lastSunAlt_, sunAlt)) applyColourScheme(*scheme);
    lastSunAlt_ = sunAlt;
    drawSky(shown, reading);
    // A table on screen follows the moment it describes.
    if (tableShown()) showTable(reading);
}

void MainWindow::onTimerTick() {
    const astro::SkyFieldsReading reading = readAndMarkFields();
    const astro::SkyInput& in = reading.input;
    const std::optional<CivilMinute> next =
        advanceMinutes(in.year, in.month, in.day, in.hour, in.minute, stepMinutes());
    if (!next) {
        // The fields cannot go further (the year range ends): stop turning.
        stepTimer_->stop();
        markField(dateEdits_[0], QStringLiteral("年は %1〜%2 の範囲までです。これ以上時刻を進められません。")
                                     .arg(kMinYear)
                                     .arg(kMaxYear));
        return;
    }
    setMomentFields(next->year, next->month, next->day, next->hour, next->minute);
    redrawOnTimer();
}

void MainWindow::drawToward(view::Direction d) {
    directionButtons_[static_cast<int>(d)]->setChecked(true);
    onDrawClicked();
}

void MainWindow::setMoment(int year, int month, int day, int hour, int minute) {
    setMomentFields(year, month, day, hour, minute);
    updateStatus();
}

void MainWindow::showFigure(int figure) {
    figuresCheck_->setChecked(true);
    if (figure >= 1 && figure <= constellationList_->count()) constellationList_->item(figure - 1)->setSelected(true);
}

void MainWindow::stepAndDraw(int steps) {
    const astro::SkyFieldsReading reading = readFields(fieldTexts());
    const astro::SkyInput& in = reading.input;
    const std::optional<CivilMinute> next =
        advanceMinutes(in.year, in.month, in.day, in.hour, in.minute, steps * stepMinutes());
    if (next) setMomentFields(next->year, next->month, next->day, next->hour, next->minute);
    onDrawClicked();
}

void MainWindow::drawNow() {
    const QDateTime jst = hooks_.nowUtc().toUTC().addSecs(kJstOffsetSeconds);
    setMomentFields(jst.date().year(), jst.date().month(), jst.date().day(), jst.time().hour(), jst.time().minute());
    onDrawClicked();
}

void MainWindow::onTableClicked() {
    canvas_->clearPicture();
    tableIsShowers_ = meteorsCheck_->isChecked();
    showTable(readAndMarkFields());
}

void MainWindow::onExitClicked() {
    const astro::SkyFieldsReading reading = readFields(fieldTexts());
    const std::string error = writeSettings(hooks_.settingsPath, placeList_->currentRow(),
                                            reading.fields[astro::FieldLat].value, reading.fields[astro::FieldLon].value);
    if (!error.empty()) {
        const QString text = failedWriteText(QStringLiteral("場所を"), QStringLiteral("保存"), qstr(hooks_.settingsPath),
                                             qstr(error)) +
                             QStringLiteral("\n\nこのまま終了しますか？");
        if (!hooks_.askQuitAnyway(text)) return;
    }
    stepTimer_->stop();
    hooks_.quit();
}

QString MainWindow::suggestedPictureName() const {
    const astro::SkyFieldsReading r = readFields(fieldTexts());
    const astro::SkyInput& in = r.input;
    // The moment as the fields would show it after a step of 0 minutes.
    const std::optional<CivilMinute> t = advanceMinutes(in.year, in.month, in.day, in.hour, in.minute, 0);
    const CivilMinute m = t.value_or(CivilMinute{});
    return QStringLiteral("sky-%1-%2-%3-%4%5-%6.png")
        .arg(m.year)
        .arg(m.month, 2, 10, QLatin1Char('0'))
        .arg(m.day, 2, 10, QLatin1Char('0'))
        .arg(m.hour, 2, 10, QLatin1Char('0'))
        .arg(m.minute, 2, 10, QLatin1Char('0'))
        .arg(QString::fromLatin1(view::directionWord(direction())));
}

namespace {

bool savePng(const QImage& image, const QString& path, const std::function<void(const QString&)>& warn) {
    const QString error = image.isNull() ? QStringLiteral("画像がありません") : writePng(image, path);
    if (error.isEmpty()) return true;
    warn(failedWriteText(QStringLiteral("画像を"), QStringLiteral("保存"), path, error));
    return false;
}

}  // namespace

bool MainWindow::savePicture(const QString& path) { return savePng(canvas_->snapshot(tableCells()), path, hooks_.warn); }

void MainWindow::savePictureInteractive() {
    // The picture and its name as they are now: the timer may draw on while
    // the dialog is open.
    const QImage shown = canvas_->snapshot(tableCells());
    const QString name = suggestedPictureName();
    const QString path = hooks_.askSavePath(name);
    if (!path.isEmpty()) savePng(shown, path, hooks_.warn);
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
    QMainWindow::keyPressEvent(event);
}

}  // namespace app
