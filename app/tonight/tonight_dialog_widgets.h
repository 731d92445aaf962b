// ツール → 今夜の見どころ…: the night after the entered date at the chosen
// place in sentences ready for a class newsletter, to copy or print. It
// follows the window's date and place each time it is opened or 更新 is
// pressed.
#pragma once

#include <QDialog>

class QPlainTextEdit;

namespace app {

class MainWindow;

class TonightDialog : public QDialog {
    Q_OBJECT

public:
    explicit TonightDialog(MainWindow* window);

    // Recomputes the text for the window's date and place now.
    void refresh();
    QString text() const;

private:
    void copyText();
    void printText();

    MainWindow* window_;
    QPlainTextEdit* text_ = nullptr;
};

}  // namespace app
