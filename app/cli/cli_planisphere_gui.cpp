// --planisphere FILE.pdf: the planisphere of the place as two A4 pages.
#include <QGuiApplication>

#include <chrono>
#include <cstdio>

#include "app/cli/cli_queries.h"
#include "app/cli/commands.h"
#include "app/output/safe_write_qtcore.h"
#include "app/output/planisphere_pdf_gui.h"
#include "app/session/planisphere_request.h"
#include "app/session/zone.h"

namespace app {

int runPlanisphere(int argc, char** argv, const CliOptions& opt, const catalog::Catalogue& cat,
                   const LocalZone& zone) {
    const std::string& name = opt.planispherePath;
    if (name.size() < 4 || (name.compare(name.size() - 4, 4, ".pdf") != 0 && name.compare(name.size() - 4, 4, ".PDF") != 0)) {
        std::fprintf(stderr, "planetarium: --planisphere writes a PDF: give FILE.pdf, not %s\n",
                     quotedArgument(name).c_str());
        return 2;
    }
    const std::optional<QString> path = fileNameFromArgument(name);
    if (!path) {
        std::fprintf(stderr, "planetarium: --planisphere: %s cannot be used as a file name unchanged\n",
                     quotedArgument(name).c_str());
        return 2;
    }
    const SkyRequest req = skyRequest(opt, cat, std::chrono::system_clock::now());
    std::string why;
    const std::optional<view::Planisphere> p =
        planisphereOf(req.input.latDeg, req.input.lonDeg, zone, req.input.year, why);
    if (!p) {
        std::fprintf(stderr, "planetarium: %s\n", why.c_str());
        return 2;
    }
    useOffscreenPlatform();
    quietQt();
    int qtArgc = argc > 0 ? 1 : 0;
    QGuiApplication qtApp(qtArgc, argv);
    const QByteArray bytes = planispherePdf(*p, cat, req.placeName);
    if (bytes.isEmpty()) {
        std::fprintf(stderr, "planetarium: the planisphere could not be drawn\n");
        return 1;
    }
    const QString error = writeFileSafely(*path, bytes);
    if (!error.isEmpty()) {
        std::fprintf(stderr, "planetarium: cannot write %s: %s\n", quotedArgument(name).c_str(),
                     escapedText(error.simplified().toStdString()).c_str());
        return 1;
    }
    return 0;
}

}  // namespace app
