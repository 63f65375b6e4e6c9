#pragma once

#include <csignal>
#include <iterator>

// Turns Ctrl+C (SIGINT), and SIGTERM and SIGHUP likewise, into a flag for as long as it lives,
// so that a transfer can stop at its next pump point, close the port and remove its lock file
// instead of dying half way. A second signal ends the program at once, after removing the lock
// files the process holds (platform::removeHeldLockFilesNow). One guard at a time; main thread
// only.
class InterruptGuard {
public:
    InterruptGuard();
    ~InterruptGuard();
    InterruptGuard(const InterruptGuard&) = delete;
    InterruptGuard& operator=(const InterruptGuard&) = delete;

    // True once a signal has arrived since the guard was made.
    static bool interrupted();

private:
    static constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};
    struct sigaction m_previous[std::size(kSignals)]{};
};
