// Writing a picture to a PNG file so that a failure is never reported as
// success and never costs the file that was there: QImage::save does not
// check the last buffered write, so the bytes go through writeFileSafely.
#pragma once

#include <QImage>
#include <QString>

namespace app {

// Writes `image` as PNG to `path` (a file, a device, or "-" for standard
// output; see safe_write.h). Returns an empty string on success; otherwise a
// short reason, and whatever was at `path` before is still there.
QString writePng(const QImage& image, const QString& path);

// savePictureFile: the window's 画像を保存: writes `image` (none: there is
// no picture) and returns the sentence to show the user when it could not,
// empty on success.
QString savePictureFile(const QImage& image, const QString& path);

}  // namespace app
