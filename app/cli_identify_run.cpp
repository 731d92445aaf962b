// --identify X,Y and --find NAME: the answers of the window's pointing and
// finding, for scripts, with no window and no display.
#include <QGuiApplication>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <random>

#include "app/cli_identify.h"
#include "app/cli_json.h"
#include "app/commands.h"
#include "app/png_file.h"
#include "app/safe_write.h"
#include "app/sky_picture.h"
#include "astro/astro.h"
#include "catalog/name_search.h"
#include "view/finder.h"

namespace app {

namespace {

// A painter that draws nothing: the record of a picture needs no pixels.
class NullPainter final : public view::Painter {
public:
    void clear() override {}
    void line(float, float, float, float, view::Rgb) override {}
    void disc(float, float, float, view::Rgb) override {}
    void point(float, float, view::Rgb) override {}
    void setTextPosition(float, float) override {}
    void text(std::string_view) override {}
    void setFillColour(view::Rgb) override {}
    void setFillStyleSolid() override {}
};

std::uint64_t seedOf(const CliOptions& opt) {
    return opt.seed ? *opt.seed
                    : static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
                          static_cast<std::uint64_t>(std::random_device{}());
}

int printed(const std::string& json) {
    std::fputs(json.c_str(), stdout);
    return 0;
}

}  // namespace

int runIdentify(int argc, char** argv, const CliOptions& opt, const catalog::Catalogue& cat) {
    const SkyRequest req = skyRequest(opt, cat, std::chrono::system_clock::now());
    PictureRequest pic;
    pic.input = req.input;
    pic.direction = opt.direction;
    pic.view = opt.view;
    pic.scale = opt.scale;
    pic.seed = seedOf(opt);

    // The same picture as --render draws, recorded instead of painted.
    const astro::SkyState sky = astro::computeSky(req.input);
    view::ViewOptions viewOpt = opt.view;
    viewOpt.year = req.input.year;
    viewOpt.month = req.input.month;
    viewOpt.day = req.input.day;
    viewOpt.stepMinutes = pic.stepMinutes;
    view::DrawRecord record;
    record.pixelsPerTwip = opt.scale / 15.0;
    view::MeteorRng rng(pic.seed);
    NullPainter none;
    view::drawView(opt.direction, sky, cat, viewOpt, rng, none, &record);

    if (!opt.renderPath.empty()) {
        const std::optional<QString> path = fileNameFromArgument(opt.renderPath);
        if (!path) {
            std::fprintf(stderr, "planetarium: --render: %s cannot be used as a file name unchanged\n",
                         quotedArgument(opt.renderPath).c_str());
            return 2;
        }
        useOffscreenPlatform();
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
    const view::FoundObject found = view::findObject(cat, names, sky, opt.findName);
    if (found.status == view::FoundObject::Status::Unknown) {
        std::fprintf(stderr, "planetarium: --find: no object is called %s\n", quotedArgument(opt.findName).c_str());
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
    return printed(findJson(found, opt.scale, rise));
}

}  // namespace app
