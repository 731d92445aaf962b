// The chart as PNG, PDF and SVG: the format chosen by the file name, the SVG
// read back as XML against what the view drew, the PDF read back with
// poppler's tools, and the paper style's white.
#include <gtest/gtest.h>

#include <QImage>
#include <QXmlStreamReader>

#include <cmath>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>

#include <sys/stat.h>
#include <unistd.h>

#include "app/output/chart_export_gui.h"
#include "app/session/chart_heading.h"
#include "app/zones/time_zones_qtcore.h"
#include "astro/astro.h"
#include "view/recording_painter.h"  // tests/view

namespace {

using viewtest::Op;

// 15 January 2026, 22:00 over Tokyo: Orion high in the south, Jupiter up.
app::ChartScene orionScene(view::ChartStyle style, bool everything = false) {
    const astro::SkyInput in{.year = 2026, .month = 1, .day = 15, .hour = 22, .minute = 0, .latDeg = 35.65,
                             .lonDeg = 139.75};
    app::ChartScene s;
    s.sky = astro::computeSky(in);
    s.view.starNames = s.view.constellations = true;
    s.view.selected.fill(true);
    s.view.equator = s.view.ecliptic = s.view.altAzLines = s.view.meteors = everything;
    s.view.year = 2026;
    s.view.month = 1;
    s.view.day = 15;
    s.view.style = style;
    s.heading = app::chartHeading(in, "東京", view::Direction::South);
    s.meteorSeed = 7;
    return s;
}

const catalog::Catalogue& cat() {
    static const catalog::Catalogue c = catalog::loadCatalogue();
    return c;
}

std::string tempFile(const std::string& stem) {
    const auto* info = testing::UnitTest::GetInstance()->current_test_info();
    return testing::TempDir() + stem + "_" + std::to_string(::getpid()) + "_" + (info ? info->name() : "none");
}

// Runs a command; its standard output, and the exit status in `status`.
std::string capture(const std::string& cmd, int* status = nullptr) {
    std::string out;
    if (FILE* f = ::popen(cmd.c_str(), "r")) {
        char buf[512];
        while (std::fgets(buf, sizeof buf, f)) out += buf;
        const int st = ::pclose(f);
        if (status) *status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
    }
    return out;
}

TEST(ChartFormat, ChosenByTheFileExtension) {
    using app::ChartFormat;
    EXPECT_EQ(app::chartFormatForPath("sky.png"), ChartFormat::Png);
    EXPECT_EQ(app::chartFormatForPath("/tmp/a.b/Chart.PDF"), ChartFormat::Pdf);
    EXPECT_EQ(app::chartFormatForPath("星図.Svg"), ChartFormat::Svg);
    for (const char* bad : {"sky.jpg", "sky.pdf.bak", "sky.", "sky.svgz", "/tmp/.svg/x.PNG~"})
        EXPECT_FALSE(app::chartFormatForPath(bad).has_value()) << bad;
    // Devices and names without an extension stay PNG.
    for (const char* png : {"-", "/dev/stdout", "sky", "dir.pdf/sky"})
        EXPECT_EQ(app::chartFormatForPath(png), ChartFormat::Png) << png;
    EXPECT_EQ(app::defaultStyle(ChartFormat::Png), view::ChartStyle::Screen);
    EXPECT_EQ(app::defaultStyle(ChartFormat::Pdf), view::ChartStyle::Print);
    EXPECT_EQ(app::defaultStyle(ChartFormat::Svg), view::ChartStyle::Print);

    // The program: an unknown extension is one line, status 2, and no file.
    const std::string jpg = tempFile("sky") + ".jpg";
    int status = 0;
    const std::string err = capture(std::string(PLANETARIUM_PROGRAM) + " --render " + jpg +
                                        " --at '2026-01-15 22:00' --place 東京 2>&1 >/dev/null",
                                    &status);
    EXPECT_EQ(status, 2);
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
    EXPECT_NE(err.find(".png, .pdf or .svg"), std::string::npos) << err;
    EXPECT_NE(::access(jpg.c_str(), F_OK), 0);
    // A style that does not exist is refused the same way.
    capture(std::string(PLANETARIUM_PROGRAM) + " --render x.svg --style poster 2>/dev/null", &status);
    EXPECT_EQ(status, 2);
}

// The SVG is well-formed XML whose text elements hold every label drawn
// inside the chart, in drawing order, and whose circles are the discs the
// view drew. Qt writes a label that mixes kana and kanji as one text element
// per script run (オリオン + 座), so labels are compared as the sequence of
// all texts.
TEST(ChartSvg, TextsAndDiscsAreWhatTheViewDrew) {
    for (view::ChartStyle style : {view::ChartStyle::Print, view::ChartStyle::Screen}) {
        const app::ChartScene scene = orionScene(style, true);
        viewtest::RecordingPainter rec;
        app::drawChart(scene, cat(), rec);

        const QByteArray svg = app::chartSvg(scene, cat());
        ASSERT_FALSE(svg.isEmpty());
        QXmlStreamReader xml(svg);
        std::string texts;
        std::set<std::string> whole;  // single-script labels stay whole
        std::size_t circles = 0;
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement) continue;
            if (xml.name() == u"circle" || xml.name() == u"ellipse") ++circles;
            if (xml.name() == u"text") {
                const std::string t = xml.readElementText().toStdString();
                texts += t;
                whole.insert(t);
            }
        }
        ASSERT_FALSE(xml.hasError()) << xml.errorString().toStdString();

        EXPECT_EQ(circles, rec.of(Op::Disc).size());
        const view::ChartFrame frame = view::chartFrame(style);
        std::string drawn;
        for (const auto& l : rec.labels())
            if (l.x >= 0.0f && l.x < frame.widthTwips) drawn += l.text;  // outside the chart: not drawn
        EXPECT_EQ(texts, drawn);
        // Paper spells the star names in full-width kana (its large names).
        const bool paper = style == view::ChartStyle::Print;
        for (const char* must : {"南東", "南", "南西", paper ? "ベテルギウス" : "ﾍﾞﾃﾙｷﾞｳｽ", paper ? "リゲル" : "ﾘｹﾞﾙ", "木星"})
            EXPECT_TRUE(whole.count(must)) << must;
        EXPECT_NE(texts.find("オリオン座"), std::string::npos);
        EXPECT_EQ(texts.find(view::chartTitle(scene.heading)) != std::string::npos,
                  style == view::ChartStyle::Print);
        EXPECT_LT(svg.size(), 1024 * 1024);
    }
}

// The command of the README: one A4 landscape page, an embedded Japanese
// font, and text a PDF viewer can select.
TEST(ChartPdf, OneA4PageWithTheJapaneseFontEmbedded) {
    const std::string pdf = tempFile("chart") + ".pdf";
    int status = 0;
    capture(std::string(PLANETARIUM_PROGRAM) + " --render " + pdf +
                " --at '2026-01-15 22:00' --place 東京 --show names,constellations --constellations all",
            &status);
    ASSERT_EQ(status, 0);
    const std::string info = capture("pdfinfo " + pdf);
    const std::size_t pages = info.find("Pages:");
    ASSERT_NE(pages, std::string::npos) << info;
    EXPECT_EQ(std::atoi(info.c_str() + pages + 6), 1) << info;
    EXPECT_NE(info.find("842 x 595 pts (A4)"), std::string::npos) << info;  // landscape

    const std::string fonts = capture("pdffonts " + pdf);
    bool embeddedJapanese = false;
    std::istringstream lines(fonts);
    for (std::string line; std::getline(lines, line);) {
        if (line.find("Gothic") == std::string::npos && line.find("Mincho") == std::string::npos) continue;
        std::istringstream cols(line);
        std::string name, type1, type2, enc, emb;
        cols >> name >> type1 >> type2 >> enc >> emb;
        embeddedJapanese = embeddedJapanese || emb == "yes";
    }
    EXPECT_TRUE(embeddedJapanese) << fonts;

    const std::string text = capture("pdftotext " + pdf + " -");
    for (const char* must : {"オリオン座", "2026年1月15日 22:00 日本時間", "東京", "南の空", "プラネタリウム"})
        EXPECT_NE(text.find(must), std::string::npos) << must << "\n" << text;
    std::ifstream in(pdf, std::ios::binary | std::ios::ate);
    EXPECT_LT(static_cast<long>(in.tellg()), 1024L * 1024L);
    std::remove(pdf.c_str());
}

// A place abroad: the title line also gives the local time there, and the
// almanac uses the place's own zone (from the place table).
TEST(ChartTitle, PlacesAbroadGiveTheirLocalTime) {
    const std::string svg = tempFile("london") + ".svg";
    int status = 0;
    capture(std::string(PLANETARIUM_PROGRAM) + " --render " + svg + " --at '2026-07-01 22:00' --place ロンドン", &status);
    ASSERT_EQ(status, 0);
    std::ifstream in(svg, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(text.find("2026年7月1日 22:00 日本時間（現地時間 7月1日 14:00）"), std::string::npos);  // BST
    std::remove(svg.c_str());
    const std::string json = capture(std::string(PLANETARIUM_PROGRAM) + " --json --at '2026-07-01 22:00' --place ロンドン");
    EXPECT_NE(json.find("\"timeZone\": \"Europe/London\""), std::string::npos);
    EXPECT_NE(json.find("\"date\": \"2026-07-01\""), std::string::npos);
    const astro::SkyInput in2{.year = 2026, .month = 1, .day = 1, .hour = 8, .minute = 30, .latDeg = 21.3, .lonDeg = -157.9};
    const view::ChartHeading honolulu = app::chartHeading(in2, "ホノルル", view::Direction::South, app::zoneOrJapan("Pacific/Honolulu"));
    ASSERT_TRUE(honolulu.localClock);
    EXPECT_EQ(view::chartTitle(honolulu).substr(0, 75), "2026年1月1日 8:30 日本時間（現地時間 2025年12月31日 13:30）");
    EXPECT_FALSE(app::chartHeading(in2, "", view::Direction::South, app::zoneOrJapan("Asia/Tokyo")).localClock);
    EXPECT_FALSE(app::chartHeading(in2, "", view::Direction::South, app::zoneOrJapan("No/Such_Zone")).localClock);
}

// An export that cannot be written completely (here a file-size limit of
// 8 KB, below any chart) is one line and status 1, and the file that was
// there is still whole, with nothing left beside it.
TEST(ChartExport, FailedWriteKeepsTheOldFile) {
    const std::string dir = tempFile("keep");
    ASSERT_EQ(::mkdir(dir.c_str(), 0755), 0);
    for (const char* name : {"chart.pdf", "chart.svg"}) {
        const std::string target = dir + "/" + name;
        {
            std::ofstream old(target, std::ios::binary);
            old << "the chart of last week";
        }
        int status = 0;
        const std::string err = capture("ulimit -f 8; " + std::string(PLANETARIUM_PROGRAM) + " --render " + target +
                                            " --at '2026-01-15 22:00' --place 東京 --show names,constellations"
                                            " --constellations all 2>&1 >/dev/null",
                                        &status);
        EXPECT_EQ(status, 1) << name;
        EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
        std::ifstream in(target, std::ios::binary);
        const std::string kept((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        EXPECT_EQ(kept, "the chart of last week") << name;
        std::remove(target.c_str());
    }
    EXPECT_EQ(::rmdir(dir.c_str()), 0) << "a temporary file was left beside the target";
}

// Paper is white: with every line on, at least 90 % of the PNG, and no pixel
// of either screen background.
TEST(ChartPng, PaperStyleIsWhite) {
    const QImage img = app::chartImage(orionScene(view::ChartStyle::Print, true), cat(), 1.0);
    ASSERT_EQ(img.height(), 680);
    long white = 0, sky = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QRgb p = img.pixel(x, y);
            white += p == qRgb(255, 255, 255);
            sky += p == qRgb(32, 96, 192) || p == qRgb(0, 144, 255);
        }
    EXPECT_GE(white, 0.9 * img.width() * img.height());
    EXPECT_EQ(sky, 0);
}

// 透明半球 prints on one A4 landscape page with the Japanese font embedded;
// its JSON gives each hourly dot's pixel on the PNG; a file it cannot
// write in is refused before anything is written.
TEST(SunPathExport, PdfPngAndJson) {
    const std::string base = tempFile("sunpath");
    int status = 0;
    capture(std::string(PLANETARIUM_PROGRAM) + " --render " + base + ".pdf --view sunpath --seasons --at '2026-05-01 12:00' --place 札幌",
            &status);
    ASSERT_EQ(status, 0);
    const std::string info = capture("pdfinfo " + base + ".pdf");
    EXPECT_NE(info.find("842 x 595 pts (A4)"), std::string::npos) << info;
    const std::string fonts = capture("pdffonts " + base + ".pdf");
    EXPECT_NE(fonts.find("Gothic"), std::string::npos) << fonts;
    std::istringstream fontLines(fonts);
    for (std::string line; std::getline(fontLines, line);) {
        if (line.find("Gothic") == std::string::npos) continue;
        std::istringstream cols(line);
        std::string name, type1, type2, enc, emb;
        cols >> name >> type1 >> type2 >> enc >> emb;
        EXPECT_EQ(emb, "yes") << line;
    }
    const std::string text = capture("pdftotext " + base + ".pdf -");
    for (const char* must : {"透明半球", "札幌", "夏至（6月21日）", "冬至（12月22日）", "日の出 03:55"})
        EXPECT_NE(text.find(must), std::string::npos) << must << "\n" << text;

    capture(std::string(PLANETARIUM_PROGRAM) + " --render " + base + ".png --view sunpath --at '2026-06-21 12:00' --place 東京", &status);
    ASSERT_EQ(status, 0);
    const QImage png(QString::fromStdString(base + ".png"));
    EXPECT_EQ(png.size(), QSize(1123, 794));
    capture(std::string(PLANETARIUM_PROGRAM) + " --render " + base + ".json --view sunpath --at '2026-06-21 12:00' --place 東京", &status);
    ASSERT_EQ(status, 0);
    std::ifstream in(base + ".json");
    const std::string j((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    // Noon's dot: high in the south, on the page's upper middle, in the orange of the day.
    const std::size_t noon = j.find("\"time\": \"2026-06-21T12:00:00+09:00\"");
    ASSERT_NE(noon, std::string::npos) << j;
    const double x = std::stod(j.substr(j.find("\"x\": ", noon) + 5));
    const double y = std::stod(j.substr(j.find("\"y\": ", noon) + 5));
    const QRgb at = png.pixel(static_cast<int>(std::lround(x)), static_cast<int>(std::lround(y)));
    EXPECT_GT(qRed(at), 180) << x << "," << y;
    EXPECT_LT(qBlue(at), 80) << x << "," << y;
    EXPECT_GT(x, 500.0);
    EXPECT_LT(x, 620.0);

    capture(std::string(PLANETARIUM_PROGRAM) + " --render " + base + ".txt --view sunpath --place 東京 2>/dev/null", &status);
    EXPECT_EQ(status, 2);
    EXPECT_FALSE(std::ifstream(base + ".txt").good());
    for (const char* ext : {".pdf", ".png", ".json"}) std::remove((base + ext).c_str());
}

// 宇宙から見た図 and the 月の観察カード print on A4 (landscape, portrait) with
// the font embedded; --find NAME --view orbits names the pixel where the
// PNG shows the planet in its colour.
TEST(LessonPagesExport, OrbitsAndMoonCardOnA4AndThePlanetsPixel) {
    const std::string base = tempFile("orbits");
    int status = 0;
    const std::string at = " --at '2026-08-15 19:00' --place 東京";
    capture(std::string(PLANETARIUM_PROGRAM) + " --render " + base + ".pdf --view orbits --body 金星" + at, &status);
    ASSERT_EQ(status, 0);
    capture(std::string(PLANETARIUM_PROGRAM) + " --render " + base + "-card.pdf --view moonlog --dir southwest --every 60 --frames 3" + at,
            &status);
    ASSERT_EQ(status, 0);
    for (const auto& [file, size] : {std::pair{base + ".pdf", "842 x 595 pts (A4)"}, {base + "-card.pdf", "595 x 842 pts (A4)"}}) {
        EXPECT_NE(capture("pdfinfo " + file).find(size), std::string::npos) << file;
        const std::string fonts = capture("pdffonts " + file);
        EXPECT_NE(fonts.find("Gothic"), std::string::npos) << fonts;
        EXPECT_NE(fonts.find("Identity-H       yes"), std::string::npos) << fonts;  // embedded
    }
    const std::string text = capture("pdftotext " + base + ".pdf -");
    for (const char* must : {"宇宙から見た図", "地球と月", "視線", "宵の明星"}) EXPECT_NE(text.find(must), std::string::npos) << must;

    capture(std::string(PLANETARIUM_PROGRAM) + " --render " + base + ".png --view orbits" + at, &status);
    ASSERT_EQ(status, 0);
    const QImage png(QString::fromStdString(base + ".png"));
    EXPECT_EQ(png.size(), QSize(1123, 794));
    const std::string mars = capture(std::string(PLANETARIUM_PROGRAM) + " --find 火星 --view orbits" + at, &status);
    ASSERT_EQ(status, 0) << mars;
    const double x = std::stod(mars.substr(mars.find("\"x\": ") + 5)), y = std::stod(mars.substr(mars.find("\"y\": ") + 5));
    const QRgb c = png.pixel(static_cast<int>(std::lround(x)), static_cast<int>(std::lround(y)));
    EXPECT_GT(qRed(c), 170) << x << "," << y;  // Mars's red
    EXPECT_LT(qBlue(c), 100) << x << "," << y;
    for (const char* ext : {".pdf", "-card.pdf", ".png"}) std::remove((base + ext).c_str());
}

}  // namespace
