// Reads and writes a whole image against the simulated radio paced at 9600 baud and compares
// each wall time with the floor: the bytes on the wire at 10 bits a byte plus the pauses the
// protocol mandates. Not a test: run it by hand (build/…/bin/clone_benchmark).

#include "RadioSimulator.h"
#include "platform/PosixSerialPort.h"
#include "radio/CloneSession.h"

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
        std::fprintf(stderr, "transfer failed: %s\n", transferMessageText(result.status, false).c_str());
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

} // namespace

int main() {
    const bool ok = measure("read", TransferDirection::Read, kReadFloor) &&
                    measure("write", TransferDirection::Write, kWriteFloor);
    return ok ? 0 : 1;
}
