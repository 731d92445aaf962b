// The controls of Form1 at their design places, with their design names.
#include <QCheckBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTimer>

#include "app/output/japanese_font_gui.h"
#include "app/output/qt_painter_gui.h"
#include "app/session/colour_scheme.h"
#include "app/session/fields.h"
#include "app/session/moment_text.h"
#include "app/session/numeric_tables.h"
#include "app/session/time_step.h"
#include "app/window/control_look_widgets.h"
#include "app/window/main_window_widgets.h"
#include "app/window/sky_canvas_widgets.h"
#include "app/window/window_layout_qtcore.h"

namespace app {

namespace {

QString qstr(const std::string& s) { return QString::fromStdString(s); }

// Home, End, PageUp and PageDown move within a focused list (to its first
// item, ...) instead of reaching the window's shortcuts for the clock.
class ListKeys final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::ShortcutOverride) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Home || key == Qt::Key_End || key == Qt::Key_PageUp || key == Qt::Key_PageDown) {
                event->accept();
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }
};

}  // namespace

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
    auto* listKeys = new ListKeys(this);
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
        l->installEventFilter(listKeys);
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
        p.setColor(QPalette::Button, qColour(kButtonBack));
        p.setColor(QPalette::ButtonText, Qt::black);
        b->setPalette(p);
        b->setAccessibleName(caption);
        return b;
    };

    // Date and place row.
    form_.placeList = list("lstCITY", {}, QStringLiteral("場所"));
    const std::array<const char*, 5> dateNames = {"txtYMD_0", "txtYMD_1", "txtYMD_2", "txtYMD_3", "txtYMD_4"};
    const std::array<QString, 5> dateWords = {"年", "月", "日", "時", "分"};
    for (int i = 0; i < 5; ++i) {
        form_.dateEdits[i] = lineEdit(dateNames[i], dateWords[i]);
        label(QStringLiteral("Label%1").arg(i + 2).toLatin1().constData(), dateWords[i]);
    }
    // The widest texts the time step writes: the year range's ends, two digits.
    fitFaceTo(form_.dateEdits[0], {QString::number(kMinYear), QString::number(kMaxYear)});
    for (int i = 1; i < 5; ++i) fitFaceTo(form_.dateEdits[i], {QStringLiteral("00"), QStringLiteral("28")});
    form_.placeName = label("Label10", QString());
    label("Label1", QStringLiteral("緯度"));
    form_.latitude = lineEdit("txtIDO", QStringLiteral("緯度"));
    label("Label7", QStringLiteral("経度"));
    form_.longitude = lineEdit("txtKEIDO", QStringLiteral("経度"));
    QStringList lats, lons;
    for (std::size_t k = 1; k < cat_.places.size(); ++k) {
        lats << qstr(decimalText(cat_.places[k].latDeg));
        lons << qstr(decimalText(cat_.places[k].lonDeg));
    }
    fitFaceTo(form_.latitude, lats);
    fitFaceTo(form_.longitude, lons);

    // Time step.
    label("Label8", QStringLiteral("間隔（分)"));
    form_.stepList = list("lstINTV1", {" 2", " 5", "10", "15", "30", "60", "90", "120"}, QStringLiteral("間隔（分)"));
    label("Label9", QStringLiteral("表示間隔（秒）"));
    form_.intervalList = list("lstINTV2", {" 0", " 1", " 3", " 6", "10", "20", "30", "60"},
                         QStringLiteral("表示間隔（秒）"));
    for (QListWidget* l : {form_.stepList, form_.intervalList}) l->setTextElideMode(Qt::ElideNone);
    form_.stepTimer = new QTimer(this);
    form_.stepTimer->setObjectName(QStringLiteral("Timer1"));
    connect(form_.stepTimer, &QTimer::timeout, this, &MainWindow::onTimerTick);

    // Direction cross around the draw button.
    for (int i = 0; i < 4; ++i) {
        const QString dirCaption = QString::fromUtf8(view::kQuarterNamesJa[static_cast<std::size_t>(i)].data());
        form_.directionButtons[i] = new QRadioButton(dirCaption, canvas_);
        place(form_.directionButtons[i], controlLayout(QStringLiteral("optDIR_%1").arg(i).toLatin1().constData()));
        form_.directionButtons[i]->setAccessibleName(dirCaption);
    }
    form_.directionButtons[2]->setChecked(true);
    form_.drawButton = button("Command3", QStringLiteral("プラネタリウム"));
    form_.drawButton->setDefault(true);
    connect(form_.drawButton, &QPushButton::clicked, this, &MainWindow::onDrawClicked);

    // Display options.
    form_.figuresCheck = check("chkSTR", QStringLiteral("星座"));
    QStringList constellationNames;
    for (std::size_t c = 1; c < cat_.constellations.size(); ++c) constellationNames << qstr(cat_.constellations[c].name);
    form_.constellationList = list("lstSTR", constellationNames, QStringLiteral("星座の一覧"));
    form_.constellationList->setSelectionMode(QAbstractItemView::MultiSelection);
    form_.optionChecks[3] = check("chkOP_3", QStringLiteral("星の名前"));
    form_.meteorsCheck = check("chkMET", QStringLiteral("流星群"));
    form_.optionChecks[0] = check("chkOP_0", QStringLiteral("赤道"));
    form_.optionChecks[1] = check("chkOP_1", QStringLiteral("黄道"));
    form_.optionChecks[2] = check("chkOP_2", QStringLiteral("高度・方位線"));
    form_.tableButton = button("Command2", QStringLiteral("数値"));
    form_.exitButton = button("Command1", QStringLiteral("終了"));
    connect(form_.tableButton, &QPushButton::clicked, this, &MainWindow::onTableClicked);
    connect(form_.exitButton, &QPushButton::clicked, this, &MainWindow::onExitClicked);

    // Numeric-table cells.
    const std::array<const char*, 3> cellNames = {"lblST_%1", "lblH_%1", "lblV_%1"};
    std::array<std::array<QLabel*, 29>*, 3> columns = {&form_.tableNames, &form_.tableFirst, &form_.tableSecond};
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
    connect(form_.placeList, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row < 0) return;
        form_.placeName->setText(form_.placeList->item(row)->text());
        copyPlaceToFields();
        updateStatus();
        emit placeChosen();
    });
}

// The fields: what the user typed, marked where it could not be used.

void MainWindow::markField(QLineEdit* e, const QString& note) {
    const bool warn = !note.isEmpty();
    e->setProperty("fieldWarning", warn);
    e->setPalette(warn ? warningPalette() : QPalette());
    e->setToolTip(note);
}

astro::SkyFieldsReading MainWindow::readAndMarkFields() {
    const astro::SkyFieldsReading r = readFields(fieldTexts());
    const auto edits = form_.fieldEdits();
    const auto notes = fieldNotes(r);
    for (std::size_t f = 0; f < edits.size(); ++f) markField(edits[f], QString::fromStdString(notes[f]));
    return r;
}

void MainWindow::setTimerPeriod() {
    const int seconds = form_.intervalSeconds();
    if (seconds <= 0 || timerPaused_) {
        form_.stepTimer->stop();
        return;
    }
    const int ms = seconds * 1000;
    if (!form_.stepTimer->isActive() || form_.stepTimer->interval() != ms) form_.stepTimer->start(ms);
}

void MainWindow::setFieldText(QLineEdit* edit, const QString& text) {
    edit->setText(text);
    // Show the text from its first character (setText puts the cursor at the end).
    edit->setCursorPosition(0);
}

void MainWindow::setMomentFields(const astro::CivilMinute& m) {
    const std::array<int, 5> v = {m.year, m.month, m.day, m.hour, m.minute};
    for (int i = 0; i < 5; ++i) setFieldText(form_.dateEdits[i], QString::number(v[i]));
}

void MainWindow::copyPlaceToFields() {
    const int i = form_.placeList->currentRow();
    // "入力" keeps what the user typed; with no place chosen there is nothing
    // to copy, so the boxes keep their text too.
    if (i < 0 || i == catalog::kManualPlace - 1 || static_cast<std::size_t>(i) + 1 >= places_.size()) return;
    setFieldText(form_.latitude, QString::fromStdString(decimalText(places_[static_cast<std::size_t>(i) + 1].latDeg)));
    setFieldText(form_.longitude, QString::fromStdString(decimalText(places_[static_cast<std::size_t>(i) + 1].lonDeg)));
}

}  // namespace app
