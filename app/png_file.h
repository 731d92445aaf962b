// Writing a picture to a PNG file so that a failure is never reported as
// success: QImage::save does not check the last buffered write, so a full
// disk would leave a truncated file behind and still answer true.
#pragma once

#include <QImage>
#include <QString>

namespace app {

// Writes `image` as PNG to `path`. Returns an empty string on success;
// otherwise a short reason, and no partial file is left at `path`.
QString writePng(const QImage& image, const QString& path);

}  // namespace app
