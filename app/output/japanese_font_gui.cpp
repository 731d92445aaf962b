#include "app/output/japanese_font_gui.h"

#include <QFontDatabase>
#include <QStringList>

namespace app {

QString japaneseFontFamily() {
    static const QString family = [] {
        const QStringList families = QFontDatabase::families();
        if (families.contains(QStringLiteral("IPAPGothic"))) return QStringLiteral("IPAPGothic");
        for (const QString& f : families)
            if (QFontDatabase::writingSystems(f).contains(QFontDatabase::Japanese)) return f;
        return QString();
    }();
    return family;
}

QFont japaneseFont(double points, bool bold) {
    const QString family = japaneseFontFamily();
    QFont f = family.isEmpty() ? QFont() : QFont(family);
    f.setPointSizeF(points);
    f.setWeight(bold ? QFont::Bold : QFont::Normal);
    return f;
}

QFont japanesePixelFont(int pixels) {
    const QString family = japaneseFontFamily();
    QFont f = family.isEmpty() ? QFont() : QFont(family);
    f.setPixelSize(pixels > 0 ? pixels : 1);
    f.setStyleStrategy(QFont::PreferAntialias);
    return f;
}

}  // namespace app
