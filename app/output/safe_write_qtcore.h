// Every file the program writes goes through here, so that a failed write
// never destroys what was at the path before.
//
//   - A regular file, or a path where nothing exists yet, is written to a
//     temporary file beside its target and committed by rename (QSaveFile):
//     a full disk, a file-size limit or a crash leaves the old file whole.
//     A symbolic link is followed to its target, so the link stays a link;
//     an existing file keeps its permissions, a new one gets the umask.
//   - A device, a FIFO, a socket, or a path through /proc (/dev/stdout,
//     /dev/fd/N) is written in place and never removed, also on failure.
//     WriteTarget::FileOnly refuses these instead (the settings file).
//   - "-" is standard output.
// A file-size limit makes the write fail with an error instead of killing
// the process (SIGXFSZ is ignored).
#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>

#include <functional>
#include <optional>
#include <string>

namespace app {

enum class WriteTarget {
    FileOrStream,  // pictures and exports: files, devices, FIFOs, "-"
    FileOnly,      // a regular file or a new path; anything else is refused
};

// Produces the content into `out`; returns false when it could not (an
// encoder failure or a write error of `out`).
using ContentWriter = std::function<bool(QIODevice& out)>;

// Writes what `write` produces to `path`. Returns an empty string on
// success, otherwise one line saying why (without the path).
QString writeFileSafely(const QString& path, const ContentWriter& write,
                        WriteTarget target = WriteTarget::FileOrStream);
QString writeFileSafely(const QString& path, const QByteArray& bytes,
                        WriteTarget target = WriteTarget::FileOrStream);

// What the window tells the user when a write failed: a Japanese sentence
// saying what could not be written where and that what was there is kept,
// then the system's own reason, e.g.
// 「画像を /tmp/a.png に保存できませんでした。元のファイルはそのままです。\n（理由: Is a directory）」.
// `what` is the object and verb, e.g. "画像を" + "保存".
QString failedWriteText(const QString& what, const QString& verb, const QString& path, const QString& reason);

// A file name given on the command line (raw bytes) as Qt names the same
// file, or nothing when Qt cannot name it unchanged (bytes that are not valid
// in the platform's file-name encoding): such a name is refused rather than
// written under a different name.
std::optional<QString> fileNameFromArgument(const std::string& bytes);

// A write beyond the process's file-size limit fails with EFBIG instead of
// killing the process. writeFileSafely calls it; main() calls it at start.
void ignoreFileSizeSignal();

}  // namespace app
