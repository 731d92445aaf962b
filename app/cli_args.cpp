// Placeholder until the argument parser lands.
#include "app/cli_args.h"

namespace app {
CliParse parseCommandLine(const std::vector<std::string>& args, const catalog::Catalogue&) {
    CliParse r;
    if (!args.empty() && args[0] == "--json") r.options.mode = Mode::Json;
    return r;
}
std::string usageText() { return "usage: planetarium [--json]\n"; }
}  // namespace app
