#include "channels/Channel.h"

Channel Channel::onFrequency(uint32_t freq10Hz) {
    Channel c;
    c.rx10Hz = freq10Hz;
    c.tx10Hz = freq10Hz;
    return c;
}

Channel Channel::erased() {
    Channel c;
    c.scanned = false;
    c.busyLock = BusyLock::Tone;
    return c;
}
