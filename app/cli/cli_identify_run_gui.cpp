// --identify X,Y and --find NAME: the answers of the window's pointing and
// finding, for scripts, with no window and no display.
#include <QGuiApplication>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <random>

#include "app/cli/cli_identify.h"
#include "view/zenith_projector.h"
#include "app/cli/cli_json.h"
#include "app/cli/commands.h"
#include "app/output/png_file_gui.h"
#include "app/output/safe_write_qtcore.h"
#include "app/output/sky_picture_gui.h"
#include "app/session/chart_scene.h"
#include "astro/astro.h"
#include "catalog/name_search.h"
#include "view/finder.h"

namespace app {

namespace {

int printed(const std::string& json) {
    std::fputs(json.c_str(), stdout);
    return 0;
}

}  // namespace

int runIdentify(int argc, char** argv, const CliOptions& opt, const catalog::Catalogue& cat) {
    const SkyRequest req = skyRequest(opt, cat, std::chrono::system_clock::now());
    const PictureRequest pic = pictureRequest(opt, req, meteorSeed(opt));

    // The same picture as --render draws, recorded instead of painted.
    const PictureSky shown = pictureSky(pic, cat);
    const view::DrawRecord record = recordPicture(pic, shown, cat);
    const astro::SkyState& sky = shown.sky;

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
    return printed(identifyJson(view::answerAt(cat, sky, record, opt.direction, opt.identifyXPx, opt.identifyYPx)));
}

int runFind(const CliOptions& opt, const catalog::Catalogue& cat, const LocalZone& zone) {
    const SkyRequest req = skyRequest(opt, cat, std::chrono::system_clock::now());
    const astro::SkyState sky = astro::computeSky(req.input);
    const catalog::NameIndex names(cat);
    view::FoundObject found = view::findObject(cat, names, sky, opt.findName);
    // Asked for the all-sky picture: everything above the horizon is in it.
    if (opt.direction == view::Direction::Zenith && found.aboveHorizon)
        found.picture = view::PictureChoice{view::Direction::Zenith,
                                            view::zenithProjector().place(found.info.altDeg, found.info.azDeg).at};
    if (found.status == view::FoundObject::Status::Unknown) {
        // A part of a name answers nothing by itself; the names it begins
        // are offered instead.
        std::string offer;
        for (const std::string& c : names.candidates(opt.findName)) offer += (offer.empty() ? "" : ", ") + c;
        std::fprintf(stderr, "planetarium: --find: no object is called %s%s\n", quotedArgument(opt.findName).c_str(),
                     offer.empty() ? "" : (" (names that begin so: " + escapedText(offer) + ")").c_str());
        return 2;
    }
    if (found.status == view::FoundObject::Status::NoStarInTable) {
        std::fprintf(stderr, "planetarium: --find: %s has no star in the star table to find it by\n",
                     quotedArgument(found.constellationName).c_str());
        return 2;
    }
    std::optional<RiseText> rise;
    if (!found.aboveHorizon) {
        if (const std::optional<astro::SkyEvent> e = view::nextRiseOf(found, sky)) rise = riseText(*e, zone.offset);
    }
    // Today's rise by the almanac, and whether it is past: one answer tells
    // both the picture's and the almanac's view of the horizon.
    std::optional<RiseText> almanacRise;
    bool risen = false;
    if (const std::optional<astro::SkyEvent> e = view::dayEventsOf(found.info, sky, zone.offset).rise) {
        almanacRise = riseText(*e, zone.offset);
        risen = e->jdUt <= sky.jdUt;
    }
    return printed(findJson(found, opt.scale, rise, almanacRise, risen));
}

}  // namespace app
