// Time-lapse films and trail pictures, in-process and through the program:
// frames equal the single pictures of their moments, their number and names
// are right, a missing ffmpeg is one line with status 2, and a cancelled or
// failed export leaves nothing behind.
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <utility>
#include <vector>

#include <sys/resource.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QTemporaryDir>


#include "app/output/film_export_gui.h"
#include "app/session/sky_moments.h"
#include "app/output/sky_picture_gui.h"
#include "catalog/catalog.h"

namespace {

const catalog::Catalogue& cat() {
    static const catalog::Catalogue c = catalog::loadCatalogue();
    return c;
}

struct ProgramRun {
    int status = -1;
    QString err;
};

ProgramRun run(const QStringList& args, const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment()) {
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(PLANETARIUM_PROGRAM), args);
    p.waitForFinished(-1);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromLocal8Bit(p.readAllStandardError())};
}

QStringList entries(const QTemporaryDir& dir) {
    return QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

const QStringList kScene{QStringLiteral("--at"),   QStringLiteral("2026-08-12 22:50"),
                         QStringLiteral("--place"), QStringLiteral("東京"),
                         QStringLiteral("--dir"),  QStringLiteral("east"),
                         QStringLiteral("--show"), QStringLiteral("meteors,constellations,names,grid")};

// Without its stamp each frame is exactly the single picture of its moment
// and seed; with it (the default) the frame differs only in the stamp's
// band at the top left, where the date, time and place are written.
TEST(FilmProgram, PngFramesAreTheSinglePicturesOfTheirMomentsAndSeeds) {
    QTemporaryDir dir;
    const QString film = dir.filePath(QStringLiteral("night.png"));
    const QString stamped = dir.filePath(QStringLiteral("stamped.png"));
    ASSERT_EQ(run(QStringList{QStringLiteral("--render"), stamped, QStringLiteral("--frames"), QStringLiteral("1"),
                              QStringLiteral("--every"), QStringLiteral("15"), QStringLiteral("--seed"),
                              QStringLiteral("41")} +
                  kScene)
                  .status,
              0);
    const QImage withStamp(app::frameFileName(stamped, 1));
    ASSERT_TRUE(QFile::remove(app::frameFileName(stamped, 1)));
    // Three frames 15 minutes apart across midnight and the date change.
    ASSERT_EQ(run(QStringList{QStringLiteral("--render"), film, QStringLiteral("--frames"), QStringLiteral("3"),
                              QStringLiteral("--every"), QStringLiteral("15"), QStringLiteral("--seed"),
                              QStringLiteral("41"), QStringLiteral("--no-stamp")} +
                  kScene)
                  .status,
              0);
    {
        const QImage plain(app::frameFileName(film, 1));
        ASSERT_EQ(withStamp.size(), plain.size());
        int inBand = 0, outside = 0;
        for (int y = 0; y < plain.height(); ++y)
            for (int x = 0; x < plain.width(); ++x)
                if (withStamp.pixel(x, y) != plain.pixel(x, y)) ++(y < 30 && x < 760 ? inBand : outside);
        EXPECT_GT(inBand, 200) << "the stamp's letters";
        EXPECT_EQ(outside, 0);
    }
    EXPECT_EQ(entries(dir), (QStringList{QStringLiteral("night-0001.png"), QStringLiteral("night-0002.png"),
                                         QStringLiteral("night-0003.png")}));
    const char* moments[] = {"2026-08-12 22:50", "2026-08-12 23:05", "2026-08-12 23:20"};
    for (int k = 0; k < 3; ++k) {
        QStringList args = kScene;
        args[1] = QString::fromUtf8(moments[k]);
        const QString single = dir.filePath(QStringLiteral("single.png"));
        ASSERT_EQ(run(QStringList{QStringLiteral("--render"), single, QStringLiteral("--seed"),
                                  QString::number(41 + k)} +
                      args)
                      .status,
                  0);
        const QImage a(app::frameFileName(film, k + 1)), b(single);
        ASSERT_FALSE(a.isNull());
        EXPECT_TRUE(a == b) << "frame " << k + 1;
    }
}

TEST(FilmProgram, MissingFfmpegIsOneLineWithThePackageAndNothingIsWritten) {
    QTemporaryDir dir;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("PATH"), QString());
    for (const char* name : {"night.mp4", "night.gif", "night.webm"}) {
        const ProgramRun r = run(QStringList{QStringLiteral("--render"), dir.filePath(QString::fromUtf8(name)),
                                      QStringLiteral("--frames"), QStringLiteral("2"), QStringLiteral("--every"),
                                      QStringLiteral("60")} +
                              kScene,
                          env);
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.err.count(QLatin1Char('\n')), 1) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(QStringLiteral("apt-get install ffmpeg"))) << r.err.toStdString();
    }
    EXPECT_TRUE(entries(dir).isEmpty()) << entries(dir).join(QLatin1Char(' ')).toStdString();
}

TEST(FilmProgram, BadFilmRequestsAreRefusedWithStatusTwo) {
    QTemporaryDir dir;
    const auto refused = [&](const QStringList& args) {
        const ProgramRun r = run(QStringList{QStringLiteral("--render")} + args);
        EXPECT_EQ(r.status, 2) << args.join(QLatin1Char(' ')).toStdString();
        EXPECT_EQ(r.err.count(QLatin1Char('\n')), 1) << r.err.toStdString();
    };
    refused({dir.filePath(QStringLiteral("a.jpg")), QStringLiteral("--frames"), QStringLiteral("2"),
             QStringLiteral("--every"), QStringLiteral("5")});
    refused({dir.filePath(QStringLiteral("a.mp4"))});  // a film needs frames
    // The last frames would fall after the year 32767.
    refused({dir.filePath(QStringLiteral("a.png")), QStringLiteral("--at"), QStringLiteral("32767-12-31 23:00"),
             QStringLiteral("--frames"), QStringLiteral("3"), QStringLiteral("--every"), QStringLiteral("60")});
    // The rate and the frame size belong to films, and the rate to animations.
    refused({dir.filePath(QStringLiteral("a.png")), QStringLiteral("--frames"), QStringLiteral("2"),
             QStringLiteral("--every"), QStringLiteral("5"), QStringLiteral("--fps"), QStringLiteral("12")});
    refused({dir.filePath(QStringLiteral("a.mp4")), QStringLiteral("--fps"), QStringLiteral("12")});
    for (const char* size : {"1921x1080", "1920x", "x1080", "10x10", "projector2"})
        refused({dir.filePath(QStringLiteral("a.mp4")), QStringLiteral("--frames"), QStringLiteral("2"),
                 QStringLiteral("--every"), QStringLiteral("5"), QStringLiteral("--frame-size"), QString::fromUtf8(size)});
    EXPECT_TRUE(entries(dir).isEmpty()) << entries(dir).join(QLatin1Char(' ')).toStdString();
}

app::FilmRequest smallFilm(const QString& path, int frames) {
    app::FilmRequest f;
    f.first.input = {.year = 2026, .month = 1, .day = 15, .hour = 20, .minute = 0, .latDeg = 35.65, .lonDeg = 139.75};
    f.first.direction = view::Direction::East;
    f.first.scale = 0.5;
    f.first.seed = 5;
    f.frames = frames;
    f.everyMinutes = 30;
    f.path = path;
    return f;
}

TEST(FilmExport, CancelledOrFailedExportLeavesNothingBehindAndKeepsOldFiles) {
    QTemporaryDir dir;
    // An older frame of the same name must survive a cancelled export.
    const QString old = dir.filePath(QStringLiteral("film-0001.png"));
    {
        QFile f(old);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("old");
    }
    std::vector<QString> formats{QStringLiteral("film.png")};
    if (!app::findFfmpeg().isEmpty()) formats.insert(formats.end(), {QStringLiteral("film.gif"), QStringLiteral("film.mp4")});
    for (const QString& name : formats) {
        int lastDone = 0;
        const app::FilmResult r = app::exportFilm(smallFilm(dir.filePath(name), 4), cat(), [&](int done, int total) {
            EXPECT_EQ(total, 4);
            // While ffmpeg is waited for, the same count comes again.
            EXPECT_TRUE(done == lastDone || done == lastDone + 1) << done;
            lastDone = done;
            return done < 2;
        });
        EXPECT_EQ(r.status, app::FilmResult::Status::Cancelled) << name.toStdString();
        EXPECT_EQ(lastDone, 2);
        EXPECT_EQ(entries(dir), QStringList{QStringLiteral("film-0001.png")}) << name.toStdString();
    }
    QFile f(old);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("old"));
    // A film into a folder that does not exist fails and creates nothing.
    const app::FilmResult r = app::exportFilm(smallFilm(dir.filePath(QStringLiteral("no/film.png")), 2), cat());
    EXPECT_EQ(r.status, app::FilmResult::Status::Failed);
    EXPECT_FALSE(r.error.isEmpty());
}

// A frame series that fails midway (a folder in place of frame 4) leaves
// every old frame as it was and says why; a series that succeeds writes
// through a frame that is a symbolic link and keeps a frame's permissions,
// as the single picture's write does.
TEST(FilmExport, FrameSeriesIsAllOrNothingAndKeepsLinksAndPermissions) {
    QTemporaryDir dir;
    const auto put = [&](const QString& name, const QByteArray& bytes) {
        QFile f(dir.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    };
    const auto read = [&](const QString& name) {
        QFile f(dir.filePath(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    };
    for (int i = 1; i <= 5; ++i) put(QStringLiteral("f-000%1.png").arg(i), "old");
    ASSERT_TRUE(QFile::remove(dir.filePath(QStringLiteral("f-0004.png"))));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("f-0004.png")));
    const app::FilmResult r = app::exportFilm(smallFilm(dir.filePath(QStringLiteral("f.png")), 5), cat());
    EXPECT_EQ(r.status, app::FilmResult::Status::Failed);
    EXPECT_TRUE(r.error.contains(QStringLiteral("f-0004.png"))) << r.error.toStdString();
    EXPECT_FALSE(r.error.contains(QStringLiteral("Success"))) << r.error.toStdString();
    for (const int i : {1, 2, 3, 5}) EXPECT_EQ(read(QStringLiteral("f-000%1.png").arg(i)), QByteArray("old")) << i;
    EXPECT_TRUE(QFileInfo(dir.filePath(QStringLiteral("f-0004.png"))).isDir());
    EXPECT_EQ(entries(dir).size(), 5);  // no staging folder left

    ASSERT_TRUE(QDir(dir.filePath(QStringLiteral("f-0004.png"))).removeRecursively());
    put(QStringLiteral("kept.png"), "old");
    ASSERT_TRUE(QFile::remove(dir.filePath(QStringLiteral("f-0002.png"))));
    ASSERT_TRUE(QFile::link(dir.filePath(QStringLiteral("kept.png")), dir.filePath(QStringLiteral("f-0002.png"))));
    ASSERT_TRUE(QFile::setPermissions(dir.filePath(QStringLiteral("f-0003.png")),
                                      QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    const app::FilmResult ok = app::exportFilm(smallFilm(dir.filePath(QStringLiteral("f.png")), 5), cat());
    ASSERT_TRUE(ok.ok()) << ok.error.toStdString();
    EXPECT_TRUE(QFileInfo(dir.filePath(QStringLiteral("f-0002.png"))).isSymLink());
    EXPECT_TRUE(read(QStringLiteral("kept.png")).startsWith("\x89PNG"));
    EXPECT_EQ(std::filesystem::status(dir.filePath(QStringLiteral("f-0003.png")).toStdString()).permissions(),
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    for (const int i : {1, 4, 5}) EXPECT_TRUE(read(QStringLiteral("f-000%1.png").arg(i)).startsWith("\x89PNG")) << i;
}

TEST(FilmExport, EncodedFilmsHoldEveryFrame) {
    const QString ffprobe = QStandardPaths::findExecutable(QStringLiteral("ffprobe"));
    if (app::findFfmpeg().isEmpty() || ffprobe.isEmpty()) GTEST_SKIP() << "ffmpeg is not installed";
    QTemporaryDir dir;
    for (const char* name : {"film.gif", "film.mp4", "film.webm"}) {
        const QString path = dir.filePath(QString::fromUtf8(name));
        const app::FilmResult r = app::exportFilm(smallFilm(path, 6), cat());
        ASSERT_TRUE(r.ok()) << r.error.toStdString();
        QProcess probe;
        probe.start(ffprobe, {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-count_frames"),
                              QStringLiteral("-select_streams"), QStringLiteral("v:0"), QStringLiteral("-show_entries"),
                              QStringLiteral("stream=nb_read_frames"), QStringLiteral("-of"),
                              QStringLiteral("default=nw=1:nk=1"), path});
        probe.waitForFinished(-1);
        EXPECT_EQ(QString::fromLatin1(probe.readAllStandardOutput()).trimmed(), QStringLiteral("6")) << name;
    }
    // Nothing but the three films: the encoder's staging place is gone.
    EXPECT_EQ(entries(dir).size(), 3) << entries(dir).join(QLatin1Char(' ')).toStdString();

    // A projector's frame at the rate asked for: 1920x1080 at 24 a second,
    // the picture centred with its sky colour around it; the result names
    // the file for the message that says where it went.
    app::FilmRequest wide = smallFilm(dir.filePath(QStringLiteral("wide.mp4")), 3);
    wide.framesPerSecond = 24;
    wide.frameSize = QSize(app::kProjectorWidth, app::kProjectorHeight);
    const app::FilmResult r = app::exportFilm(wide, cat());
    ASSERT_TRUE(r.ok()) << r.error.toStdString();
    EXPECT_EQ(r.firstFile, QFileInfo(wide.path).absoluteFilePath());
    QProcess probe;
    probe.start(ffprobe, {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-select_streams"),
                          QStringLiteral("v:0"), QStringLiteral("-show_entries"),
                          QStringLiteral("stream=width,height,r_frame_rate"), QStringLiteral("-of"),
                          QStringLiteral("csv=p=0"), wide.path});
    probe.waitForFinished(-1);
    EXPECT_EQ(QString::fromLatin1(probe.readAllStandardOutput()).trimmed(), QStringLiteral("1920,1080,24/1"));
    EXPECT_TRUE(app::filmWrittenText(r).contains(r.firstFile));

    app::FilmRequest bad = wide;
    bad.framesPerSecond = 61;
    EXPECT_EQ(app::exportFilm(bad, cat()).status, app::FilmResult::Status::Refused);
    bad = wide;
    bad.frameSize = QSize(1921, 1080);
    EXPECT_EQ(app::exportFilm(bad, cat()).status, app::FilmResult::Status::Refused);
}

// Real signals, sent while the frames or the film are being made: SIGTERM
// to the program alone, and SIGINT to its whole process group as Ctrl+C in
// a terminal sends it (ffmpeg gets it too). The program ends by that signal,
// the staged frames or ffmpeg's partial film are gone and the old file is as
// it was.
TEST(FilmProgram, SignalsStopTheExportAndLeaveNothingBehind) {
    std::vector<std::pair<QString, int>> cases{{QStringLiteral("night.png"), SIGTERM}};
    if (!app::findFfmpeg().isEmpty()) cases.emplace_back(QStringLiteral("night.mp4"), SIGINT);
    for (const auto& [name, signal] : cases) {
        QTemporaryDir dir;
        const QString old = name.endsWith(QStringLiteral(".png")) ? QStringLiteral("night-0002.png") : name;
        {
            QFile f(dir.filePath(old));
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write("old");
        }
        QProcess p;
        p.setChildProcessModifier([] { ::setpgid(0, 0); });
        p.start(QStringLiteral(PLANETARIUM_PROGRAM), QStringList{QStringLiteral("--render"), dir.filePath(name),
                                                                 QStringLiteral("--frames"), QStringLiteral("3000"),
                                                                 QStringLiteral("--every"), QStringLiteral("1")} +
                                                         kScene);
        ASSERT_TRUE(p.waitForStarted());
        // Wait until the export has staged something.
        const auto staged = [&] {
            for (const QString& e : entries(dir))
                if (e.startsWith(QStringLiteral(".planetarium-film-")) && !QDir(dir.filePath(e)).isEmpty()) return true;
            return false;
        };
        for (int i = 0; i < 600 && !staged(); ++i) p.waitForFinished(50);
        ASSERT_TRUE(staged()) << name.toStdString();
        p.waitForFinished(300);
        ASSERT_EQ(p.state(), QProcess::Running);
        ASSERT_EQ(::kill(signal == SIGINT ? -pid_t(p.processId()) : pid_t(p.processId()), signal), 0);
        ASSERT_TRUE(p.waitForFinished(30000));
        EXPECT_EQ(p.exitStatus(), QProcess::CrashExit) << name.toStdString() << ": ended by its signal";
        EXPECT_EQ(entries(dir), QStringList{old}) << entries(dir).join(QLatin1Char(' ')).toStdString();
        QFile f(dir.filePath(old));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_EQ(f.readAll(), QByteArray("old"));
    }
}

// Sets PATH to a folder holding only a stand-in ffmpeg (a shell script)
// while it lives.
class FakeFfmpeg {
public:
    explicit FakeFfmpeg(const QByteArray& script) : oldPath_(qgetenv("PATH")) {
        const QString program = bin_.filePath(QStringLiteral("ffmpeg"));
        QFile f(program);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("#!/bin/sh\n" + script + "\n");
        f.close();
        f.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        qputenv("PATH", bin_.path().toLocal8Bit() + ":/usr/bin:/bin");
    }
    ~FakeFfmpeg() { qputenv("PATH", oldPath_); }

private:
    QTemporaryDir bin_;
    QByteArray oldPath_;
};

// An ffmpeg that stops reading fails the export after the stall time, and
// one that floods its error output is reported by its last lines only; in
// both cases nothing is left behind.
TEST(FilmExport, HungOrFloodingFfmpegFailsInOneLine) {
    QTemporaryDir dir;
    {
        const FakeFfmpeg hung("exec sleep 600");
        app::FilmRequest film = smallFilm(dir.filePath(QStringLiteral("a.mp4")), 3);
        film.stallSeconds = 1;
        const auto started = std::chrono::steady_clock::now();
        const app::FilmResult r = app::exportFilm(film, cat());
        EXPECT_EQ(r.status, app::FilmResult::Status::Failed);
        EXPECT_TRUE(r.error.contains(QStringLiteral("took no picture for 1 s"))) << r.error.toStdString();
        EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(20));
    }
    {
        // Some 20 MB of messages before it reads, then a last word and failure.
        const FakeFfmpeg flooding("yes 'frame=1 fps=0.0 q=0.0 size=0kB time=00:00:00 bitrate=N/A' | head -c 20000000 >&2\n"
                                  "cat >/dev/null\necho 'Conversion failed!' >&2\nexit 1");
        const app::FilmResult r = app::exportFilm(smallFilm(dir.filePath(QStringLiteral("a.gif")), 3), cat());
        EXPECT_EQ(r.status, app::FilmResult::Status::Failed);
        EXPECT_TRUE(r.error.endsWith(QStringLiteral("Conversion failed!"))) << r.error.left(300).toStdString();
        EXPECT_LE(r.error.size(), 420);
        EXPECT_FALSE(r.error.contains(QLatin1Char('\n')));
    }
    EXPECT_TRUE(entries(dir).isEmpty()) << entries(dir).join(QLatin1Char(' ')).toStdString();
}

// A GIF's palette comes from a sample of its frames, so ffmpeg no longer
// holds every frame: 80 frames at --scale 1 took 489 MB that way and take
// about 125 MB now, whatever the count.
TEST(FilmExport, GifEncodingMemoryDoesNotGrowWithTheFrames) {
    if (app::findFfmpeg().isEmpty()) GTEST_SKIP() << "ffmpeg is not installed";
    QTemporaryDir dir;
    app::FilmRequest film = smallFilm(dir.filePath(QStringLiteral("a.gif")), 80);
    film.first.scale = 1.0;
    film.everyMinutes = 5;
    const app::FilmResult r = app::exportFilm(film, cat());
    ASSERT_TRUE(r.ok()) << r.error.toStdString();
    rusage children{};
    ASSERT_EQ(::getrusage(RUSAGE_CHILDREN, &children), 0);
    EXPECT_LT(children.ru_maxrss, 250 * 1024) << "largest ffmpeg, KB";
}

TEST(FilmExport, FrameNamesAndFormats) {
    EXPECT_EQ(app::frameFileName(QStringLiteral("out/night.png"), 7), QStringLiteral("out/night-0007.png"));
    EXPECT_EQ(app::frameFileName(QStringLiteral("night.PNG"), 9999), QStringLiteral("night-9999.png"));
    EXPECT_EQ(app::filmFormat(QStringLiteral("a.MP4")), app::FilmFormat::Mp4);
    EXPECT_EQ(app::filmFormat(QStringLiteral("a.webm")), app::FilmFormat::Webm);
    EXPECT_FALSE(app::filmFormat(QStringLiteral("a.jpg")).has_value());
    EXPECT_FALSE(app::filmFormat(QStringLiteral("png")).has_value());
}

TEST(TrailPicture, EndsWithTheObjectsOfTheEndMomentInItsColours) {
    // 16:00 + 2 h: the picture is the one of 18:00, night colours, with the
    // stars at their 18:00 places and their trails behind them.
    app::PictureRequest trails;
    trails.input = {.year = 2026, .month = 1, .day = 15, .hour = 16, .minute = 0, .latDeg = 35.65, .lonDeg = 139.75};
    trails.direction = view::Direction::South;
    trails.trailMinutes = 120;
    app::PictureRequest end = trails;
    end.input.hour = 18;
    end.trailMinutes = 0;
    const QImage withTrails = app::renderPicture(trails, cat());
    const QImage endPicture = app::renderPicture(end, cat());
    ASSERT_EQ(withTrails.size(), endPicture.size());
    EXPECT_EQ(withTrails.pixel(3, 3), endPicture.pixel(3, 3));
    int differing = 0, coveredObject = 0;
    for (int y = 0; y < endPicture.height(); ++y)
        for (int x = 0; x < endPicture.width(); ++x) {
            const QRgb a = withTrails.pixel(x, y), b = endPicture.pixel(x, y);
            if (a != b) ++differing;
            // Where the end picture has a star, the trail picture has it too.
            if (QColor(b) == QColor(240, 208, 0) && a != b) ++coveredObject;
        }
    EXPECT_GT(differing, 2000) << "the trails";
    EXPECT_EQ(coveredObject, 0);
}

}  // namespace
