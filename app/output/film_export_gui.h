// A time-lapse of one view: N pictures at the entered moment and then every
// so many minutes, written as numbered PNG files or encoded into one GIF,
// MP4 or WebM animation by ffmpeg running as a separate program. Used by
// --render ... --frames N --every MINUTES and by the window's film export.
#pragma once

#include <QSize>
#include <QString>

#include <functional>
#include <optional>

#include "app/output/sky_picture_gui.h"
#include "catalog/catalog.h"

namespace app {

enum class FilmFormat { PngFrames, Gif, Mp4, Webm };

// The film format a file name asks for, by its ending (any letter case):
// .png, .gif, .mp4, .webm; nothing for any other name.
std::optional<FilmFormat> filmFormat(const QString& path);

// The name of frame `number` (1-based) of a PNG film: "night.png", 3 ->
// "night-0003.png".
QString frameFileName(const QString& path, int number);

// Pictures a second of the encoded animations, unless asked otherwise
// (1..kMaxFilmFramesPerSecond).
inline constexpr int kFilmFramesPerSecond = 4;
inline constexpr int kMaxFilmFramesPerSecond = 60;
// A projector's frame: the picture scaled to fit it, the rest its sky colour.
inline constexpr int kProjectorWidth = 1920;
inline constexpr int kProjectorHeight = 1080;

struct FilmRequest {
    // The picture of the first frame. Frame k is the same picture moved on
    // by (k - 1) time steps of everyMinutes (the timer's exact minute
    // arithmetic) with the shooting-star seed first.seed + k - 1, so a rerun
    // with the same seed gives the same film and a single picture with that
    // seed gives the same frame.
    PictureRequest first;
    int frames = 1;        // 1..9999
    int everyMinutes = 15;
    double exactEveryMinutes = 0.0;  // > 0: a step of sidereal days (filmMoments)
    QString path;          // .png, .gif, .mp4 or .webm
    int framesPerSecond = kFilmFramesPerSecond;  // of a GIF, MP4 or WebM
    // Every frame this size (even, 64..7680 by 64..4320): the picture drawn
    // as large as fits, centred, the margins in the colour of its edge.
    // Invalid (the default): the picture's own size at first.scale.
    QSize frameSize;
    // ffmpeg counts as hung, and the export fails, once it has taken or
    // written nothing for this long.
    int stallSeconds = 60;
    // Another drawing for each frame (0-based; an eclipse's series): set, it
    // draws every frame instead of the sky picture (frameSize still applies).
    std::function<QImage(int index)> drawFrame;
};

struct FilmResult {
    // Refused: the film cannot be made as asked (no ffmpeg, a name that is
    // no film, frames beyond the years the date holds); Failed: rendering,
    // encoding or writing went wrong.
    enum class Status { Written, Cancelled, Refused, Failed };
    Status status = Status::Failed;
    QString error;  // one line, when Refused or Failed
    // Written: where (the first and last frame of a PNG series), for the
    // message that says so.
    QString firstFile, lastFile;
    bool ok() const { return status == Status::Written; }
};

// Called after each rendered frame with the frames done and the total, and
// again about ten times a second while ffmpeg is waited for (with the same
// count); returning false cancels the export, as requestExportStop() does.
using FilmProgress = std::function<bool(int done, int total)>;

// Whether a frame size can be encoded: even, 64..7680 by 64..4320.
bool filmFrameSizeOk(QSize size);

// The window's sentence for a written film: where it went.
QString filmWrittenText(const FilmResult& result);

// The ffmpeg program found on PATH, or an empty string.
QString findFfmpeg();

// The one-line message for a film that needs ffmpeg when it is missing.
QString ffmpegMissingMessage();

// exportFilm: renders and writes the film. Everything is written to a
// temporary place first and moved to `path` (the numbered files beside it)
// only once every frame succeeded, so a cancelled or failed export leaves
// nothing behind and does not touch existing files.
FilmResult exportFilm(const FilmRequest& req, const catalog::Catalogue& cat, const FilmProgress& progress = {});

}  // namespace app
