// The window mode: a QApplication with Form1 and its capabilities.
#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QLocale>
#include <QStyleFactory>
#include <QTranslator>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/desktop/desktop_widgets.h"
#include "app/output/japanese_font_gui.h"
#include "app/window/qt_translations_qtcore.h"

namespace app {

namespace {

bool hasEnv(const char* name) {
    const char* v = std::getenv(name);
    return v != nullptr && *v != '\0';
}

constexpr const char* kNoDisplay =
    "planetarium: no display to open the window on; use --render FILE.png to draw the sky into a picture "
    "without one\n";

QtMessageHandler previousHandler = nullptr;

// Installed while the application connects to the display. When no platform
// can be opened (xcb with no DISPLAY, wayland with no compositor, a typo in
// QT_QPA_PLATFORM) Qt ends with a fatal message and an abort with a core
// dump; instead the user gets one line and status 1. Qt's notes on the
// platform plugins that failed are held back; other messages pass on.
void startupMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtFatalMsg) {
        std::fputs(kNoDisplay, stderr);
        std::_Exit(1);
    }
    if (context.category != nullptr && std::strncmp(context.category, "qt.qpa", 6) == 0) return;
    if (previousHandler != nullptr) {
        previousHandler(type, context, message);
    } else {
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
    }
}

}  // namespace

int runWindow(int argc, char** argv, const SkyQuery& start, const catalog::Catalogue& cat) {
    // Without a display Qt would abort while choosing a platform; say what
    // to do instead.
    if (!hasEnv("DISPLAY") && !hasEnv("WAYLAND_DISPLAY") && !hasEnv("QT_QPA_PLATFORM")) {
        std::fputs(kNoDisplay, stderr);
        return 1;
    }
    previousHandler = qInstallMessageHandler(startupMessages);
    QApplication application(argc, argv);
    qInstallMessageHandler(previousHandler);
    QApplication::setApplicationName(QStringLiteral("planetarium"));
    // Qt's own dialogs and buttons in Japanese, as the rest of the window.
    QTranslator qtJapanese;
    installQtTranslations(qtJapanese);
    // Fusion honours the palette, so the colour schemes look the same on
    // every desktop.
    if (QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion"))) QApplication::setStyle(fusion);
    if (!japaneseFontFamily().isEmpty()) QApplication::setFont(japaneseFont(9.0));
    Desktop desktop(cat);
    desktop.window().applyStartOptions(start);
    desktop.window().show();
    return application.exec();
}

}  // namespace app
