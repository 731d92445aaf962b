#include "app/planisphere/planisphere_menu_widgets.h"

#include <QAction>
#include <QFileDialog>
#include <QMenu>
#include <QMessageBox>
#include <QWidget>

#include "app/output/safe_write_qtcore.h"
#include "app/output/planisphere_pdf_gui.h"
#include "app/session/planisphere_request.h"

namespace app {

PlanisphereMenu::PlanisphereMenu(QWidget* window, QMenu* fileMenu, std::function<PlanispherePlace()> place,
                                 const catalog::Catalogue& cat, PlanisphereHooks hooks)
    : QObject(window), window_(window), place_(std::move(place)), cat_(cat), hooks_(std::move(hooks)) {
    if (!hooks_.askPath) {
        hooks_.askPath = [this](const QString& name) {
            return QFileDialog::getSaveFileName(window_, QStringLiteral("星座早見盤を作る"), name,
                                                QStringLiteral("PDF (*.pdf)"));
        };
    }
    if (!hooks_.warn) {
        hooks_.warn = [this](const QString& text) { QMessageBox::warning(window_, QStringLiteral("プラネタリウム"), text); };
    }
    if (!hooks_.done) hooks_.done = [](const QString&) {};
    action_ = new QAction(QStringLiteral("星座早見盤を作る(&H)…"), window);
    action_->setObjectName(QStringLiteral("planisphereAction"));
    connect(action_, &QAction::triggered, this, [this] { makeInteractive(); });
    if (fileMenu) fileMenu->addAction(action_);
}

bool PlanisphereMenu::makeInteractive() {
    const PlanispherePlace place = place_();
    std::string why;
    const std::optional<view::Planisphere> p = planisphereOf(place.latDeg, place.lonDeg, place.zone, place.year, why);
    if (!p) {
        hooks_.warn(QString::fromStdString(why));
        return false;
    }
    const QString path =
        hooks_.askPath(QString::fromStdString(planisphereFileName(place.name, place.latDeg, place.lonDeg)));
    if (path.isEmpty()) return false;
    const QByteArray bytes = planispherePdf(*p, cat_, place.name);
    const QString error = bytes.isEmpty() ? QStringLiteral("星座早見盤を作れませんでした。") : writeFileSafely(path, bytes);
    if (!error.isEmpty()) {
        hooks_.warn(failedWriteText(QStringLiteral("星座早見盤を"), QStringLiteral("書き出し"), path, error));
        return false;
    }
    hooks_.done(QStringLiteral("星座早見盤を書き出しました（2ページ。厚紙に印刷して切り抜きます）"));
    return true;
}

}  // namespace app
