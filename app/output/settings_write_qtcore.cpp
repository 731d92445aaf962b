// Writing the settings file. Kept apart from settings.cpp, which has no Qt,
// because the write goes through writeFileSafely (QSaveFile).
#include <QFile>

#include "app/output/safe_write_qtcore.h"
#include "app/session/settings.h"

namespace app {

std::string writeSettings(const std::string& path, int placeIndex, double latDeg, double lonDeg) {
    const std::string line = formatSettings(placeIndex, latDeg, lonDeg);
    const QString error = writeFileSafely(QFile::decodeName(QByteArray::fromStdString(path)),
                                          QByteArray::fromStdString(line), WriteTarget::FileOnly);
    return error.toStdString();
}

}  // namespace app
