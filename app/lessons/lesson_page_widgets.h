// Saving and printing a lesson's A4 page from the window: the file chosen
// (PNG, PDF or SVG), written safely, and the printer's page edge to edge;
// what went wrong said in the window's words.
#pragma once

#include <QString>

#include <functional>

#include "app/output/sun_path_export_gui.h"

class QPrinter;

namespace app {

class MainWindow;

struct LessonPage {
    QString title;         // "月の観察カード": the file's name, the PDF's title and the messages
    PageDrawing draw;      // paints the page in twips
    bool portrait = false; // A4 portrait (else landscape)
    QString documentTitle; // the PDF's and SVG's title when it says more (empty: title)
};

// Asks for a file name and writes the page (PNG at twice the page's 96 dpi).
bool saveLessonPage(MainWindow* window, const LessonPage& page);
// Prints the page on A4 through `askPrinter` (the print dialog in use).
bool printLessonPage(MainWindow* window, const LessonPage& page, const std::function<bool(QPrinter&)>& askPrinter);

}  // namespace app
