// Placeholder until the renderer lands.
#include <cstdio>

#include "app/commands.h"

namespace app {
int runRender(int, char**, const CliOptions&, const catalog::Catalogue&) {
    std::fputs("planetarium: --render is not built yet\n", stderr);
    return 1;
}
}  // namespace app
