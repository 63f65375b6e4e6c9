// Many transfers in a row against the simulated radio, with a random fault in most of them,
// reads and writes alternating. After each one the files are exactly what its outcome says, no
// file descriptor is left open, and the live heap does not grow.
//
// The suite runs a short form. SOAK=1 runs the long form (SOAK_TRANSFERS transfers, 2000 by
// default, on SOAK_THREADS radios at once, 4 by default) and prints its figures.
#include "radio/RadioJob.h"

#include "RadioSimulator.h"
#include "image/DatFile.h"
#include "platform/PosixSerialPort.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <malloc.h>
#include <mutex>
#include <random>
#include <sstream>
#include <thread>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define RADIO_HAVE_ASAN 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define RADIO_HAVE_ASAN 1
#endif
#ifdef RADIO_HAVE_ASAN
// The sanitizer runtime's count of the bytes allocated and not freed.
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace fs = std::filesystem;

namespace {

size_t liveHeapBytes() {
#ifdef RADIO_HAVE_ASAN
    return __sanitizer_get_current_allocated_bytes();
#else
    return mallinfo2().uordblks;
#endif
}

int openDescriptors() {
    int count = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator("/proc/self/fd")) {
        ++count;
    }
    return count;
}

long envNumber(const char* name, long fallback) {
    const char* text = std::getenv(name);
    return text != nullptr && *text != '\0' ? std::strtol(text, nullptr, 10) : fallback;
}

class QuietObserver : public IJobObserver {
public:
    void onStage(JobStage) override {}
    void onProgress(int) override {}
    bool pump() override { return false; }
    bool retryAfterCommunicationError() override { return false; }
};

std::string fileBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::string transferRows(const uint8_t* data) {
    return std::string(reinterpret_cast<const char*>(data), image::kTransferSize);
}

struct Tally {
    std::atomic<int> transfers{0};
    std::atomic<int> faulty{0};
    std::atomic<int> succeeded{0};
    std::mutex mutex;
    std::vector<std::string> problems;
    void problem(const std::string& text) {
        std::lock_guard<std::mutex> lock(mutex);
        if (problems.size() < 20) {
            problems.push_back(text);
        }
    }
};

// One radio's run: `count` transfers, even ones reads and odd ones writes.
void soak(int worker, int count, const fs::path& dir, Tally& tally) {
    std::mt19937 random(static_cast<unsigned>(worker * 7919 + 17));
    const fs::path readFile = dir / ("read-" + std::to_string(worker) + ".dat");
    const fs::path radioFile = dir / ("radio-" + std::to_string(worker) + ".dat");
    QuietObserver observer;
    for (int i = 0; i < count; ++i) {
        SimulatorOptions options;
        options.saveFile = radioFile.string();
        const int fault = static_cast<int>(random() % 8);
        const int frame = static_cast<int>(random() % 102);
        switch (fault) {
        case 1:
            options.stallAtFrame = frame;
            break;
        case 2:
            options.nakAtFrame = frame;
            break;
        case 3:
            options.shortReplyAtFrame = frame % 51;
            break;
        case 4:
            options.corruptAtFrame = 51 + frame % 51;
            break;
        case 5:
            options.earlyReply = true;
            break;
        case 6:
            options.ignoreHandshake = (random() % 4) == 0;
            break;
        default:
            break;
        }
        tally.faulty += fault != 0 && fault != 7 ? 1 : 0;
        RadioSimulator radio(options);
        RadioSimulator::Memory before{};
        for (auto& byte : before) {
            byte = static_cast<uint8_t>(random());
        }
        radio.setMemory(before);
        std::string error;
        if (!radio.start(&error)) {
            tally.problem("the radio did not start: " + error);
            continue;
        }
        platform::PosixSerialPort port;
        RadioJob job(port, observer);
        const std::string where = "transfer " + std::to_string(i) + " of radio " + std::to_string(worker) +
                                  " (fault " + std::to_string(fault) + ", frame " + std::to_string(frame) +
                                  ")";
        if (i % 2 == 0) {
            // A read: the file takes the radio's rows when the read succeeds, else stays.
            MemoryImage image = MemoryImage::newDocument();
            const std::string old = fileBytes(readFile);
            const JobResult result = job.read(radio.devicePath(), image);
            if (result.ok()) {
                ++tally.succeeded;
                if (transferRows(image.data()) != transferRows(before.data())) {
                    tally.problem(where + ": a successful read differs from the radio");
                }
                if (!saveDatFile(readFile.string(), image)) {
                    tally.problem(where + ": the read image could not be saved");
                }
                if (fileBytes(readFile) !=
                    std::string(reinterpret_cast<const char*>(image.data()), image::kSize)) {
                    tally.problem(where + ": the saved file is not the image read");
                }
            } else if (fileBytes(readFile) != old) {
                tally.problem(where + ": a failed read changed the file");
            }
        } else {
            // A write: the radio holds the new rows when it succeeds, its old ones when the
            // write never began, and its saved file follows only completed write sessions.
            MemoryImage image;
            for (size_t b = 0; b < image::kSize; ++b) {
                image.data()[b] = static_cast<uint8_t>(random());
            }
            JobOptions jobOptions;
            jobOptions.backup = random() % 2 == 0;
            jobOptions.verify = random() % 2 == 0;
            const std::string oldSaved = fileBytes(radioFile);
            const int writesBefore = radio.completedWrites();
            const JobResult result = job.write(radio.devicePath(), image, jobOptions);
            const RadioSimulator::Memory after = radio.memory();
            const bool completed = radio.completedWrites() > writesBefore;
            // A frame stored wrong yet acknowledged is what only verify can see.
            const bool corrupted = options.corruptAtFrame >= 0;
            const bool holdsImage = transferRows(after.data()) == transferRows(image.data());
            const bool holdsBefore = transferRows(after.data()) == transferRows(before.data());
            if (result.ok()) {
                ++tally.succeeded;
                if (corrupted && jobOptions.verify) {
                    tally.problem(where + ": verify passed a write with a corrupted frame");
                } else if (!corrupted && !holdsImage) {
                    tally.problem(where + ": a successful write is not in the radio");
                }
            } else if (result.stage == JobStage::Verify && result.mismatchRow < 0) {
                // The write completed; only reading it back failed.
                if (!corrupted && !holdsImage) {
                    tally.problem(where + ": a completed write is not in the radio");
                }
            } else if (!result.radioMayBeHalfWritten && result.stage != JobStage::Verify && !holdsBefore) {
                tally.problem(where + ": a write reported as not begun changed the radio");
            }
            const std::string saved = fileBytes(radioFile);
            if (completed &&
                saved != std::string(reinterpret_cast<const char*>(after.data()), after.size())) {
                tally.problem(where + ": the radio's file is not its memory after a completed write");
            }
            if (!completed && saved != oldSaved) {
                tally.problem(where + ": the radio's file changed without a completed write");
            }
        }
        ++tally.transfers;
    }
}

TEST(Soak, ManyTransfersWithFaultsKeepFilesExactAndLeakNothing) {
    const bool longForm = std::getenv("SOAK") != nullptr && std::string(std::getenv("SOAK")) == "1";
    const int transfers = static_cast<int>(longForm ? envNumber("SOAK_TRANSFERS", 2000) : 16);
    const int threads = static_cast<int>(longForm ? envNumber("SOAK_THREADS", 4) : 2);
    const fs::path dir = fs::temp_directory_path() / ("soak-" + std::to_string(std::random_device{}()));
    fs::create_directories(dir);

    // A first round warms up what stays for the life of the process (locale, thread pools).
    Tally warmUp;
    soak(99, 2, dir, warmUp);
    const int descriptors = openDescriptors();
    const size_t heapBefore = liveHeapBytes();
    const auto start = std::chrono::steady_clock::now();

    Tally tally;
    std::vector<std::thread> workers;
    for (int w = 0; w < threads; ++w) {
        const int share = transfers / threads + (w < transfers % threads ? 1 : 0);
        workers.emplace_back([&, w, share] { soak(w, share, dir, tally); });
    }
    for (std::thread& worker : workers) {
        worker.join();
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const int descriptorsAfter = openDescriptors();
    const size_t heapAfter = liveHeapBytes();
    std::error_code error;
    fs::remove_all(dir, error);

    for (const std::string& problem : tally.problems) {
        ADD_FAILURE() << problem;
    }
    EXPECT_EQ(tally.transfers.load(), transfers);
    EXPECT_EQ(descriptorsAfter, descriptors) << "file descriptors left open";
    // The live heap may differ by what the last allocations of the runtime keep; a leak of a
    // transfer's buffers would grow it by kilobytes per transfer.
    EXPECT_LT(heapAfter, heapBefore + 256 * 1024) << "live heap " << heapBefore << " -> " << heapAfter;
    std::printf(
        "soak: %d transfers (%d with a fault, %d succeeded) on %d radios in %.0f s; descriptors %d -> %d; "
        "live heap %zu -> %zu bytes\n",
        tally.transfers.load(), tally.faulty.load(), tally.succeeded.load(), threads, seconds, descriptors,
        descriptorsAfter, heapBefore, heapAfter);
}

} // namespace
