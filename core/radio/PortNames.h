#pragma once

#include "radio/SerialPort.h"

#include <functional>
#include <string>
#include <vector>

class ProgramIni;

// The four port names the user chooses from: "COM1" to "COM4".
constexpr int kPortNameCount = 4;

// The port number (1..4) of a name "COM1".."COM4" in any letter case, or 0 for anything else.
int comPortNumber(const std::string& name);

// What a port name means on this machine:
// - "COM1".."COM4" (any case): the [Setup] key of the same name in Program.ini when it names a
//   device path; otherwise the n-th serial device present (`devices` in order);
//   empty when there is no such device.
// - anything else is taken as a device path as it is.
std::string resolvePortName(const std::string& name, const ProgramIni* ini,
                            const std::vector<std::string>& devices);

struct PortCandidate {
    std::string name;   // "COM1".."COM4"
    std::string device; // what it resolves to, empty when nothing
    bool canOpen = false;
    PortOpenResult openResult; // why it cannot be opened, when it cannot
};

// COM1..COM4 with what each resolves to and whether it can be opened now; `probe` opens and
// closes a device (tests pass their own).
using PortProbe = std::function<PortOpenResult(const std::string& device)>;
std::vector<PortCandidate> listPortCandidates(const ProgramIni* ini, const std::vector<std::string>& devices,
                                              const PortProbe& probe);
