#pragma once

// Running the built radioprog in a temporary folder and looking at what it left behind.

#include "image/MemoryImage.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <sys/types.h>
#include <vector>

namespace clitest {

struct RunResult {
    int exitStatus = -1; // -1 when the program did not exit normally
    int signal = 0;      // the signal that ended it, if one did
    std::string out;
    std::string err;
};

// A started radioprog. Its stdout is captured, or goes to the file `stdoutFile` when one is
// named (/dev/full, say); its stderr is captured from a pipe, or from a pseudo-terminal when
// `stderrIsTerminal`, so that the program sees a terminal there.
class ChildProcess {
public:
    // Its stdin is /dev/null, or `stdinFd` when one is given (the read end of a test's pipe).
    ChildProcess(const std::vector<std::string>& args, const std::vector<std::string>& environment,
                 const std::string& workDir, bool stderrIsTerminal, const std::string& stdoutFile = "",
                 int stdinFd = -1);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool started() const { return m_pid > 0; }
    void sendSignal(int signal);
    // Reads both streams to their end and waits for the exit; gives up (killing the program)
    // after `timeoutMs`.
    RunResult finish(int timeoutMs = 20000);

private:
    pid_t m_pid = -1;
    bool m_signalled = false; // a signal was sent: the program is past its start
    int m_outFd = -1;
    int m_errFd = -1;
};

// A temporary folder with its own Program.ini and per-user settings folder; removed at the end.
class CliTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Runs radioprog with --ini <folder>/Program.ini added, in the folder, with
    // XDG_CONFIG_HOME and XDG_DATA_HOME (the radio history) pointing into it.
    RunResult run(std::vector<std::string> args, bool stderrIsTerminal = false);
    std::unique_ptr<ChildProcess> start(std::vector<std::string> args, bool stderrIsTerminal = false);
    // Runs without adding --ini.
    RunResult runBare(const std::vector<std::string>& args);
    // Runs another copy of the program, without adding --ini.
    RunResult runProgram(const std::string& program, const std::vector<std::string>& args);

    std::string path(const std::string& name) const { return m_dir + "/" + name; }
    void writeFile(const std::string& name, const std::string& bytes) const;
    std::string readFile(const std::string& name) const;
    bool exists(const std::string& name) const;
    // Every file of the folder (not the settings folder) with its content.
    std::map<std::string, std::string> snapshot() const;

    void writeImage(const std::string& name, const MemoryImage& image) const;
    MemoryImage readImage(const std::string& name) const;
    // The folder of the radio history that radioprog keeps under XDG_DATA_HOME.
    std::string historyPath() const;
    // The per-user settings file that radioprog keeps the remembered type and band in.
    std::string userSettingsPath() const;
    void setProgramIni(const std::string& text) const { writeFile("Program.ini", text); }

    std::string m_dir;
    // NAME=VALUE entries added to the environment of every run (RADIO_DEVICE_ROOT, say).
    std::vector<std::string> m_extraEnvironment;
    // Where stdout of every run goes instead of being captured, when not empty.
    std::string m_stdoutFile;
    // What stdin of every run reads instead of /dev/null, when not -1.
    int m_stdinFd = -1;

private:
    std::vector<std::string> environment() const;
    std::vector<std::string> withIni(std::vector<std::string> args) const;
};

// The whole content of a file outside the test folder (fixtures).
std::string readFileAt(const std::string& path);

// The Program.ini the tests use unless they write their own.
extern const char kTestIni[];
// The AppName of kTestIni; names the per-user settings file.
extern const char kTestAppName[];

inline bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

} // namespace clitest

// A check that names the missing part and shows the text it was looked for in.
#define EXPECT_CONTAINS(text, part)                                                                          \
    EXPECT_TRUE(::clitest::contains(text, part)) << "missing: " << (part) << "\nin: " << (text)
