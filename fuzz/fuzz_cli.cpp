// Fuzzes the command-line parser. The input is the argument list, arguments
// separated by NUL bytes (no argument can hold one). Any list is either
// accepted with usable options or refused with one line of text.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/cli/cli_args.h"
#include "catalog/catalog.h"

namespace {

void fail(const char* what) {
    std::fprintf(stderr, "fuzz_cli: %s\n", what);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const catalog::Catalogue cat = catalog::loadCatalogue();

    std::vector<std::string> args;
    std::string current;
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0) {
            args.push_back(current);
            current.clear();
        } else {
            current.push_back(static_cast<char>(data[i]));
        }
    }
    if (size > 0) args.push_back(current);

    const app::CliParse r = app::parseCommandLine(args, cat);
    if (!r.ok()) {
        if (r.error.empty() || r.error.find_first_of("\r\n") != std::string::npos) fail("error message is not one line");
        return 0;
    }
    const app::CliOptions& o = r.options;
    if (o.placeIndex < 0 || o.placeIndex > catalog::kPlaceCount) fail("place index outside the table");
    if (o.latDeg && !std::isfinite(*o.latDeg)) fail("non-finite latitude accepted");
    if (o.lonDeg && !std::isfinite(*o.lonDeg)) fail("non-finite longitude accepted");
    if (!std::isfinite(o.scale) || o.scale <= 0.0) fail("unusable picture scale accepted");
    if (o.mode == app::Mode::Render && o.renderPath.empty()) fail("render mode without a file");
    const int dir = static_cast<int>(o.direction);
    if (dir < 0 || dir > 4) fail("direction outside the four and the all-sky view");
    if (o.month && (*o.month < 1 || *o.month > 12)) fail("month outside 1..12 accepted");
    if (o.hour && (*o.hour < 0 || *o.hour > 23)) fail("hour outside 0..23 accepted");
    if (o.minute && (*o.minute < 0 || *o.minute > 59)) fail("minute outside 0..59 accepted");
    return 0;
}
