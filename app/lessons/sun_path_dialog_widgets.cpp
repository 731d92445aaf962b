#include "app/lessons/sun_path_dialog_widgets.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/lessons/lesson_page_widgets.h"
#include "app/output/sun_path_export_gui.h"
#include "app/session/sun_path_answer.h"
#include "app/window/main_window_widgets.h"
#include "app/window/sky_canvas_widgets.h"

namespace app {

SunPathDialog::SunPathDialog(MainWindow* window) : QDialog(window), window_(window) {
    setObjectName(QStringLiteral("sunPathDialog"));
    setWindowTitle(QStringLiteral("透明半球"));
    day_ = new QRadioButton(QStringLiteral("その日の道すじ"), this);
    day_->setObjectName(QStringLiteral("sunPathDay"));
    seasons_ = new QRadioButton(QStringLiteral("夏至・春分・秋分・冬至"), this);
    seasons_->setObjectName(QStringLiteral("sunPathSeasons"));
    worksheet_ = new QRadioButton(QStringLiteral("記録用紙（児童・生徒用）"), this);
    worksheet_->setObjectName(QStringLiteral("sunPathWorksheet"));
    day_->setChecked(true);
    auto* group = new QButtonGroup(this);
    for (QRadioButton* b : {day_, seasons_, worksheet_}) group->addButton(b);
    connect(group, &QButtonGroup::buttonClicked, this, [this] { refresh(); });
    auto* kinds = new QHBoxLayout;
    for (QRadioButton* b : {day_, seasons_, worksheet_}) kinds->addWidget(b);
    kinds->addStretch(1);

    picture_ = new QLabel(this);
    picture_->setObjectName(QStringLiteral("sunPathPicture"));
    picture_->setAlignment(Qt::AlignCenter);
    picture_->setMinimumSize(560, 400);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* saveButton = buttons->addButton(QStringLiteral("保存…"), QDialogButtonBox::ActionRole);
    saveButton->setObjectName(QStringLiteral("sunPathSave"));
    QPushButton* printButton = buttons->addButton(QStringLiteral("印刷…"), QDialogButtonBox::ActionRole);
    printButton->setObjectName(QStringLiteral("sunPathPrint"));
    QPushButton* close = buttons->addButton(QStringLiteral("閉じる"), QDialogButtonBox::RejectRole);
    connect(saveButton, &QPushButton::clicked, this, &SunPathDialog::save);
    connect(printButton, &QPushButton::clicked, this, &SunPathDialog::print);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(kinds);
    layout->addWidget(picture_, 1);
    layout->addWidget(buttons);
    resize(900, 700);

    askPrinter = [this](QPrinter& printer) {
        QPrintDialog dialog(&printer, this);
        dialog.setWindowTitle(QStringLiteral("透明半球を印刷"));
        return dialog.exec() == QDialog::Accepted;
    };
    // It follows what the window draws and the place chosen.
    const auto follow = [this] {
        if (isVisible()) refresh();
    };
    connect(window->canvas(), &SkyCanvas::skyDrawn, this, follow);
    connect(window, &MainWindow::placeChosen, this, follow);
}

SunPathDialog::Kind SunPathDialog::kind() const {
    return seasons_->isChecked() ? Kind::Seasons : worksheet_->isChecked() ? Kind::Worksheet : Kind::Day;
}

void SunPathDialog::setKind(Kind k) {
    (k == Kind::Seasons ? seasons_ : k == Kind::Worksheet ? worksheet_ : day_)->setChecked(true);
    refresh();
}

void SunPathDialog::refresh() {
    const WindowRequest w = window_->currentRequest();
    SkyRequest req = w.request;
    req.placeName = w.titlePlaceName();
    scene_ = answerSunPath(req, kind() == Kind::Seasons, kind() == Kind::Worksheet, w.zone).scene;
    showPage();
}

void SunPathDialog::showPage() {
    const QSize box = picture_->size().expandedTo(QSize(560, 400));
    const double scale = std::min(box.width() / 1123.0, box.height() / 794.0);
    picture_->setPixmap(QPixmap::fromImage(sunPathImage(scene_, std::max(0.3, scale))));
}

LessonPage SunPathDialog::page() const {
    return {QStringLiteral("透明半球"), [this](view::Painter& p) { view::drawSunPath(scene_, p); }, false,
            QStringLiteral("透明半球 ") + QString::fromStdString(scene_.placeName)};
}

bool SunPathDialog::save() { return saveLessonPage(window_, page()); }

bool SunPathDialog::print() { return printLessonPage(window_, page(), askPrinter); }

}  // namespace app
