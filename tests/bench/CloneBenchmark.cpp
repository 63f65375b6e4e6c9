// Reads and writes a whole image against the simulated radio paced at 9600 baud and compares
// each wall time with the floor: the bytes on the wire at 10 bits a byte plus the pauses the
// protocol mandates. Then times a whole write job as the user runs it, with backup and verify
// and without, and each of its sessions against that session's floor; and the writes that send
// little or nothing (the radio holds the image; one channel changed, changed frames only)
// against one read's floor. Not a test: run it by hand (build/…/bin/clone_benchmark).

#include "RadioSimulator.h"
#include "platform/PosixSerialPort.h"
#include "radio/CloneSession.h"
#include "radio/RadioJob.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

class QuietObserver : public ICloneObserver {
public:
    void onProgress(int) override {}
    bool pump() override { return false; }
    bool retryAfterCommunicationError() override { return false; }
};

constexpr double kByteMs = 10.0 * 1000.0 / 9600.0;
// Handshake 8 + ack 1, identification request 1 + reply 8, acknowledgement 1 + answer 1.
constexpr int kHandshakeBytes = 20;
// Pauses before the frames: 2 ms before each handshake byte, six 1 ms pumps, 1 ms before the
// identification request, before reading its reply and before reading its acknowledgement.
constexpr int kHandshakePauseMs = 8 * 2 + 6 + 3;
constexpr int kFrames = CloneSession::kFrameCount;

struct Floor {
    int bytes;
    int pauseMs;
    double ms() const { return bytes * kByteMs + pauseMs; }
};

// Read: request 4, reply 12, acknowledgement 1 and its answer 1 per frame; 1 ms before each
// acknowledgement and before the second request of each row.
constexpr Floor kReadFloor{kHandshakeBytes + kFrames * 18, kHandshakePauseMs + kFrames + kFrames / 2};
// Write: header 4 + data 8 and the answer 1 per frame; 1 ms between header and data.
constexpr Floor kWriteFloor{kHandshakeBytes + kFrames * 13, kHandshakePauseMs + kFrames};

// One whole transfer; the wall time in milliseconds, or a negative number when it failed.
double transferMs(TransferDirection direction) {
    SimulatorOptions options;
    options.paced = true;
    RadioSimulator sim(options);
    std::string error;
    if (!sim.start(&error)) {
        std::fprintf(stderr, "cannot start the simulator: %s\n", error.c_str());
        return -1;
    }
    platform::PosixSerialPort port;
    QuietObserver observer;
    CloneSession session(port, observer);
    MemoryImage image = MemoryImage::newDocument();
    const auto start = std::chrono::steady_clock::now();
    const TransferResult result = session.run(direction, sim.devicePath(), image);
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    if (!result.ok()) {
        std::fprintf(stderr, "transfer failed: %s\n",
                     transferMessageText(result.status, Language::English).c_str());
        return -1;
    }
    return ms;
}

// Five runs; the median stands for the direction, since a virtual machine's scheduler now and
// then delays one run by a tenth.
bool measure(const char* name, TransferDirection direction, const Floor& floor) {
    constexpr int kRuns = 5;
    std::vector<double> runs;
    for (int i = 0; i < kRuns; ++i) {
        const double ms = transferMs(direction);
        if (ms < 0) {
            return false;
        }
        runs.push_back(ms);
    }
    std::sort(runs.begin(), runs.end());
    const double median = runs[kRuns / 2];
    std::printf("%-5s  %4d bytes  %3d ms pauses  floor %6.0f ms  median wall %6.0f ms  ratio %.3f"
                "  (runs %.3f .. %.3f)\n",
                name, floor.bytes, floor.pauseMs, floor.ms(), median, median / floor.ms(),
                runs.front() / floor.ms(), runs.back() / floor.ms());
    return true;
}

// Notes when each stage of a job begins.
class StageClock : public IJobObserver {
public:
    void onStage(JobStage stage) override { starts.emplace_back(stage, std::chrono::steady_clock::now()); }
    void onProgress(int) override {}
    bool pump() override { return false; }
    bool retryAfterCommunicationError() override { return false; }

    std::vector<std::pair<JobStage, std::chrono::steady_clock::time_point>> starts;
};

struct JobRun {
    double totalMs = -1;
    std::vector<double> stageMs; // in the order the stages ran
};

// A write of a new image into a radio that holds `radioHolds` (all 0xFF when not given).
JobRun writeJob(const JobOptions& options, const MemoryImage* radioHolds = nullptr) {
    SimulatorOptions simOptions;
    simOptions.paced = true;
    RadioSimulator sim(simOptions);
    if (radioHolds) {
        RadioSimulator::Memory memory{};
        std::copy(radioHolds->data(), radioHolds->data() + memory.size(), memory.begin());
        sim.setMemory(memory);
    }
    if (!sim.start()) {
        return {};
    }
    platform::PosixSerialPort port;
    StageClock clock;
    RadioJob job(port, clock); // no history: the disk is not what is measured
    const MemoryImage image = MemoryImage::newDocument();
    const auto start = std::chrono::steady_clock::now();
    const JobResult result = job.write(sim.devicePath(), image, options);
    const auto end = std::chrono::steady_clock::now();
    if (!result.ok()) {
        std::fprintf(stderr, "write job failed: %s\n", jobFailureText(result, Language::English).c_str());
        return {};
    }
    JobRun run;
    run.totalMs = std::chrono::duration<double, std::milli>(end - start).count();
    for (size_t i = 0; i < clock.starts.size(); ++i) {
        const auto stageEnd = i + 1 < clock.starts.size() ? clock.starts[i + 1].second : end;
        run.stageMs.push_back(
            std::chrono::duration<double, std::milli>(stageEnd - clock.starts[i].second).count());
    }
    return run;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Five jobs; the medians of the whole job and of each session against their floors.
bool measureJob(const char* name, const JobOptions& options) {
    constexpr int kRuns = 5;
    std::vector<Floor> floors;
    std::vector<const char*> stageNames;
    if (options.backup) {
        floors.push_back(kReadFloor);
        stageNames.push_back("backup");
    }
    floors.push_back(kWriteFloor);
    stageNames.push_back("write");
    if (options.verify) {
        floors.push_back(kReadFloor);
        stageNames.push_back("verify");
    }
    std::vector<double> totals;
    std::vector<std::vector<double>> stages(floors.size());
    for (int i = 0; i < kRuns; ++i) {
        const JobRun run = writeJob(options);
        if (run.totalMs < 0 || run.stageMs.size() != floors.size()) {
            return false;
        }
        totals.push_back(run.totalMs);
        for (size_t s = 0; s < floors.size(); ++s) {
            stages[s].push_back(run.stageMs[s]);
        }
    }
    double floorMs = 0;
    for (const Floor& f : floors) {
        floorMs += f.ms();
    }
    std::printf("%-22s  floor %6.0f ms  median wall %6.0f ms  ratio %.3f  (runs %.3f .. %.3f)\n", name,
                floorMs, median(totals), median(totals) / floorMs,
                *std::min_element(totals.begin(), totals.end()) / floorMs,
                *std::max_element(totals.begin(), totals.end()) / floorMs);
    for (size_t s = 0; s < floors.size(); ++s) {
        std::printf("  %-20s  floor %6.0f ms  median wall %6.0f ms  ratio %.3f\n", stageNames[s],
                    floors[s].ms(), median(stages[s]), median(stages[s]) / floors[s].ms());
    }
    return true;
}

// Five jobs against a radio holding `radioHolds`; the median of the whole job against one read's
// floor, and the target ratio.
bool measureAgainstRead(const char* name, const JobOptions& options, const MemoryImage& radioHolds,
                        double target) {
    constexpr int kRuns = 5;
    std::vector<double> totals;
    for (int i = 0; i < kRuns; ++i) {
        const JobRun run = writeJob(options, &radioHolds);
        if (run.totalMs < 0) {
            return false;
        }
        totals.push_back(run.totalMs);
    }
    const double floorMs = kReadFloor.ms();
    std::printf(
        "%-22s  one read's floor %6.0f ms  median wall %6.0f ms  ratio %.3f (target %.2f)  (runs %.3f .. "
        "%.3f)\n",
        name, floorMs, median(totals), median(totals) / floorMs, target,
        *std::min_element(totals.begin(), totals.end()) / floorMs,
        *std::max_element(totals.begin(), totals.end()) / floorMs);
    return true;
}

JobOptions changedOnly() {
    JobOptions options;
    options.changedOnly = true;
    return options;
}

// A new image with channel 3's record changed in both of its frames.
MemoryImage oneChannelChanged() {
    MemoryImage image = MemoryImage::newDocument();
    for (const size_t at : {image::channelOffset(3), image::channelOffset(3) + 8}) {
        image.setByte(at, static_cast<uint8_t>(~image.byte(at)));
    }
    return image;
}

JobOptions noBackupNoVerify() {
    JobOptions options;
    options.backup = false;
    options.verify = false;
    return options;
}

} // namespace

int main() {
    const bool ok = measure("read", TransferDirection::Read, kReadFloor) &&
                    measure("write", TransferDirection::Write, kWriteFloor) &&
                    measureJob("write job (defaults)", JobOptions{}) &&
                    measureJob("write job --no-backup --no-verify", noBackupNoVerify()) &&
                    measureAgainstRead("write of what the radio holds, with backup", JobOptions{},
                                       MemoryImage::newDocument(), 1.15) &&
                    measureAgainstRead("one-channel change, --changed-only with verify", changedOnly(),
                                       oneChannelChanged(), 1.25);
    return ok ? 0 : 1;
}
