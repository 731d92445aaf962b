// The window mode: a QApplication with Form1.
#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QStyleFactory>

#include <cstdio>
#include <cstdlib>

#include "app/commands.h"
#include "app/main_window.h"

namespace app {

namespace {

bool hasEnv(const char* name) {
    const char* v = std::getenv(name);
    return v != nullptr && *v != '\0';
}

}  // namespace

int runWindow(int argc, char** argv, const CliOptions&, const catalog::Catalogue& cat) {
    // Without a display Qt would abort while choosing a platform; say what
    // to do instead.
    if (!hasEnv("DISPLAY") && !hasEnv("WAYLAND_DISPLAY") && !hasEnv("QT_QPA_PLATFORM")) {
        std::fputs("planetarium: no display to open the window on; use --render FILE.png to draw the sky "
                   "into a picture\n",
                   stderr);
        return 1;
    }
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("planetarium"));
    // Fusion honours the palette, so the colour schemes look the same on
    // every desktop.
    if (QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion"))) QApplication::setStyle(fusion);
    if (QFontDatabase::families().contains(QStringLiteral("IPAPGothic"))) {
        QFont f(QStringLiteral("IPAPGothic"));
        f.setPointSizeF(9.0);
        QApplication::setFont(f);
    }
    MainWindow window(cat);
    window.show();
    return application.exec();
}

}  // namespace app
