#include "app/output/print_file_widgets.h"

#include <QDir>
#include <QFile>
#include <QPrinter>
#include <QTemporaryFile>

#include "app/output/safe_write_qtcore.h"

namespace app {

namespace {

// Qt's PDF writer ends a finished file with its end-of-file marker; a file
// cut off by a full disk does not.
bool completePdf(const QByteArray& bytes) { return bytes.startsWith("%PDF-") && bytes.trimmed().endsWith("%%EOF"); }

}  // namespace

QString printSafely(QPrinter& printer, const PagePainter& paint) {
    const QString target = printer.outputFileName();
    if (target.isEmpty()) return paint(printer) ? QString() : QStringLiteral("the printer could not start");

    QTemporaryFile pages(QDir::tempPath() + QStringLiteral("/planetarium-print-XXXXXX.pdf"));
    if (!pages.open()) return QStringLiteral("no temporary file for the pages: ") + pages.errorString();
    pages.close();
    printer.setOutputFileName(pages.fileName());
    const bool painted = paint(printer);
    printer.setOutputFileName(target);
    if (!painted) return QStringLiteral("the pages could not be made");
    QFile made(pages.fileName());
    const QByteArray bytes = made.open(QIODevice::ReadOnly) ? made.readAll() : QByteArray();
    if (!completePdf(bytes)) return QStringLiteral("the pages could not be written in full to the temporary folder");
    return writeFileSafely(target, bytes);
}

}  // namespace app
