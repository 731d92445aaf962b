#include "app/output/png_file_gui.h"

#include <QBuffer>
#include <QByteArray>

#include "app/output/safe_write_qtcore.h"

namespace app {

QString writePng(const QImage& image, const QString& path) {
    // Encoded in memory first: Qt's PNG writer leaks its row buffer when a
    // write fails half-way through the encoding, and a stream target (a
    // FIFO, standard output) gets either the whole picture or nothing.
    QByteArray png;
    QBuffer buffer(&png);
    if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG"))
        return QStringLiteral("the picture could not be encoded as PNG");
    buffer.close();
    return writeFileSafely(path, png);
}

QString savePictureFile(const QImage& image, const QString& path) {
    const QString error = image.isNull() ? QStringLiteral("画像がありません") : writePng(image, path);
    return error.isEmpty() ? QString() : failedWriteText(QStringLiteral("画像を"), QStringLiteral("保存"), path, error);
}

}  // namespace app
