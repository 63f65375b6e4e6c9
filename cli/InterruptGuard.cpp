#include "InterruptGuard.h"

namespace {

volatile std::sig_atomic_t g_bInterrupted = 0;

extern "C" void onInterrupt(int) {
    g_bInterrupted = 1;
}

} // namespace

CInterruptGuard::CInterruptGuard() {
    g_bInterrupted = 0;
    struct sigaction action {};
    action.sa_handler = onInterrupt;
    sigemptyset(&action.sa_mask);
    // SA_RESETHAND: the first Ctrl+C asks politely, the next one ends the program.
    action.sa_flags = SA_RESETHAND;
    sigaction(SIGINT, &action, &m_previous);
}

CInterruptGuard::~CInterruptGuard() {
    sigaction(SIGINT, &m_previous, nullptr);
}

bool CInterruptGuard::interrupted() {
    return g_bInterrupted != 0;
}
