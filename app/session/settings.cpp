// The settings file "pstart.txt". The reader follows a sequential read: the
// index, then the latitude, then the longitude; a value that cannot be read
// ends the reading and keeps what came before it, a value that was read but
// cannot be used (index outside the place list, a coordinate that is not a
// finite number or a latitude beyond a pole) falls back to its default.
#include "app/session/settings.h"

#include "astro/number_text.h"

#include "astro/angles.h"
#include "catalog/catalog.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string_view>
#include <system_error>
#include <vector>

#if defined(__unix__) || defined(__APPLE__)
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#define PLANETARIUM_POSIX_OPEN 1
#else
#include <filesystem>
#endif

#include "app/session/fields.h"

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
    const astro::DecimalRead read = astro::readDecimalPrefix(s);
    if (read.status == astro::DecimalStatus::Invalid || read.length != s.size()) return false;
    // Out-of-range numbers ("1e999") were read but are not finite: unusable,
    // which the caller sees as a non-finite value.
    value = read.status == astro::DecimalStatus::Ok ? read.value : std::numeric_limits<double>::infinity();
    return true;
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
    if (astro::latitudeInRange(lat)) {
        s.latDeg = lat;
        s.hasCoordinates = true;
    }

    double lon = 0.0;
    if (v.size() < 3 || !parseReal(v[2], lon)) return s;
    if (std::isfinite(lon)) {
        s.lonDeg = astro::longitudeInRangeDeg(lon);
        s.hasCoordinates = true;
    }
    return s;
}

// Only a regular file is read. A FIFO, device or socket in its place would
// block the open or the read for ever (or feed endless bytes), so it counts
// as no file at all. Where the system allows, the file is opened without
// blocking and its type checked on the open file, leaving no gap between the
// check and the read.
Settings readSettings(const std::string& path) {
    // The file is one short line; anything far larger is not ours.
    constexpr std::size_t kMaxBytes = 4096;
    std::string text(kMaxBytes, '\0');
    std::size_t got = 0;
#ifdef PLANETARIUM_POSIX_OPEN
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return {};
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return {};
    }
    while (got < kMaxBytes) {
        const ssize_t n = ::read(fd, text.data() + got, kMaxBytes - got);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            ::close(fd);
            return {};
        }
        if (n == 0) break;
        got += static_cast<std::size_t>(n);
    }
    ::close(fd);
#else
    std::error_code ec;
    if (!std::filesystem::is_regular_file(std::filesystem::path(path), ec)) return {};
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (f == nullptr) return {};
    got = std::fread(text.data(), 1, kMaxBytes, f);
    const bool bad = std::ferror(f) != 0;
    std::fclose(f);
    if (bad) return {};
#endif
    text.resize(got);
    return parseSettings(text);
}

std::string formatSettings(int placeIndex, double latDeg, double lonDeg) {
    return std::to_string(placeIndex) + "," + decimalText(latDeg) + "," + decimalText(lonDeg) + "\n";
}

StartPlace startPlace(const Settings& s) {
    StartPlace p;
    p.placeIndex = s.placeIndex + 1;
    p.typed = p.placeIndex == catalog::kManualPlace;
    if (p.typed && s.hasCoordinates) {
        p.latDeg = s.latDeg;
        p.lonDeg = s.lonDeg;
    }
    return p;
}

}  // namespace app
