#include "CliTestSupport.h"

#include "image/DatFile.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace fs = std::filesystem;

namespace clitest {

const char kTestAppName[] = "Radio Test";
const char kTestIni[] = "[Setup]\r\n"
                        "Language=English\r\n"
                        "AppName=Radio Test\r\n"
                        "Type1=HT-16\r\n"
                        "Field1=136 - 174MHz|400 - 470MHz\r\n"
                        "Type2=HT-16U\r\n"
                        "Field2=400 - 470MHz|450 - 520MHz\r\n"
                        "Type3=HT-16V\r\n"
                        "Field3=136 - 174MHz|144 - 148MHz\r\n"
                        "Type4=HT-16X\r\n"
                        "Field4=136 - 470MHz\r\n";

namespace {

using Clock = std::chrono::steady_clock;

std::vector<char*> cStrings(std::vector<std::string>& strings) {
    std::vector<char*> out;
    for (std::string& s : strings) {
        out.push_back(s.data());
    }
    out.push_back(nullptr);
    return out;
}

void closeFd(int& fd) {
    if (fd >= 0) {
        ::close(fd);
        fd = -1;
    }
}

} // namespace

ChildProcess::ChildProcess(const std::vector<std::string>& args, const std::vector<std::string>& environment,
                           const std::string& workDir, bool stderrIsTerminal, const std::string& stdoutFile,
                           int stdinFd) {
    int outPipe[2] = {-1, -1};
    int errRead = -1;
    int errWrite = -1;
    if (::pipe2(outPipe, O_CLOEXEC) != 0) {
        return;
    }
    m_outFd = outPipe[0];
    if (stderrIsTerminal) {
        errRead = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (errRead >= 0 && ::grantpt(errRead) == 0 && ::unlockpt(errRead) == 0) {
            errWrite = ::open(::ptsname(errRead), O_RDWR | O_NOCTTY | O_CLOEXEC);
        }
    } else {
        int errPipe[2];
        if (::pipe2(errPipe, O_CLOEXEC) == 0) {
            errRead = errPipe[0];
            errWrite = errPipe[1];
        }
    }
    m_errFd = errRead;
    if (errWrite < 0) {
        ::close(outPipe[1]);
        return;
    }

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addchdir_np(&actions, workDir.c_str());
    if (stdinFd >= 0) {
        posix_spawn_file_actions_adddup2(&actions, stdinFd, STDIN_FILENO);
    } else {
        posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    }
    if (stdoutFile.empty()) {
        posix_spawn_file_actions_adddup2(&actions, outPipe[1], STDOUT_FILENO);
    } else {
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, stdoutFile.c_str(), O_WRONLY, 0);
    }
    posix_spawn_file_actions_adddup2(&actions, errWrite, STDERR_FILENO);

    std::vector<std::string> argv = args;
    std::vector<std::string> envp = environment;
    std::vector<char*> argvC = cStrings(argv);
    std::vector<char*> envpC = cStrings(envp);
    const int rc = ::posix_spawn(&m_pid, argvC[0], &actions, nullptr, argvC.data(), envpC.data());
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) {
        m_pid = -1;
    }

    ::close(outPipe[1]);
    ::close(errWrite);
}

ChildProcess::~ChildProcess() {
    if (m_pid > 0) {
        ::kill(m_pid, SIGKILL);
        ::waitpid(m_pid, nullptr, 0);
    }
    closeFd(m_outFd);
    closeFd(m_errFd);
}

namespace {
// Whether the process has a handler for `signal` (SigCgt of /proc/PID/status).
bool catchesSignal(pid_t pid, int signal) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("SigCgt:", 0) == 0) {
            return (std::stoull(line.substr(7), nullptr, 16) >> (signal - 1)) & 1U;
        }
    }
    return false;
}
} // namespace

void ChildProcess::sendSignal(int signal) {
    if (m_pid <= 0) {
        return;
    }
    // A loaded machine may still be starting the program: a first signal before its handler is
    // set would end it the default way rather than test how it stops.
    const auto deadline = Clock::now() + std::chrono::seconds(5);
    while (!m_signalled && !catchesSignal(m_pid, signal) && Clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    m_signalled = true;
    ::kill(m_pid, signal);
}

RunResult ChildProcess::finish(int timeoutMs) {
    RunResult result;
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    int* fds[2] = {&m_outFd, &m_errFd};
    std::string* sinks[2] = {&result.out, &result.err};
    while ((m_outFd >= 0 || m_errFd >= 0) && Clock::now() < deadline) {
        pollfd pfds[2];
        for (int i = 0; i < 2; ++i) {
            pfds[i] = {*fds[i], POLLIN, 0};
        }
        if (::poll(pfds, 2, 100) < 0 && errno != EINTR) {
            break;
        }
        for (int i = 0; i < 2; ++i) {
            if (*fds[i] < 0 || pfds[i].revents == 0) {
                continue;
            }
            char buffer[4096];
            const ssize_t n = ::read(*fds[i], buffer, sizeof buffer);
            if (n > 0) {
                sinks[i]->append(buffer, static_cast<size_t>(n));
            } else if (n == 0 || errno != EINTR) {
                closeFd(*fds[i]); // end of a pipe; EIO once a terminal's last writer is gone
            }
        }
    }
    if (m_pid > 0) {
        int status = 0;
        if (Clock::now() >= deadline) {
            ::kill(m_pid, SIGKILL);
        }
        ::waitpid(m_pid, &status, 0);
        m_pid = -1;
        if (WIFEXITED(status)) {
            result.exitStatus = WEXITSTATUS(status);
        } else if (WIFSIGNALED(status)) {
            result.signal = WTERMSIG(status);
        }
    }
    return result;
}

void CliTest::SetUp() {
    std::string pattern = (fs::temp_directory_path() / "radioprog-test-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr) << std::strerror(errno);
    m_dir = pattern;
    setProgramIni(kTestIni);
}

void CliTest::TearDown() {
    std::error_code ec;
    if (!m_dir.empty()) {
        fs::remove_all(m_dir, ec);
    }
}

std::vector<std::string> CliTest::environment() const {
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) {
        if (std::strncmp(*e, "XDG_CONFIG_HOME=", 16) != 0 && std::strncmp(*e, "XDG_DATA_HOME=", 14) != 0) {
            env.emplace_back(*e);
        }
    }
    env.push_back("XDG_CONFIG_HOME=" + path("config"));
    env.push_back("XDG_DATA_HOME=" + path("data"));
    env.insert(env.end(), m_extraEnvironment.begin(), m_extraEnvironment.end());
    return env;
}

std::vector<std::string> CliTest::withIni(std::vector<std::string> args) const {
    args.insert(args.begin(), {RADIOPROG_PATH, "--ini", path("Program.ini")});
    return args;
}

RunResult CliTest::run(std::vector<std::string> args, bool stderrIsTerminal) {
    ChildProcess child(withIni(std::move(args)), environment(), m_dir, stderrIsTerminal, m_stdoutFile,
                       m_stdinFd);
    EXPECT_TRUE(child.started());
    return child.finish();
}

std::unique_ptr<ChildProcess> CliTest::start(std::vector<std::string> args, bool stderrIsTerminal) {
    return std::make_unique<ChildProcess>(withIni(std::move(args)), environment(), m_dir, stderrIsTerminal,
                                          m_stdoutFile, m_stdinFd);
}

RunResult CliTest::runBare(const std::vector<std::string>& args) {
    return runProgram(RADIOPROG_PATH, args);
}

RunResult CliTest::runProgram(const std::string& program, const std::vector<std::string>& args) {
    std::vector<std::string> full = {program};
    full.insert(full.end(), args.begin(), args.end());
    ChildProcess child(full, environment(), m_dir, false);
    EXPECT_TRUE(child.started());
    return child.finish();
}

std::string readFileAt(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    EXPECT_TRUE(in.good()) << path;
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void CliTest::writeFile(const std::string& name, const std::string& bytes) const {
    std::error_code ec;
    fs::create_directories(fs::path(path(name)).parent_path(), ec);
    std::ofstream out(path(name), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(out.good()) << name;
}

std::string CliTest::readFile(const std::string& name) const {
    std::ifstream in(path(name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool CliTest::exists(const std::string& name) const {
    return fs::exists(path(name));
}

std::map<std::string, std::string> CliTest::snapshot() const {
    std::map<std::string, std::string> files;
    for (const fs::directory_entry& e : fs::recursive_directory_iterator(m_dir)) {
        const std::string relative = fs::relative(e.path(), m_dir).string();
        files[relative] = e.is_regular_file() ? readFile(relative) : std::string("<dir>");
    }
    return files;
}

void CliTest::writeImage(const std::string& name, const MemoryImage& image) const {
    ASSERT_TRUE(saveDatFile(path(name), image)) << name;
}

MemoryImage CliTest::readImage(const std::string& name) const {
    MemoryImage image;
    EXPECT_TRUE(loadDatFile(path(name), image)) << name;
    return image;
}

std::string CliTest::historyPath() const {
    return path("data/" + std::string(kTestAppName) + "/history");
}

std::string CliTest::userSettingsPath() const {
    return path("config/" + std::string(kTestAppName) + ".ini");
}

} // namespace clitest
