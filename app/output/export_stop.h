// Stopping a film export from outside it: the user closing the window, or
// SIGINT (Ctrl+C), SIGTERM or SIGHUP arriving while the command line or the
// window writes a film. The export looks at the request between frames and
// while it waits for ffmpeg, then removes what it had written and returns
// Cancelled; nothing of a half-made film is left behind.
#pragma once

#include <csignal>

namespace app {

// Asks the export that runs now to stop. Async-signal-safe.
void requestExportStop() noexcept;

// Whether a stop was asked since the export began.
bool exportStopRequested() noexcept;

// Forgets an earlier request; each export calls it as it begins.
void clearExportStop() noexcept;

// For the lifetime of this object SIGINT, SIGTERM and SIGHUP ask the export
// to stop instead of ending the process at once. The destructor puts the
// earlier handlers back and, if one of these signals came, raises it again,
// so that the process still ends as the signal asked (status 128 + signal
// to the shell) but only after the export has cleaned up.
class StopExportOnSignals {
public:
    StopExportOnSignals();
    ~StopExportOnSignals();
    StopExportOnSignals(const StopExportOnSignals&) = delete;
    StopExportOnSignals& operator=(const StopExportOnSignals&) = delete;

    // The signal that came while this object lived, or 0.
    static int caughtSignal() noexcept;

private:
    struct sigaction previous_[3];
};

}  // namespace app
