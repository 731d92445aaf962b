#include "app/film/film_export_gui.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryDir>

#include <deque>
#include <filesystem>
#include <future>
#include <system_error>
#include <thread>
#include <vector>

#include "app/output/png_file_gui.h"
#include "app/output/safe_write_qtcore.h"
#include "app/session/sky_moments.h"
#include "app/session/time_step.h"

namespace app {

namespace {

FilmResult failed(const QString& error) { return {FilmResult::Status::Failed, error.simplified()}; }
FilmResult refused(const QString& error) { return {FilmResult::Status::Refused, error.simplified()}; }
FilmResult cancelled() { return {FilmResult::Status::Cancelled, {}}; }

PictureRequest framePicture(const FilmRequest& req, const std::vector<astro::SkyInput>& moments, int index) {
    return filmFrame(req.first, moments, index);
}

QStringList encoderArguments(FilmFormat format, QSize size, const QString& output) {
    QStringList args{QStringLiteral("-hide_banner"), QStringLiteral("-loglevel"), QStringLiteral("error"),
                     QStringLiteral("-f"), QStringLiteral("rawvideo"), QStringLiteral("-pix_fmt"),
                     QStringLiteral("bgr0"), QStringLiteral("-s"),
                     QStringLiteral("%1x%2").arg(size.width()).arg(size.height()), QStringLiteral("-framerate"),
                     QString::number(kFilmFramesPerSecond), QStringLiteral("-i"), QStringLiteral("pipe:0")};
    // The video codecs' 4:2:0 colour needs even sizes: an odd last column or
    // row of the picture is left out.
    const QString even = QStringLiteral("crop=trunc(iw/2)*2:trunc(ih/2)*2:0:0");
    switch (format) {
    case FilmFormat::Gif:
        // One palette made from all frames and no dithering: the sky's flat
        // colours stay flat.
        args << QStringLiteral("-filter_complex")
             << QStringLiteral("[0:v]split[a][b];[a]palettegen=stats_mode=full[p];[b][p]paletteuse=dither=none");
        break;
    case FilmFormat::Mp4:
        args << QStringLiteral("-vf") << even << QStringLiteral("-c:v") << QStringLiteral("libx264")
             << QStringLiteral("-preset") << QStringLiteral("veryfast") << QStringLiteral("-crf")
             << QStringLiteral("18") << QStringLiteral("-pix_fmt") << QStringLiteral("yuv420p")
             << QStringLiteral("-movflags") << QStringLiteral("+faststart");
        break;
    case FilmFormat::Webm:
        args << QStringLiteral("-vf") << even << QStringLiteral("-c:v") << QStringLiteral("libvpx-vp9")
             << QStringLiteral("-b:v") << QStringLiteral("0") << QStringLiteral("-crf") << QStringLiteral("30")
             << QStringLiteral("-deadline") << QStringLiteral("realtime") << QStringLiteral("-cpu-used")
             << QStringLiteral("8") << QStringLiteral("-pix_fmt") << QStringLiteral("yuv420p");
        break;
    case FilmFormat::PngFrames:
        break;
    }
    args << QStringLiteral("-y") << output;
    return args;
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
    return {FilmResult::Status::Written, {}};
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
        QImage image = renderPicture(framePicture(req, moments, i), cat);
        while (pending.size() >= kEncoders) collectOldest();
        pending.push_back(std::async(std::launch::async, [image = std::move(image), name, &staging]() -> QString {
            const QString e = writePng(image, staging.filePath(name));
            return e.isEmpty() ? e : QStringLiteral("cannot write %1: %2").arg(name, e);
        }));
        if (progress && !progress(i + 1, req.frames)) {
            stopped = true;
            break;
        }
    }
    while (!pending.empty()) collectOldest();
    if (!error.isEmpty()) return failed(error);
    if (stopped) return cancelled();
    return placeFrames(req, staging.path());
}

FilmResult encodeFilm(FilmFormat format, const FilmRequest& req, const std::vector<astro::SkyInput>& moments,
                      const catalog::Catalogue& cat, const FilmProgress& progress, const QString& ffmpeg) {
    QTemporaryDir staging(QFileInfo(req.path).absolutePath() + QStringLiteral("/.planetarium-film-XXXXXX"));
    if (!staging.isValid())
        return failed(QStringLiteral("cannot write into %1").arg(QFileInfo(req.path).absolutePath()));
    const QString encoded = staging.filePath(QStringLiteral("film.") + QFileInfo(req.path).suffix().toLower());
    const QSize size = pictureSize(req.first.scale);

    QProcess encoder;
    encoder.setProgram(ffmpeg);
    encoder.setArguments(encoderArguments(format, size, encoded));
    encoder.setProcessChannelMode(QProcess::SeparateChannels);
    encoder.start();
    if (!encoder.waitForStarted(-1)) return failed(QStringLiteral("cannot start ffmpeg: ") + encoder.errorString());
    const auto stop = [&encoder] {
        encoder.kill();
        encoder.waitForFinished(-1);
    };
    for (int i = 0; i < req.frames; ++i) {
        const QImage image = renderPicture(framePicture(req, moments, i), cat);
        const char* bytes = reinterpret_cast<const char*>(image.constBits());
        // Format_RGB32 rows are exactly 4 bytes a pixel: B, G, R, 0xff in memory.
        encoder.write(bytes, image.sizeInBytes());
        while (encoder.bytesToWrite() > 0 && encoder.state() == QProcess::Running) encoder.waitForBytesWritten(-1);
        if (encoder.state() != QProcess::Running) {
            const QString why = QString::fromLocal8Bit(encoder.readAllStandardError()).simplified();
            stop();
            return failed(QStringLiteral("ffmpeg stopped: ") + (why.isEmpty() ? encoder.errorString() : why));
        }
        if (progress && !progress(i + 1, req.frames)) {
            stop();
            return cancelled();
        }
    }
    encoder.closeWriteChannel();
    encoder.waitForFinished(-1);
    if (encoder.exitStatus() != QProcess::NormalExit || encoder.exitCode() != 0) {
        const QString why = QString::fromLocal8Bit(encoder.readAllStandardError()).simplified();
        return failed(QStringLiteral("ffmpeg failed: ") + (why.isEmpty() ? encoder.errorString() : why));
    }
    QFile film(encoded);
    if (!film.open(QIODevice::ReadOnly)) return failed(QStringLiteral("ffmpeg wrote no film"));
    const QString error = writeFileSafely(req.path, film.readAll());
    if (!error.isEmpty()) return failed(QStringLiteral("cannot write %1: %2").arg(req.path, error));
    return {FilmResult::Status::Written, {}};
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

QString findFfmpeg() { return QStandardPaths::findExecutable(QStringLiteral("ffmpeg")); }

QString ffmpegMissingMessage() {
    return QStringLiteral(
        "GIF, MP4 and WebM films need ffmpeg, which is not installed (Debian package ffmpeg: sudo apt-get install "
        "ffmpeg)");
}

FilmResult exportFilm(const FilmRequest& req, const catalog::Catalogue& cat, const FilmProgress& progress) {
    const auto format = filmFormat(req.path);
    if (!format) return refused(QStringLiteral("a film is written as .png frames or a .gif, .mp4 or .webm file"));
    if (req.frames < 1 || req.everyMinutes < 1) return refused(QStringLiteral("a film needs frames and a step"));
    QString ffmpeg;
    if (*format != FilmFormat::PngFrames) {
        ffmpeg = findFfmpeg();
        if (ffmpeg.isEmpty()) return refused(ffmpegMissingMessage());
    }
    std::string error;
    const auto moments = filmMoments(req.first.input, req.frames, req.everyMinutes, error);
    if (!moments) return refused(QString::fromStdString(error));
    if (*format == FilmFormat::PngFrames) return writePngFrames(req, *moments, cat, progress);
    return encodeFilm(*format, req, *moments, cat, progress, ffmpeg);
}

}  // namespace app
