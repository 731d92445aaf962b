#include "app/lessons/sun_path_dialog_widgets.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPageLayout>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QVBoxLayout>

#include "app/output/print_file_widgets.h"
#include "app/output/qt_painter_gui.h"
#include "app/output/safe_write_qtcore.h"
#include "app/output/sun_path_export_gui.h"
#include "app/session/sun_path_answer.h"
#include "app/window/main_window_widgets.h"
#include "app/window/sky_canvas_widgets.h"
#include "view/chart_style.h"

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

bool SunPathDialog::save() {
    const QString path = window_->hooks().askSavePath(QStringLiteral("透明半球.png"));
    if (path.isEmpty()) return false;
    const std::optional<ChartFormat> format = chartFormatForPath(path.toStdString());
    if (!format) {
        window_->warn(QStringLiteral("PNG、PDF、SVG のどれかの名前をつけてください。"));
        return false;
    }
    const QByteArray bytes = sunPathBytes(*format, scene_, 2.0);
    const QString error = bytes.isEmpty() ? QStringLiteral("描けませんでした") : writeFileSafely(path, bytes);
    if (!error.isEmpty()) {
        window_->warn(failedWriteText(QStringLiteral("透明半球を"), QStringLiteral("保存"), path, error));
        return false;
    }
    window_->statusBar()->showMessage(QStringLiteral("透明半球を %1 に保存しました。").arg(path), 8000);
    return true;
}

bool SunPathDialog::print() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(0, 0, 0, 0)));
    if (!askPrinter(printer)) return false;
    const QString file = printer.outputFileName();
    const QString error = printSafely(printer, [this](QPrinter& p) {
        const QRectF page = p.pageLayout().paintRectPixels(p.resolution());
        QtPainter painter(p, QRectF(0.0, 0.0, page.width(), page.height()),
                          view::ChartFrame{view::kSunPathPageWidthTwips, view::kSunPathPageHeightTwips},
                          qColour(view::kPaperBackground), qColour(view::kPaperText));
        if (!painter.isActive()) return false;
        view::drawSunPath(scene_, painter);
        return true;
    });
    if (error.isEmpty()) return true;
    window_->warn(file.isEmpty() ? QStringLiteral("印刷を始められませんでした。プリンターの設定を確かめてください。")
                                 : failedWriteText(QStringLiteral("透明半球を"), QStringLiteral("書き出し"), file, error));
    return false;
}

}  // namespace app
