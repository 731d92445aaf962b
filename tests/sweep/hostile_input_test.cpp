// Inputs the fuzzers found, kept as regression tests named after the fault.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/cli/cli_args.h"
#include "catalog/catalog.h"

namespace {

// An argument holding a line break was copied verbatim into the error, so
// the one-line message on stderr became several lines (fuzz/findings/cli).
TEST(HostileInput, LineBreakInAnArgumentKeepsTheErrorOnOneLine) {
    static const catalog::Catalogue cat = catalog::loadCatalogue();
    const std::vector<std::vector<std::string>> cases = {
        {"--frobnicate\nsecond line"},
        {"--place", "東京\r\n"},
        {"--json", "--at", "2005-01-01\n05:00"},
        {"--render", "x.png", "--show", "grid\nnames"},
        {"--render", "x.png", "--constellations", "オリオン座\n"},
    };
    for (const auto& args : cases) {
        const app::CliParse r = app::parseCommandLine(args, cat);
        ASSERT_FALSE(r.ok()) << args.back();
        EXPECT_EQ(r.error.find_first_of("\r\n"), std::string::npos) << r.error;
    }
}

}  // namespace
