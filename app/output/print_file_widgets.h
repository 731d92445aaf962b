// Printing that never destroys a file. A printer set to "PDF ファイルに出力"
// writes straight into the named file, so a full disk used to leave a
// cut-off PDF (or none) where the old file was. Here the pages go to a
// temporary file first, and replace the named file, through the same safe
// write as every export, only when they are complete.
#pragma once

#include <QString>

#include <functional>

class QPrinter;

namespace app {

// Paints the pages onto the printer; false when painting could not start.
using PagePainter = std::function<bool(QPrinter& printer)>;

// printSafely: prints with `paint` on a printer the user has set up. For a
// real printer the pages go to it; for a file the old file stays whole on
// any failure and nothing else is left behind. Returns an empty string on
// success, otherwise one line saying why (without the path).
QString printSafely(QPrinter& printer, const PagePainter& paint);

}  // namespace app
