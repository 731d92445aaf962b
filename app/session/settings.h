// The settings file "pstart.txt": one line "index,latitude,longitude" that
// remembers the chosen place (lstCITY index, 0-based) and the coordinates of
// the manual-entry place between runs.
#pragma once

#include <string>

namespace app {

inline constexpr int kDefaultPlaceIndex = 12;  // "東京"
// The file's name, in the working directory.
inline constexpr const char* kSettingsFileName = "pstart.txt";

struct Settings {
    int placeIndex = kDefaultPlaceIndex;  // always a valid lstCITY index 0..74
    bool hasCoordinates = false;          // latDeg/lonDeg were read and are finite
    double latDeg = 0.0;
    double lonDeg = 0.0;
};

// Parses the file's text; never fails: what cannot be used falls back to the
// defaults.
Settings parseSettings(const std::string& text);

// Reads the file at `path`; a missing or unreadable file, or anything other
// than a regular file (a FIFO, a device, a socket), gives the defaults.
Settings readSettings(const std::string& path);

// The place every front end starts with when the user names none: the
// remembered list entry, the manual-entry place with its stored coordinates
// (0, 0 when none were stored).
struct StartPlace {
    int placeIndex = kDefaultPlaceIndex + 1;  // catalogue index 1..75
    bool typed = false;                       // the manual-entry place
    double latDeg = 0.0;
    double lonDeg = 0.0;
};
StartPlace startPlace(const Settings& settings);

// The line written for these values.
std::string formatSettings(int placeIndex, double latDeg, double lonDeg);

// Writes the file atomically (beside it, then renamed over it; a symbolic
// link is written through to its target and the file keeps its permissions).
// Only a regular file or a missing one is replaced: anything else at `path`
// is left alone and reported. Returns an empty string on success, otherwise a
// message for the user; the old file is kept. Defined in
// app/output/settings_write_qtcore.cpp (it writes through Qt's safe write).
std::string writeSettings(const std::string& path, int placeIndex, double latDeg, double lonDeg);

}  // namespace app
