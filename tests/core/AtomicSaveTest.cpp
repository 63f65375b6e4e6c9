#include "image/DatFile.h"
#include "platform/AtomicFile.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <spawn.h>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace fs = std::filesystem;

namespace {

class AtomicSaveTest : public testing::Test {
protected:
    void SetUp() override {
        m_dir = fs::temp_directory_path() / ("atomic-save-" + std::to_string(std::random_device{}()));
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    std::string path(const std::string& name) const { return (m_dir / name).string(); }
    static std::string read(const std::string& file) {
        std::ifstream in(file, std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        return bytes.str();
    }
    int temporaryFiles() const {
        int count = 0;
        for (const auto& entry : fs::directory_iterator(m_dir)) {
            count += entry.path().filename().string().find(".tmp-") != std::string::npos ? 1 : 0;
        }
        return count;
    }

    fs::path m_dir;
};

TEST_F(AtomicSaveTest, ANewFileIsNeverPutOverOneThatExists) {
    std::string error;
    ASSERT_TRUE(platform::writeNewFileAtomically(path("a.dat"), "first", error)) << error;
    EXPECT_EQ(read(path("a.dat")), "first");
    EXPECT_FALSE(platform::writeNewFileAtomically(path("a.dat"), "second", error));
    EXPECT_EQ(error, std::strerror(EEXIST));
    EXPECT_EQ(read(path("a.dat")), "first");
    // Nor over a link, a folder or a pipe.
    fs::create_symlink(path("a.dat"), path("link.dat"));
    fs::create_directory(path("folder.dat"));
    ASSERT_EQ(::mkfifo(path("pipe.dat").c_str(), 0600), 0);
    for (const char* name : {"link.dat", "folder.dat", "pipe.dat"}) {
        EXPECT_FALSE(platform::writeNewFileAtomically(path(name), "x", error)) << name;
    }
    EXPECT_EQ(read(path("a.dat")), "first");
    EXPECT_EQ(temporaryFiles(), 0);
}

TEST_F(AtomicSaveTest, ModesComeFromTheUmaskOrTheFileReplaced) {
    const mode_t old = ::umask(027);
    std::string error;
    const bool created = platform::writeFileAtomically(path("new.dat"), "x", error);
    const bool createdNew = platform::writeNewFileAtomically(path("brand.dat"), "x", error);
    const mode_t now = ::umask(old);
    EXPECT_EQ(now, 027) << "the umask is left as it was";
    ASSERT_TRUE(created && createdNew) << error;
    EXPECT_EQ(fs::status(path("new.dat")).permissions(), fs::perms(0640));
    EXPECT_EQ(fs::status(path("brand.dat")).permissions(), fs::perms(0640));

    fs::permissions(path("new.dat"), fs::perms(0604));
    ASSERT_TRUE(platform::writeFileAtomically(path("new.dat"), "y", error)) << error;
    EXPECT_EQ(fs::status(path("new.dat")).permissions(), fs::perms(0604));
}

// A signal that arrives while the file is being saved waits until the save is over, so it never
// finds a temporary file to leave behind.
std::atomic<int> g_temporariesAtSignal{-1};
fs::path g_signalFolder;
void countTemporaries(int) {
    int count = 0;
    for (const auto& entry : fs::directory_iterator(g_signalFolder)) {
        count += entry.path().filename().string().find(".tmp-") != std::string::npos ? 1 : 0;
    }
    g_temporariesAtSignal = count;
}

TEST_F(AtomicSaveTest, ASignalDuringASaveWaitsUntilNoTemporaryFileIsLeft) {
    g_signalFolder = m_dir;
    struct sigaction action {
    }, previous{};
    action.sa_handler = countTemporaries;
    sigemptyset(&action.sa_mask);
    ASSERT_EQ(::sigaction(SIGINT, &action, &previous), 0);
    const std::string big(64 << 20, 'z'); // long enough for the signal to come while writing
    const pthread_t self = pthread_self();
    std::thread interrupter([self] {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        pthread_kill(self, SIGINT);
    });
    std::string error;
    const bool saved = platform::writeFileAtomically(path("big.dat"), big, error);
    interrupter.join();
    // The signal is delivered once it is let through again, at the latest now.
    for (int i = 0; i < 100 && g_temporariesAtSignal < 0; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ::sigaction(SIGINT, &previous, nullptr);
    EXPECT_TRUE(saved) << error;
    EXPECT_EQ(g_temporariesAtSignal.load(), 0);
}

// A writer killed at any moment leaves the file whole: the old image or the new one.
TEST_F(AtomicSaveTest, AWriterKilledAtAnyMomentLeavesAWholeFile) {
    const std::string target = path("killed.dat");
    const std::string first(image::kSize, '\x11');
    const std::string second(image::kSize, '\x22');
    std::ofstream(target, std::ios::binary) << first;
    std::mt19937 random(12345);
    const int rounds = 200;
    int seenSecond = 0;
    for (int round = 0; round < rounds; ++round) {
        char program[] = SAVE_LOOP_PATH;
        std::string file = target;
        char* argv[] = {program, file.data(), nullptr};
        pid_t child = 0;
        ASSERT_EQ(::posix_spawn(&child, program, nullptr, nullptr, argv, environ), 0);
        std::this_thread::sleep_for(std::chrono::microseconds(random() % 40000));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        const std::string now = read(target);
        ASSERT_TRUE(now == first || now == second) << "round " << round << ": " << now.size() << " bytes";
        seenSecond += now == second ? 1 : 0;
        for (const auto& entry : fs::directory_iterator(m_dir)) {
            if (entry.path().filename().string().find(".tmp-") != std::string::npos) {
                fs::remove(entry.path()); // what a killed writer may leave; never the target
            }
        }
    }
    EXPECT_GT(seenSecond, 0) << "the writer never got to save: the test proves nothing";
}

} // namespace
