// Placeholder until the window lands: prints the sky state instead.
#include "app/commands.h"

namespace app {
int runWindow(int, char**, const CliOptions& opt, const catalog::Catalogue& cat) { return runJson(opt, cat); }
}  // namespace app
