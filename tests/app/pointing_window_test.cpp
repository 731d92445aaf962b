// Pointing at the picture and finding by name, in the real window under the
// offscreen platform. Expected pixels and answers come from the command
// line's core (view::findObject, view::nextRiseOf), never from hand-made
// coordinates.
#include <QLabel>
#include <QTemporaryDir>
#include <QLineEdit>
#include <QListWidget>
#include <QCheckBox>
#include <QMouseEvent>
#include <QRadioButton>
#include <QStatusBar>
#include <QAction>
#include <QApplication>
#include <QTest>

#include <QWheelEvent>

#include <gtest/gtest.h>

#include <chrono>

#include <cmath>
#include <memory>

#include "app/cli/cli_args.h"
#include "app/pointing/find_dialog_widgets.h"
#include "app/cli/cli_queries.h"
#include "app/desktop/desktop_widgets.h"
#include "app/freeview/free_view_widgets.h"
#include "app/window/main_window_widgets.h"
#include "app/pointing/object_card_widgets.h"
#include "app/window/sky_canvas_widgets.h"
#include "app/pointing/sky_pointer_widgets.h"
#include "astro/astro.h"
#include "catalog/catalog.h"
#include "catalog/name_search.h"
#include "view/finder.h"
#include "view/free_projector.h"

namespace {

const catalog::Catalogue& catalogue() {
    static const catalog::Catalogue cat = catalog::loadCatalogue();
    return cat;
}

class PointingTest : public ::testing::Test {
protected:
    // Tokyo, 2026-01-15 22:00: Sirius and Betelgeuse high in the south,
    // Vega below the horizon until the small hours.
    void SetUp() override {
        app::WindowHooks h;
        // A folder of its own: the window remembers its view beside the
        // settings file, and no other test may read or change that memory.
        h.settingsPath = settingsDir_.filePath(QStringLiteral("pstart.txt")).toStdString();
        h.warn = [](const QString&) {};
        h.meteorSeed = 1;
        desktop_ = std::make_unique<app::Desktop>(catalogue(), std::move(h));
        window_ = &desktop_->window();
        app::CliOptions o;
        o.year = 2026, o.month = 1, o.day = 15, o.hour = 22, o.minute = 0;
        o.placeIndex = catalog::findPlace(catalogue(), "東京");
        window_->applyStartOptions(app::skyQuery(o));
        window_->show();
    }

    astro::SkyState sky() const { return astro::computeSky(window_->currentRequest().request.input); }
    view::FoundObject found(const char* name) const {
        static const catalog::NameIndex names(catalogue());
        return view::findObject(catalogue(), names, sky(), name);
    }
    // Where the picture that --find names draws the object, canvas pixels.
    QPoint pixelOf(const view::FoundObject& f) const {
        return QPoint(static_cast<int>(std::floor(f.picture->at.x / 15.0)),
                      static_cast<int>(std::floor(f.picture->at.y / 15.0)));
    }
    // Through the window system, so the event reaches whichever widget
    // lies over the picture there, as a real pointer's would.
    void mouse(QEvent::Type type, QPoint at) {
        if (type == QEvent::MouseMove) {
            // Qt drops a move to where the pointer already is.
            QTest::mouseMove(window_->canvas(), at + QPoint(1, 0));
            QTest::mouseMove(window_->canvas(), at);
        } else QTest::mousePress(window_->canvas(), Qt::LeftButton, Qt::NoModifier, at);
        QApplication::processEvents();
    }
    QString field(int i) const {
        return window_->findChild<QLineEdit*>(QStringLiteral("txtYMD_%1").arg(i))->text();
    }

    QTemporaryDir settingsDir_;
    std::unique_ptr<app::Desktop> desktop_;
    app::MainWindow* window_ = nullptr;
};

TEST_F(PointingTest, HoverNamesTheDrawnStarAndClickOpensItsCard) {
    // Betelgeuse is drawn where the numeric table's cells lie (empty now).
    const view::FoundObject star = found("ベテルギウス");
    ASSERT_TRUE(star.aboveHorizon);
    ASSERT_EQ(star.picture->dir, view::Direction::South);
    // Nothing answers before anything is drawn.
    mouse(QEvent::MouseMove, pixelOf(star));
    EXPECT_TRUE(window_->statusBar()->currentMessage().isEmpty());

    window_->drawToward(view::Direction::South);
    mouse(QEvent::MouseMove, pixelOf(star));
    EXPECT_TRUE(window_->statusBar()->currentMessage().startsWith(QStringLiteral("ベテルギウス — オリオン座 α星 0.5等 高度 61.7° 方位 181.9°")))
        << window_->statusBar()->currentMessage().toStdString();

    // Empty sky: its altitude and azimuth. Leaving the picture gives the
    // moment and place back.
    const view::DrawRecord& record = window_->canvas()->lastDrawn()->record;
    QPoint empty = pixelOf(star) + QPoint(0, 100);
    while (view::objectAt(record, empty.x() + 0.5, empty.y() + 0.5)) empty.rx() += 7;
    mouse(QEvent::MouseMove, empty);
    EXPECT_TRUE(window_->statusBar()->currentMessage().startsWith(QStringLiteral("高度 ")))
        << window_->statusBar()->currentMessage().toStdString() << " at " << empty.x() << "," << empty.y();
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(window_->canvas(), &leave);
    EXPECT_TRUE(window_->statusBar()->currentMessage().isEmpty());
    EXPECT_TRUE(window_->findChild<QLabel*>("statusText")->text().contains(QStringLiteral("東京")));

    // A click two pixels off the centre still takes the star.
    mouse(QEvent::MouseButtonPress, pixelOf(star) + QPoint(2, -1));
    app::ObjectCard* card = desktop_->pointer()->card();
    ASSERT_NE(card, nullptr);
    EXPECT_TRUE(card->isVisible());
    const QString text = card->text();
    EXPECT_TRUE(text.contains(QStringLiteral("オリオン座 α星 (HR 2061)"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("赤い")));
    EXPECT_TRUE(text.contains(QStringLiteral("高度 61.7°"))) << text.toStdString();
    // It rises, transits and sets on the 15th at Tokyo: no "--:--".
    EXPECT_TRUE(text.contains(QStringLiteral("今日　出 ")));
    EXPECT_FALSE(text.contains(QStringLiteral("--:--"))) << text.toStdString();

    // The card follows the clock: an hour later (four 15-minute steps) it
    // gives the star's altitude for the new moment, beside its new place.
    const QPoint before = card->pos();
    window_->stepAndDraw(4);
    ASSERT_TRUE(card->isVisible());
    EXPECT_FALSE(card->text().contains(QStringLiteral("高度 61.7°"))) << card->text().toStdString();
    EXPECT_NE(card->pos(), before);
    // Facing north, Betelgeuse is not drawn: the card closes.
    window_->drawToward(view::Direction::North);
    EXPECT_FALSE(card->isVisible());

    mouse(QEvent::MouseButtonPress, pixelOf(found("ポラリス")));
    ASSERT_TRUE(card->isVisible()) << "Polaris's card after turning north";
    QTest::keyClick(card, Qt::Key_Escape);
    EXPECT_FALSE(card->isVisible());
}

// The clusters and nebulae and the planets: their cards tell their kind,
// constellation (by the IAU boundaries) and magnitude.
TEST_F(PointingTest, CardsOfANebulaAndAPlanetTellWhereTheyStand) {
    window_->findChild<QAction*>("deepSkyAction")->setChecked(true);
    for (const auto& [name, want] : {std::pair{"M42", "M42　散光星雲<br>オリオン座　4.0等"},
                                     std::pair{"木星", "ふたご座　−2.7等"}}) {
        const view::FoundObject f = found(name);
        ASSERT_TRUE(f.aboveHorizon && f.picture) << name;
        window_->drawToward(f.picture->dir);
        mouse(QEvent::MouseButtonPress, pixelOf(f));
        app::ObjectCard* card = desktop_->pointer()->card();
        ASSERT_TRUE(card != nullptr && card->isVisible()) << name;
        EXPECT_TRUE(card->text().contains(QString::fromUtf8(want))) << card->text().toStdString();
        QTest::keyClick(card, Qt::Key_Escape);
    }
}

TEST_F(PointingTest, FindingAVisibleStarTurnsTheViewAndRingsIt) {
    app::FindDialog* finder = desktop_->findDialog();
    // Every kana and width form offers the same star.
    for (const char* typed : {"しりうす", "ｼﾘｳｽ", "シリ"}) {
        const QStringList offered = finder->completions(QString::fromUtf8(typed));
        EXPECT_TRUE(offered.contains(QStringLiteral("シリウス"))) << typed;
        EXPECT_FALSE(offered.contains(QStringLiteral("ｼﾘｳｽ"))) << "one name per object";
    }
    window_->drawToward(view::Direction::North);
    finder->find(QStringLiteral("しりうす"));
    const view::FoundObject star = found("シリウス");
    ASSERT_TRUE(window_->canvas()->lastDrawn());
    EXPECT_EQ(window_->canvas()->lastDrawn()->direction, star.picture->dir);
    EXPECT_TRUE(window_->findChild<QRadioButton*>("optDIR_2")->isChecked());
    app::SkyRing* ring = finder->ring();
    EXPECT_TRUE(ring->isVisible());
    EXPECT_LE((ring->geometry().center() - pixelOf(star)).manhattanLength(), 3);
    EXPECT_TRUE(finder->resultText().startsWith(QStringLiteral("シリウスは南の空")));

    // A constellation: where all of it stands, and its figure switched on.
    finder->find(QStringLiteral("オリオン座"));
    EXPECT_TRUE(window_->findChild<QCheckBox*>("chkSTR")->isChecked());
    const int figure = catalog::findConstellation(catalogue(), "オリオン座");
    ASSERT_GT(figure, 0);
    EXPECT_TRUE(window_->findChild<QListWidget*>("lstSTR")->item(figure - 1)->isSelected());
    EXPECT_TRUE(finder->resultText().startsWith(QStringLiteral("オリオン座は全体が地平線の上にあり、南"))) << finder->resultText().toStdString();

    finder->find(QStringLiteral("そんな星"));
    EXPECT_TRUE(finder->resultText().contains(QStringLiteral("見つかりません")));
}

// 天体を探す and --find ask the session the same question and get the same
// result struct: the object, its picture, its rise, the names offered.
TEST_F(PointingTest, TheWindowsFindAndTheCommandLinesFindGiveTheSameResult) {
    app::FindDialog* finder = desktop_->findDialog();
    const auto now = std::chrono::sys_days{std::chrono::year{2026} / 1 / 15} + std::chrono::hours(13);  // 22:00 JST
    for (const char* name : {"シリウス", "ベガ", "木星", "オリオン座", "すばる", "シリ"}) {
        window_->setMoment(2026, 1, 15, 22, 0);
        finder->askSetTime = [](const QString&) { return false; };
        finder->find(QString::fromUtf8(name));
        ASSERT_TRUE(finder->lastResult()) << name;
        const app::FindResult& w = *finder->lastResult();
        app::SkyQuery q;
        q.at = astro::CivilMinute{2026, 1, 15, 22, 0};
        q.placeIndex = catalog::findPlace(catalogue(), "東京");
        const app::FindResult c = app::answerFind({q, name, false, 1.0, std::nullopt, false}, catalogue(), app::LocalZone{}, now);
        EXPECT_EQ(w.found.status, c.found.status) << name;
        EXPECT_EQ(w.found.info.name, c.found.info.name) << name;
        EXPECT_EQ(w.found.info.altDeg, c.found.info.altDeg) << name;
        EXPECT_EQ(w.found.picture.has_value(), c.found.picture.has_value()) << name;
        if (w.found.picture && c.found.picture) {
            EXPECT_EQ(w.found.picture->dir, c.found.picture->dir) << name;
        }
        EXPECT_EQ(w.nextRise.has_value(), c.nextRise.has_value()) << name;
        if (w.nextRise && c.nextRise) {
            EXPECT_EQ(w.nextRise->jdUt, c.nextRise->jdUt) << name;
        }
        EXPECT_EQ(w.candidates, c.candidates) << name;
    }
}

TEST_F(PointingTest, FindingAStarBelowTheHorizonOffersItsRise) {
    const view::FoundObject vega = found("ベガ");
    ASSERT_FALSE(vega.aboveHorizon);
    const std::optional<astro::SkyEvent> rise = view::nextRiseOf(vega, sky());
    ASSERT_TRUE(rise);
    const astro::LocalDateTime at = astro::localMinute(rise->jdUt, astro::fixedUtcOffset(9 * 3600));
    const QString sentence = QStringLiteral("%1時%2分に%3から昇ります")
                                 .arg(at.hour)
                                 .arg(at.minute, 2, 10, QLatin1Char('0'))
                                 .arg(QString::fromUtf8(view::compassPointJa(rise->azDeg)));

    app::FindDialog* finder = desktop_->findDialog();
    QStringList asked;
    bool accept = false;
    finder->askSetTime = [&](const QString& q) {
        asked << q;
        return accept;
    };
    // Declined: the question was asked, the fields stay.
    finder->find(QStringLiteral("べが"));
    ASSERT_EQ(asked.size(), 1);
    EXPECT_TRUE(asked[0].contains(sentence)) << asked[0].toStdString() << " / " << sentence.toStdString();
    EXPECT_EQ(field(3), QStringLiteral("22"));
    EXPECT_FALSE(window_->canvas()->lastDrawn());

    // Accepted: the fields hold the rise and the picture toward it is drawn.
    accept = true;
    finder->find(QStringLiteral("ベガ"));
    ASSERT_EQ(asked.size(), 2);
    EXPECT_EQ(field(2).toInt(), at.date.day);
    EXPECT_EQ(field(3).toInt(), at.hour);
    EXPECT_EQ(field(4).toInt(), at.minute);
    ASSERT_TRUE(window_->canvas()->lastDrawn());
    // Toward the picture holding its rising point, which is ringed.
    EXPECT_EQ(window_->canvas()->lastDrawn()->direction, view::pictureShowing(0.0, rise->azDeg)->dir);
    EXPECT_TRUE(finder->ring()->isVisible());
    // The message speaks of the moment drawn: no stale "今は地平線の下".
    EXPECT_FALSE(finder->resultText().contains(QStringLiteral("地平線の下"))) << finder->resultText().toStdString();
    EXPECT_TRUE(finder->resultText().contains(QStringLiteral("その時刻の空を描きました")));
}

// 表示 → 自由視点: the picture is the free view; a drag turns it the way the
// pointer goes, the wheel and + zoom, a click (no drag) still opens the card
// of the star under it, and unticking gives the design's views back.
TEST_F(PointingTest, TheFreeViewTurnsZoomsAndPoints) {
    app::FreeViewControl* free = desktop_->freeView();
    ASSERT_NE(free, nullptr);
    window_->drawToward(view::Direction::South);
    free->setLook({180.0, 45.0, 90.0});
    free->action()->setChecked(true);
    ASSERT_TRUE(window_->canvas()->lastDrawn() && window_->canvas()->lastDrawn()->free);
    EXPECT_EQ(window_->canvas()->lastDrawn()->free->altDeg, 45.0);

    // A click on Betelgeuse, placed by the free projector, opens its card.
    const view::FoundObject star = found("ベテルギウス");
    const auto projector = view::freeProjector({180.0, 45.0, 90.0});
    const view::PicturePoint at = projector->place(star.info.altDeg, star.info.azDeg).at;
    const QPoint px(static_cast<int>(std::floor(at.x / 15.0)), static_cast<int>(std::floor(at.y / 15.0)));
    mouse(QEvent::MouseButtonPress, px);
    QTest::mouseRelease(window_->canvas(), Qt::LeftButton, Qt::NoModifier, px);
    app::ObjectCard* card = desktop_->pointer()->card();
    ASSERT_TRUE(card != nullptr && card->isVisible());
    EXPECT_TRUE(card->text().contains(QStringLiteral("ベテルギウス"))) << card->text().toStdString();
    QTest::keyClick(card, Qt::Key_Escape);

    // Dragging 100 px to the right brings the sky to the left (east, smaller
    // azimuths) into the middle: fov 90 over the canvas's width.
    const QPoint from(400, 300);
    QTest::mousePress(window_->canvas(), Qt::LeftButton, Qt::NoModifier, from);
    QTest::mouseMove(window_->canvas(), from + QPoint(50, 0));
    QTest::mouseMove(window_->canvas(), from + QPoint(100, 0));
    QTest::mouseRelease(window_->canvas(), Qt::LeftButton, Qt::NoModifier, from + QPoint(100, 0));
    const double perPx = 90.0 / window_->canvas()->width();
    EXPECT_NEAR(free->look()->azDeg, 180.0 - 100.0 * perPx, 1e-6);
    EXPECT_NEAR(window_->canvas()->lastDrawn()->free->azDeg, free->look()->azDeg, 1e-9);

    // The wheel zooms in, + too; the limits hold.
    QWheelEvent wheel(QPointF(300, 300), window_->canvas()->mapToGlobal(QPointF(300, 300)), QPoint(), QPoint(0, 120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(window_->canvas(), &wheel);
    EXPECT_NEAR(free->look()->fovDeg, 90.0 / 1.25, 1e-9);
    EXPECT_EQ(app::FreeViewControl::zoomed({0, 0, 10}, 20).fovDeg, view::kMinFovDeg);
    EXPECT_EQ(app::FreeViewControl::zoomed({0, 0, 170}, -5).fovDeg, view::kMaxFovDeg);
    EXPECT_EQ(app::FreeViewControl::dragged({0, 80, 90}, 0, 1000, 900).altDeg, 90.0);

    free->action()->setChecked(false);
    EXPECT_FALSE(window_->canvas()->lastDrawn()->free);
    EXPECT_EQ(window_->canvas()->lastDrawn()->direction, view::Direction::South);
}

// "の空" names the eighth of the sky the object stands in, not the picture:
// 141.6 degrees is 南東 (it once said 南, the picture's name).
TEST(SkyQuarter, EightPointsOfTheCompass) {
    EXPECT_STREQ(view::skyQuarterJa(141.6), "南東");
    EXPECT_STREQ(view::skyQuarterJa(166.2), "南");
    EXPECT_STREQ(view::skyQuarterJa(359.0), "北");
    EXPECT_STREQ(view::skyQuarterJa(-90.0), "西");
    EXPECT_STREQ(view::skyQuarterJa(292.6), "北西");
}

}  // namespace
