// The catalogue, loaded once per test program, and the command-line parser
// called on it: what every command-line test starts from.
#pragma once

#include <string>
#include <vector>

#include "app/cli/cli_args.h"
#include "catalog/catalog.h"

namespace app::test {

inline const catalog::Catalogue& cat() {
    static const catalog::Catalogue c = catalog::loadCatalogue();
    return c;
}

inline CliParse parse(const std::vector<std::string>& args) { return parseCommandLine(args, cat()); }

}  // namespace app::test
