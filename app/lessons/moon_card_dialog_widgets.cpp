#include "app/lessons/moon_card_dialog_widgets.h"

#include <QCheckBox>
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
#include "app/session/moon_card_answer.h"
#include "app/window/main_window_widgets.h"
#include "app/window/sky_canvas_widgets.h"
#include "view/sun_path.h"

namespace app {

MoonCardDialog::MoonCardDialog(MainWindow* window) : QDialog(window), window_(window) {
    setObjectName(QStringLiteral("moonCardDialog"));
    setWindowTitle(QStringLiteral("月の観察カード"));
    direction_ = new QComboBox(this);
    direction_->setObjectName(QStringLiteral("moonCardDirection"));
    for (const char* d : {"北", "北東", "東", "南東", "南", "南西", "西", "北西"}) direction_->addItem(QString::fromUtf8(d));
    direction_->setCurrentIndex(4);
    mode_ = new QComboBox(this);
    mode_->setObjectName(QStringLiteral("moonCardMode"));
    mode_->addItems({QStringLiteral("同じ日の時刻ごと（分）"), QStringLiteral("同じ時刻の日ごと（日）")});
    every_ = new QSpinBox(this);
    every_->setObjectName(QStringLiteral("moonCardEvery"));
    every_->setRange(1, 240);
    every_->setValue(60);
    count_ = new QSpinBox(this);
    count_->setObjectName(QStringLiteral("moonCardCount"));
    count_->setRange(1, 8);
    count_->setValue(3);
    count_->setSuffix(QStringLiteral(" 回"));
    blank_ = new QCheckBox(QStringLiteral("記録用（月を描かない）"), this);
    blank_->setObjectName(QStringLiteral("moonCardBlank"));
    auto* choices = new QHBoxLayout;
    for (QWidget* w : std::initializer_list<QWidget*>{direction_, mode_, every_, count_, blank_}) choices->addWidget(w);
    choices->addStretch(1);
    connect(direction_, &QComboBox::currentIndexChanged, this, [this] { refresh(); });
    connect(mode_, &QComboBox::currentIndexChanged, this, [this] {
        every_->setValue(mode_->currentIndex() == 1 ? 1 : 60);
        refresh();
    });
    connect(every_, &QSpinBox::valueChanged, this, [this] { refresh(); });
    connect(count_, &QSpinBox::valueChanged, this, [this] { refresh(); });
    connect(blank_, &QCheckBox::toggled, this, [this] { refresh(); });

    picture_ = new QLabel(this);
    picture_->setObjectName(QStringLiteral("moonCardPicture"));
    picture_->setAlignment(Qt::AlignCenter);
    picture_->setMinimumSize(420, 560);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* saveButton = buttons->addButton(QStringLiteral("保存…"), QDialogButtonBox::ActionRole);
    saveButton->setObjectName(QStringLiteral("moonCardSave"));
    QPushButton* printButton = buttons->addButton(QStringLiteral("印刷…"), QDialogButtonBox::ActionRole);
    printButton->setObjectName(QStringLiteral("moonCardPrint"));
    QPushButton* close = buttons->addButton(QStringLiteral("閉じる"), QDialogButtonBox::RejectRole);
    connect(saveButton, &QPushButton::clicked, this, &MoonCardDialog::save);
    connect(printButton, &QPushButton::clicked, this, &MoonCardDialog::print);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(choices);
    layout->addWidget(picture_, 1);
    layout->addWidget(buttons);
    resize(760, 900);
    askPrinter = [this](QPrinter& printer) {
        QPrintDialog dialog(&printer, this);
        dialog.setWindowTitle(QStringLiteral("月の観察カードを印刷"));
        return dialog.exec() == QDialog::Accepted;
    };
    const auto follow = [this] {
        if (isVisible()) refresh();
    };
    connect(window->canvas(), &SkyCanvas::skyDrawn, this, follow);
    connect(window, &MainWindow::placeChosen, this, follow);
}

void MoonCardDialog::setChoice(int direction, bool days, int every, int count, bool blank) {
    const QSignalBlocker a(direction_), b(mode_), c(every_), d(count_), e(blank_);
    direction_->setCurrentIndex(std::clamp(direction, 0, 7));
    mode_->setCurrentIndex(days ? 1 : 0);
    every_->setValue(every);
    count_->setValue(count);
    blank_->setChecked(blank);
    refresh();
}

void MoonCardDialog::refresh() {
    const WindowRequest w = window_->currentRequest();
    const int everyMinutes = every_->value() * (mode_->currentIndex() == 1 ? 1440 : 1);
    card_ = answerMoonCard(w.request, direction_->currentIndex() * 45.0, everyMinutes, count_->value(), blank_->isChecked(), w.zone);
    card_.placeName = w.titlePlaceName();
    const QSize box = picture_->size().expandedTo(QSize(420, 560));
    const double scale = std::max(0.3, std::min(box.width() / 794.0, box.height() / 1123.0));
    picture_->setPixmap(QPixmap::fromImage(lessonPageImage(page().draw, scale, true)));
}

LessonPage MoonCardDialog::page() const {
    return {QStringLiteral("月の観察カード"), [this](view::Painter& p) { view::drawMoonCard(card_, p); }, true, {}};
}

bool MoonCardDialog::save() { return saveLessonPage(window_, page()); }

bool MoonCardDialog::print() { return printLessonPage(window_, page(), askPrinter); }

}  // namespace app
