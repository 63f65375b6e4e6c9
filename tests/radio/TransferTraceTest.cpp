// What a failed session saw on the line, and the log of every byte that crossed it.

#include "radio/CloneSession.h"
#include "radio/TracingSerialPort.h"

#include "RadioSimulator.h"
#include "platform/PosixSerialPort.h"

#include <gtest/gtest.h>

#include <regex>
#include <sstream>

namespace {

class QuietObserver : public ICloneObserver {
public:
    void onProgress(int) override {}
    bool pump() override { return false; }
    bool retryAfterCommunicationError() override { return false; }
};

// A device on the port that answers everything with the same byte (a modem, a GPS receiver).
class ChatteringPort : public ISerialPort {
public:
    PortOpenResult open(const std::string&) override {
        m_open = true;
        return {};
    }
    void close() override { m_open = false; }
    bool isOpen() const override { return m_open; }
    bool write(const uint8_t*, size_t) override { return true; }
    PortReadResult read(uint8_t* buffer, size_t count) override {
        std::fill(buffer, buffer + count, 0x55);
        return {true, count};
    }
    void purge() override {}
    void clear() override {}

private:
    bool m_open = false;
};

struct DiagnosisRow {
    const char* name;
    SimulatorOptions options;
    TransferDirection direction;
    TransferStatus status;
    Diagnosis diagnosis;
    const char* advice; // part of the English advice
};

SimulatorOptions with(void (*set)(SimulatorOptions&)) {
    SimulatorOptions o;
    set(o);
    return o;
}

TEST(TransferDiagnosis, SaysWhatWasSeenOnTheLine) {
    const DiagnosisRow rows[] = {
        {"RadioOff", with([](SimulatorOptions& o) { o.ignoreHandshake = true; }), TransferDirection::Read,
         TransferStatus::CommunicationError, Diagnosis::NoAnswer, "switched on"},
        {"WriteRefusedAtRow18", with([](SimulatorOptions& o) { o.nakAtFrame = 37; }),
         TransferDirection::Write, TransferStatus::FrameFailed, Diagnosis::FrameBroken, "at row 18:"},
        {"ShortReplyAtRow50", with([](SimulatorOptions& o) { o.shortReplyAtFrame = 101; }),
         TransferDirection::Read, TransferStatus::FrameFailed, Diagnosis::FrameBroken, "at row 50:"},
        {"OtherRadio", with([](SimulatorOptions& o) { o.identity[1] = '9'; }), TransferDirection::Read,
         TransferStatus::WrongRadio, Diagnosis::None, ""},
    };
    for (const DiagnosisRow& row : rows) {
        RadioSimulator sim(row.options);
        ASSERT_TRUE(sim.start());
        platform::PosixSerialPort port;
        QuietObserver observer;
        MemoryImage img;
        const TransferResult r = CloneSession(port, observer).run(row.direction, sim.devicePath(), img);
        EXPECT_EQ(r.status, row.status) << row.name;
        EXPECT_EQ(r.diagnosis, row.diagnosis) << row.name;
        const std::string advice = transferAdvice(r, Language::English);
        EXPECT_NE(advice.find(row.advice), std::string::npos) << row.name << ": " << advice;
        EXPECT_EQ(advice.empty(), transferAdvice(r, Language::Chinese).empty())
            << row.name << ": both languages";
        if (row.diagnosis == Diagnosis::NoAnswer) {
            EXPECT_EQ(r.bytesSeen, 0u);
        } else {
            EXPECT_GT(r.bytesSeen, 0u) << row.name;
        }
    }
}

TEST(TransferDiagnosis, BytesThatAreNotTheRadiosAnswerPointAtAnotherDevice) {
    ChatteringPort port;
    QuietObserver observer;
    MemoryImage img;
    const TransferResult r = CloneSession(port, observer).run(TransferDirection::Read, "/dev/other", img);
    EXPECT_EQ(r.status, TransferStatus::WrongRadio);
    EXPECT_EQ(r.diagnosis, Diagnosis::UnexpectedBytes);
    EXPECT_NE(transferAdvice(r, Language::English).find("another device"), std::string::npos);
}

// The hex bytes of the log's lines in one direction.
size_t loggedBytes(const std::string& log, char direction) {
    static const std::regex line(R"(^ *\d+\.\d ms  ([<>])  (.*)$)");
    static const std::regex hexByte(R"((^| )[0-9A-F]{2}(?= |$))");
    size_t count = 0;
    std::istringstream in(log);
    std::string text;
    while (std::getline(in, text)) {
        std::smatch m;
        if (std::regex_match(text, m, line) && m[1].str()[0] == direction &&
            text.find("(failed)") == std::string::npos) {
            const std::string bytes = m[2].str();
            count += static_cast<size_t>(std::distance(
                std::sregex_iterator(bytes.begin(), bytes.end(), hexByte), std::sregex_iterator()));
        }
    }
    return count;
}

TEST(TracingSerialPort, LogsExactlyTheBytesThatCrossedTheWire) {
    for (TransferDirection direction : {TransferDirection::Read, TransferDirection::Write}) {
        RadioSimulator sim;
        ASSERT_TRUE(sim.start());
        platform::PosixSerialPort port;
        std::ostringstream log;
        TracingSerialPort tracer(port, log);
        QuietObserver observer;
        MemoryImage img;
        ASSERT_TRUE(CloneSession(tracer, observer).run(direction, sim.devicePath(), img).ok());
        sim.stop();

        const std::string text = log.str();
        // Times count from the open; its line says how long the open itself took (taking the
        // lock file and the line settings), so it need not be 0.
        EXPECT_TRUE(std::regex_search(text, std::regex("^ +\\d+\\.\\d ms  open " + sim.devicePath() + "\n")))
            << "the log begins with the open: " << text.substr(0, 80);
        EXPECT_NE(text.find(" ms  >  02\n"), std::string::npos) << "the handshake's first byte";
        EXPECT_EQ(loggedBytes(text, '>'), sim.bytesReceived());
        EXPECT_EQ(loggedBytes(text, '<'), sim.bytesSent());
        EXPECT_EQ(tracer.bytesWritten(), sim.bytesReceived());
        EXPECT_EQ(tracer.bytesRead(), sim.bytesSent());
        EXPECT_EQ(text.substr(text.size() - 7), " close\n");
    }
}

TEST(TracingSerialPort, ATimedOutReadAndARefusedOpenAreLogged) {
    RadioSimulator sim(with([](SimulatorOptions& o) { o.ignoreHandshake = true; }));
    ASSERT_TRUE(sim.start());
    platform::PosixSerialPort port;
    std::ostringstream log;
    TracingSerialPort tracer(port, log);
    QuietObserver observer;
    MemoryImage img;
    EXPECT_FALSE(CloneSession(tracer, observer).run(TransferDirection::Read, sim.devicePath(), img).ok());
    EXPECT_NE(log.str().find(" ms  <  (nothing)  (0 of 1)\n"), std::string::npos) << log.str();
    EXPECT_EQ(tracer.bytesRead(), 0u);

    EXPECT_FALSE(tracer.open("/nonexistent/tty"));
    EXPECT_NE(log.str().find("open /nonexistent/tty failed: No such file or directory\n"), std::string::npos);
}

} // namespace
