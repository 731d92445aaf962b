#include "app/png_file.h"

#include <QFile>

namespace app {

QString writePng(const QImage& image, const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return file.errorString();
    QString error;
    if (!image.save(&file, "PNG")) {
        error = file.error() != QFileDevice::NoError ? file.errorString() : QStringLiteral("PNG encoding failed");
    } else if (!file.flush() || file.error() != QFileDevice::NoError) {
        error = file.errorString();
    }
    file.close();
    if (error.isEmpty() && file.error() != QFileDevice::NoError) error = file.errorString();
    if (!error.isEmpty()) file.remove();
    return error;
}

}  // namespace app
