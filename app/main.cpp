// Entry point: reads the command line, loads the catalogues once and hands
// over to the window, the JSON printer or the PNG renderer.
#include <cstdio>
#include <string>
#include <vector>

#include "app/cli/cli_args.h"
#include "app/cli/cli_queries.h"
#include "app/cli/commands.h"
#include "app/desktop/desktop_widgets.h"
#include "app/output/safe_write_qtcore.h"
#include "app/zones/time_zones_qtcore.h"
#include "catalog/catalog.h"

namespace {

// Whatever the mode, text that could not reach standard output (a full disk,
// a file-size limit) is an error: one line and status 1, unless the mode
// already said so.
int checkedStdout(int status) {
    const bool failed = std::fflush(stdout) != 0 || std::ferror(stdout) != 0;
    if (failed && status == 0) {
        std::fputs("planetarium: could not write to standard output\n", stderr);
        return 1;
    }
    return status;
}

int run(int argc, char** argv) {
    const catalog::Catalogue cat = catalog::loadCatalogue();
    const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    app::CliParse parsed = app::parseCommandLine(args, cat);
    if (!parsed.ok()) {
        std::fprintf(stderr, "planetarium: %s\n", parsed.error.c_str());
        return 2;
    }
    // One rule for every mode: with no place given, the place the window
    // remembered (東京 when it remembered none). The window reads the same
    // file as it starts.
    if (parsed.options.mode != app::Mode::Window) parsed.options = app::withRememberedPlace(parsed.options);
    // No mode but the window needs a display, whatever QT_QPA_PLATFORM says.
    if (parsed.options.mode != app::Mode::Window) app::useOffscreenPlatform();
    switch (parsed.options.mode) {
    case app::Mode::Help:
        std::fputs(app::usageText().c_str(), stdout);
        return 0;
    case app::Mode::Json:
    case app::Mode::Almanac:
    case app::Mode::Find:
    case app::Mode::Tonight:
    case app::Mode::Eclipses:
    case app::Mode::Eclipse:
    case app::Mode::Planisphere: {
        std::string error;
        const auto zone = app::requestZone(parsed.options, cat, error);
        if (!zone) {
            std::fprintf(stderr, "planetarium: %s\n", error.c_str());
            return 2;
        }
        if (parsed.options.mode == app::Mode::Find) return app::runFind(parsed.options, cat, *zone);
        if (parsed.options.mode == app::Mode::Tonight) return app::runTonight(parsed.options, cat, *zone);
        if (parsed.options.mode == app::Mode::Eclipses) return app::runEclipses(parsed.options, cat, *zone);
        if (parsed.options.mode == app::Mode::Eclipse) return app::runEclipse(parsed.options, cat, *zone);
        if (parsed.options.mode == app::Mode::Planisphere)
            return app::runPlanisphere(argc, argv, parsed.options, cat, *zone);
        return parsed.options.mode == app::Mode::Json ? app::runJson(parsed.options, cat, *zone)
                                                      : app::runAlmanac(parsed.options, cat, *zone);
    }
    case app::Mode::Render:
        return app::runRender(argc, argv, parsed.options, cat);
    case app::Mode::Identify:
        return app::runIdentify(argc, argv, parsed.options, cat);
    case app::Mode::Window:
        break;
    }
    return app::runWindow(argc, argv, app::skyQuery(parsed.options), cat);
}

}  // namespace

int main(int argc, char** argv) {
    app::ignoreFileSizeSignal();
    return checkedStdout(run(argc, argv));
}
