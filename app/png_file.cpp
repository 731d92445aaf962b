#include "app/png_file.h"

#include "app/safe_write.h"

namespace app {

QString writePng(const QImage& image, const QString& path) {
    return writeFileSafely(path, [&image](QIODevice& out) { return image.save(&out, "PNG"); });
}

}  // namespace app
