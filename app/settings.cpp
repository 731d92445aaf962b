// The settings file "pstart.txt". The reader follows a sequential read: the
// index, then the latitude, then the longitude; a value that cannot be read
// ends the reading and keeps what came before it, a value that was read but
// cannot be used (index outside the place list, a coordinate that is not a
// finite number or a latitude beyond a pole) falls back to its default.
#include "app/settings.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>
#include <fstream>
#include <limits>
#include <sstream>
#include <string_view>
#include <system_error>
#include <vector>

#include "app/fields.h"

namespace app {

namespace {

constexpr int kPlaceListSize = 75;  // lstCITY items 0..74

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Splits the text into the values separated by commas and/or blanks. An
// empty value between two commas is kept, so "12,,139" stops at the second.
std::vector<std::string_view> splitValues(std::string_view text) {
    std::vector<std::string_view> out;
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n && isBlank(text[i])) ++i;
    if (i == n) return out;
    while (i <= n) {
        std::size_t j = i;
        while (j < n && text[j] != ',' && !isBlank(text[j])) ++j;
        out.push_back(text.substr(i, j - i));
        // Skip blanks, then at most one comma, then blanks.
        while (j < n && isBlank(text[j])) ++j;
        if (j < n && text[j] == ',') {
            ++j;
            while (j < n && isBlank(text[j])) ++j;
            i = j;
            continue;  // a comma always introduces one more value, maybe empty
        }
        if (j >= n) break;
        i = j;
    }
    return out;
}

template <typename T>
bool parseWhole(std::string_view s, T& value) {
    if (!s.empty() && s.front() == '+') s.remove_prefix(1);
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    return ec == std::errc{} && end == s.data() + s.size() && !s.empty();
}

bool parseReal(std::string_view s, double& value) {
    if (!s.empty() && s.front() == '+') s.remove_prefix(1);
    if (s.empty()) return false;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    // Out-of-range numbers ("1e999") were read but are not finite: unusable,
    // which the caller sees as a non-finite value.
    if (ec == std::errc::result_out_of_range && end == s.data() + s.size()) {
        value = std::numeric_limits<double>::infinity();
        return true;
    }
    return ec == std::errc{} && end == s.data() + s.size();
}

std::string errnoText(const std::string& what, int err) {
    return std::string(what) + ": " + std::strerror(err);
}

}  // namespace

Settings parseSettings(const std::string& text) {
    Settings s;
    const std::vector<std::string_view> v = splitValues(text);

    long long index = 0;
    if (v.empty() || !parseWhole(v[0], index)) return s;
    if (index >= 0 && index < kPlaceListSize) s.placeIndex = static_cast<int>(index);

    double lat = 0.0;
    if (v.size() < 2 || !parseReal(v[1], lat)) return s;
    if (std::isfinite(lat) && std::fabs(lat) <= 90.0) {
        s.latDeg = lat;
        s.hasCoordinates = true;
    }

    double lon = 0.0;
    if (v.size() < 3 || !parseReal(v[2], lon)) return s;
    if (std::isfinite(lon)) {
        s.lonDeg = lon;
        s.hasCoordinates = true;
    }
    return s;
}

Settings readSettings(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return {};
    // The file is one short line; anything far larger is not ours.
    constexpr std::size_t kMaxBytes = 4096;
    std::string text(kMaxBytes, '\0');
    in.read(text.data(), static_cast<std::streamsize>(kMaxBytes));
    text.resize(static_cast<std::size_t>(in.gcount()));
    if (in.bad()) return {};
    return parseSettings(text);
}

std::string formatSettings(int placeIndex, double latDeg, double lonDeg) {
    return std::to_string(placeIndex) + "," + decimalText(latDeg) + "," + decimalText(lonDeg) + "\n";
}

std::string writeSettings(const std::string& path, int placeIndex, double latDeg, double lonDeg) {
    const std::string line = formatSettings(placeIndex, latDeg, lonDeg);

    // The temporary file sits beside the target so the rename stays on one
    // file system and is atomic: readers see the old file or the new one.
    std::string tmpl = path + ".XXXXXX";
    const int fd = ::mkstemp(tmpl.data());
    if (fd < 0) return errnoText("cannot create a temporary file beside " + path, errno);
    ::fchmod(fd, 0644);

    auto fail = [&](const std::string& what, int err) {
        ::close(fd);
        ::unlink(tmpl.c_str());
        return errnoText(what, err);
    };

    std::size_t done = 0;
    while (done < line.size()) {
        const ssize_t w = ::write(fd, line.data() + done, line.size() - done);
        if (w < 0) {
            if (errno == EINTR) continue;
            return fail("cannot write " + tmpl, errno);
        }
        done += static_cast<std::size_t>(w);
    }
    if (::fsync(fd) != 0) return fail("cannot flush " + tmpl, errno);
    if (::close(fd) != 0) {
        const int err = errno;
        ::unlink(tmpl.c_str());
        return errnoText("cannot close " + tmpl, err);
    }
    if (::rename(tmpl.c_str(), path.c_str()) != 0) {
        const int err = errno;
        ::unlink(tmpl.c_str());
        return errnoText("cannot replace " + path, err);
    }
    // Make the rename itself durable.
    const std::size_t slash = path.find_last_of('/');
    const std::string dir = slash == std::string::npos ? "." : (slash == 0 ? "/" : path.substr(0, slash));
    const int dfd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY);
    if (dfd >= 0) {
        ::fsync(dfd);
        ::close(dfd);
    }
    return {};
}

}  // namespace app
