// Placeholder until the JSON printer lands.
#include <cstdio>

#include "app/commands.h"

namespace app {
int runJson(const CliOptions&, const catalog::Catalogue&) {
    std::puts("{}");
    return 0;
}
}  // namespace app
