#pragma once

// The state of the three lock keys for the status bar's indicators. On Linux it is read from the
// keyboard LEDs under /sys/class/leds (any keyboard with its LED lit counts); where that cannot be
// read, every lock reads as off.
struct KeyLocks {
    bool capsLock = false;
    bool numLock = false;
    bool scrollLock = false;
};

class KeyLockState {
public:
    static KeyLocks query();
};
