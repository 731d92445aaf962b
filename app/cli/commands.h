// The program's modes, chosen in main() from the command line: each turns
// the options into the session's queries and prints or writes the answers.
#pragma once

#include "app/session/almanac_text.h"
#include "app/cli/cli_args.h"
#include "app/session/zone.h"
#include "catalog/catalog.h"

namespace app {

// --json: prints the computed sky state and the almanac of the local day in
// the place's zone; returns the exit status.
int runJson(const CliOptions& opt, const catalog::Catalogue& cat, const LocalZone& zone);

// --render FILE.png: draws the picture into a PNG without a window.
int runRender(int argc, char** argv, const CliOptions& opt, const catalog::Catalogue& cat);

// Makes the QGuiApplication about to be built use Qt's offscreen platform,
// whatever QT_QPA_PLATFORM says: for every mode that opens no window.
void useOffscreenPlatform();
// Keeps Qt's notes (no runtime directory, fonts) off standard error: only
// its critical and fatal messages get through, as one line each.
void quietQt();

// The place every mode computes for: --place or --lat/--lon, else the place
// remembered in "pstart.txt" (東京 when there is none), as the window would
// start with it.
CliOptions withRememberedPlace(CliOptions opt);

// --identify X,Y: the object at a pixel of the --render picture, as JSON.
int runIdentify(int argc, char** argv, const CliOptions& opt, const catalog::Catalogue& cat);

// --find NAME: where the named object stands, as JSON.
int runFind(const CliOptions& opt, const catalog::Catalogue& cat, const LocalZone& zone);

// --almanac YYYY-MM: the month table as CSV.
int runAlmanac(const CliOptions& opt, const catalog::Catalogue& cat, const LocalZone& zone);

// --eclipses FROM TO and --eclipse DATE: the list and one eclipse's table,
// or their JSON.
int runEclipses(const CliOptions& opt, const catalog::Catalogue& cat, const LocalZone& zone);
int runEclipse(const CliOptions& opt, const catalog::Catalogue& cat, const LocalZone& zone);

// --tonight: 今夜の見どころ as sentences or JSON.
int runTonight(const CliOptions& opt, const catalog::Catalogue& cat, const LocalZone& zone);

// --planisphere FILE.pdf: the place's planisphere, two A4 pages.
int runPlanisphere(int argc, char** argv, const CliOptions& opt, const catalog::Catalogue& cat, const LocalZone& zone);

}  // namespace app
