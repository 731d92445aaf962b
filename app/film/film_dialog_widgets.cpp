#include "app/film/film_dialog_widgets.h"

#include "app/output/export_stop.h"

#include "app/session/request_fields.h"

#include <QCoreApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

#include <algorithm>
#include <cmath>

#include "app/session/sky_moments.h"

namespace app {

namespace {

constexpr int kMaxFrames = 9999;
constexpr int kMaxEveryMinutes = 366 * 24 * 60;

QString momentText(const CivilMinute& t) {
    return QStringLiteral("%1-%2-%3 %4:%5")
        .arg(t.year)
        .arg(t.month, 2, 10, QLatin1Char('0'))
        .arg(t.day, 2, 10, QLatin1Char('0'))
        .arg(t.hour, 2, 10, QLatin1Char('0'))
        .arg(t.minute, 2, 10, QLatin1Char('0'));
}

}  // namespace

int framesUntil(const CivilMinute& start, const CivilMinute& end, int everyMinutes, double exactMinutes) {
    const std::int64_t span = minuteCount(end) - minuteCount(start);
    if (span < 0) return 0;
    if (exactMinutes > 0.0) {
        // Frame k stands at the minute nearest k steps.
        std::int64_t k = static_cast<std::int64_t>(std::floor(span / exactMinutes));
        while (k > 0 && std::llround((k + 1) * exactMinutes) <= span) ++k;
        while (k > 0 && std::llround(k * exactMinutes) > span) --k;
        return static_cast<int>(std::min<std::int64_t>(k + 1, kMaxFrames));
    }
    if (everyMinutes <= 0) return 0;
    return static_cast<int>(std::min<std::int64_t>(span / everyMinutes + 1, kMaxFrames));
}

FilmDialog::FilmDialog(const CivilMinute& start, int everyMinutes, const QString& suggestedPath, QWidget* parent)
    : QDialog(parent), start_(start) {
    setObjectName(QStringLiteral("filmDialog"));
    setWindowTitle(QStringLiteral("動画に書き出し"));
    auto* form = new QFormLayout(this);

    interval_ = new QSpinBox(this);
    interval_->setObjectName(QStringLiteral("filmInterval"));
    interval_->setRange(1, kMaxEveryMinutes);
    interval_->setValue(std::clamp(everyMinutes, 1, kMaxEveryMinutes));
    unit_ = new QComboBox(this);
    unit_->setObjectName(QStringLiteral("filmUnit"));
    unit_->addItems({QStringLiteral("分"), QStringLiteral("日（同じ時刻）"), QStringLiteral("恒星日（星が同じ位置）")});
    auto* intervalRow = new QHBoxLayout;
    intervalRow->addWidget(interval_);
    intervalRow->addWidget(unit_);
    form->addRow(QStringLiteral("間隔"), intervalRow);

    byCount_ = new QRadioButton(QStringLiteral("枚数"), this);
    byCount_->setObjectName(QStringLiteral("filmByCount"));
    byCount_->setChecked(true);
    count_ = new QSpinBox(this);
    count_->setObjectName(QStringLiteral("filmFrames"));
    count_->setRange(1, kMaxFrames);
    count_->setValue(24);
    form->addRow(byCount_, count_);

    byEnd_ = new QRadioButton(QStringLiteral("終了時刻"), this);
    byEnd_->setObjectName(QStringLiteral("filmByEnd"));
    end_ = new QLineEdit(this);
    end_->setObjectName(QStringLiteral("filmEnd"));
    end_->setPlaceholderText(QStringLiteral("2026-01-16 02:00"));
    form->addRow(byEnd_, end_);
    showLastFrame();

    auto* pathRow = new QHBoxLayout;
    path_ = new QLineEdit(suggestedPath, this);
    path_->setObjectName(QStringLiteral("filmPath"));
    auto* browse = new QPushButton(QStringLiteral("参照…"), this);
    browse->setObjectName(QStringLiteral("filmBrowse"));
    pathRow->addWidget(path_, 1);
    pathRow->addWidget(browse);
    form->addRow(QStringLiteral("ファイル"), pathRow);

    stamp_ = new QCheckBox(QStringLiteral("日時と場所を入れる"), this);
    stamp_->setObjectName(QStringLiteral("filmStamp"));
    stamp_->setChecked(true);
    form->addRow(stamp_);

    fps_ = new QSpinBox(this);
    fps_->setObjectName(QStringLiteral("filmFps"));
    fps_->setRange(1, kMaxFilmFramesPerSecond);
    fps_->setValue(kFilmFramesPerSecond);
    fps_->setSuffix(QStringLiteral(" 枚"));
    form->addRow(QStringLiteral("1秒あたり"), fps_);
    size_ = new QComboBox(this);
    size_->setObjectName(QStringLiteral("filmSize"));
    const QSize own = pictureSize(1.0);
    size_->addItem(QStringLiteral("画面と同じ（%1×%2）").arg(own.width()).arg(own.height()));
    size_->addItem(QStringLiteral("プロジェクター（%1×%2）").arg(kProjectorWidth).arg(kProjectorHeight));
    form->addRow(QStringLiteral("大きさ"), size_);

    summary_ = new QLabel(this);
    summary_->setObjectName(QStringLiteral("filmSummary"));
    form->addRow(summary_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("書き出す"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
    form->addRow(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(browse, &QPushButton::clicked, this, &FilmDialog::choosePath);
    for (QSpinBox* box : {interval_, count_}) {
        connect(box, &QSpinBox::valueChanged, this, &FilmDialog::showLastFrame);
        connect(box, &QSpinBox::valueChanged, this, &FilmDialog::updateSummary);
    }
    connect(end_, &QLineEdit::textChanged, this, &FilmDialog::updateSummary);
    connect(fps_, &QSpinBox::valueChanged, this, &FilmDialog::updateSummary);
    connect(unit_, &QComboBox::currentIndexChanged, this, [this](int unit) {
        // Days and sidereal days up to a year; minutes up to a year of minutes.
        interval_->setMaximum(unit == 0 ? kMaxEveryMinutes : 366);
        showLastFrame();
        updateSummary();
    });
    connect(byCount_, &QRadioButton::toggled, this, &FilmDialog::updateSummary);
    connect(path_, &QLineEdit::textChanged, this, &FilmDialog::updateSummary);
    updateSummary();
    // Only a film that can be made can be started.
    const auto okEnabled = [this, buttons] {
        buttons->button(QDialogButtonBox::Ok)->setEnabled(frames() > 0 && filmFormat(path()).has_value());
    };
    for (QSpinBox* box : {interval_, count_}) connect(box, &QSpinBox::valueChanged, this, okEnabled);
    connect(unit_, &QComboBox::currentIndexChanged, this, okEnabled);
    connect(end_, &QLineEdit::textChanged, this, okEnabled);
    connect(byCount_, &QRadioButton::toggled, this, okEnabled);
    connect(path_, &QLineEdit::textChanged, this, okEnabled);
    okEnabled();
}

int FilmDialog::everyMinutes() const {
    switch (unit_->currentIndex()) {
    case 1: return interval_->value() * 24 * 60;
    case 2: return static_cast<int>(std::lround(exactMinutes()));
    default: return interval_->value();
    }
}

double FilmDialog::exactMinutes() const { return unit_->currentIndex() == 2 ? interval_->value() * kSiderealDayMinutes : 0.0; }

int FilmDialog::frames() const {
    if (byCount_->isChecked()) return count_->value();
    CivilMinute end;
    if (!parseMoment(end_->text().trimmed().toStdString(), end).empty()) return 0;
    return framesUntil(start_, end, everyMinutes(), exactMinutes());
}

void FilmDialog::showLastFrame() {
    if (!byCount_->isChecked()) return;
    const std::int64_t steps = count_->value() - 1;
    const std::int64_t last = minuteCount(start_) + (exactMinutes() > 0.0 ? std::llround(steps * exactMinutes())
                                                                           : steps * everyMinutes());
    const CivilMinute end = civilFromMinuteCount(last);
    if (end.year >= kMinYear && end.year <= kMaxYear) end_->setText(momentText(end));
}

QString FilmDialog::path() const { return path_->text().trimmed(); }

void FilmDialog::updateSummary() {
    const int n = frames();
    CivilMinute end;
    if (n == 0 && !parseMoment(end_->text().trimmed().toStdString(), end).empty()) {
        summary_->setText(QStringLiteral("終了時刻は 2026-01-16 02:00 の形で入れてください"));
    } else if (n == 0) {
        summary_->setText(QStringLiteral("終了時刻が開始時刻より前です"));
    } else if (!filmFormat(path())) {
        summary_->setText(QStringLiteral("ファイル名は .png（連番）、.gif、.mp4、.webm で終わるようにしてください"));
    } else {
        const bool frames = filmFormat(path()) == FilmFormat::PngFrames;
        summary_->setText(frames ? QStringLiteral("%1 枚の PNG 画像").arg(n)
                                 : QStringLiteral("%1 枚（%2 秒）").arg(n).arg(QString::number(double(n) / fps_->value(), 'f', 1)));
    }
}

bool FilmDialog::stamped() const { return stamp_->isChecked(); }

int FilmDialog::framesPerSecond() const { return fps_->value(); }

QSize FilmDialog::frameSize() const {
    return size_->currentIndex() == 1 ? QSize(kProjectorWidth, kProjectorHeight) : QSize();
}

void FilmDialog::choosePath() {
    const QString chosen = QFileDialog::getSaveFileName(
        this, QStringLiteral("動画に書き出し"), path(),
        QStringLiteral("MP4 動画 (*.mp4);;GIF アニメーション (*.gif);;WebM 動画 (*.webm);;PNG 連番 (*.png)"));
    if (!chosen.isEmpty()) path_->setText(chosen);
}

FilmResult exportFilmWithProgress(const FilmRequest& req, const catalog::Catalogue& cat, QWidget* parent) {
    QProgressDialog progress(QStringLiteral("動画を書き出しています…"), QStringLiteral("キャンセル"), 0, req.frames,
                             parent);
    progress.setObjectName(QStringLiteral("filmProgress"));
    progress.setWindowTitle(QStringLiteral("動画に書き出し"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);
    progress.setValue(0);
    // SIGINT, SIGTERM or SIGHUP stop the export, which cleans up; the
    // window then ends by that signal.
    const StopExportOnSignals stopOnSignals;
    const FilmResult result = exportFilm(req, cat, [&progress](int done, int) {
        progress.setValue(done);
        QCoreApplication::processEvents();
        return !progress.wasCanceled();
    });
    progress.reset();
    return result;
}

std::optional<FilmResult> askAndExportFilm(const PictureRequest& first, int stepMinutes, const QString& suggestedPath,
                                           const catalog::Catalogue& cat, QWidget* parent) {
    const astro::SkyInput& in = first.input;
    const std::optional<CivilMinute> start = advanceMinutes(in.year, in.month, in.day, in.hour, in.minute, 0);
    if (!start) return FilmResult{FilmResult::Status::Refused, QStringLiteral("日時を読めません"), {}, {}};
    FilmDialog dialog(*start, stepMinutes, suggestedPath, parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    FilmRequest film;
    film.first = first;
    film.first.stepMinutes = dialog.everyMinutes();
    film.frames = dialog.frames();
    film.everyMinutes = dialog.everyMinutes();
    film.exactEveryMinutes = dialog.exactMinutes();
    film.path = dialog.path();
    film.framesPerSecond = dialog.framesPerSecond();
    film.frameSize = dialog.frameSize();
    if (!dialog.stamped()) film.first.stamp.reset();
    return exportFilmWithProgress(film, cat, parent);
}

QString filmFailedText(const FilmResult& result) {
    return QStringLiteral("動画を書き出せませんでした。書き出し先にあったファイルはそのままです。\n（理由: %1）").arg(result.error);
}

}  // namespace app
