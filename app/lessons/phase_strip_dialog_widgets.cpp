#include "app/lessons/phase_strip_dialog_widgets.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

#include "app/lessons/lesson_page_widgets.h"
#include "app/output/sun_path_export_gui.h"
#include "app/session/phase_strip_answer.h"
#include "app/window/main_window_widgets.h"
#include "app/window/sky_canvas_widgets.h"
#include "view/sun_path.h"

namespace app {

namespace {

constexpr astro::Body kBodies[] = {astro::Venus, astro::Mercury, astro::Moon};

}  // namespace

PhaseStripDialog::PhaseStripDialog(MainWindow* window) : QDialog(window), window_(window) {
    setObjectName(QStringLiteral("phaseStripDialog"));
    setWindowTitle(QStringLiteral("満ち欠け"));
    body_ = new QComboBox(this);
    body_->setObjectName(QStringLiteral("phaseBody"));
    body_->addItems({QStringLiteral("金星"), QStringLiteral("水星"), QStringLiteral("月")});
    every_ = new QSpinBox(this);
    every_->setObjectName(QStringLiteral("phaseEvery"));
    every_->setRange(1, 60);
    every_->setValue(14);
    every_->setSuffix(QStringLiteral(" 日ごと"));
    count_ = new QSpinBox(this);
    count_->setObjectName(QStringLiteral("phaseCount"));
    count_->setRange(1, 40);
    count_->setValue(12);
    count_->setSuffix(QStringLiteral(" 個"));
    auto* choices = new QHBoxLayout;
    choices->addWidget(body_);
    choices->addWidget(every_);
    choices->addWidget(count_);
    choices->addStretch(1);
    connect(body_, &QComboBox::currentIndexChanged, this, [this] { refresh(); });
    connect(every_, &QSpinBox::valueChanged, this, [this] { refresh(); });
    connect(count_, &QSpinBox::valueChanged, this, [this] { refresh(); });

    picture_ = new QLabel(this);
    picture_->setObjectName(QStringLiteral("phasePicture"));
    picture_->setAlignment(Qt::AlignCenter);
    picture_->setMinimumSize(560, 400);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* saveButton = buttons->addButton(QStringLiteral("保存…"), QDialogButtonBox::ActionRole);
    saveButton->setObjectName(QStringLiteral("phaseSave"));
    QPushButton* printButton = buttons->addButton(QStringLiteral("印刷…"), QDialogButtonBox::ActionRole);
    printButton->setObjectName(QStringLiteral("phasePrint"));
    QPushButton* close = buttons->addButton(QStringLiteral("閉じる"), QDialogButtonBox::RejectRole);
    connect(saveButton, &QPushButton::clicked, this, &PhaseStripDialog::save);
    connect(printButton, &QPushButton::clicked, this, &PhaseStripDialog::print);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(choices);
    layout->addWidget(picture_, 1);
    layout->addWidget(buttons);
    resize(900, 700);
    askPrinter = [this](QPrinter& printer) {
        QPrintDialog dialog(&printer, this);
        dialog.setWindowTitle(QStringLiteral("満ち欠けを印刷"));
        return dialog.exec() == QDialog::Accepted;
    };
    const auto follow = [this] {
        if (isVisible()) refresh();
    };
    connect(window->canvas(), &SkyCanvas::skyDrawn, this, follow);
    connect(window, &MainWindow::placeChosen, this, follow);
}

void PhaseStripDialog::setBody(int index) { body_->setCurrentIndex(std::clamp(index, 0, 2)); }

void PhaseStripDialog::refresh() {
    const WindowRequest w = window_->currentRequest();
    SkyRequest req = w.request;
    req.placeName = w.titlePlaceName();
    strip_ = answerPhaseStrip(req, kBodies[std::clamp(body_->currentIndex(), 0, 2)], every_->value(), count_->value(), w.zone);
    const QSize box = picture_->size().expandedTo(QSize(560, 400));
    const double scale = std::max(0.3, std::min(box.width() / 1123.0, box.height() / 794.0));
    picture_->setPixmap(QPixmap::fromImage(lessonPageImage(page().draw, scale)));
}

LessonPage PhaseStripDialog::page() const {
    return {body_->currentText() + QStringLiteral("の満ち欠け"), [this](view::Painter& p) { view::drawPhaseStrip(strip_, p); }, false, {}};
}

bool PhaseStripDialog::save() { return saveLessonPage(window_, page()); }

bool PhaseStripDialog::print() { return printLessonPage(window_, page(), askPrinter); }

}  // namespace app
