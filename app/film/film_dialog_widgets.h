// ファイル → 動画に書き出し…: the dialog that asks for the interval, the
// number of frames or the end time and the file, and the export itself under
// a progress dialog with a cancel button.
#pragma once

#include <QDialog>
#include <QString>

#include <optional>

#include "app/output/film_export_gui.h"
#include "app/session/time_step.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QSpinBox;

namespace app {

// framesUntil: how many frames, the first at `start` and then every
// `everyMinutes` (or every `exactMinutes` when that is positive: sidereal
// days, each frame rounded to its minute), lie at or before `end`; 0 when
// `end` is before `start` or the step is not positive.
int framesUntil(const CivilMinute& start, const CivilMinute& end, int everyMinutes, double exactMinutes = 0.0);

class FilmDialog : public QDialog {
    Q_OBJECT

public:
    // start: the moment of the first frame (the window's fields);
    // everyMinutes: the window's time step, the first choice of interval.
    FilmDialog(const CivilMinute& start, int everyMinutes, const QString& suggestedPath, QWidget* parent = nullptr);

    // The step in whole minutes (a sidereal day counts 1,436) and, for
    // 恒星日, exactly (0 otherwise).
    int everyMinutes() const;
    double exactMinutes() const;
    // The frames asked for, by count or up to the end time (at most 9999);
    // 0 when the end time lies before the start.
    int frames() const;
    QString path() const;
    // 日時と場所を入れる: each frame carries its date, time and place.
    bool stamped() const;
    // 1秒あたりの枚数 of an animation; 大きさ: the picture's own size, or a
    // projector's 1920×1080 (invalid size: the picture's own).
    int framesPerSecond() const;
    QSize frameSize() const;

private:
    void updateSummary();
    void choosePath();

    CivilMinute start_;
    QSpinBox* interval_ = nullptr;
    QComboBox* unit_ = nullptr;  // 分, 日, 恒星日
    QRadioButton* byCount_ = nullptr;
    QSpinBox* count_ = nullptr;
    QRadioButton* byEnd_ = nullptr;
    // The last frame's moment, "YYYY-MM-DD HH:MM" (JST) in the program's
    // calendar, every year the fields hold: with 枚数 it follows the count,
    // with 終了時刻 the count follows it.
    QLineEdit* end_ = nullptr;
    void showLastFrame();
    QLineEdit* path_ = nullptr;
    QCheckBox* stamp_ = nullptr;
    QSpinBox* fps_ = nullptr;
    QComboBox* size_ = nullptr;
    QLabel* summary_ = nullptr;
};

// exportFilmWithProgress: runs exportFilm with a progress dialog
// ("filmProgress") whose cancel button stops it; a cancelled export leaves
// nothing behind.
FilmResult exportFilmWithProgress(const FilmRequest& req, const catalog::Catalogue& cat, QWidget* parent);

// askAndExportFilm: the whole menu command. Shows the dialog for a film
// whose first frame is `first` (the window's current view and moment), then
// exports it under the progress dialog. Returns nothing when the dialog was
// closed without starting.
std::optional<FilmResult> askAndExportFilm(const PictureRequest& first, int stepMinutes, const QString& suggestedPath,
                                           const catalog::Catalogue& cat, QWidget* parent);

// The sentence the window shows when an export failed: the old file is
// kept, then the reason.
QString filmFailedText(const FilmResult& result);

}  // namespace app
