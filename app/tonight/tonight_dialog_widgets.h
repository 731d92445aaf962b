// ツール → 今夜の見どころ…: the night after the entered date at the chosen
// place in sentences ready for a class newsletter, to copy or print. It
// follows the window's date and place each time it is opened or 更新 is
// pressed.
#pragma once

#include <QDialog>

#include <functional>

class QPlainTextEdit;
class QPrinter;

namespace app {

class MainWindow;

class TonightDialog : public QDialog {
    Q_OBJECT

public:
    explicit TonightDialog(MainWindow* window);

    // Recomputes the text for the window's date and place now.
    void refresh();
    QString text() const;

    // 印刷…: the text on the printer the user sets up (askPrinter, Qt's
    // print dialog unless a test replaces it); a PDF file is replaced only
    // when complete, and a failure is said (warn). False when nothing was
    // printed.
    bool printText();
    std::function<bool(QPrinter&)> askPrinter;
    std::function<void(const QString&)> warn;

private:
    void copyText();

    MainWindow* window_;
    QPlainTextEdit* text_ = nullptr;
};

}  // namespace app
