#include "InterruptGuard.h"

#include <atomic>

namespace {

// Set by the signal handler; a lock-free atomic is safe to touch there.
std::atomic<bool> interruptRequested{false};
static_assert(std::atomic<bool>::is_always_lock_free);

extern "C" void onInterrupt(int) {
    interruptRequested.store(true);
}

} // namespace

InterruptGuard::InterruptGuard() {
    interruptRequested.store(false);
    struct sigaction action {};
    action.sa_handler = onInterrupt;
    sigemptyset(&action.sa_mask);
    // SA_RESETHAND: the first Ctrl+C asks politely, the next one ends the program.
    action.sa_flags = SA_RESETHAND;
    sigaction(SIGINT, &action, &m_previous);
}

InterruptGuard::~InterruptGuard() {
    sigaction(SIGINT, &m_previous, nullptr);
}

bool InterruptGuard::interrupted() {
    return interruptRequested.load();
}
