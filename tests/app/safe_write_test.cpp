// Pictures written over what was there: a failed write keeps the old file,
// and a FIFO (or a link to one) is written into, never removed.
#include "app/output/png_file_gui.h"
#include "app/output/safe_write_qtcore.h"
#include "tests/support/file_size_limit.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QImage>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

class SafeWrite : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("safe_write_test_" + std::to_string(::getpid()) + "_" +
                                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    QString path(const char* name) const { return QString::fromStdString((dir_ / name).string()); }
    static std::string slurp(const QString& p) {
        std::ifstream in(p.toStdString(), std::ios::binary);
        std::stringstream ss;
        ss << in.rdbuf();
        return ss.str();
    }
    std::size_t entries() const {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()));
    }
    // A picture whose PNG is some 100 kB: noise does not compress.
    static QImage noise() {
        QImage img(200, 200, QImage::Format_RGB32);
        quint32 x = 12345;
        for (int y = 0; y < img.height(); ++y)
            for (int i = 0; i < img.width(); ++i) img.setPixel(i, y, x = x * 1664525u + 1013904223u);
        return img;
    }
    fs::path dir_;
};

TEST_F(SafeWrite, FailedPictureKeepsTheOldFile) {
    const QString png = path("sky.png");
    std::ofstream(png.toStdString(), std::ios::binary) << "old picture";
    fs::permissions(png.toStdString(), fs::perms::owner_read | fs::perms::owner_write);

    EXPECT_FALSE(app::writePng(QImage(), png).isEmpty()) << "nothing to encode";
    EXPECT_EQ(slurp(png), "old picture");
    {
        const testsupport::FileSizeLimit fullDisk(4096);
        ASSERT_TRUE(fullDisk.active());
        EXPECT_FALSE(app::writePng(noise(), png).isEmpty());
    }
    EXPECT_EQ(slurp(png), "old picture");
    EXPECT_EQ(entries(), 1u) << "no temporary file left";

    ASSERT_EQ(app::writePng(noise(), png), "");
    EXPECT_EQ(QImage(png).pixel(7, 7), noise().pixel(7, 7));
    EXPECT_EQ(fs::status(png.toStdString()).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
}

TEST_F(SafeWrite, FifoAndItsLinkAreWrittenIntoAndNeverRemoved) {
    const QString fifo = path("pipe");
    ASSERT_EQ(::mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
    fs::create_symlink("pipe", dir_ / "link");
    // A reader, so that opening for writing does not wait.
    const int reader = ::open(fifo.toLocal8Bit().constData(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    for (const char* name : {"pipe", "link"}) {
        EXPECT_FALSE(app::writePng(QImage(), path(name)).isEmpty()) << name;
        ASSERT_EQ(app::writeFileSafely(path(name), QByteArray("through")), "") << name;
        char buf[16] = {};
        EXPECT_EQ(::read(reader, buf, sizeof buf), 7);
        EXPECT_STREQ(buf, "through");
    }
    ::close(reader);
    EXPECT_TRUE(fs::is_fifo(fs::symlink_status(dir_ / "pipe")));
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(dir_ / "link")));
    EXPECT_FALSE(app::writeFileSafely(fifo, QByteArray("x"), app::WriteTarget::FileOnly).isEmpty());
    EXPECT_EQ(entries(), 2u);

    // Links that lead nowhere are left as they are.
    fs::create_symlink("loop-b", dir_ / "loop-a");
    fs::create_symlink("loop-a", dir_ / "loop-b");
    EXPECT_FALSE(app::writeFileSafely(path("loop-a"), QByteArray("x")).isEmpty());
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(dir_ / "loop-a")));
    EXPECT_EQ(entries(), 4u);
}

TEST(FileNameFromArgument, KeepsNamesByteForByteOrRefusesThem) {
    EXPECT_EQ(app::fileNameFromArgument("sky.png"), QStringLiteral("sky.png"));
    EXPECT_EQ(app::fileNameFromArgument("東京/空.png"), QStringLiteral("東京/空.png"));
    EXPECT_EQ(app::fileNameFromArgument("-"), QStringLiteral("-"));
    // Latin-1 "café", EUC-JP "東京": Qt would name other files.
    for (const char* bytes : {"caf\xe9.png", "\xc5\xec\xb5\xfe.png"}) {
        const std::optional<QString> name = app::fileNameFromArgument(bytes);
        if (name) {
            EXPECT_EQ(QFile::encodeName(*name), QByteArray(bytes));
        }
    }
    EXPECT_FALSE(app::fileNameFromArgument(""));
}

}  // namespace
