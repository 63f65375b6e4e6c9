// radioprog read, write and ports against the simulated radio on a pseudo-terminal.

#include "CliTestSupport.h"

#include "RadioSimulator.h"
#include "image/DatFile.h"
#include "platform/PosixSerialPort.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace clitest {
namespace {

constexpr size_t kTransferBytes = image::kTransferSize;

// Every byte different from its neighbours, so that a shifted or half-copied row shows.
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

MemoryImage imageOfMemory(const RadioSimulator::Memory& m) {
    MemoryImage img;
    std::copy(m.begin(), m.end(), img.data());
    return img;
}

bool sameRange(const MemoryImage& a, const MemoryImage& b, size_t from, size_t to) {
    return std::equal(a.data() + from, a.data() + to, b.data() + from);
}

class CliRadio : public CliTest {
protected:
    // A running simulated radio; its memory is `memory`.
    std::unique_ptr<RadioSimulator> radio(const MemoryImage& memory, SimulatorOptions options = {}) {
        auto sim = std::make_unique<RadioSimulator>(options);
        sim->setMemory(memoryOf(memory));
        std::string error;
        EXPECT_TRUE(sim->start(&error)) << error;
        return sim;
    }
};

TEST_F(CliRadio, WriteThenReadBackAndRememberTheRadiosTypeAndBand) {
    MemoryImage img = patternImage(3);
    img.setRadioType(2);
    img.setBand(1);
    writeImage("a.dat", img);
    auto sim = radio(MemoryImage());

    const RunResult w = run({"write", "--port", sim->devicePath(), "--force", "a.dat"});
    ASSERT_EQ(w.exitStatus, 0) << w.err;
    EXPECT_EQ(w.err, "") << "no progress bar when stderr is not a terminal";
    EXPECT_EQ(w.out, "wrote a.dat to the radio on " + sim->devicePath() + "\n");
    const RadioSimulator::Memory m = sim->memory();
    EXPECT_TRUE(std::equal(m.begin(), m.begin() + kTransferBytes, img.data()));
    EXPECT_EQ(m[kTransferBytes], 0xFF) << "rows 51 to 63 are never sent";

    const RunResult r = run({"read", "--port", sim->devicePath(), "--output", "b.dat"});
    ASSERT_EQ(r.exitStatus, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_CONTAINS(r.out, "into b.dat: type 2 HT-16V, band 1 144 - 148MHz");
    const MemoryImage b = readImage("b.dat");
    EXPECT_TRUE(sameRange(b, img, 0, kTransferBytes));
    EXPECT_TRUE(sameRange(b, MemoryImage::newDocument(), kTransferBytes, image::kSize))
        << "a new file takes rows 51 to 63 from a new image";

    // The radio's type and band are now what a new image gets.
    ASSERT_EQ(run({"new", "c.dat"}).exitStatus, 0);
    EXPECT_EQ(readImage("c.dat").radioType(), 2);
    EXPECT_EQ(readImage("c.dat").band(), 1);
}

TEST_F(CliRadio, AReadWhoseTypeAndBandCannotBeRememberedWarnsAndSucceeds) {
    writeFile("config", "a file where the per-user settings folder should be");
    auto sim = radio(patternImage(4));
    const RunResult r = run({"read", "--port", sim->devicePath(), "--output", "b.dat"});
    ASSERT_EQ(r.exitStatus, 0) << r.err;
    EXPECT_CONTAINS(r.err, "radioprog: warning: cannot remember the radio's type and band for new images: " +
                               path("config"));
    EXPECT_TRUE(sameRange(readImage("b.dat"), patternImage(4), 0, kTransferBytes));
}

TEST_F(CliRadio, ReadKeepsRows51To63OfTheImageItReplaces) {
    const MemoryImage old = patternImage(100);
    writeImage("b.dat", old);
    const MemoryImage radioMemory = patternImage(50);
    auto sim = radio(radioMemory);
    const RunResult r = run({"read", "--port", sim->devicePath(), "--output", "b.dat"});
    ASSERT_EQ(r.exitStatus, 0) << r.err;
    const MemoryImage b = readImage("b.dat");
    EXPECT_TRUE(sameRange(b, radioMemory, 0, kTransferBytes));
    EXPECT_TRUE(sameRange(b, old, kTransferBytes, image::kSize));
}

TEST_F(CliRadio, AFailedReadLeavesTheFileUntouched) {
    writeImage("b.dat", patternImage(9));
    SimulatorOptions stall;
    stall.stallAtFrame = 40;
    auto sim = radio(patternImage(1), stall);
    const auto before = snapshot();

    const RunResult r = run({"read", "--port", sim->devicePath(), "--output", "b.dat"});
    EXPECT_EQ(r.exitStatus, 1);
    EXPECT_CONTAINS(r.err,
                    "radioprog: read failed at frame 0x0140: Program Interrupt, Please reset the radio and "
                    "try again\nradioprog: b.dat is unchanged\n");
    EXPECT_EQ(snapshot(), before) << "the file byte for byte, no stray temporary file, no remembered type";

    const RunResult fresh = run({"read", "--port", sim->devicePath(), "--output", "new.dat"});
    EXPECT_EQ(fresh.exitStatus, 1);
    EXPECT_CONTAINS(fresh.err, "no file was made");
    EXPECT_FALSE(exists("new.dat"));
}

TEST_F(CliRadio, ARadioThatDoesNotAnswerIsTriedAsOftenAsAsked) {
    writeImage("a.dat", patternImage(2));
    SimulatorOptions off;
    off.ignoreHandshake = true;
    auto sim = radio(MemoryImage(), off);
    const RunResult r = run({"write", "--port", sim->devicePath(), "--force", "--retries", "2", "a.dat"});
    EXPECT_EQ(r.exitStatus, 1);
    EXPECT_CONTAINS(r.err,
                    "radioprog: Communication Error,Please check all the connections and the radio power\n");
    EXPECT_CONTAINS(r.err, "after 3 attempts");
    EXPECT_CONTAINS(r.err, "nothing was written to the radio");
    EXPECT_EQ(sim->handshakes(), 3);
    EXPECT_EQ(sim->completedWrites(), 0);
}

TEST_F(CliRadio, AnotherRadioTypeIsRefused) {
    SimulatorOptions other;
    other.identity = {'P', '1', '2', '0', '7', 0, 0, 0};
    auto sim = radio(patternImage(4), other);
    const RunResult r = run({"read", "--port", sim->devicePath(), "--output", "b.dat"});
    EXPECT_EQ(r.exitStatus, 1);
    EXPECT_CONTAINS(r.err,
                    "radioprog: Becuase the type of radio does not match, communications is interrupt.\n");
    EXPECT_FALSE(exists("b.dat"));
}

TEST_F(CliRadio, APortThatCannotBeOpenedIsExplained) {
    writeImage("a.dat", patternImage(2));
    writeFile("plain.txt", "not a port");
    writeFile("folder/.keep", "");
    auto sim = radio(MemoryImage());
    platform::PosixSerialPort holder; // another program holding the radio's port
    ASSERT_TRUE(holder.open(sim->devicePath()));

    struct Case {
        const char* name;
        std::string port;
        std::string reason;
    } cases[] = {
        {"Missing", path("ttyUSB9"),
         "No such file or directory; is the cable plugged in? 'radioprog ports' lists"},
        {"Folder", path("folder"), "this is not a serial port"},
        {"PlainFile", path("plain.txt"), "this is not a serial port"},
        // The holder is named: here this test process, through the lock file its port keeps.
        {"HeldByAnother", sim->devicePath(), "(PID " + std::to_string(::getpid()) + ") is using the port"},
    };
    for (const Case& c : cases) {
        const RunResult r = run({"write", "--port", c.port, "--force", "a.dat"});
        EXPECT_EQ(r.exitStatus, 1) << c.name;
        EXPECT_CONTAINS(
            r.err, "radioprog: Could not Open the Port,Please check whether the Port are occupied or the "
                   "device are ok\n");
        EXPECT_CONTAINS(r.err, c.reason);
        EXPECT_EQ(r.err.find("--no-backup"), std::string::npos)
            << c.name << ": a port is no reason to skip it";
    }
    EXPECT_EQ(sim->handshakes(), 0);
}

TEST_F(CliRadio, PermissionDeniedNamesTheDialoutGroup) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "root opens any device; the permission message needs an ordinary user";
    }
    auto sim = radio(MemoryImage());
    ASSERT_EQ(::chmod(sim->devicePath().c_str(), 0), 0);
    const RunResult r = run({"read", "--port", sim->devicePath(), "--output", "b.dat"});
    ::chmod(sim->devicePath().c_str(), 0600);
    EXPECT_EQ(r.exitStatus, 1);
    EXPECT_CONTAINS(r.err,
                    "Permission denied; your user may not use serial ports: add it to the dialout group");
}

TEST_F(CliRadio, CtrlCCancelsAPacedReadAndClosesThePort) {
    writeImage("b.dat", patternImage(9));
    const auto before = snapshot();
    SimulatorOptions paced;
    paced.paced = true;
    auto sim = radio(patternImage(5), paced);

    auto child = start({"read", "--port", sim->devicePath(), "--output", "b.dat"});
    ASSERT_TRUE(child->started());
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (sim->handshakes() == 0 && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(300)); // well into the frames
    child->sendSignal(SIGINT);
    const RunResult r = child->finish();
    EXPECT_EQ(r.signal, 0) << "ended by the signal instead of cancelling";
    EXPECT_EQ(r.exitStatus, 1);
    EXPECT_EQ(r.err, "radioprog: read cancelled; b.dat is unchanged\n");
    EXPECT_EQ(snapshot(), before);
    EXPECT_EQ(sim->completedReads(), 0);

    // The port was closed and the radio is ready for the next session.
    const RunResult again = run({"read", "--port", sim->devicePath(), "--output", "b.dat"});
    EXPECT_EQ(again.exitStatus, 0) << again.err;
    EXPECT_TRUE(sameRange(readImage("b.dat"), patternImage(5), 0, kTransferBytes));

    const int handshakes = sim->handshakes();
    auto writer = start({"write", "b.dat", "--force", "--port", sim->devicePath()});
    while (sim->handshakes() == handshakes &&
           std::chrono::steady_clock::now() < deadline + std::chrono::seconds(10)) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    writer->sendSignal(SIGINT);
    const RunResult w = writer->finish();
    EXPECT_EQ(w.exitStatus, 1);
    EXPECT_EQ(w.err,
              "radioprog: You cancelled the write while the radio was read for the backup: nothing was "
              "written, and the radio holds what it held before.\n");
    EXPECT_EQ(sim->completedWrites(), 0);
}

TEST_F(CliRadio, TheProgressBarGoesToATerminalOnly) {
    auto sim = radio(patternImage(6));
    const RunResult r = run({"read", "--port", sim->devicePath(), "--output", "b.dat"}, true);
    ASSERT_EQ(r.exitStatus, 0) << r.err;
    EXPECT_CONTAINS(r.err, "\rReading [------------------------------]  0/51");
    EXPECT_CONTAINS(r.err, "\rReading [##############################] 51/51");
    EXPECT_EQ(r.out.find("Reading"), std::string::npos) << "nothing of it on stdout";
}

TEST_F(CliRadio, ReadsToStandardOutputWithTheTraceOnStandardError) {
    auto sim = radio(patternImage(4));
    const RunResult r = run({"read", "--port", sim->devicePath(), "--output", "-", "--trace", "-"});
    ASSERT_EQ(r.exitStatus, 0) << r.err;
    ASSERT_EQ(r.out.size(), image::kSize);
    const MemoryImage read = patternImage(4);
    EXPECT_EQ(r.out.substr(0, kTransferBytes),
              std::string(reinterpret_cast<const char*>(read.data()), kTransferBytes));
    EXPECT_CONTAINS(r.err, "open " + sim->devicePath());
    EXPECT_CONTAINS(r.err, "read the radio on " + sim->devicePath() + " into -");
    EXPECT_FALSE(exists("-"));
}

TEST_F(CliRadio, ComPortNamesResolveThroughProgramIni) {
    auto sim = radio(MemoryImage());
    setProgramIni(std::string(kTestIni) + "COM3=" + sim->devicePath() + "\r\n");
    writeImage("a.dat", patternImage(8));

    const RunResult w = run({"write", "--port", "com3", "--force", "a.dat"});
    ASSERT_EQ(w.exitStatus, 0) << w.err;
    EXPECT_EQ(sim->completedWrites(), 1);

    const RunResult ports = run({"ports"});
    EXPECT_EQ(ports.exitStatus, 0);
    // One line per name: "COM3  /dev/pts/7  can be opened", the device column padded.
    for (const char* name : {"COM1  ", "COM2  ", "COM3  ", "COM4  "}) {
        EXPECT_CONTAINS("\n" + ports.out, std::string("\n") + name);
    }
    const size_t com3 = ports.out.find("COM3  ");
    ASSERT_NE(com3, std::string::npos);
    const std::string line = ports.out.substr(com3, ports.out.find('\n', com3) - com3);
    EXPECT_EQ(line.rfind("COM3  " + sim->devicePath() + " ", 0), 0u) << line;
    EXPECT_CONTAINS(line, "  can be opened");
}

TEST_F(CliRadio, BadInputIsRefusedBeforeThePortIsTouched) {
    auto sim = radio(patternImage(7));
    writeFile("short.dat", std::string(1023, '\0'));
    writeFile("folder/.keep", "");
    MemoryImage empty = MemoryImage::newDocument(); // type HT-16, band 136 - 174MHz, no channel
    empty.setRadioType(0);
    empty.setBand(0);
    writeImage("empty.dat", empty);
    MemoryImage outside = empty;
    for (int channel : {2, 5, 6}) {
        outside.setRxFrequency(channel, channel == 6 ? 14500000 : 45000000);
        outside.setTxFrequency(channel, 45000000);
    }
    writeImage("outside.dat", outside);
    std::filesystem::create_hard_link(path("empty.dat"), path("hard.csv"));
    std::filesystem::create_symlink("empty.dat", path("link.dat"));
    std::filesystem::create_symlink("nowhere.dat", path("dangling.dat"));
    const auto before = snapshot();
    struct Case {
        const char* name;
        std::vector<std::string> args;
        const char* message;
    };
    std::vector<Case> cases = {
        {"WriteShortImage",
         {"write", "--port", sim->devicePath(), "short.dat"},
         "short.dat: Data Format Error"},
        {"WriteMissingImage", {"write", "--port", sim->devicePath(), "none.dat"}, "none.dat: no such file"},
        {"WriteChannelsOutsideTheBand",
         {"write", "--port", sim->devicePath(), "outside.dat"},
         "radioprog: write: outside.dat was not written to the radio\nradioprog: Channels 2, 5, 6 are "
         "outside "
         "the band 136.00000 to 174.00000 MHz. (type 0 HT-16, band 0 136 - 174MHz)\nradioprog: --force "
         "writes "
         "it all the same\n"},
        {"WriteNoChannel",
         {"write", "--port", sim->devicePath(), "empty.dat"},
         "radioprog: No channel is in use: writing leaves the radio with no channels."},
        {"DryRunWithoutTheBackup",
         {"write", "--port", sim->devicePath(), "--force", "--dry-run", "--no-backup", "outside.dat"},
         "--dry-run reads the radio to compare: it cannot go with --no-backup"},
        {"ReadIntoAFolder",
         {"read", "--port", sim->devicePath(), "--output", "folder"},
         "folder is a directory"},
        {"ReadIntoAMissingFolder",
         {"read", "--port", sim->devicePath(), "--output", "no/b.dat"},
         "the folder no does not exist"},
        {"ReadIntoAFolderThatIsAFile",
         {"read", "--port", sim->devicePath(), "--output", "short.dat/b.dat"},
         "cannot write short.dat/b.dat: short.dat is not a folder"},
        {"ReadOntoADevice",
         {"read", "--port", sim->devicePath(), "--output", "/dev/null"},
         "cannot write /dev/null: it is not a regular file"},
        {"RetriesNegative",
         {"read", "--port", sim->devicePath(), "--output", "b.dat", "--retries", "-1"},
         "--retries -1: give a number from 0 to 1000"},
        // An output onto an input, or onto another output, by any name.
        {"ExportOntoItsImage",
         {"export", "empty.dat", "empty.dat"},
         "empty.dat (CHANNELS.csv) is the same file as empty.dat (IMAGE.dat); nothing was done"},
        {"ExportThroughAHardLink",
         {"export", "empty.dat", "hard.csv"},
         "hard.csv (CHANNELS.csv) is the same"},
        {"ExportOntoProgramIni", {"export", "empty.dat", "Program.ini"}, "/Program.ini (Program.ini)"},
        {"WriteTracesOntoItsImage",
         {"write", "--port", sim->devicePath(), "--force", "outside.dat", "--trace", "outside.dat"},
         "outside.dat (--trace) is the same file as outside.dat (IMAGE.dat)"},
        {"ReadTracesOntoItsNewOutput",
         {"read", "--port", sim->devicePath(), "--output", "b.dat", "--trace", "./b.dat"},
         "./b.dat (--trace) is the same file as b.dat (--output)"},
        {"ReadTracesThroughASymbolicLink",
         {"read", "--port", sim->devicePath(), "--output", "empty.dat", "--trace", "link.dat"},
         "link.dat (--trace) is the same file as empty.dat (--output)"},
        {"ReadIntoADanglingLink",
         {"read", "--port", sim->devicePath(), "--output", "dangling.dat"},
         "dangling.dat is a symbolic link to nowhere.dat, which does not exist"},
        {"NewOnADanglingLink", {"new", "dangling.dat"}, "dangling.dat is a symbolic link to nowhere.dat,"},
    };
#ifdef RADIOPROG_HAS_PRINT
    cases.push_back({"PrintOntoItsImage",
                     {"print", "empty.dat", "--pdf", "empty.dat"},
                     "empty.dat (--pdf) is the same file as empty.dat (IMAGE.dat)"});
#endif
    for (const Case& c : cases) {
        const RunResult r = run(c.args);
        EXPECT_EQ(r.exitStatus, 2) << c.name;
        EXPECT_CONTAINS(r.err, c.message);
    }
    EXPECT_EQ(sim->handshakes(), 0);
    EXPECT_EQ(snapshot(), before);

    // --force writes what the user has seen refused.
    const RunResult forced = run({"write", "--port", sim->devicePath(), "--force", "outside.dat"});
    ASSERT_EQ(forced.exitStatus, 0) << forced.err;
    const RadioSimulator::Memory m = sim->memory();
    EXPECT_TRUE(std::equal(m.begin(), m.begin() + kTransferBytes, outside.data()));
}

TEST_F(CliRadio, DiffComparesAFileWithAFileOrTheRadioAndChangesNeither) {
    MemoryImage a = MemoryImage::newDocument();
    a.setRadioType(0);
    a.setBand(0);
    a.setRxFrequency(3, 44600625);
    a.setTxFrequency(3, 44600625);
    MemoryImage b = a;
    b.setRxFrequency(3, 44601875);
    MemoryImage reserved = a;
    reserved.setByte(image::kSize - 1, 0);
    writeImage("a.dat", a);
    writeImage("b.dat", b);
    writeImage("reserved.dat", reserved);
    MemoryImage typed = a;
    typed.setRadioType(2);
    writeImage("typed.dat", typed);
    auto sim = radio(a);
    const std::string port = sim->devicePath();
    struct Case {
        std::vector<std::string> args;
        int status;
        const char* out;
    } cases[] = {
        {{"diff", "a.dat", "a.dat"}, 0, "no differences\n"},
        {{"diff", "a.dat", "b.dat"}, 1, "CH 3  Rx Frequency  446.00625 -> 446.01875\n"},
        {{"diff", "a.dat", "reserved.dat"}, 1, "Rows 51 to 63 (kept only in the file)  differ\n"},
        {{"diff", "a.dat", "typed.dat"}, 1, "Type  0 HT-16 -> 2 HT-16V\n"},
        {{"diff", "a.dat", "b.dat", "--json"},
         1,
         "{\n  \"differences\": [\n    {\n      \"kind\": \"channel_field\",\n      \"channel\": 3,\n      "
         "\"what\": \"Rx Frequency\",\n      \"before\": \"446.00625\",\n      \"after\": \"446.01875\"\n    "
         "}\n  ]\n}\n"},
        {{"diff", "reserved.dat", "--port", port}, 0, "no differences\n"},
        {{"diff", "b.dat", "--port", port, "--lang", "chinese"},
         1,
         "信道 3  接收频率  446.01875 -> 446.00625\n"},
        {{"diff", "a.dat", "--port", path("none")}, 2, ""},
    };
    for (const Case& c : cases) {
        const RunResult r = run(c.args);
        EXPECT_EQ(r.exitStatus, c.status) << c.args[2] << r.err;
        EXPECT_EQ(r.out, c.out) << c.args[2];
    }
    EXPECT_EQ(sim->memory(), memoryOf(a));
    EXPECT_TRUE(readImage("a.dat") == a && readImage("b.dat") == b && readImage("reserved.dat") == reserved &&
                readImage("typed.dat") == typed);
    const std::string index = readFileAt(historyPath() + "/index.txt");
    EXPECT_EQ(std::count(index.begin(), index.end(), '\n'), 3) << "the heading and both reads";
}

// What a write sends follows from what its backup found the radio holding.
TEST_F(CliRadio, AWriteSendsOnlyWhatTheRadioDoesNotHold) {
    MemoryImage doc = MemoryImage::newDocument(); // type HT-16, band 136 - 174MHz
    doc.setRadioType(0);
    doc.setBand(0);
    doc.setRxFrequency(3, 14500000);
    doc.setTxFrequency(3, 14500000);
    writeImage("a.dat", doc);
    MemoryImage otherChannel3 = doc; // channel 3's record differs in both of its frames
    for (size_t at : {image::channelOffset(3), image::channelOffset(3) + 8}) {
        otherChannel3.setByte(at, static_cast<uint8_t>(~doc.byte(at)));
    }
    struct Case {
        const char* name;
        MemoryImage radioHolds;
        std::vector<std::string> options;
        int framesStored; // write frames the radio took
        const char* out;
        bool sequentialOnly = false;
    } cases[] = {
        {"Held", doc, {}, 0, "the radio already holds a.dat: nothing written\n"},
        {"HeldForced", doc, {"--force"}, 102, "wrote a.dat"},
        {"DryRun", otherChannel3, {"--dry-run"}, 0, "\nnothing was written to the radio on "},
        {"DryRunHeld", doc, {"--dry-run"}, 0, "no differences\nnothing was written"},
        {"ChangedOnly", otherChannel3, {"--changed-only"}, 2, "(only the 2 changed frames)\n"},
        {"ChangedOnlyFallsBack", otherChannel3, {"--changed-only"}, 102, "wrote a.dat to the radio on", true},
    };
    for (const Case& c : cases) {
        SimulatorOptions options;
        options.sequentialOnly = c.sequentialOnly;
        auto sim = radio(c.radioHolds, options);
        std::vector<std::string> args = {"write", "--port", sim->devicePath(), "a.dat"};
        args.insert(args.end(), c.options.begin(), c.options.end());
        const RunResult r = run(args);
        EXPECT_EQ(r.exitStatus, 0) << c.name << ": " << r.err;
        EXPECT_CONTAINS(r.out, c.out) << c.name;
        EXPECT_EQ(sim->writeFramesStored(), c.framesStored) << c.name;
        const bool written = c.framesStored > 0;
        EXPECT_TRUE(sameRange(imageOfMemory(sim->memory()), written ? doc : c.radioHolds, 0, kTransferBytes))
            << c.name;
        EXPECT_EQ(contains(r.err, "the whole memory was written and verified instead"), c.sequentialOnly)
            << c.name << ": " << r.err;
        EXPECT_EQ(contains(r.out, "no differences"), std::string(c.name) == "DryRunHeld") << c.name;
    }
}

// Only a save finds a full disk or a folder gone meanwhile: the read is kept in the history.
TEST_F(CliRadio, AReadThatCannotBeSavedSaysWhatIsLeftAndWhereTheReadIsKept) {
    const std::string longName = std::string(240, 'b') + ".dat"; // too long for a temporary file beside it
    struct Case {
        const char* name;
        std::string output;
        bool existed;
        bool removeFolderWhileReading;
        std::string message;
    } cases[] = {
        {"ExistingFile", longName, true, false,
         "cannot write " + longName + ": File name too long; " + longName + " is unchanged\n"},
        {"NewFile", "n" + longName, false, false, "File name too long; no file was made\n"},
        {"FolderGone", "gone/b.dat", false, true,
         "cannot write gone/b.dat: the folder gone does not exist; no file was made\n"},
    };
    for (const Case& c : cases) {
        writeFile("gone/.keep", "");
        if (c.existed) {
            const MemoryImage old = patternImage(9); // not saved atomically: that needs a temporary file
            writeFile(c.output, std::string(reinterpret_cast<const char*>(old.data()), image::kSize));
        }
        SimulatorOptions options;
        options.paced = c.removeFolderWhileReading; // a read of about two seconds
        auto sim = radio(patternImage(5), options);
        auto child = start({"read", "--port", sim->devicePath(), "--output", c.output});
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (c.removeFolderWhileReading && sim->handshakes() == 0 &&
               std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        std::filesystem::remove_all(path("gone"));
        const RunResult r = child->finish();

        EXPECT_EQ(r.exitStatus, 2) << c.name;
        EXPECT_CONTAINS(r.err, c.message + "radioprog: what was read is kept in the radio history as ");
        EXPECT_CONTAINS(r.err, "-read: " + historyPath() + "/");
        if (c.existed) {
            EXPECT_TRUE(sameRange(readImage(c.output), patternImage(9), 0, image::kSize));
        }
    }
}

// Standard output that cannot be written loses the report only: a command whose work is done
// warns and exits 0; one whose work is its output fails.
TEST_F(CliRadio, AFullStandardOutputFailsOnlyTheCommandsWhoseWorkItIs) {
    writeImage("a.dat", patternImage(3));
    MemoryImage reserved = patternImage(3);
    reserved.setByte(image::kSize - 1, 0);
    writeImage("d.dat", reserved);
    auto sim = radio(patternImage(4));
    const std::string port = sim->devicePath();
    m_stdoutFile = "/dev/full";
    const std::string full = "cannot write standard output: No space left on device";
    const std::string done = "radioprog: warning: " + full + "; done: ";
    struct Case {
        std::vector<std::string> args;
        int exitStatus;
        std::string message;
    } cases[] = {
        {{"read", "--port", port, "--output", "b.dat"},
         0,
         done + "read the radio on " + port + " into b.dat"},
        {{"write", "--port", port, "--force", "a.dat"},
         0,
         done + "wrote a.dat to the radio on " + port + "\n"},
        {{"new", "c.dat"}, 0, done + "new image c.dat: type 0 HT-16"},
        {{"export", "a.dat", "a.csv"}, 0, done + "exported 16 channels to a.csv\n"},
        {{"export", "a.dat", "-"}, 2, "radioprog: " + full + "\n"},
        {{"show", "a.dat"}, 2, "radioprog: " + full + "\n"},
        {{"diff", "a.dat", "d.dat"}, 2, "radioprog: " + full + "\n"},
    };
    for (const Case& c : cases) {
        const RunResult r = run(c.args);
        EXPECT_EQ(r.exitStatus, c.exitStatus) << c.args[0] << ": " << r.err;
        EXPECT_CONTAINS(r.err, c.message);
    }
    EXPECT_TRUE(exists("b.dat") && exists("c.dat") && exists("a.csv"));
    EXPECT_EQ(sim->completedWrites(), 1);
}

} // namespace
} // namespace clitest
