#include "InterruptGuard.h"

#include "platform/PortLockFile.h"

#include <atomic>
#include <iterator>

namespace {

// Set by the signal handler; a lock-free atomic is safe to touch there.
std::atomic<bool> interruptRequested{false};
static_assert(std::atomic<bool>::is_always_lock_free);

extern "C" void onInterrupt(int signal) {
    if (!interruptRequested.exchange(true)) {
        return; // the first one asks politely
    }
    // The second one ends the program as the signal would, without leaving a lock file behind.
    // unlink, signal and raise are async-signal-safe.
    platform::removeHeldLockFilesNow();
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

} // namespace

InterruptGuard::InterruptGuard() {
    interruptRequested.store(false);
    struct sigaction action {};
    action.sa_handler = onInterrupt;
    sigemptyset(&action.sa_mask);
    for (size_t i = 0; i < std::size(kSignals); ++i) {
        sigaction(kSignals[i], &action, &m_previous[i]);
    }
}

InterruptGuard::~InterruptGuard() {
    for (size_t i = 0; i < std::size(kSignals); ++i) {
        sigaction(kSignals[i], &m_previous[i], nullptr);
    }
}

bool InterruptGuard::interrupted() {
    return interruptRequested.load();
}
