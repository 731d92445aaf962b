#include "app/main_window.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFileDialog>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPainter>
#include <QProxyStyle>
#include <QPushButton>
#include <QScrollBar>
#include <QRadioButton>
#include <QShortcut>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <random>

#include "app/chart_heading.h"
#include "app/chart_output_menu.h"
#include "app/colour_scheme.h"
#include "app/numeric_tables.h"
#include "app/png_file.h"
#include "app/qt_painter.h"
#include "app/settings.h"
#include "app/time_step.h"
#include "astro/astro.h"
#include "view/picture.h"

namespace app {

namespace {

constexpr double kTwipsPerPixel = 15.0;
constexpr int kManualEntryItem = catalog::kManualPlace - 1;  // lstCITY index of "入力"
constexpr int kJstOffsetSeconds = 9 * 3600;

int px(int twips) { return static_cast<int>(std::lround(twips / kTwipsPerPixel)); }
QRect twipRect(int left, int top, int width, int height) { return {px(left), px(top), px(width), px(height)}; }

QColor qcolour(view::Rgb c) { return QColor(c.r, c.g, c.b); }

// "ＭＳ Ｐゴシック" is not on a Debian desktop; IPA P Gothic has the same
// proportional metrics and every glyph the captions use.
QString japaneseFamily() {
    static const QString family = [] {
        const QStringList families = QFontDatabase::families();
        if (families.contains(QStringLiteral("IPAPGothic"))) return QStringLiteral("IPAPGothic");
        for (const QString& f : families)
            if (QFontDatabase::writingSystems(f).contains(QFontDatabase::Japanese)) return f;
        return QString();
    }();
    return family;
}

QFont designFont(double points, bool bold = false) {
    QFont f(japaneseFamily());
    f.setPointSizeF(points);
    f.setWeight(bold ? QFont::Bold : QFont::Normal);
    return f;
}

QString qstr(const std::string& s) { return QString::fromStdString(s); }

const char* directionWord(view::Direction d) {
    switch (d) {
    case view::Direction::North: return "north";
    case view::Direction::East: return "east";
    case view::Direction::South: return "south";
    case view::Direction::West: return "west";
    }
    return "south";
}

// The numeric value of a list item (" 6" is 6); 0 without a selection.
int selectedItemValue(const QListWidget* list) {
    const QListWidgetItem* item = list->currentRow() >= 0 ? list->item(list->currentRow()) : nullptr;
    return item ? item->text().trimmed().toInt() : 0;
}

// A push button whose caption wraps onto a second line when it is wider than
// the button, as "プラネタリウム" must in its 57-pixel button.
class WrappingButton : public QPushButton {
public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent*) override {
        QStylePainter p(this);
        QStyleOptionButton opt;
        initStyleOption(&opt);
        const QString caption = opt.text;
        opt.text.clear();
        p.drawControl(QStyle::CE_PushButton, opt);
        p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
        p.drawText(rect().adjusted(2, 1, -2, -1), Qt::AlignCenter | Qt::TextWrapAnywhere, caption);
    }
};

// Narrow scroll bars for the two 41-pixel time lists, so "120" still fits
// beside the bar.
class NarrowScrollBarStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    int pixelMetric(PixelMetric m, const QStyleOption* opt, const QWidget* w) const override {
        if (m == PM_ScrollBarExtent) return 9;
        return QProxyStyle::pixelMetric(m, opt, w);
    }
};

}  // namespace

MainWindow::MainWindow(const catalog::Catalogue& cat, WindowHooks hooks, QWidget* parent)
    : QWidget(parent), cat_(cat), hooks_(std::move(hooks)) {
    if (!hooks_.warn) hooks_.warn = [this](const QString& t) { QMessageBox::warning(this, windowTitle(), t); };
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
    rng_.seed(hooks_.meteorSeed ? *hooks_.meteorSeed : std::random_device{}());

    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("プラネタリウム"));
    // The picture covers the whole client area, so Qt need not erase it first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    const QSize minimum(px(static_cast<int>(view::kSurfaceWidthTwips)), px(static_cast<int>(view::kSurfaceHeightTwips)));
    setMinimumSize(minimum);
    resize(minimum + QSize(8, 8));

    buildControls();
    formLoad();
}

MainWindow::~MainWindow() = default;

void MainWindow::buildControls() {
    auto label = [this](const char* name, const QString& caption, QRect r, double pt, bool bold = false) {
        auto* l = new QLabel(caption, this);
        l->setObjectName(QString::fromLatin1(name));
        l->setGeometry(r);
        l->setFont(designFont(pt, bold));
        return l;
    };
    auto lineEdit = [this](const QString& name, const QString& text, QRect r, double pt) {
        auto* e = new QLineEdit(text, this);
        e->setObjectName(name);
        e->setGeometry(r);
        // The design's boxes are barely wider than their text ("2026" in 41
        // pixels at 14.25 pt): a flat box and a narrower face keep
        // four digits visible inside Qt's margins.
        QFont f = designFont(pt);
        f.setStretch(84);
        e->setFont(f);
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
        return e;
    };
    auto list = [this](const char* name, const QStringList& items, QRect r, std::optional<double> pt) {
        auto* l = new QListWidget(this);
        l->setObjectName(QString::fromLatin1(name));
        l->setGeometry(r);
        if (pt) l->setFont(designFont(*pt));
        l->addItems(items);
        // A one-pixel frame leaves room for two items in the 34-pixel lists.
        l->setFrameShape(QFrame::Box);
        l->setLineWidth(1);
        // The items are short; a horizontal bar would only hide a row.
        l->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        return l;
    };
    auto check = [this](const char* name, const QString& caption, QRect r) {
        auto* c = new QCheckBox(caption, this);
        c->setObjectName(QString::fromLatin1(name));
        c->setGeometry(r);
        c->setFont(designFont(12));
        return c;
    };
    auto button = [this](const char* name, const QString& caption, QRect r) {
        auto* b = new WrappingButton(caption, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setGeometry(r);
        return b;
    };

    // Date and place row.
    lstCITY_ = list("lstCITY", {}, twipRect(120, 120, 975, 1230), std::nullopt);
    const std::array<QString, 5> ymdDefaults = {"2005", "10", "1", "22", "10"};
    const std::array<int, 5> ymdLeft = {1320, 2280, 3120, 3840, 4680};
    const std::array<int, 5> ymdWidth = {615, 375, 375, 375, 375};
    for (int i = 0; i < 5; ++i) {
        txtYMD_[i] = lineEdit(QStringLiteral("txtYMD_%1").arg(i), ymdDefaults[i],
                              twipRect(ymdLeft[i], 120, ymdWidth[i], 375), 14.25);
    }
    label("Label2", QStringLiteral("年"), twipRect(1920, 120, 495, 375), 14.25);
    label("Label3", QStringLiteral("月"), twipRect(2760, 120, 495, 375), 14.25);
    label("Label4", QStringLiteral("日"), twipRect(3480, 120, 495, 375), 14.25);
    label("Label5", QStringLiteral("時"), twipRect(4320, 120, 495, 375), 14.25);
    label("Label6", QStringLiteral("分"), twipRect(5160, 120, 495, 375), 14.25);
    Label10_ = label("Label10", QString(), twipRect(1320, 600, 2895, 255), 12);
    label("Label1", QStringLiteral("緯度"), twipRect(1320, 1020, 615, 255), 12);
    txtIDO_ = lineEdit(QStringLiteral("txtIDO"), QString(), twipRect(1920, 960, 855, 375), 15.75);
    label("Label7", QStringLiteral("経度"), twipRect(3000, 1020, 615, 255), 12);
    txtKEIDO_ = lineEdit(QStringLiteral("txtKEIDO"), QString(), twipRect(3600, 960, 975, 375), 15.75);

    // Time-step controls.
    label("Label8", QStringLiteral("間隔（分)"), twipRect(5880, 240, 975, 255), 12);
    lstINTV1_ = list("lstINTV1", {" 2", " 5", "10", "15", "30", "60", "90", "120"}, twipRect(6000, 480, 615, 510), 12);
    label("Label9", QStringLiteral("表示間隔（秒）"), twipRect(6960, 240, 1455, 255), 12);
    lstINTV2_ = list("lstINTV2", {" 0", " 1", " 3", " 6", "10", "20", "30", "60"}, twipRect(7080, 480, 615, 510), 12);
    auto* narrow = new NarrowScrollBarStyle();
    narrow->setParent(this);
    for (QListWidget* l : {lstINTV1_, lstINTV2_}) {
        l->setTextElideMode(Qt::ElideNone);
        l->verticalScrollBar()->setStyle(narrow);
    }
    Timer1_ = new QTimer(this);
    Timer1_->setObjectName(QStringLiteral("Timer1"));
    connect(Timer1_, &QTimer::timeout, this, &MainWindow::timer1Timer);

    // Direction cross around the draw button.
    const std::array<QString, 4> dirCaption = {"北", "東", "南", "西"};
    const std::array<QRect, 4> dirRect = {twipRect(9000, 0, 495, 375), twipRect(9720, 480, 495, 375),
                                          twipRect(9000, 960, 495, 375), twipRect(8160, 480, 495, 375)};
    for (int i = 0; i < 4; ++i) {
        optDIR_[i] = new QRadioButton(dirCaption[i], this);
        optDIR_[i]->setObjectName(QStringLiteral("optDIR_%1").arg(i));
        optDIR_[i]->setGeometry(dirRect[i]);
        optDIR_[i]->setFont(designFont(12));
    }
    optDIR_[2]->setChecked(true);
    Command3_ = button("Command3", QStringLiteral("プラネタリウム"), twipRect(8760, 360, 855, 495));
    Command3_->setDefault(true);
    connect(Command3_, &QPushButton::clicked, this, &MainWindow::command3Click);

    // Display options.
    chkSTR_ = check("chkSTR", QStringLiteral("星座"), twipRect(10560, 120, 855, 255));
    QStringList constellationNames;
    for (std::size_t c = 1; c < cat_.constellations.size(); ++c) constellationNames << qstr(cat_.constellations[c].name);
    lstSTR_ = list("lstSTR", constellationNames, twipRect(10560, 480, 1575, 1470), 12);
    lstSTR_->setSelectionMode(QAbstractItemView::MultiSelection);
    chkOP_[3] = check("chkOP_3", QStringLiteral("星の名前"), twipRect(11520, 120, 1335, 255));
    chkMET_ = check("chkMET", QStringLiteral("流星群"), twipRect(12960, 120, 1215, 255));
    chkOP_[0] = check("chkOP_0", QStringLiteral("赤道"), twipRect(12960, 720, 855, 255));
    chkOP_[1] = check("chkOP_1", QStringLiteral("黄道"), twipRect(13920, 720, 975, 255));
    chkOP_[2] = check("chkOP_2", QStringLiteral("高度・方位線"), twipRect(12960, 1080, 1695, 255));
    Command2_ = button("Command2", QStringLiteral("数値"), twipRect(12960, 1560, 615, 375));
    Command1_ = button("Command1", QStringLiteral("終了"), twipRect(14040, 1560, 615, 375));
    connect(Command2_, &QPushButton::clicked, this, &MainWindow::command2Click);
    connect(Command1_, &QPushButton::clicked, this, &MainWindow::command1Click);

    // Numeric-table cells: rows 0..14 on the left, 15..28 on the right.
    for (int i = 0; i < 29; ++i) {
        const bool right = i >= kRightBlockFirstRow;
        const int top = 2280 + 480 * (i - (right ? kRightBlockFirstRow : 0));
        const bool heading = i == 0 || i == kRightBlockFirstRow;
        const int stWidth = (right && heading) ? 1575 : 2175;
        const int vWidth = heading ? (right ? 1575 : 1455) : 975;
        lblST_[i] = label(QStringLiteral("lblST_%1").arg(i).toLatin1().constData(), QString(),
                          twipRect(right ? 5880 : 360, top, stWidth, 375), 12, true);
        lblH_[i] = label(QStringLiteral("lblH_%1").arg(i).toLatin1().constData(), QString(),
                         twipRect(right ? 8160 : 2640, top, 1455, 375), 12, true);
        lblV_[i] = label(QStringLiteral("lblV_%1").arg(i).toLatin1().constData(), QString(),
                         twipRect(right ? 9720 : 4200, top, vWidth, 375), heading ? 11.25 : 12, true);
    }

    // The place name under the date follows the chosen place.
    connect(lstCITY_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0) Label10_->setText(lstCITY_->item(row)->text());
    });

    auto* save = new QShortcut(QKeySequence::Save, this);
    connect(save, &QShortcut::activated, this, &MainWindow::savePictureInteractive);
    // ファイル → 印刷… (Ctrl+P), PDF/SVG に書き出し…: the shown picture as the
    // paper chart, named like the Ctrl+S picture.
    chartOutput_ = new ChartOutputMenu(
        this, nullptr, [this] { return shownChart_; },
        [this] { return suggestedPictureName().chopped(4); }, cat_);
}

void MainWindow::formLoad() {
    // 1. The buttons' own colour.
    for (QPushButton* b : {Command1_, Command2_, Command3_}) {
        QPalette p = b->palette();
        p.setColor(QPalette::Button, qcolour(kButtonBack));
        p.setColor(QPalette::ButtonText, Qt::black);
        b->setPalette(p);
    }
    // 2..4. The remembered place (the constellation label offsets are part
    // of the catalogue).
    const Settings settings = readSettings(hooks_.settingsPath);
    // 5. Night colours until the first drawing says otherwise.
    lastSunAlt_ = -1.0;
    colourScheme_ = kNightScheme;
    colourSchemeStep();
    clearPicture();
    // 6. The picture frame constants live in view/picture.h.
    // 7. The computer's clock, as Japan Standard Time whatever the zone.
    const QDateTime jst = hooks_.nowUtc().toUTC().addSecs(kJstOffsetSeconds);
    const QDate d = jst.date();
    const QTime t = jst.time();
    const std::array<int, 5> now = {d.year(), d.month(), d.day(), t.hour(), t.minute()};
    for (int i = 0; i < 5; ++i) txtYMD_[i]->setText(QString::number(now[i]));
    // 8. Default step and display interval; "いて座" is the current item
    // without being selected.
    lstINTV1_->setCurrentRow(3);
    lstINTV2_->setCurrentRow(3);
    if (lstSTR_->count() > 1) lstSTR_->setCurrentRow(1, QItemSelectionModel::NoUpdate);
    // 9. The place table, with the manual place's remembered coordinates.
    places_ = cat_.places;
    if (static_cast<int>(places_.size()) > catalog::kManualPlace && settings.hasCoordinates) {
        places_[catalog::kManualPlace].latDeg = settings.latDeg;
        places_[catalog::kManualPlace].lonDeg = settings.lonDeg;
    }
    // 10. The star catalogue is loaded once in main().
    // 11. Places 1..75 into items 0..74.
    lstCITY_->clear();
    for (std::size_t k = 1; k < places_.size(); ++k) lstCITY_->addItem(qstr(places_[k].name));
    // 12, 13. Select the remembered place and show its coordinates.
    const int index = std::clamp(settings.placeIndex, 0, std::max(0, lstCITY_->count() - 1));
    if (lstCITY_->count() > 0) {
        lstCITY_->setCurrentRow(index);
        Label10_->setText(lstCITY_->item(index)->text());
        txtIDO_->setText(qstr(decimalText(places_[static_cast<std::size_t>(index) + 1].latDeg)));
        txtKEIDO_->setText(qstr(decimalText(places_[static_cast<std::size_t>(index) + 1].lonDeg)));
    }
    // 14. Constellations and showers come with the catalogue.
}

FieldTexts MainWindow::fieldTexts() const {
    FieldTexts t;
    for (int i = 0; i < 5; ++i) t.text[i] = txtYMD_[i]->text().toStdString();
    t.text[astro::FieldLat] = txtIDO_->text().toStdString();
    t.text[astro::FieldLon] = txtKEIDO_->text().toStdString();
    return t;
}

astro::SkyFieldsReading MainWindow::readAndMarkFields() {
    const astro::SkyFieldsReading r = readFields(fieldTexts());
    const std::array<QLineEdit*, astro::kSkyFieldCount> edits = {txtYMD_[0], txtYMD_[1], txtYMD_[2], txtYMD_[3],
                                                        txtYMD_[4], txtIDO_,    txtKEIDO_};
    for (int f = 0; f < astro::kSkyFieldCount; ++f) {
        QLineEdit* e = edits[f];
        const astro::FieldValue& n = r.fields[static_cast<std::size_t>(f)];
        const bool warn = n.status != astro::FieldStatus::Number;
        e->setProperty("fieldWarning", warn);
        if (warn) {
            QPalette p;
            p.setColor(QPalette::Base, qcolour(kWarningBack));
            p.setColor(QPalette::Text, qcolour(kWarningText));
            e->setPalette(p);
            e->setToolTip(qstr(fieldNoteText(n)));
        } else {
            e->setPalette(QPalette());
            e->setToolTip(QString());
        }
    }
    return r;
}

void MainWindow::setTimerPeriod() {
    const int seconds = selectedItemValue(lstINTV2_);
    if (seconds <= 0) {
        Timer1_->stop();
        return;
    }
    const int ms = seconds * 1000;
    if (!Timer1_->isActive() || Timer1_->interval() != ms) Timer1_->start(ms);
}

void MainWindow::copyPlaceToFields() {
    const int i = lstCITY_->currentRow();
    // "入力" keeps what the user typed; with no place chosen there is nothing
    // to copy, so the boxes keep their text too.
    if (i < 0 || i == kManualEntryItem || static_cast<std::size_t>(i) + 1 >= places_.size()) return;
    txtIDO_->setText(qstr(decimalText(places_[static_cast<std::size_t>(i) + 1].latDeg)));
    txtKEIDO_->setText(qstr(decimalText(places_[static_cast<std::size_t>(i) + 1].lonDeg)));
}

int MainWindow::stepMinutes() const { return selectedItemValue(lstINTV1_); }

view::Direction MainWindow::direction() const {
    for (int i = 0; i < 4; ++i)
        if (optDIR_[i]->isChecked()) return static_cast<view::Direction>(i);
    return view::Direction::South;
}

view::ViewOptions MainWindow::viewOptions(const astro::SkyFieldsReading& reading) const {
    view::ViewOptions o;
    o.equator = chkOP_[0]->isChecked();
    o.ecliptic = chkOP_[1]->isChecked();
    o.altAzLines = chkOP_[2]->isChecked();
    o.starNames = chkOP_[3]->isChecked();
    o.constellations = chkSTR_->isChecked();
    o.meteors = chkMET_->isChecked();
    for (int row = 0; row < lstSTR_->count() && row + 1 < static_cast<int>(o.selected.size()); ++row)
        o.selected[static_cast<std::size_t>(row) + 1] = lstSTR_->item(row)->isSelected();
    o.year = reading.input.year;
    o.month = reading.input.month;
    o.day = reading.input.day;
    o.stepMinutes = stepMinutes();
    return o;
}

void MainWindow::ensureBuffer() {
    const double dpr = devicePixelRatioF();
    const QSize logical = size().expandedTo(minimumSize());
    const QSize want(static_cast<int>(std::ceil(logical.width() * dpr)),
                     static_cast<int>(std::ceil(logical.height() * dpr)));
    if (!buffer_.isNull() && buffer_.width() >= want.width() && buffer_.height() >= want.height()) return;
    // Growing keeps the picture: the old image is copied into the new one.
    QImage grown(want.expandedTo(buffer_.size()), QImage::Format_RGB32);
    grown.fill(qcolour(schemeColours(colourScheme_).windowBack));
    if (!buffer_.isNull()) {
        QPainter p(&grown);
        p.drawImage(0, 0, buffer_);
    }
    buffer_ = std::move(grown);
}

void MainWindow::clearPicture() {
    ensureBuffer();
    const SchemeColours c = schemeColours(colourScheme_);
    QtPainter painter(buffer_, devicePixelRatioF(), qcolour(c.windowBack), qcolour(c.windowText));
    painter.clear();
    update();
}

void MainWindow::drawSky(const astro::SkyState& sky, const astro::SkyFieldsReading& reading) {
    ensureBuffer();
    const SchemeColours c = schemeColours(colourScheme_);
    // What is drawn, kept for printing and exporting.
    ChartScene shown;
    shown.direction = direction();
    shown.sky = sky;
    shown.view = viewOptions(reading);
    const int placeRow = lstCITY_->currentRow();
    const bool manual = placeRow + 1 == catalog::kManualPlace || placeRow < 0;
    shown.heading = chartHeading(reading.input, manual ? std::string() : Label10_->text().toStdString(), direction());
    shown.screenBackground = c.windowBack;
    shown.screenText = c.windowText;
    shown.meteorStart = rng_;
    shownChart_ = shown;
    {
        QtPainter painter(buffer_, devicePixelRatioF(), qcolour(c.windowBack), qcolour(c.windowText));
        // Exactly one option button is selected, so exactly one view runs.
        for (int i = 0; i < 4; ++i) {
            if (!optDIR_[i]->isChecked()) continue;
            const view::ViewOptions opt = viewOptions(reading);
            switch (static_cast<view::Direction>(i)) {
            case view::Direction::North: view::drawNorthView(sky, cat_, opt, rng_, painter); break;
            case view::Direction::East: view::drawEastView(sky, cat_, opt, rng_, painter); break;
            case view::Direction::South: view::drawSouthView(sky, cat_, opt, rng_, painter); break;
            case view::Direction::West: view::drawWestView(sky, cat_, opt, rng_, painter); break;
            }
        }
    }
    update();
}

void MainWindow::command3Click() {
    copyPlaceToFields();
    setTimerPeriod();
    for (int i = 0; i < 29; ++i) {
        lblST_[i]->setText(QString());
        lblH_[i]->setText(QString());
        lblV_[i]->setText(QString());
    }
    const astro::SkyFieldsReading reading = readAndMarkFields();
    const astro::SkyState sky = hooks_.computeSky(reading.input);
    const double sunAlt = sky.bodyAltDeg[astro::Sun];
    lastSunAlt_ = sunAlt;
    if (sunAlt <= 0.0) {
        colourScheme_ = kNightScheme;
        colourSchemeStep();
    }
    if (sunAlt >= 0.0) {
        colourScheme_ = kDayScheme;
        colourSchemeStep();
    }
    drawSky(sky, reading);
}

void MainWindow::timedRedraw() {
    setTimerPeriod();
    copyPlaceToFields();
    if (lstCITY_->currentRow() >= 0) Label10_->setText(lstCITY_->currentItem()->text());
    const astro::SkyFieldsReading reading = readAndMarkFields();
    const astro::SkyState sky = hooks_.computeSky(reading.input);
    const double sunAlt = sky.bodyAltDeg[astro::Sun];
    if (const std::optional<int> scheme = schemeAfterStep(lastSunAlt_, sunAlt)) {
        colourScheme_ = *scheme;
        colourSchemeStep();
    }
    lastSunAlt_ = sunAlt;
    drawSky(sky, reading);
}

void MainWindow::timer1Timer() {
    const astro::SkyFieldsReading reading = readAndMarkFields();
    const astro::SkyInput& in = reading.input;
    const std::optional<CivilMinute> next =
        advanceMinutes(in.year, in.month, in.day, in.hour, in.minute, stepMinutes());
    if (!next) {
        // The fields cannot go further (the year range ends): stop turning.
        Timer1_->stop();
        txtYMD_[0]->setProperty("fieldWarning", true);
        txtYMD_[0]->setToolTip(QStringLiteral("これ以上時刻を進められません。"));
        return;
    }
    const std::array<int, 5> v = {next->year, next->month, next->day, next->hour, next->minute};
    for (int i = 0; i < 5; ++i) txtYMD_[i]->setText(QString::number(v[i]));
    timedRedraw();
}

void MainWindow::command2Click() {
    clearPicture();
    NumericTable table;
    if (chkMET_->isChecked()) {
        table = showerTable(cat_);
    } else {
        const astro::SkyFieldsReading reading = readAndMarkFields();
        table = altAzTable(hooks_.computeSky(reading.input), cat_);
    }
    for (int i = 0; i < kTableRows; ++i) {
        lblST_[i]->setText(qstr(table[i].st));
        lblH_[i]->setText(qstr(table[i].h));
        lblV_[i]->setText(qstr(table[i].v));
    }
}

void MainWindow::command1Click() {
    const astro::SkyFieldsReading reading = readFields(fieldTexts());
    const std::string error = writeSettings(hooks_.settingsPath, lstCITY_->currentRow(),
                                            reading.fields[astro::FieldLat].value, reading.fields[astro::FieldLon].value);
    if (!error.empty()) {
        const QString text = QStringLiteral("場所を %1 に保存できませんでした。\n%2\n\nこのまま終了しますか？")
                                 .arg(qstr(hooks_.settingsPath), qstr(error));
        if (!hooks_.askQuitAnyway(text)) return;
    }
    Timer1_->stop();
    hooks_.quit();
}

void MainWindow::colourSchemeStep() {
    const SchemeColours c = schemeColours(colourScheme_);
    QPalette p = palette();
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
    setPalette(p);
    update();
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
        .arg(QString::fromLatin1(directionWord(direction())));
}

bool MainWindow::savePicture(const QString& path) {
    ensureBuffer();
    // The visible part of the picture, at the screen's resolution.
    const double dpr = devicePixelRatioF();
    const QImage visible = buffer_.copy(0, 0, static_cast<int>(std::ceil(width() * dpr)),
                                        static_cast<int>(std::ceil(height() * dpr)));
    const QString error = writePng(visible, path);
    if (error.isEmpty()) return true;
    hooks_.warn(QStringLiteral("画像を %1 に保存できませんでした。\n%2").arg(path, error));
    return false;
}

void MainWindow::savePictureInteractive() {
    const QString path = hooks_.askSavePath(suggestedPictureName());
    if (!path.isEmpty()) savePicture(path);
}

void MainWindow::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    const double dpr = buffer_.isNull() ? 1.0 : devicePixelRatioF();
    const QRect r = event->rect();
    if (!buffer_.isNull()) {
        // Copy only: the picture is rendered when a command draws.
        const QRectF source(r.x() * dpr, r.y() * dpr, r.width() * dpr, r.height() * dpr);
        p.drawImage(QRectF(r), buffer_, source);
    } else {
        p.fillRect(r, qcolour(schemeColours(colourScheme_).windowBack));
    }
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    ensureBuffer();
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    // Return draws, as the default button of a dialog would; on a focused
    // button it presses that button. Text boxes and lists pass Return on.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (auto* b = qobject_cast<QPushButton*>(focusWidget())) b->click();
        else command3Click();
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

}  // namespace app
