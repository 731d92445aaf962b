#include "app/output/film_export_gui.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <deque>
#include <filesystem>
#include <future>
#include <system_error>
#include <thread>
#include <vector>

#include "app/output/export_stop.h"
#include "app/output/png_file_gui.h"
#include "app/output/safe_write_qtcore.h"
#include "app/session/request_fields.h"
#include "app/session/sky_moments.h"
#include "app/session/time_step.h"

namespace app {

namespace {

FilmResult failed(const QString& error) { return {FilmResult::Status::Failed, error.simplified(), {}, {}}; }
FilmResult refused(const QString& error) { return {FilmResult::Status::Refused, error.simplified(), {}, {}}; }
FilmResult cancelled() { return {FilmResult::Status::Cancelled, {}, {}, {}}; }

// The picture's scale for a frame size: as large as fits.
double fittedScale(QSize frame) {
    const QSize one = pictureSize(1.0);
    const double s = std::min(double(frame.width()) / one.width(), double(frame.height()) / one.height());
    return std::clamp(std::floor(s * 1000.0) / 1000.0, kMinScale, kMaxScale);
}

QSize frameSizeOf(const FilmRequest& req) { return req.frameSize.isValid() ? req.frameSize : pictureSize(req.first.scale); }

// Frame `index` as the film holds it.
QImage frameImage(const FilmRequest& req, const std::vector<astro::SkyInput>& moments, int index,
                  const catalog::Catalogue& cat) {
    PictureRequest pic = filmFrame(req.first, moments, index);
    if (!req.frameSize.isValid()) return req.drawFrame ? req.drawFrame(index) : renderPicture(pic, cat);
    pic.scale = fittedScale(req.frameSize);
    const QImage drawn = req.drawFrame ? req.drawFrame(index) : renderPicture(pic, cat);
    QImage frame(req.frameSize, QImage::Format_RGB32);
    frame.fill(drawn.isNull() ? QColor(Qt::black) : drawn.pixelColor(0, 0));
    QPainter p(&frame);
    p.drawImage((frame.width() - drawn.width()) / 2, (frame.height() - drawn.height()) / 2, drawn);
    return frame;
}

namespace fs = std::filesystem;

// Every frame is written in the staging folder: put them in place as the
// single picture's write does (a symbolic link is written through to its
// target, an old frame's permissions are kept) and all or nothing: each old
// frame is first set aside in the staging folder, and should any step fail
// the new frames are taken out and the old ones put back, so the old series
// stays whole and the message gives the real reason.
FilmResult placeFrames(const FilmRequest& req, const QString& stagingDir) {
    struct Frame {
        fs::path staged, target, keptOld;
        bool hadOld = false;
        bool placed = false;
    };
    std::vector<Frame> frames;
    const auto why = [](const QString& name, const std::string& reason) {
        return failed(QStringLiteral("cannot write %1: %2").arg(name, QString::fromStdString(reason)));
    };
    for (int i = 1; i <= req.frames; ++i) {
        const QString finalPath = frameFileName(req.path, i);
        const QString name = QFileInfo(finalPath).fileName();
        Frame f;
        f.staged = (stagingDir + QLatin1Char('/') + name).toStdString();
        f.target = finalPath.toStdString();
        f.keptOld = (stagingDir + QStringLiteral("/old-") + name).toStdString();
        std::error_code ec;
        const fs::file_status link = fs::symlink_status(f.target, ec);
        if (fs::is_symlink(link)) {
            const fs::path resolved = fs::weakly_canonical(f.target, ec);
            if (ec) return why(finalPath, ec.message());
            f.target = resolved;
        }
        const fs::file_status st = fs::status(f.target, ec);
        if (fs::exists(st)) {
            if (!fs::is_regular_file(st)) return why(finalPath, "something other than a file is in its place");
            f.hadOld = true;
            fs::permissions(f.staged, st.permissions(), fs::perm_options::replace, ec);
            if (ec) return why(finalPath, ec.message());
        }
        frames.push_back(std::move(f));
    }
    const auto rollBack = [&] {
        std::error_code ignored;
        for (Frame& f : frames) {
            if (f.placed) fs::remove(f.target, ignored);
            if (f.hadOld && fs::exists(f.keptOld, ignored)) fs::rename(f.keptOld, f.target, ignored);
        }
    };
    for (Frame& f : frames) {
        std::error_code ec;
        if (f.hadOld) fs::rename(f.target, f.keptOld, ec);
        if (!ec) fs::rename(f.staged, f.target, ec);
        if (ec) {
            rollBack();
            return why(QString::fromStdString(f.target.string()), ec.message());
        }
        f.placed = true;
    }
    return {FilmResult::Status::Written, {}, {}, {}};
}

FilmResult writePngFrames(const FilmRequest& req, const std::vector<astro::SkyInput>& moments,
                          const catalog::Catalogue& cat, const FilmProgress& progress) {
    const QFileInfo target(req.path);
    QTemporaryDir staging(target.absolutePath() + QStringLiteral("/.planetarium-film-XXXXXX"));
    if (!staging.isValid()) return failed(QStringLiteral("cannot write into %1").arg(target.absolutePath()));
    // PNG compression costs several times the drawing, so while this thread
    // draws the next frames, up to kEncoders frames are compressed and
    // written on other threads (the staged names are all different).
    const unsigned cores = std::thread::hardware_concurrency();
    const std::size_t kEncoders = cores >= 2 ? cores : 1;
    std::deque<std::future<QString>> pending;
    QString error;
    const auto collectOldest = [&] {
        const QString e = pending.front().get();
        pending.pop_front();
        if (error.isEmpty()) error = e;
    };
    bool stopped = false;
    for (int i = 0; i < req.frames && error.isEmpty(); ++i) {
        const QString name = QFileInfo(frameFileName(req.path, i + 1)).fileName();
        QImage image = frameImage(req, moments, i, cat);
        while (pending.size() >= kEncoders) collectOldest();
        pending.push_back(std::async(std::launch::async, [image = std::move(image), name, &staging]() -> QString {
            const QString e = writePng(image, staging.filePath(name));
            return e.isEmpty() ? e : QStringLiteral("cannot write %1: %2").arg(name, e);
        }));
        if (exportStopRequested() || (progress && !progress(i + 1, req.frames))) {
            stopped = true;
            break;
        }
    }
    while (!pending.empty()) collectOldest();
    if (!error.isEmpty()) return failed(error);
    if (stopped) return cancelled();
    return placeFrames(req, staging.path());
}

// ffmpeg as a pipe. Every wait is bounded: while ffmpeg takes a frame or
// finishes the film, `keepGoing` is asked every tenth of a second whether to
// go on, and ffmpeg counts as hung once it has taken no byte (or, finishing,
// has written no byte) for `stallSeconds`. Of its error output only the last
// few kilobytes are kept, so a flood of messages neither fills the memory
// nor ends up in the one-line message.
class Encoder {
public:
    Encoder(const QString& ffmpeg, const QStringList& args, int stallSeconds) : stall_(std::chrono::seconds(stallSeconds)) {
        process_.setProgram(ffmpeg);
        process_.setArguments(args);
        process_.setProcessChannelMode(QProcess::SeparateChannels);
    }
    ~Encoder() {
        if (process_.state() != QProcess::NotRunning) {
            process_.kill();
            process_.waitForFinished(5000);
        }
    }
    Encoder(const Encoder&) = delete;
    Encoder& operator=(const Encoder&) = delete;

    std::optional<FilmResult> start() {
        process_.start();
        if (!process_.waitForStarted(30000)) return failed(QStringLiteral("cannot start ffmpeg: ") + process_.errorString());
        return std::nullopt;
    }

    // Hands one frame (Format_RGB32 rows: B, G, R, 0xff in memory) to ffmpeg.
    std::optional<FilmResult> write(const QImage& image, const std::function<bool()>& keepGoing) {
        process_.write(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes());
        qint64 left = process_.bytesToWrite();
        auto lastProgress = Clock::now();
        while (process_.bytesToWrite() > 0) {
            // A stop asked comes first: Ctrl+C also reaches ffmpeg, which then ends.
            if (!keepGoing()) return cancelled();
            if (process_.state() != QProcess::Running) return stopped(QStringLiteral("ffmpeg stopped"));
            process_.waitForBytesWritten(kSliceMs);
            keepLastErrors();
            if (process_.bytesToWrite() < left) {
                left = process_.bytesToWrite();
                lastProgress = Clock::now();
            } else if (Clock::now() - lastProgress > stall_) {
                return hung(QStringLiteral("ffmpeg took no picture for %1 s"));
            }
        }
        keepLastErrors();
        return std::nullopt;
    }

    // Ends the input and waits for ffmpeg to write `output`.
    std::optional<FilmResult> finish(const QString& output, const std::function<bool()>& keepGoing) {
        process_.closeWriteChannel();
        qint64 written = -1;
        auto lastProgress = Clock::now();
        while (!process_.waitForFinished(kSliceMs)) {
            if (!keepGoing()) return cancelled();
            if (process_.state() == QProcess::NotRunning) break;
            const qint64 errors = errorsSeen_;
            keepLastErrors();
            const qint64 size = QFileInfo(output).size();
            if (size != written || errorsSeen_ != errors) {
                written = size;
                lastProgress = Clock::now();
            } else if (Clock::now() - lastProgress > stall_) {
                return hung(QStringLiteral("ffmpeg wrote nothing for %1 s"));
            }
        }
        keepLastErrors();
        if (!keepGoing()) return cancelled();
        if (process_.exitStatus() != QProcess::NormalExit || process_.exitCode() != 0)
            return stopped(QStringLiteral("ffmpeg failed"));
        return std::nullopt;
    }

private:
    using Clock = std::chrono::steady_clock;
    static constexpr int kSliceMs = 100;
    static constexpr qsizetype kKeptErrorBytes = 4096;

    void keepLastErrors() {
        const QByteArray more = process_.readAllStandardError();
        errorsSeen_ += more.size();
        errors_ += more;
        if (errors_.size() > 2 * kKeptErrorBytes) errors_ = errors_.right(kKeptErrorBytes);
    }

    // The last three lines ffmpeg wrote, as one line.
    QString lastErrorLines() const {
        QStringList lines;
        for (const QByteArray& line : errors_.split('\n')) {
            const QString text = QString::fromLocal8Bit(line).simplified();
            if (!text.isEmpty()) lines << text;
        }
        if (lines.size() > 3) lines = lines.mid(lines.size() - 3);
        QString text = lines.join(QStringLiteral(" / "));
        if (text.size() > 400) text = QStringLiteral("…") + text.right(399);
        return text;
    }

    FilmResult stopped(const QString& what) {
        const QString why = lastErrorLines();
        return failed(what + QStringLiteral(": ") + (why.isEmpty() ? process_.errorString() : why));
    }
    FilmResult hung(const QString& what) {
        process_.kill();
        process_.waitForFinished(5000);
        const QString why = lastErrorLines();
        const QString text = what.arg(std::chrono::duration_cast<std::chrono::seconds>(stall_).count());
        return failed(why.isEmpty() ? text : text + QStringLiteral(" (") + why + QStringLiteral(")"));
    }

    QProcess process_;
    Clock::duration stall_;
    QByteArray errors_;
    qint64 errorsSeen_ = 0;
};

// Frames of `size` on ffmpeg's standard input. A queue of two frames between
// its reading and its encoding is enough and keeps its memory low (the
// default of eight held some 80 MB more at --scale 2).
QStringList rawInput(QSize size, int framesPerSecond) {
    return {QStringLiteral("-hide_banner"), QStringLiteral("-loglevel"), QStringLiteral("error"),
            QStringLiteral("-thread_queue_size"), QStringLiteral("2"), QStringLiteral("-f"), QStringLiteral("rawvideo"), QStringLiteral("-pix_fmt"), QStringLiteral("bgr0"),
            QStringLiteral("-s"), QStringLiteral("%1x%2").arg(size.width()).arg(size.height()),
            QStringLiteral("-framerate"), QString::number(framesPerSecond), QStringLiteral("-i"),
            QStringLiteral("pipe:0")};
}

// A GIF's one palette is made first, from up to kPaletteSamples frames spread
// evenly over the film, so that ffmpeg need not hold every frame until the
// end (it took some 5 MB a frame); the film itself then streams.
constexpr int kPaletteSamples = 16;

std::vector<int> paletteSamples(int frames) {
    std::vector<int> picks;
    const int n = std::min(frames, kPaletteSamples);
    for (int j = 0; j < n; ++j) picks.push_back(n == 1 ? 0 : int((long long)j * (frames - 1) / (n - 1)));
    return picks;
}

FilmResult encodeFilm(FilmFormat format, const FilmRequest& req, const std::vector<astro::SkyInput>& moments,
                      const catalog::Catalogue& cat, const FilmProgress& progress, const QString& ffmpeg) {
    QTemporaryDir staging(QFileInfo(req.path).absolutePath() + QStringLiteral("/.planetarium-film-XXXXXX"));
    if (!staging.isValid())
        return failed(QStringLiteral("cannot write into %1").arg(QFileInfo(req.path).absolutePath()));
    const QString encoded = staging.filePath(QStringLiteral("film.") + QFileInfo(req.path).suffix().toLower());
    const QSize size = frameSizeOf(req);
    int done = 0;
    const std::function<bool()> keepGoing = [&] {
        return !exportStopRequested() && (!progress || progress(done, req.frames));
    };

    QStringList args = rawInput(size, req.framesPerSecond);
    if (format == FilmFormat::Gif) {
        const QString palette = staging.filePath(QStringLiteral("palette.png"));
        {
            Encoder sampler(ffmpeg, rawInput(size, req.framesPerSecond) << QStringLiteral("-vf") << QStringLiteral("palettegen=stats_mode=full")
                                                   << QStringLiteral("-y") << palette,
                            req.stallSeconds);
            if (auto r = sampler.start()) return *r;
            for (const int i : paletteSamples(req.frames))
                if (auto r = sampler.write(frameImage(req, moments, i, cat), keepGoing)) return *r;
            if (auto r = sampler.finish(palette, keepGoing)) return *r;
        }
        // No dithering: the sky's flat colours stay flat.
        args << QStringLiteral("-i") << palette << QStringLiteral("-filter_complex")
             << QStringLiteral("[0:v][1:v]paletteuse=dither=none");
    } else {
        // The video codecs' 4:2:0 colour needs even sizes: an odd last column
        // or row of the picture is left out.
        args << QStringLiteral("-vf") << QStringLiteral("crop=trunc(iw/2)*2:trunc(ih/2)*2:0:0");
        if (format == FilmFormat::Mp4) {
            args << QStringLiteral("-c:v") << QStringLiteral("libx264") << QStringLiteral("-preset")
                 << QStringLiteral("veryfast") << QStringLiteral("-crf") << QStringLiteral("18")
                 << QStringLiteral("-pix_fmt") << QStringLiteral("yuv420p") << QStringLiteral("-movflags")
                 << QStringLiteral("+faststart");
        } else {
            args << QStringLiteral("-c:v") << QStringLiteral("libvpx-vp9") << QStringLiteral("-b:v") << QStringLiteral("0")
                 << QStringLiteral("-crf") << QStringLiteral("30") << QStringLiteral("-deadline")
                 << QStringLiteral("realtime") << QStringLiteral("-cpu-used") << QStringLiteral("8")
                 << QStringLiteral("-pix_fmt") << QStringLiteral("yuv420p");
        }
    }
    args << QStringLiteral("-y") << encoded;

    Encoder encoder(ffmpeg, args, req.stallSeconds);
    if (auto r = encoder.start()) return *r;
    for (int i = 0; i < req.frames; ++i) {
        if (auto r = encoder.write(frameImage(req, moments, i, cat), keepGoing)) return *r;
        done = i + 1;
        if (!keepGoing()) return cancelled();
    }
    if (auto r = encoder.finish(encoded, keepGoing)) return *r;
    QFile film(encoded);
    if (!film.open(QIODevice::ReadOnly)) return failed(QStringLiteral("ffmpeg wrote no film"));
    const QString error = writeFileSafely(req.path, film.readAll());
    if (!error.isEmpty()) return failed(QStringLiteral("cannot write %1: %2").arg(req.path, error));
    return {FilmResult::Status::Written, {}, {}, {}};
}

}  // namespace

std::optional<FilmFormat> filmFormat(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("png")) return FilmFormat::PngFrames;
    if (suffix == QLatin1String("gif")) return FilmFormat::Gif;
    if (suffix == QLatin1String("mp4")) return FilmFormat::Mp4;
    if (suffix == QLatin1String("webm")) return FilmFormat::Webm;
    return std::nullopt;
}

QString frameFileName(const QString& path, int number) {
    const QString suffix = QFileInfo(path).suffix();
    const QString stem = suffix.isEmpty() ? path : path.left(path.size() - suffix.size() - 1);
    return QStringLiteral("%1-%2.png").arg(stem).arg(number, 4, 10, QLatin1Char('0'));
}

QString filmWrittenText(const FilmResult& result) {
    if (result.firstFile == result.lastFile) return QStringLiteral("動画を %1 に書き出しました").arg(result.firstFile);
    return QStringLiteral("画像を %1 〜 %2 に書き出しました").arg(result.firstFile, QFileInfo(result.lastFile).fileName());
}

bool filmFrameSizeOk(QSize size) {
    return size.width() >= 64 && size.width() <= 7680 && size.height() >= 64 && size.height() <= 4320 &&
           size.width() % 2 == 0 && size.height() % 2 == 0;
}

QString findFfmpeg() { return QStandardPaths::findExecutable(QStringLiteral("ffmpeg")); }

QString ffmpegMissingMessage() {
    return QStringLiteral(
        "GIF, MP4 and WebM films need ffmpeg, which is not installed (Debian package ffmpeg: sudo apt-get install "
        "ffmpeg)");
}

FilmResult exportFilm(const FilmRequest& req, const catalog::Catalogue& cat, const FilmProgress& progress) {
    clearExportStop();
    const auto format = filmFormat(req.path);
    if (!format) return refused(QStringLiteral("a film is written as .png frames or a .gif, .mp4 or .webm file"));
    if (req.frames < 1 || req.everyMinutes < 1) return refused(QStringLiteral("a film needs frames and a step"));
    if (req.framesPerSecond < 1 || req.framesPerSecond > kMaxFilmFramesPerSecond)
        return refused(QStringLiteral("a film shows 1 to %1 pictures a second").arg(kMaxFilmFramesPerSecond));
    if (req.frameSize.isValid() && !filmFrameSizeOk(req.frameSize))
        return refused(QStringLiteral("a frame is 64 to 7680 pixels wide and 64 to 4320 high, both even"));
    QString ffmpeg;
    if (*format != FilmFormat::PngFrames) {
        ffmpeg = findFfmpeg();
        if (ffmpeg.isEmpty()) return refused(ffmpegMissingMessage());
    }
    std::string error;
    const auto moments = filmMoments(req.first.input, req.frames, req.everyMinutes, error, req.exactEveryMinutes);
    if (!moments) return refused(QString::fromStdString(error));
    FilmResult result = *format == FilmFormat::PngFrames ? writePngFrames(req, *moments, cat, progress)
                                                         : encodeFilm(*format, req, *moments, cat, progress, ffmpeg);
    if (result.ok()) {
        const bool frames = *format == FilmFormat::PngFrames;
        result.firstFile = QFileInfo(frames ? frameFileName(req.path, 1) : req.path).absoluteFilePath();
        result.lastFile = frames ? QFileInfo(frameFileName(req.path, req.frames)).absoluteFilePath() : result.firstFile;
    }
    return result;
}

}  // namespace app
