#include "app/output/export_stop.h"

#include <atomic>

namespace app {

namespace {

constexpr int kSignals[3] = {SIGINT, SIGTERM, SIGHUP};

// Lock-free atomics are the one shared state a signal handler may touch.
std::atomic<bool> stopAsked{false};
std::atomic<int> caught{0};
static_assert(std::atomic<bool>::is_always_lock_free && std::atomic<int>::is_always_lock_free);

extern "C" void askStop(int signal) {
    int none = 0;
    caught.compare_exchange_strong(none, signal);
    stopAsked.store(true);
}

}  // namespace

void requestExportStop() noexcept { stopAsked.store(true); }
bool exportStopRequested() noexcept { return stopAsked.load(); }
void clearExportStop() noexcept { stopAsked.store(false); }

StopExportOnSignals::StopExportOnSignals() {
    caught.store(0);
    struct sigaction action = {};
    action.sa_handler = askStop;
    sigemptyset(&action.sa_mask);
    // Restarted system calls: the waits for ffmpeg and the file writes go on,
    // and the export sees the request at its next look.
    action.sa_flags = SA_RESTART;
    for (int i = 0; i < 3; ++i) {
        sigaction(kSignals[i], nullptr, &previous_[i]);
        // A signal the process was told to ignore (nohup) stays ignored.
        if (previous_[i].sa_handler != SIG_IGN) sigaction(kSignals[i], &action, nullptr);
    }
}

StopExportOnSignals::~StopExportOnSignals() {
    for (int i = 0; i < 3; ++i) sigaction(kSignals[i], &previous_[i], nullptr);
    const int signal = caught.exchange(0);
    if (signal != 0) std::raise(signal);
}

int StopExportOnSignals::caughtSignal() noexcept { return caught.load(); }

}  // namespace app
