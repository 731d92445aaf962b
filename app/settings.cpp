// Placeholder until the settings file lands.
#include "app/settings.h"

namespace app {
Settings parseSettings(const std::string&) { return {}; }
Settings readSettings(const std::string&) { return {}; }
std::string formatSettings(int, double, double) { return {}; }
std::string writeSettings(const std::string&, int, double, double) { return "not implemented"; }
}  // namespace app
