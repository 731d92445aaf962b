#include "app/session/settings.h"
#include "tests/support/file_size_limit.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>


#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

struct ParseCase {
    const char* text;
    int index;
    bool hasCoordinates;
    double lat;
    double lon;
};

class ParseSettings : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseSettings, FallsBackForWhatCannotBeUsed) {
    const ParseCase& c = GetParam();
    const app::Settings s = app::parseSettings(c.text);
    EXPECT_EQ(s.placeIndex, c.index);
    EXPECT_EQ(s.hasCoordinates, c.hasCoordinates);
    EXPECT_DOUBLE_EQ(s.latDeg, c.lat);
    EXPECT_DOUBLE_EQ(s.lonDeg, c.lon);
    EXPECT_TRUE(std::isfinite(s.latDeg) && std::isfinite(s.lonDeg));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ParseSettings,
    ::testing::Values(ParseCase{"48,26.5,128\n", 48, true, 26.5, 128.0},
                      ParseCase{"48,26.5,128\r\n", 48, true, 26.5, 128.0},
                      ParseCase{" 74 , -33.87 , 151.2", 74, true, -33.87, 151.2},
                      ParseCase{"0 1 2", 0, true, 1.0, 2.0},                // blanks as separators
                      ParseCase{"", 12, false, 0.0, 0.0},                   // empty file
                      ParseCase{"\n\n", 12, false, 0.0, 0.0},
                      ParseCase{"garbage", 12, false, 0.0, 0.0},
                      ParseCase{"\xff\xfe\x00garbage", 12, false, 0.0, 0.0},
                      ParseCase{"48", 48, false, 0.0, 0.0},                 // partial: index only
                      ParseCase{"48,26.5", 48, true, 26.5, 0.0},            // partial: latitude kept
                      ParseCase{"48,26.5,", 48, true, 26.5, 0.0},
                      ParseCase{"48,,128", 48, false, 0.0, 0.0},            // reading stops at the gap
                      ParseCase{"999,26.5,128", 12, true, 26.5, 128.0},     // index out of range
                      ParseCase{"75,1,2", 12, true, 1.0, 2.0},
                      ParseCase{"-5,1,2", 12, true, 1.0, 2.0},
                      ParseCase{"-1,1,2", 12, true, 1.0, 2.0},
                      ParseCase{"99999999999999999999,1,2", 12, false, 0.0, 0.0},
                      ParseCase{"12.5,1,2", 12, false, 0.0, 0.0},           // not a whole number
                      ParseCase{"48,nan,128", 48, true, 0.0, 128.0},       // read but unusable: lat 0
                      ParseCase{"48,26.5,nan", 48, true, 26.5, 0.0},
                      ParseCase{"48,inf,-inf", 48, false, 0.0, 0.0},
                      ParseCase{"48,1e999,128", 48, true, 0.0, 128.0},      // lat unusable, lon kept
                      ParseCase{"48,95,128", 48, true, 0.0, 128.0},         // beyond the pole
                      ParseCase{"48,26.5abc,128", 48, false, 0.0, 0.0}));

TEST(FormatSettings, ShortestRoundTripDecimals) {
    EXPECT_EQ(app::formatSettings(48, 26.5, 128.0), "48,26.5,128\n");
    EXPECT_EQ(app::formatSettings(74, 21.35, -157.93), "74,21.35,-157.93\n");
    EXPECT_EQ(app::formatSettings(12, 0.1 + 0.2, 0.0), "12,0.30000000000000004,0\n");
    EXPECT_EQ(app::formatSettings(12, std::nan(""), 1.0), "12,0,1\n");
    for (const double v : {35.65, 139.75, -0.18, 43.067, 1e-7, 123.456789012345}) {
        const app::Settings s = app::parseSettings(app::formatSettings(3, v, -v));
        EXPECT_EQ(s.latDeg, std::fabs(v) <= 90 ? v : 0.0);
        EXPECT_EQ(s.lonDeg, -v);
    }
}

class SettingsFile : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("settings_test_" + std::to_string(::getpid()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        path_ = (dir_ / "pstart.txt").string();
    }
    void TearDown() override {
        fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(dir_);
    }
    static std::string slurp(const std::string& p) {
        std::ifstream in(p);
        std::stringstream ss;
        ss << in.rdbuf();
        return ss.str();
    }
    std::size_t entries() const {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()));
    }
    fs::path dir_;
    std::string path_;
};

TEST_F(SettingsFile, MissingFileGivesDefaults) {
    const app::Settings s = app::readSettings(path_);
    EXPECT_EQ(s.placeIndex, app::kDefaultPlaceIndex);
    EXPECT_FALSE(s.hasCoordinates);
}

TEST_F(SettingsFile, WriteThenReadRoundTrips) {
    ASSERT_EQ(app::writeSettings(path_, 48, 26.5, 128.0), "");
    EXPECT_EQ(slurp(path_), "48,26.5,128\n");
    ASSERT_EQ(app::writeSettings(path_, 74, 21.35, -157.93), "");  // replaces
    const app::Settings s = app::readSettings(path_);
    EXPECT_EQ(s.placeIndex, 74);
    EXPECT_EQ(s.latDeg, 21.35);
    EXPECT_EQ(s.lonDeg, -157.93);
    EXPECT_EQ(entries(), 1u) << "no temporary file left behind";
}

TEST_F(SettingsFile, ReadOnlyDirectoryIsReportedAndOldFileSurvives) {
    ASSERT_EQ(app::writeSettings(path_, 48, 26.5, 128.0), "");
    fs::permissions(dir_, fs::perms::owner_read | fs::perms::owner_exec);
    if (::access(dir_.c_str(), W_OK) == 0) GTEST_SKIP() << "running with privileges that ignore permissions";
    const std::string msg = app::writeSettings(path_, 3, 1.0, 2.0);
    EXPECT_FALSE(msg.empty());
    EXPECT_EQ(slurp(path_), "48,26.5,128\n");
}

TEST_F(SettingsFile, FailureHalfWayThroughTheWriteKeepsTheOldFile) {
    ASSERT_EQ(app::writeSettings(path_, 48, 26.5, 128.0), "");
    // Files may grow to 4 bytes only: the second write() fails.
    std::string msg;
    {
        const testsupport::FileSizeLimit fullDisk(4);
        msg = app::writeSettings(path_, 74, 21.35, -157.93);
    }
    EXPECT_FALSE(msg.empty());
    EXPECT_EQ(slurp(path_), "48,26.5,128\n");
    EXPECT_EQ(entries(), 1u) << "the half-written temporary file is removed";
}

TEST_F(SettingsFile, DirectoryInTheWayIsReported) {
    fs::create_directory(path_);
    const std::string msg = app::writeSettings(path_, 3, 1.0, 2.0);
    EXPECT_FALSE(msg.empty());
    EXPECT_TRUE(fs::is_directory(path_));
    EXPECT_EQ(entries(), 1u) << "the temporary file is removed";
    EXPECT_EQ(app::readSettings(path_).placeIndex, app::kDefaultPlaceIndex);
}

// A FIFO (or a device, a socket) in place of the file: reading it would block
// for ever; it counts as no file, and exiting does not replace it.
TEST_F(SettingsFile, FifoIsNeitherReadNorReplaced) {
    ASSERT_EQ(::mkfifo(path_.c_str(), 0600), 0);
    const app::Settings s = app::readSettings(path_);
    EXPECT_EQ(s.placeIndex, app::kDefaultPlaceIndex);
    EXPECT_FALSE(s.hasCoordinates);
    EXPECT_FALSE(app::writeSettings(path_, 48, 26.5, 128.0).empty());
    EXPECT_TRUE(fs::is_fifo(fs::symlink_status(path_)));
    EXPECT_EQ(entries(), 1u);
}

// A file kept private behind a link: written through the link, which stays a
// link, and the file keeps mode 0600. A new file gets the umask.
TEST_F(SettingsFile, LinkAndPermissionsAreKept) {
    const fs::path real = dir_ / "private" / "place.txt";
    fs::create_directory(real.parent_path());
    std::ofstream(real) << "12,35.65,139.75\n";
    fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write);
    fs::create_symlink("private/place.txt", path_);
    ASSERT_EQ(app::writeSettings(path_, 48, 26.5, 128.0), "");
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(path_)));
    EXPECT_EQ(slurp(real.string()), "48,26.5,128\n");
    EXPECT_EQ(fs::status(real).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(app::readSettings(path_).placeIndex, 48);

    const std::string fresh = (dir_ / "fresh.txt").string();
    const mode_t oldMask = ::umask(027);
    const std::string msg = app::writeSettings(fresh, 3, 1.0, 2.0);
    ::umask(oldMask);
    ASSERT_EQ(msg, "");
    EXPECT_EQ(fs::status(fresh).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST_F(SettingsFile, HugeFileIsNotReadWhole) {
    {
        std::ofstream out(path_);
        out << "48,26.5,128";
        out << std::string(1 << 20, 'x');
    }
    const app::Settings s = app::readSettings(path_);
    EXPECT_EQ(s.placeIndex, 48);
    EXPECT_EQ(s.latDeg, 26.5);  // "128xxx..." is not a number: the longitude is not read
}

}  // namespace
