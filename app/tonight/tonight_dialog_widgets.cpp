#include "app/tonight/tonight_dialog_widgets.h"

#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTextDocument>
#include <QVBoxLayout>

#include "app/output/japanese_font_gui.h"
#include "app/output/print_file_widgets.h"
#include "app/output/safe_write_qtcore.h"
#include "app/session/answers.h"
#include "app/window/main_window_widgets.h"

namespace app {

TonightDialog::TonightDialog(MainWindow* window) : QDialog(window), window_(window) {
    setObjectName(QStringLiteral("tonightDialog"));
    setWindowTitle(QStringLiteral("今夜の見どころ"));
    text_ = new QPlainTextEdit(this);
    text_->setObjectName(QStringLiteral("tonightText"));
    text_->setReadOnly(true);
    text_->setFont(japaneseFont(12.0));
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* copy = buttons->addButton(QStringLiteral("コピー"), QDialogButtonBox::ActionRole);
    copy->setObjectName(QStringLiteral("tonightCopy"));
    QPushButton* print = buttons->addButton(QStringLiteral("印刷…"), QDialogButtonBox::ActionRole);
    print->setObjectName(QStringLiteral("tonightPrint"));
    QPushButton* update = buttons->addButton(QStringLiteral("更新"), QDialogButtonBox::ActionRole);
    update->setObjectName(QStringLiteral("tonightRefresh"));
    QPushButton* close = buttons->addButton(QStringLiteral("閉じる"), QDialogButtonBox::RejectRole);
    connect(copy, &QPushButton::clicked, this, &TonightDialog::copyText);
    connect(print, &QPushButton::clicked, this, &TonightDialog::printText);
    connect(update, &QPushButton::clicked, this, &TonightDialog::refresh);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_);
    layout->addWidget(buttons);
    resize(720, 560);
    askPrinter = [this](QPrinter& printer) {
        QPrintDialog dialog(&printer, this);
        dialog.setWindowTitle(QStringLiteral("今夜の見どころを印刷"));
        return dialog.exec() == QDialog::Accepted;
    };
    warn = [this](const QString& text) { QMessageBox::warning(this, windowTitle(), text); };
}

void TonightDialog::refresh() {
    const WindowRequest w = window_->currentRequest();
    SkyRequest req = w.request;
    req.placeName = w.titlePlaceName();
    text_->setPlainText(QString::fromStdString(tonightAnswerText(answerTonight(req, window_->catalogue(), w.zone), w.zone, false)));
}

QString TonightDialog::text() const { return text_->toPlainText(); }

void TonightDialog::copyText() { QApplication::clipboard()->setText(text()); }

bool TonightDialog::printText() {
    QPrinter printer(QPrinter::HighResolution);
    if (!askPrinter(printer)) return false;
    const QString file = printer.outputFileName();
    const QString error = printSafely(printer, [this](QPrinter& p) {
        QTextDocument doc;
        doc.setDefaultFont(japaneseFont(11.0));
        doc.setPlainText(text());
        doc.print(&p);
        return true;
    });
    if (error.isEmpty()) return true;
    warn(file.isEmpty() ? QStringLiteral("印刷を始められませんでした。プリンターの設定を確かめてください。")
                        : failedWriteText(QStringLiteral("今夜の見どころを"), QStringLiteral("書き出し"), file, error));
    return false;
}

}  // namespace app
