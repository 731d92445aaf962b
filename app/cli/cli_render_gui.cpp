// --render FILE: the picture the window would draw, into a PNG, or the chart
// as a PDF page or an SVG drawing, with no window and no display needed; with
// --frames, a time-lapse of such pictures.
#include <QGuiApplication>
#include <QImage>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>

#include "app/output/chart_export_gui.h"
#include "app/cli/cli_queries.h"
#include "app/session/colour_scheme.h"
#include "app/session/draw_list.h"
#include "app/cli/commands.h"
#include "app/output/export_stop.h"
#include "app/output/eclipse_picture_gui.h"
#include "app/output/sun_path_export_gui.h"
#include "app/session/moon_card_answer.h"
#include "app/session/orbit_answer.h"
#include "app/session/time_step.h"
#include "app/session/phase_strip_answer.h"
#include "app/session/sun_path_answer.h"
#include "app/output/film_export_gui.h"
#include "app/session/eclipse_text.h"
#include "app/output/png_file_gui.h"
#include "app/output/safe_write_qtcore.h"
#include "app/session/settings.h"
#include "app/output/sky_picture_gui.h"
#include "app/zones/time_zones_qtcore.h"
#include "astro/astro.h"

namespace app {

// The place to draw for: --place or --lat/--lon when given, otherwise the
// place remembered in "pstart.txt" (the manual-entry place with its stored
// coordinates), as the window would start with it.
CliOptions withRememberedPlace(CliOptions opt) {
    if ((opt.latDeg && opt.lonDeg) || opt.placeIndex > 0) return opt;
    const StartPlace p = startPlace(readSettings(kSettingsFileName));
    if (p.typed) {
        opt.latDeg = p.latDeg;
        opt.lonDeg = p.lonDeg;
    } else {
        opt.placeIndex = p.placeIndex;
    }
    return opt;
}

namespace {

// Qt's start-up chatter (no runtime directory, font notes) would muddle the
// one-line error contract of the command line; only critical and fatal
// messages get through.
void quietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& msg) {
    if (type == QtCriticalMsg || type == QtFatalMsg) {
        std::fprintf(stderr, "planetarium: %s\n", msg.toLocal8Bit().constData());
    }
}

}  // namespace

void quietQt() { qInstallMessageHandler(quietQtMessages); }

void useOffscreenPlatform() {
    // Whatever the environment names (xcb over ssh with no DISPLAY, wayland
    // with no compositor, a typo), a mode without a window must not depend on
    // a display: Qt would abort with a core dump.
    qputenv("QT_QPA_PLATFORM", "offscreen");
}

namespace {

// Writes a film or frame series; Ctrl+C or a SIGTERM stops the export,
// which removes its staged frames or ffmpeg's partial film, and the process
// then ends by that signal. Returns the exit status.
int writeFilm(const FilmRequest& film, const catalog::Catalogue& cat) {
    const StopExportOnSignals stopOnSignals;
    const FilmResult result = exportFilm(film, cat);
    if (result.status == FilmResult::Status::Cancelled) {
        std::fputs("planetarium: the film was stopped; nothing was written\n", stderr);
        return 1;
    }
    if (!result.ok()) {
        std::fprintf(stderr, "planetarium: %s\n", escapedText(result.error.toStdString()).c_str());
        return result.status == FilmResult::Status::Refused ? 2 : 1;
    }
    return 0;
}

// --render FILE --eclipse DATE: the eclipse seen from the place, zenith up,
// at its greatest phase; with --frames the series from its first contact.
int renderEclipse(const CliOptions& opt, const catalog::Catalogue& cat, const QString& path) {
    std::string why;
    const std::optional<astro::LocalDate> date = readEclipseDate(opt.eclipseDate, false, why);
    if (!date || opt.eclipseDate.size() != 10) {
        std::fprintf(stderr, "planetarium: --eclipse: %s\n", date ? "give the date as YYYY-MM-DD" : why.c_str());
        return 2;
    }
    std::string zoneError;
    const std::optional<LocalZone> zone = requestZone(opt, cat, zoneError);
    if (!zone) {
        std::fprintf(stderr, "planetarium: %s\n", zoneError.c_str());
        return 2;
    }
    const EclipseAnswer a = answerEclipse(skyQuery(opt), *date, cat, *zone, std::chrono::system_clock::now());
    if (!a.eclipse) {
        std::fprintf(stderr, "planetarium: --eclipse: %s\n", a.why.c_str());
        return 2;
    }
    const astro::LocalEclipse& e = *a.eclipse;
    const auto format = filmFormat(path);
    if (opt.frames == 0) {
        if (!format || *format != FilmFormat::PngFrames) {
            std::fprintf(stderr, "planetarium: an eclipse's picture is a PNG (or give --frames N for a film): not %s\n",
                         quotedArgument(opt.renderPath).c_str());
            return 2;
        }
        const QImage image = app::renderEclipse(eclipseScene(e, eclipseGreatestJdUt(e), a.place.placeName, *zone), opt.scale);
        const QString error = writePng(image, path);
        if (!error.isEmpty()) {
            std::fprintf(stderr, "planetarium: %s\n", escapedText(error.toStdString()).c_str());
            return 1;
        }
        return 0;
    }
    if (!format) {
        std::fprintf(stderr, "planetarium: --frames writes FILE.png frames or a FILE.gif, FILE.mp4 or FILE.webm film, not %s\n",
                     quotedArgument(opt.renderPath).c_str());
        return 2;
    }
    const std::vector<double> moments = eclipseSeries(e, opt.everyMinutes, opt.frames);
    if (moments.empty()) {
        std::fprintf(stderr, "planetarium: --eclipse: the eclipse does not reach this place\n");
        return 2;
    }
    FilmRequest film;
    film.first.scale = opt.scale;
    film.frames = static_cast<int>(moments.size());
    film.everyMinutes = opt.everyMinutes;
    film.path = path;
    if (opt.filmFps) film.framesPerSecond = *opt.filmFps;
    if (opt.filmFrameSize) film.frameSize = QSize(opt.filmFrameSize->first, opt.filmFrameSize->second);
    const std::string placeName = a.place.placeName;
    const LocalZone z = *zone;
    film.drawFrame = [&e, moments, placeName, z, &opt](int index) {
        return app::renderEclipse(eclipseScene(e, moments[static_cast<std::size_t>(index)], placeName, z), opt.scale);
    };
    return writeFilm(film, cat);
}

// A lesson's page into FILE: its JSON for .json, else the page as PNG, A4
// PDF or SVG by the name. 0 when written, 2 for a name it cannot write, 1
// when drawing or writing failed (said on stderr).
int writeLessonPage(const CliOptions& opt, const QString& path, const std::string& json, const QString& title,
                    const PageDrawing& draw, bool portrait = false) {
    QByteArray bytes;
    if (path.endsWith(QStringLiteral(".json"), Qt::CaseInsensitive)) {
        bytes = QByteArray(json.data(), static_cast<qsizetype>(json.size()));
    } else if (const std::optional<ChartFormat> format = chartFormatForPath(opt.renderPath)) {
        bytes = lessonPageBytes(*format, title, draw, opt.scale, portrait);
    } else {
        std::fprintf(stderr, "planetarium: --view %s writes .png, .pdf, .svg or .json%s, not %s\n", opt.viewName.c_str(),
                     opt.viewName == "orbits" ? " (or a film with --frames)" : "", quotedArgument(opt.renderPath).c_str());
        return 2;
    }
    const QString error = bytes.isEmpty() ? QStringLiteral("the picture could not be drawn") : writeFileSafely(path, bytes);
    if (!error.isEmpty()) {
        std::fprintf(stderr, "planetarium: %s\n", escapedText(error.toStdString()).c_str());
        return 1;
    }
    return 0;
}

// --render FILE --view orbits: 宇宙から見た図 at the --at moment as a picture,
// an A4 PDF, an SVG drawing or JSON; with --frames, a film of it.
int renderOrbits(const CliOptions& opt, const catalog::Catalogue& cat, const QString& path) {
    std::string zoneError;
    const std::optional<LocalZone> zone = requestZone(opt, cat, zoneError);
    if (!zone) {
        std::fprintf(stderr, "planetarium: %s\n", zoneError.c_str());
        return 2;
    }
    // The four quarters face north, east, south and west: 0, 90, 180, 270 degrees.
    OrbitQuery q{skyQuery(opt), 90.0 * static_cast<int>(opt.direction), std::nullopt,
                 orbitExtentNamed(opt.extentName).value_or(view::OrbitExtent::Saturn)};
    if (!opt.bodyName.empty()) {
        q.target = orbitPlanetNamed(opt.bodyName);
        if (!q.target || *q.target == astro::Planet::Earth) {
            std::fprintf(stderr, "planetarium: --body: %s is not a planet to face (水星 … 海王星)\n",
                         quotedArgument(opt.bodyName).c_str());
            return 2;
        }
    }
    const auto now = std::chrono::system_clock::now();
    const OrbitAnswer a = answerOrbits(q, cat, *zone, now);
    const auto pageImage = [&opt](const OrbitAnswer& frame) {
        return lessonPageImage([&frame](view::Painter& p) { view::drawOrbitView(frame.scene, frame.extent, p); }, opt.scale);
    };
    if (opt.frames > 0) {
        const auto format = filmFormat(path);
        if (!format) {
            std::fprintf(stderr, "planetarium: --frames writes FILE.png frames or a FILE.gif, FILE.mp4 or FILE.webm film, not %s\n",
                         quotedArgument(opt.renderPath).c_str());
            return 2;
        }
        FilmRequest film;
        film.first.scale = opt.scale;
        film.frames = opt.frames;
        film.everyMinutes = opt.everyMinutes;
        film.path = path;
        if (opt.filmFps) film.framesPerSecond = *opt.filmFps;
        // The page's own size (even, as films need), unless asked otherwise.
        const auto even = [&opt](float twips) { return 2 * static_cast<int>(std::lround(twips / 15.0 * opt.scale / 2.0)); };
        film.frameSize = opt.filmFrameSize ? QSize(opt.filmFrameSize->first, opt.filmFrameSize->second)
                                           : QSize(even(view::kOrbitPageWidthTwips), even(view::kOrbitPageHeightTwips));
        const std::int64_t firstMinute = minuteCount(q.sky.at.value_or(jstFromSystemClock(now)));
        const LocalZone z = *zone;
        film.drawFrame = [&cat, q, z, now, firstMinute, every = opt.everyMinutes, pageImage](int index) {
            OrbitQuery frame = q;
            frame.sky.at = civilFromMinuteCount(firstMinute + static_cast<std::int64_t>(index) * every);
            return pageImage(answerOrbits(frame, cat, z, now));
        };
        return writeFilm(film, cat);
    }
    return writeLessonPage(opt, path, orbitJson(a, *zone), QStringLiteral("宇宙から見た図"),
                           [&a](view::Painter& p) { view::drawOrbitView(a.scene, a.extent, p); });
}

// --render FILE --view sunpath: 透明半球 of the --at date (or its year's
// solstices and equinoxes, or the empty worksheet) as a picture, an A4 PDF,
// an SVG drawing or, for FILE.json, the numbers behind it.
int renderSunPath(const CliOptions& opt, const catalog::Catalogue& cat, const QString& path) {
    std::string zoneError;
    const std::optional<LocalZone> zone = requestZone(opt, cat, zoneError);
    if (!zone) {
        std::fprintf(stderr, "planetarium: %s\n", zoneError.c_str());
        return 2;
    }
    const bool phases = opt.viewName == "phases";
    if (opt.viewName == "moonlog") {
        const double face = faceAzimuthNamed(opt.dirName.empty() ? "south" : opt.dirName).value_or(180.0);
        const view::MoonCard card =
            answerMoonCard({skyQuery(opt), face, opt.everyMinutes > 0 ? opt.everyMinutes : 60, opt.frames > 0 ? opt.frames : 3, opt.blank},
                           cat, *zone, std::chrono::system_clock::now());
        return writeLessonPage(opt, path, moonCardJson(card, *zone), QStringLiteral("月の観察カード"),
                               [&card](view::Painter& p) { view::drawMoonCard(card, p); }, true);
    }
    std::optional<astro::Body> body = astro::Venus;
    if (phases && !opt.bodyName.empty()) body = phaseBodyNamed(opt.bodyName);
    if (!body) {
        std::fprintf(stderr, "planetarium: --body: %s has no phases to show (金星, 水星 or 月)\n", quotedArgument(opt.bodyName).c_str());
        return 2;
    }
    const auto now = std::chrono::system_clock::now();
    if (phases) {
        const view::PhaseStrip strip = answerPhaseStrip(
            {skyQuery(opt), *body, opt.everyMinutes > 0 ? opt.everyMinutes / 1440 : 14, opt.frames > 0 ? opt.frames : 12}, cat,
            *zone, now);
        return writeLessonPage(opt, path, phaseStripJson(strip, *zone), QStringLiteral("満ち欠け"),
                               [&strip](view::Painter& p) { view::drawPhaseStrip(strip, p); });
    }
    const SunPathAnswer a = answerSunPath({skyQuery(opt), opt.seasons, opt.blank}, cat, *zone, now);
    return writeLessonPage(opt, path, sunPathJson(a, *zone), QStringLiteral("透明半球 ") + QString::fromStdString(a.scene.placeName),
                           [&a](view::Painter& p) { view::drawSunPath(a.scene, p); });
}

}  // namespace

int runRender(int argc, char** argv, const CliOptions& opt, const catalog::Catalogue& cat) {
    if (!(opt.scale > 0.0 && opt.scale <= 8.0)) {
        std::fprintf(stderr, "planetarium: --scale must be a number above 0 and at most 8\n");
        return 2;
    }
    if (opt.renderPath.empty()) {
        std::fprintf(stderr, "planetarium: --render needs a file name\n");
        return 2;
    }
    // The name is used byte for byte; one Qt cannot name unchanged is refused
    // rather than written under another name.
    const std::optional<QString> path = fileNameFromArgument(opt.renderPath);
    if (!path) {
        std::fprintf(stderr,
                     "planetarium: --render: %s cannot be used as a file name unchanged (it is not valid in the "
                     "system's file-name encoding)\n",
                     quotedArgument(opt.renderPath).c_str());
        return 2;
    }
    useOffscreenPlatform();
    quietQt();
    int qtArgc = argc > 0 ? 1 : 0;
    QGuiApplication qtApp(qtArgc, argv);

    if (!opt.eclipseDate.empty()) return renderEclipse(opt, cat, *path);
    if (opt.viewName == "orbits") return renderOrbits(opt, cat, *path);
    if (!opt.viewName.empty()) return renderSunPath(opt, cat, *path);
    const SkyRequest req = skyRequest(opt, cat, std::chrono::system_clock::now());
    const std::uint64_t seed = meteorSeed(opt);

    const PictureRequest pic = pictureRequest(opt, req, seed);

    const auto format = filmFormat(*path);
    if (opt.frames > 0) {
        if (!format) {
            std::fprintf(stderr, "planetarium: --frames writes FILE.png frames or a FILE.gif, FILE.mp4 or FILE.webm "
                                 "film, not %s\n",
                         quotedArgument(opt.renderPath).c_str());
            return 2;
        }
        FilmRequest film;
        film.first = pic;
        film.first.stepMinutes = opt.everyMinutes;
        // Every frame says when and where, unless --no-stamp.
        if (opt.stamp) {
            std::string zoneError;
            film.first.stamp = PictureRequest::Stamp{req.placeName, requestZone(opt, cat, zoneError).value_or(LocalZone{})};
        }
        film.frames = opt.frames;
        film.everyMinutes = opt.everyMinutes;
        film.exactEveryMinutes = opt.everyExactMinutes;
        film.path = *path;
        if (opt.filmFps) {
            if (*format == FilmFormat::PngFrames) {
                std::fputs("planetarium: --fps applies to GIF, MP4 and WebM films, not to PNG frames\n", stderr);
                return 2;
            }
            film.framesPerSecond = *opt.filmFps;
        }
        if (opt.filmFrameSize) film.frameSize = QSize(opt.filmFrameSize->first, opt.filmFrameSize->second);
        return writeFilm(film, cat);
    }
    if (format && *format != FilmFormat::PngFrames) {
        std::fprintf(stderr, "planetarium: %s is a film: give --frames N --every MINUTES\n",
                     quotedArgument(opt.renderPath).c_str());
        return 2;
    }

    // FILE.json: the picture as the list of its painter calls, as the
    // browser edition replays them.
    if (opt.renderPath.size() > 5 && opt.renderPath.compare(opt.renderPath.size() - 5, 5, ".json") == 0) {
        if (opt.style == view::ChartStyle::Print) {
            std::fprintf(stderr, "planetarium: a draw list (.json) is of the screen picture; leave out --style print\n");
            return 2;
        }
        const std::string list = pictureDrawList(pic, cat);
        const QString error = writeFileSafely(*path, QByteArray::fromStdString(list));
        if (!error.isEmpty()) {
            std::fprintf(stderr, "planetarium: cannot write %s: %s\n", quotedArgument(opt.renderPath).c_str(),
                         escapedText(error.simplified().toStdString()).c_str());
            return 1;
        }
        return 0;
    }
    // The file's extension chooses the format; "-" (standard output) is a PNG.
    const std::optional<ChartFormat> chart = chartFormatForPath(opt.renderPath);
    if (!chart) {
        std::fprintf(stderr, "planetarium: --render: cannot tell the format of %s (use .png, .pdf or .svg)\n",
                     quotedArgument(opt.renderPath).c_str());
        return 2;
    }
    const view::ChartStyle style = opt.style.value_or(*chart == ChartFormat::Png ? pictureStyle(pic) : defaultStyle(*chart));
    QString error;
    if (*chart == ChartFormat::Png && style != view::ChartStyle::Print) {
        error = writePng(renderPicture(pic, cat), *path);
    } else {
        const ChartScene scene = commandLineChart(opt, cat, style, seed);
        const QByteArray bytes = chartBytes(*chart, scene, cat, opt.scale);
        error = bytes.isEmpty() ? QStringLiteral("the picture could not be encoded") : writeFileSafely(*path, bytes);
    }
    if (!error.isEmpty()) {
        std::fprintf(stderr, "planetarium: cannot write %s: %s\n", quotedArgument(opt.renderPath).c_str(),
                     escapedText(error.simplified().toStdString()).c_str());
        return 1;
    }
    return 0;
}

}  // namespace app
