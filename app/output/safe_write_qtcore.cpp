#include "app/output/safe_write_qtcore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <csignal>
#include <cstdio>

namespace app {

namespace {

// How a path is written once its symbolic links are followed.
struct Target {
    QString path;           // what to open
    bool inPlace = false;   // write into it directly, never replace it
    bool regular = false;   // an existing regular file, or nothing yet
    bool loop = false;      // symbolic links that lead nowhere: left alone
};

bool throughProc(const QString& absolutePath) {
    return absolutePath == QLatin1String("/proc") || absolutePath.startsWith(QLatin1String("/proc/"));
}

// Follows symbolic links the way the kernel would open the path. A chain
// through /proc (/dev/stdout -> /proc/self/fd/1 -> "pipe:[...]") names an
// open file of this process, not a place in the file system: such a path is
// written in place, so a shell's ">>" keeps its earlier content.
Target resolve(const QString& path) {
    Target t;
    QFileInfo info(path);
    bool proc = throughProc(info.absoluteFilePath());
    for (int depth = 0; depth < 40 && info.isSymLink(); ++depth) {
        info.setFile(info.symLinkTarget());
        proc = proc || throughProc(info.absoluteFilePath());
    }
    if (proc) {
        t.path = path;
        t.inPlace = true;
        return t;
    }
    if (info.isSymLink()) {  // a loop, or a chain too long to follow
        t.loop = true;
        return t;
    }
    t.path = info.absoluteFilePath();
    t.regular = !info.exists() || info.isFile() || info.isDir();  // a directory: QSaveFile reports it
    t.inPlace = !t.regular;
    return t;
}

QString deviceError(const QFileDevice& f, const char* fallback) {
    if (f.error() != QFileDevice::NoError) return f.errorString().simplified();
    return QString::fromLatin1(fallback);
}

// Writes into an open stream (standard output, a device, a FIFO). Nothing is
// removed on failure: the program did not create it.
QString writeInto(QFile& out, const ContentWriter& write) {
    if (!write(out)) return deviceError(out, "the data could not be written");
    if (!out.flush() || out.error() != QFileDevice::NoError) return deviceError(out, "the data could not be written");
    out.close();
    if (out.error() != QFileDevice::NoError) return out.errorString().simplified();
    return {};
}

}  // namespace

void ignoreFileSizeSignal() {
#ifdef SIGXFSZ
    std::signal(SIGXFSZ, SIG_IGN);
#endif
}

std::optional<QString> fileNameFromArgument(const std::string& bytes) {
    const QByteArray raw = QByteArray::fromStdString(bytes);
    if (raw.isEmpty() || raw.contains('\0')) return std::nullopt;
    QString name = QFile::decodeName(raw);
    if (QFile::encodeName(name) != raw) return std::nullopt;
    return name;
}

QString writeFileSafely(const QString& path, const ContentWriter& write, WriteTarget target) {
    ignoreFileSizeSignal();
    if (path.isEmpty()) return QStringLiteral("no file name was given");

    if (path == QLatin1String("-")) {
        if (target == WriteTarget::FileOnly) return QStringLiteral("standard output is not a file");
        std::fflush(stdout);  // what stdio holds comes first
        QFile out;
        if (!out.open(stdout, QIODevice::WriteOnly, QFileDevice::DontCloseHandle))
            return deviceError(out, "standard output cannot be written");
        return writeInto(out, write);
    }

    const Target t = resolve(path);
    if (t.loop) return QStringLiteral("too many levels of symbolic links; nothing was changed");
    if (t.inPlace) {
        if (target == WriteTarget::FileOnly)
            return QStringLiteral("it is not a regular file (a device, FIFO or socket); it was left as it is");
        // Append: never truncate what the path names (a shell's ">>" file
        // behind /dev/stdout); a device or FIFO has no end to seek to.
        QFile out(t.path);
        if (!out.open(QIODevice::WriteOnly | QIODevice::Append)) return deviceError(out, "it cannot be opened");
        return writeInto(out, write);
    }

    // Beside the target, then renamed over it. Never written in place: when
    // no temporary file can be made next to the target, the write fails.
    QSaveFile file(t.path);
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly)) return deviceError(file, "it cannot be created");
    // commit() does not look at the error of its own last flush (a short
    // write under a file-size limit would be committed): flush first.
    if (!write(file) || !file.flush() || file.error() != QFileDevice::NoError) {
        const QString error = deviceError(file, "the data could not be written");
        file.cancelWriting();
        return error;  // the temporary file goes with `file`
    }
    if (!file.commit()) return deviceError(file, "the file could not be completed");
    return {};
}

QString writeFileSafely(const QString& path, const QByteArray& bytes, WriteTarget target) {
    return writeFileSafely(
        path, [&bytes](QIODevice& out) { return out.write(bytes) == bytes.size(); }, target);
}

QString failedWriteText(const QString& what, const QString& verb, const QString& path, const QString& reason) {
    QString text = QStringLiteral("%1 %2 に%3できませんでした。元のファイルはそのままです。").arg(what, path, verb);
    if (!reason.isEmpty()) text += QStringLiteral("\n（理由: %1）").arg(reason);
    return text;
}

}  // namespace app
