// The one place that chooses the Japanese typeface of the window, its
// labels and the picture's star names.
#pragma once

#include <QFont>
#include <QString>

namespace app {

// IPA P Gothic when installed (proportional, every glyph the captions use),
// otherwise the first installed family that writes Japanese, otherwise empty
// (Qt's default). Needs a QGuiApplication.
QString japaneseFontFamily();

// That family at a size in points.
QFont japaneseFont(double points, bool bold = false);

// That family at a size in pixels (the picture's labels).
QFont japanesePixelFont(int pixels);

}  // namespace app
