// --identify X,Y: the answer of the window's pointing, for scripts, with
// no window and no display (and the picture it points at, with --render).
#include <QGuiApplication>

#include <chrono>
#include <cstdio>

#include "app/cli/cli_queries.h"
#include "app/session/pointing_json.h"
#include "app/session/request_fields.h"
#include "app/cli/commands.h"
#include "app/output/png_file_gui.h"
#include "app/output/safe_write_qtcore.h"
#include "app/output/sky_picture_gui.h"

namespace app {

namespace {

int printed(const std::string& json) {
    std::fputs(json.c_str(), stdout);
    return 0;
}

}  // namespace

int runIdentify(int argc, char** argv, const CliOptions& opt, const catalog::Catalogue& cat) {
    // One moment and one seed for the picture written and the answer.
    const auto now = std::chrono::system_clock::now();
    const std::uint64_t seed = meteorSeed(opt);
    const IdentifyQuery query = identifyQuery(opt, seed);
    const PictureRequest pic = pictureRequest(query.picture, skyRequest(query.picture.sky, cat, now));

    if (!opt.renderPath.empty()) {
        // The picture is a PNG and the answer goes to standard output: a
        // PDF, SVG or film name, or standard output itself, cannot be served.
        if (opt.renderPath == "-") {
            std::fprintf(stderr, "planetarium: --identify prints its answer on standard output; --render - would "
                                 "mix the picture into it\n");
            return 2;
        }
        if (chartFormatForPath(opt.renderPath) != ChartFormat::Png || opt.frames > 0) {
            std::fprintf(stderr, "planetarium: --identify with --render writes one PNG picture, not %s\n",
                         quotedArgument(opt.renderPath).c_str());
            return 2;
        }
        const std::optional<QString> path = fileNameFromArgument(opt.renderPath);
        if (!path) {
            std::fprintf(stderr, "planetarium: --render: %s cannot be used as a file name unchanged\n",
                         quotedArgument(opt.renderPath).c_str());
            return 2;
        }
        useOffscreenPlatform();
        quietQt();
        int qtArgc = argc > 0 ? 1 : 0;
        QGuiApplication qtApp(qtArgc, argv);
        const QString error = writePng(renderPicture(pic, cat), *path);
        if (!error.isEmpty()) {
            std::fprintf(stderr, "planetarium: cannot write %s: %s\n", quotedArgument(opt.renderPath).c_str(),
                         escapedText(error.simplified().toStdString()).c_str());
            return 1;
        }
    }
    std::string zoneError;
    const IdentifyAnswer answer = answerIdentify(query, cat, requestZone(opt, cat, zoneError).value_or(LocalZone{}), now);
    return printed(identifyJson(answer.point, answer.card));
}

}  // namespace app
