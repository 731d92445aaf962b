// 表示 → 天体を探す…: a search field with completion over every name the
// program knows. Choosing a name turns the view to the object and marks it
// with a ring for a few seconds, or, when it is below the horizon, says
// when and from where it next rises and offers to set the time to then.
// Which object a name means and where it stands come from view/finder, the
// same as --find.
#pragma once

#include "app/session/answers.h"

#include <QDialog>
#include <QString>
#include <QWidget>

#include <functional>
#include <optional>

#include "catalog/name_search.h"
#include "view/finder.h"

class QCompleter;
class QLabel;
class QLineEdit;
class QStringListModel;
class QTimer;

namespace app {

class MainWindow;
class SkyCanvas;

// A ring over the picture around a found object, shown for a few seconds.
// It is a widget on the canvas, not part of the drawn sky, so saved and
// printed pictures do not carry it; the next drawing takes it away.
class SkyRing : public QWidget {
    Q_OBJECT

public:
    explicit SkyRing(SkyCanvas* canvas);
    // Rings the point (canvas logical pixels) of an object drawn with this
    // radius, for kShownMs.
    void mark(QPointF centre, double radius);
    static constexpr int kShownMs = 4000;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QTimer* hide_ = nullptr;
};


class FindDialog : public QDialog {
    Q_OBJECT

public:
    explicit FindDialog(MainWindow* window);

    // Finds the object of this name and acts on it: turns the view and
    // marks it, or tells when it rises.
    void find(const QString& name);
    // What the last search said.
    QString resultText() const;
    // The session's answer to the last name looked for (the same struct
    // --find and the browser's find() format).
    const std::optional<FindResult>& lastResult() const { return last_; }
    // The names offered for this typed text.
    QStringList completions(const QString& typed) const;
    SkyRing* ring() const { return ring_; }

    // Asked when the object is below the horizon: true to set the time to
    // its rise and draw. Defaults to a question box.
    std::function<bool(const QString& text)> askSetTime;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void onEdited(const QString& text);
    void findLater(const QString& name);
    // `answer`: the session's sentence, to which the dialog adds what the
    // picture shows.
    void turnTo(const view::FoundObject& found, QString answer);
    void offerRise(const view::FoundObject& found, const std::optional<astro::SkyEvent>& rise, double nowJdUt,
                   const QString& answer);
    // Rings the object in what the canvas last drew; false when not drawn.
    bool markDrawn(const view::ObjectInfo& info);
    void say(const QString& text);

    MainWindow* window_;
    catalog::NameIndex names_;
    std::optional<FindResult> last_;
    QLineEdit* name_ = nullptr;
    QStringListModel* offered_ = nullptr;
    QCompleter* completer_ = nullptr;
    QLabel* result_ = nullptr;
    SkyRing* ring_ = nullptr;
    QString pending_;
    bool placed_ = false;
};

}  // namespace app
