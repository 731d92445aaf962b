// The modes that print the session's answers as text: --json, --almanac,
// --find and --tonight. No Qt: the zone comes from main().
#include <cstdio>

#include "app/cli/cli_queries.h"
#include "app/cli/commands.h"
#include "app/session/almanac_text.h"
#include "app/session/eclipse_text.h"
#include "app/session/orbit_answer.h"

namespace app {

namespace {

// The answer on standard output; status 1 and one line when it cannot get there.
int printed(const std::string& text, const char* what) {
    if (std::fputs(text.c_str(), stdout) < 0 || std::fflush(stdout) != 0) {
        std::fprintf(stderr, "planetarium: could not write %s to standard output\n", what);
        return 1;
    }
    return 0;
}

}  // namespace

int runJson(const CliOptions& opt, const catalog::Catalogue& cat, const LocalZone& zone) {
    return printed(skyAnswerJson(answerSky(skyQuery(opt), cat, zone, Clock::now()), zone), "the JSON");
}

int runAlmanac(const CliOptions& opt, const catalog::Catalogue& cat, const LocalZone& zone) {
    return printed(almanacCsv(answerAlmanacMonth(almanacQuery(opt), cat, zone, Clock::now()), zone), "the table");
}

int runFind(const CliOptions& opt, const catalog::Catalogue& cat, const LocalZone& zone) {
    if (opt.viewName == "orbits") {
        const OrbitAnswer a = answerOrbits({skyQuery(opt), 180.0, std::nullopt,
                                            orbitExtentNamed(opt.extentName).value_or(view::OrbitExtent::Saturn)},
                                           cat, zone, Clock::now());
        const std::optional<std::string> json = orbitFindJson(a, opt.findName);
        if (!json) {
            std::fprintf(stderr, "planetarium: --find: %s\n", orbitNotFoundText(opt.findName).c_str());
            return 2;
        }
        return printed(*json, "the answer");
    }
    const FindResult r = answerFind(findQuery(opt), cat, zone, Clock::now());
    if (const std::string error = findErrorText(r, opt.findName); !error.empty()) {
        std::fprintf(stderr, "planetarium: --find: %s\n", error.c_str());
        return 2;
    }
    return printed(findResultJson(r, opt.scale, zone), "the answer");
}

int runEclipses(const CliOptions& opt, const catalog::Catalogue& cat, const LocalZone& zone) {
    std::string why;
    const std::optional<astro::LocalDate> from = readEclipseDate(opt.eclipsesFrom, false, why);
    const std::optional<astro::LocalDate> to = from ? readEclipseDate(opt.eclipsesTo, true, why) : std::nullopt;
    if (!to) {
        std::fprintf(stderr, "planetarium: --eclipses: %s\n", why.c_str());
        return 2;
    }
    const EclipsesAnswer a = answerEclipses(skyQuery(opt), *from, *to, cat, zone, Clock::now());
    if (!a.why.empty()) {
        std::fprintf(stderr, "planetarium: --eclipses: %s\n", a.why.c_str());
        return 2;
    }
    return printed(opt.eclipseJson ? eclipsesJson(a, zone) : eclipsesText(a, zone), "the answer");
}

int runEclipse(const CliOptions& opt, const catalog::Catalogue& cat, const LocalZone& zone) {
    std::string why;
    const std::optional<astro::LocalDate> date = readEclipseDate(opt.eclipseDate, false, why);
    if (!date || opt.eclipseDate.size() != 10) {
        std::fprintf(stderr, "planetarium: --eclipse: %s\n",
                     date ? "give the date as YYYY-MM-DD" : why.c_str());
        return 2;
    }
    const EclipseAnswer a = answerEclipse(skyQuery(opt), *date, cat, zone, Clock::now());
    if (!a.eclipse) {
        std::fprintf(stderr, "planetarium: --eclipse: %s\n", a.why.c_str());
        return 2;
    }
    return printed(opt.eclipseJson ? eclipseJson(*a.eclipse, zone) : eclipseText(*a.eclipse, a.place.placeName, zone),
                   "the answer");
}

int runTonight(const CliOptions& opt, const catalog::Catalogue& cat, const LocalZone& zone) {
    return printed(tonightAnswerText(answerTonight(skyQuery(opt), cat, zone, Clock::now()), zone, opt.tonightJson),
                   "the answer");
}

}  // namespace app
