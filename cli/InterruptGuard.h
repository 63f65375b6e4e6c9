#pragma once

#include <csignal>

// Turns Ctrl+C (SIGINT) into a flag for as long as it lives, so that a transfer can stop at its
// next pump point and close the port instead of dying half way. A second Ctrl+C finds the
// default action restored and ends the program at once. One guard at a time; main thread only.
class InterruptGuard {
public:
    InterruptGuard();
    ~InterruptGuard();
    InterruptGuard(const InterruptGuard&) = delete;
    InterruptGuard& operator=(const InterruptGuard&) = delete;

    // True once SIGINT has arrived since the guard was made.
    static bool interrupted();

private:
    struct sigaction m_previous {};
};
