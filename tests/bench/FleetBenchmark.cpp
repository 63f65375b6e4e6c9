// Times fleet write rounds against simulated radios paced at 9600 baud: one radio on one port,
// then one round on four ports at once (each port on its own thread; the target is at most 1.15
// times the single radio), then an unattended run of three rounds on four ports in radios per
// minute. Every radio holds another image, so each one is backed up, written and verified; the
// backups go to a history in a temporary folder, as a user's do. Not a test: run it by hand
// (build/…/bin/fleet_benchmark).

#include "RadioSimulator.h"
#include "fleet/FleetSession.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <vector>

namespace {

class QuietObserver : public IFleetObserver {
public:
    void onStage(size_t, JobStage) override {}
    void onProgress(size_t, int) override {}
    bool cancelled() override { return false; }
};

MemoryImage patternImage(uint8_t seed) {
    MemoryImage img;
    for (size_t i = 0; i < image::kSize; ++i) {
        img.setByte(i, static_cast<uint8_t>(i * 7 + seed));
    }
    return img;
}

RadioSimulator::Memory memoryOf(const MemoryImage& img) {
    RadioSimulator::Memory m{};
    std::copy(img.data(), img.data() + image::kSize, m.begin());
    return m;
}

struct Bench {
    std::vector<std::unique_ptr<RadioSimulator>> sims;
    std::vector<FleetPort> ports;
};

bool startRadios(Bench& bench, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        SimulatorOptions options;
        options.paced = true;
        bench.sims.push_back(std::make_unique<RadioSimulator>(options));
        std::string error;
        if (!bench.sims.back()->start(&error)) {
            std::fprintf(stderr, "cannot start a simulator: %s\n", error.c_str());
            return false;
        }
        bench.ports.push_back({"COM" + std::to_string(i + 1), bench.sims.back()->devicePath()});
    }
    return true;
}

// One round into radios that hold another image; the wall time in ms, negative when a radio
// was not written.
double roundMs(FleetSession& session, Bench& bench, QuietObserver& observer) {
    for (auto& sim : bench.sims) {
        sim->setMemory(memoryOf(patternImage(9)));
    }
    const auto start = std::chrono::steady_clock::now();
    const std::vector<FleetRecord> records = session.runRound(bench.ports, observer);
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    for (const FleetRecord& record : records) {
        if (record.outcome != FleetOutcome::Written) {
            std::fprintf(stderr, "%s: %s\n", record.port.device.c_str(),
                         fleetOutcomeText(record, Language::English).c_str());
            return -1;
        }
    }
    return ms;
}

// The median of three rounds on `count` ports.
double medianRoundMs(size_t count, RadioHistory& history) {
    Bench bench;
    if (!startRadios(bench, count)) {
        return -1;
    }
    FleetSession session(patternImage(3), FleetOptions{}, Language::English, &history);
    QuietObserver observer;
    std::vector<double> runs;
    for (int i = 0; i < 3; ++i) {
        const double ms = roundMs(session, bench, observer);
        if (ms < 0) {
            return -1;
        }
        runs.push_back(ms);
    }
    std::sort(runs.begin(), runs.end());
    return runs[1];
}

} // namespace

int main() {
    std::string folder = (std::filesystem::temp_directory_path() / "fleet-bench-XXXXXX").string();
    if (!::mkdtemp(folder.data())) {
        std::perror("mkdtemp");
        return 1;
    }
    RadioHistory history(folder);
    const double one = medianRoundMs(1, history);
    const double four = medianRoundMs(4, history);
    if (one < 0 || four < 0) {
        return 1;
    }
    std::printf("one radio on one port      %7.0f ms (median of 3 rounds)\n", one);
    std::printf("one round on four ports    %7.0f ms (median of 3 rounds)  ratio %.3f (target <= 1.15)\n",
                four, four / one);

    Bench bench;
    if (!startRadios(bench, 4)) {
        return 1;
    }
    FleetSession session(patternImage(3), FleetOptions{}, Language::English, &history);
    QuietObserver observer;
    double totalMs = 0;
    for (int round = 0; round < 3; ++round) {
        const double ms = roundMs(session, bench, observer);
        if (ms < 0) {
            return 1;
        }
        totalMs += ms;
    }
    std::printf("unattended 3 rounds on 4 ports: 12 radios in %.1f s = %.1f radios per minute\n",
                totalMs / 1000, 12 / (totalMs / 60000));
    std::filesystem::remove_all(folder);
    return 0;
}
