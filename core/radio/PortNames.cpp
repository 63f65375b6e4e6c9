#include "radio/PortNames.h"

#include "settings/ProgramIni.h"
#include "text/AsciiText.h"

namespace {

std::string portName(int number) {
    return "COM" + std::to_string(number);
}

} // namespace

int comPortNumber(const std::string& name) {
    if (name.size() != 4) {
        return 0;
    }
    if (!ascii::startsWithIgnoringCase(name, "com")) {
        return 0;
    }
    const int number = name[3] - '0';
    return number >= 1 && number <= kPortNameCount ? number : 0;
}

std::string resolvePortName(const std::string& name, const ProgramIni* ini,
                            const std::vector<std::string>& devices) {
    const int number = comPortNumber(name);
    if (number == 0) {
        return name;
    }
    if (ini) {
        std::string configured = ini->portDevice(number);
        if (!configured.empty()) {
            return configured;
        }
    }
    const size_t index = static_cast<size_t>(number - 1);
    return index < devices.size() ? devices[index] : std::string();
}

std::vector<PortCandidate> listPortCandidates(const ProgramIni* ini, const std::vector<std::string>& devices,
                                              const PortProbe& probe) {
    std::vector<PortCandidate> candidates;
    for (int number = 1; number <= kPortNameCount; ++number) {
        PortCandidate candidate;
        candidate.name = portName(number);
        candidate.device = resolvePortName(candidate.name, ini, devices);
        if (candidate.device.empty()) {
            candidate.openResult = {PortError::NotFound, "no serial device for " + candidate.name};
        } else {
            candidate.openResult = probe(candidate.device);
            candidate.canOpen = static_cast<bool>(candidate.openResult);
        }
        candidates.push_back(std::move(candidate));
    }
    return candidates;
}
