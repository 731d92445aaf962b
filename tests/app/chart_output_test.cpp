// 印刷… and PDF/SVG に書き出し… on the real window: the shown picture as the
// paper chart, the Ctrl+S naming, printing to a PDF file through QPrinter,
// and the warning before anything is drawn.
#include <QAction>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QPushButton>

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <filesystem>
#include <string>

#include "app/chart/chart_output_menu_widgets.h"
#include "app/desktop/desktop_widgets.h"
#include "app/tonight/tonight_dialog_widgets.h"
#include "app/window/main_window_widgets.h"
#include "catalog/catalog.h"

namespace fs = std::filesystem;

namespace {

std::string capture(const std::string& cmd) {
    std::string out;
    if (FILE* f = ::popen(cmd.c_str(), "r")) {
        char buf[512];
        while (std::fgets(buf, sizeof buf, f)) out += buf;
        ::pclose(f);
    }
    return out;
}

class ChartOutputTest : public ::testing::Test {
protected:
    void SetUp() override {
        oldDir_ = fs::current_path();
        dir_ = fs::temp_directory_path() / ("chart_output_" + std::to_string(::getpid()) + "_" +
                                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        fs::current_path(dir_);
        app::WindowHooks h;
        h.warn = [this](const QString& t) { warnings_ << t; };
        h.nowUtc = [] { return QDateTime(QDate(2026, 1, 15), QTime(13, 0), Qt::UTC); };  // 22:00 JST
        h.meteorSeed = 1;
        desktop_ = std::make_unique<app::Desktop>(cat_, std::move(h));
        window_ = &desktop_->window();
        menu_ = desktop_->chartOutput();
        menu_->hooks().warn = [this](const QString& t) { warnings_ << t; };
        menu_->hooks().askPath = [this](const QString&, const QString& name, const QString&) {
            suggested_ = name;
            return answer_;
        };
    }
    void TearDown() override {
        desktop_.reset();
        window_ = nullptr;
        fs::current_path(oldDir_);
        fs::remove_all(dir_);
    }
    void draw() {
        window_->findChild<QListWidget*>(QStringLiteral("lstCITY"))->setCurrentRow(12);  // 東京
        window_->findChild<QPushButton*>(QStringLiteral("Command3"))->click();
    }

    catalog::Catalogue cat_ = catalog::loadCatalogue();
    fs::path oldDir_, dir_;
    std::unique_ptr<app::Desktop> desktop_;
    app::MainWindow* window_ = nullptr;
    app::ChartOutputMenu* menu_ = nullptr;
    QStringList warnings_;
    QString suggested_, answer_;
};

TEST_F(ChartOutputTest, NothingDrawnYetIsAWarningAndNoFile) {
    EXPECT_FALSE(menu_->exportTo(app::ChartFormat::Pdf, QStringLiteral("early.pdf")));
    bool asked = false;
    menu_->hooks().askPrinter = [&](QPrinter&) { return asked = true; };
    EXPECT_FALSE(menu_->printChart());
    EXPECT_FALSE(asked);
    EXPECT_EQ(warnings_.size(), 2);
    EXPECT_FALSE(QFile::exists(QStringLiteral("early.pdf")));
    EXPECT_EQ(menu_->printAction()->shortcut(), QKeySequence(QKeySequence::Print));
    EXPECT_EQ(menu_->printAction()->text(), QStringLiteral("印刷…"));
    EXPECT_EQ(menu_->exportPdfAction()->text(), QStringLiteral("PDF に書き出し…"));
    EXPECT_EQ(menu_->exportSvgAction()->text(), QStringLiteral("SVG に書き出し…"));
}

TEST_F(ChartOutputTest, ExportsTheShownPictureWithTheSaveName) {
    draw();
    ASSERT_TRUE(window_->shownChart().has_value());
    EXPECT_EQ(window_->shownChart()->heading.placeName, "東京");

    answer_ = QString::fromStdString((dir_ / "chart.svg").string());
    ASSERT_TRUE(menu_->exportInteractive(app::ChartFormat::Svg));
    EXPECT_EQ(suggested_, window_->suggestedPictureName().replace(QStringLiteral(".png"), QStringLiteral(".svg")));
    QFile svg(answer_);
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
    const QString content = QString::fromUtf8(svg.readAll());
    EXPECT_TRUE(content.contains(QStringLiteral("2026年1月15日 22:00 日本時間　東京")));
    EXPECT_TRUE(content.contains(QStringLiteral("#ffffff")));  // the paper style
    // A cancelled dialog writes nothing.
    answer_.clear();
    EXPECT_FALSE(menu_->exportInteractive(app::ChartFormat::Pdf));
    EXPECT_TRUE(warnings_.isEmpty()) << warnings_.join(QLatin1Char('\n')).toStdString();
}

// The chart and its name are taken when the user asks: a timer step while
// the file dialog is open changes neither (the file was once named for
// 22:00 and drew 22:15).
TEST_F(ChartOutputTest, ExportTakesTheChartAndNameWhenAsked) {
    draw();
    answer_ = QString::fromStdString((dir_ / "asked.svg").string());
    menu_->hooks().askPath = [this](const QString&, const QString& name, const QString&) {
        suggested_ = name;
        window_->onTimerTick();  // 15 minutes on, drawn
        return answer_;
    };
    ASSERT_TRUE(menu_->exportInteractive(app::ChartFormat::Svg));
    EXPECT_EQ(suggested_, QStringLiteral("sky-2026-01-15-2200-south.svg"));
    QFile svg(answer_);
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
    EXPECT_TRUE(QString::fromUtf8(svg.readAll()).contains(QStringLiteral("2026年1月15日 22:00 日本時間")));
    EXPECT_TRUE(window_->shownChart()->heading.moment.minute == 15);
}

// Printing through QPrinter into a PDF file, as "Print to File" of the print
// dialog does: one landscape page holding the chart's text.
TEST_F(ChartOutputTest, PrintsOneLandscapePage) {
    draw();
    const std::string pdf = (dir_ / "printed.pdf").string();
    menu_->hooks().askPrinter = [&](QPrinter& printer) {
        EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Landscape);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setOutputFileName(QString::fromStdString(pdf));
        return true;
    };
    ASSERT_TRUE(menu_->printChart());
    const std::string info = capture("pdfinfo " + pdf);
    const std::size_t pages = info.find("Pages:");
    ASSERT_NE(pages, std::string::npos) << info;
    EXPECT_EQ(std::atoi(info.c_str() + pages + 6), 1);
    EXPECT_NE(info.find("842 x 595 pts (A4)"), std::string::npos) << info;
    const std::string text = capture("pdftotext " + pdf + " -");
    EXPECT_NE(text.find("南の空"), std::string::npos) << text;
    EXPECT_NE(text.find("南西"), std::string::npos) << text;
    EXPECT_NE(text.find("プラネタリウム"), std::string::npos) << text;
}

// 印刷… → "PDF ファイルに出力" over an existing file on a full disk (a
// 100 KB tmpfs that full_disk_print.sh mounts and fills): the old file stays
// whole, the failure is said, and no cut-off file or temporary file is left.
// Without that file system (not root, no mount namespace) it is skipped.
TEST_F(ChartOutputTest, PrintingToAPdfOnAFullDiskKeepsTheOldFile) {
    const char* full = std::getenv("PLANETARIUM_FULL_DIR");
    if (!full) GTEST_SKIP() << "needs full_disk_print.sh";
    const fs::path old = fs::path(full) / "keep.pdf";
    const auto content = [&] {
        std::ifstream in(old, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    };
    const std::string before = content();
    ASSERT_FALSE(before.empty());
    const auto files = [&] {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(full)) names.push_back(e.path().filename().string());
        for (const auto& e : fs::directory_iterator(fs::temp_directory_path()))
            if (e.path().filename().string().rfind("planetarium-print-", 0) == 0) names.push_back(e.path().string());
        std::sort(names.begin(), names.end());
        return names;
    };
    const std::vector<std::string> present = files();
    const auto toOldFile = [&](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(old.string()));
        return true;
    };

    draw();
    menu_->hooks().askPrinter = toOldFile;
    EXPECT_FALSE(menu_->printChart());
    ASSERT_EQ(warnings_.size(), 1);
    EXPECT_TRUE(warnings_[0].contains(QStringLiteral("元のファイルはそのままです"))) << warnings_[0].toStdString();

    window_->findChild<QAction*>(QStringLiteral("tonightAction"))->trigger();
    app::TonightDialog* tonight = desktop_->tonightDialog();
    ASSERT_NE(tonight, nullptr);
    tonight->askPrinter = toOldFile;
    QStringList said;
    tonight->warn = [&](const QString& t) { said << t; };
    EXPECT_FALSE(tonight->printText());
    ASSERT_EQ(said.size(), 1);
    EXPECT_TRUE(said[0].contains(QStringLiteral("元のファイルはそのままです"))) << said[0].toStdString();

    EXPECT_EQ(content(), before);
    EXPECT_EQ(files(), present);
}

}  // namespace
