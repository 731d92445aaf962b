#include "app/film/trail_menu_widgets.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>

namespace app {

TrailMenu::TrailMenu(QMenu* viewMenu, QObject* parent) : QObject(parent) {
    toggle_ = viewMenu->addAction(QStringLiteral("軌跡"));
    toggle_->setObjectName(QStringLiteral("trailsAction"));
    toggle_->setCheckable(true);
    toggle_->setToolTip(QStringLiteral("入力した時刻から選んだ時間のあいだの天体の動き（日周運動）を描きます"));
    connect(toggle_, &QAction::toggled, this, &TrailMenu::changed);

    QMenu* spanMenu = viewMenu->addMenu(QStringLiteral("軌跡の時間"));
    spanMenu->setObjectName(QStringLiteral("trailSpanMenu"));
    auto* group = new QActionGroup(spanMenu);
    for (std::size_t i = 0; i < kSpanHours.size(); ++i) {
        const int hours = kSpanHours[i];
        QAction* a = spanMenu->addAction(QStringLiteral("%1 時間").arg(hours));
        a->setObjectName(QStringLiteral("trailSpan_%1").arg(hours));
        a->setCheckable(true);
        a->setChecked(hours == hours_);
        group->addAction(a);
        spans_[i] = a;
        // Choosing a span asks for the trails.
        connect(a, &QAction::triggered, this, [this, hours] {
            const bool wasOn = toggle_->isChecked();
            hours_ = hours;
            toggle_->setChecked(true);
            if (wasOn) emit changed();
        });
    }
}

int TrailMenu::minutes() const { return toggle_->isChecked() ? hours_ * 60 : 0; }

QAction* TrailMenu::spanAction(int hours) const {
    for (std::size_t i = 0; i < kSpanHours.size(); ++i)
        if (kSpanHours[i] == hours) return spans_[i];
    return nullptr;
}

}  // namespace app
