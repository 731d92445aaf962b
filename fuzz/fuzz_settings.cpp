// Fuzzes the reader of the settings file: any bytes give settings that
// select an existing place, carry finite coordinates, and survive being
// written and read back unchanged.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstdio>
#include <string>

#include "app/session/settings.h"
#include "catalog/catalog.h"

namespace {

void fail(const char* what, const std::string& text) {
    std::fprintf(stderr, "fuzz_settings: %s for input of %zu bytes\n", what, text.size());
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const app::Settings s = app::parseSettings(text);
    if (s.placeIndex < 0 || s.placeIndex >= catalog::kPlaceCount) fail("place index out of the list", text);
    if (!std::isfinite(s.latDeg) || !std::isfinite(s.lonDeg)) fail("non-finite coordinate", text);
    if (!s.hasCoordinates) return 0;

    // What the program writes for these values must read back as the same settings.
    const app::Settings back = app::parseSettings(app::formatSettings(s.placeIndex, s.latDeg, s.lonDeg));
    if (back.placeIndex != s.placeIndex) fail("place index changed by a write and read", text);
    if (!back.hasCoordinates) fail("coordinates lost by a write and read", text);
    if (back.latDeg != s.latDeg || back.lonDeg != s.lonDeg) fail("coordinates changed by a write and read", text);
    return 0;
}
