#include "FleetCommands.h"

#include "InterruptGuard.h"
#include "JsonWriter.h"
#include "TerminalProgress.h"
#include "fleet/FleetSession.h"
#include "platform/AtomicFile.h"
#include "platform/PosixSerialPort.h"
#include "radio/PortNames.h"
#include "radio/SerialDevices.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <ostream>

#include <unistd.h>

namespace {

constexpr size_t kMaxPorts = 4;
constexpr long kMaxRounds = 100000;

// The device files radioprog looks at (see RadioCommands: the tests lay out a tree below
// $RADIO_DEVICE_ROOT).
DeviceTree deviceTree() {
    const char* root = std::getenv("RADIO_DEVICE_ROOT");
    return DeviceTree(root && *root ? root : "/");
}

// The --port names resolved as the desktop program resolves them; reports a name that stands for
// no device, or two that stand for the same one.
std::optional<std::vector<FleetPort>> choosePorts(CliContext& ctx, const CommandLine& args,
                                                  ExitStatus& status) {
    const std::vector<std::string> names = args.values("--port");
    if (names.size() > kMaxPorts) {
        status = ctx.fail(ExitStatus::BadInput, "fleet: at most " + std::to_string(kMaxPorts) +
                                                    " ports, not " + std::to_string(names.size()));
        return std::nullopt;
    }
    std::vector<std::string> devices;
    for (const SerialDevice& found : findSerialDevices(deviceTree())) {
        devices.push_back(found.device);
    }
    std::vector<FleetPort> ports;
    for (const std::string& name : names) {
        const std::string device = resolvePortName(name, ctx.hasIni() ? &ctx.ini() : nullptr, devices);
        if (device.empty()) {
            status = ctx.fail(ExitStatus::RadioFailed,
                              "fleet: " + name + " stands for no device: " + std::to_string(devices.size()) +
                                  " serial device(s) found; name a device with " + name +
                                  "=/dev/... in [Setup] of Program.ini, or give the device "
                                  "path to --port");
            return std::nullopt;
        }
        for (const FleetPort& earlier : ports) {
            if (earlier.device == device) {
                status = ctx.fail(ExitStatus::BadInput, "fleet: " + earlier.name + " and " + name +
                                                            " are the same port " + device +
                                                            ": give every cable once");
                return std::nullopt;
            }
        }
        ports.push_back({name, device});
    }
    return ports;
}

// "connect the next radio to COM1 (and COM2, COM3), switch it on and press Enter; q ends"
std::string promptText(const std::vector<FleetPort>& ports) {
    std::string text = "connect the next radio to " + ports.front().name;
    for (size_t i = 1; i < ports.size(); ++i) {
        text += (i == 1 ? " (and " : ", ") + ports[i].name;
    }
    return text + (ports.size() > 1 ? ")" : "") + ", switch it on and press Enter; q ends";
}

// Waits for the user's go; false when the input says to end the session.
bool nextRoundWanted(const std::vector<FleetPort>& ports, std::ostream& err) {
    err << promptText(ports) << "\n" << std::flush;
    std::string line;
    if (!std::getline(std::cin, line)) {
        return false;
    }
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t')) {
        line.pop_back();
    }
    return line != "q" && line != "Q";
}

std::string secondsText(double seconds) {
    const long long tenths = std::llround(std::max(0.0, seconds) * 10);
    return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
}

// radio 2  round 1  COM2 (/dev/ttyUSB1)  P3207...  written, 3 changes  backup ID  41.5 s
std::string recordLine(const FleetRecord& record, Language language) {
    std::string line = "radio " + (record.radio > 0 ? std::to_string(record.radio) : std::string("-")) +
                       "  round " + std::to_string(record.round) + "  " + record.port.name + " (" +
                       record.port.device + ")";
    if (!record.identity.empty()) {
        line += "  " + record.identity;
    }
    line += "  " + fleetOutcomeText(record, language);
    for (size_t i = 0; i < record.drift.size(); ++i) {
        line += (i == 0 ? ": " : "; ") + record.drift[i];
    }
    if (!record.backupId.empty()) {
        line += "  backup " + record.backupId;
    }
    return line + "  " + secondsText(record.seconds) + " s";
}

std::string recordJson(const FleetRecord& record, Language language) {
    const auto field = [](const char* name, const std::string& value) {
        return JsonWriter::quote(name) + ":" + value;
    };
    std::string drift = "[";
    for (size_t i = 0; i < record.drift.size(); ++i) {
        drift += (i == 0 ? "" : ",") + JsonWriter::quote(record.drift[i]);
    }
    drift += "]";
    const bool failed =
        record.outcome == FleetOutcome::Failed || record.outcome == FleetOutcome::OtherIdentity;
    const std::string fields[] = {
        field("radio", record.radio > 0 ? std::to_string(record.radio) : "null"),
        field("round", std::to_string(record.round)),
        field("port", JsonWriter::quote(record.port.name)),
        field("device", JsonWriter::quote(record.port.device)),
        field("started", JsonWriter::quote(record.started)),
        field("identity", JsonWriter::quote(record.identity)),
        field("outcome", JsonWriter::quote(fleetOutcomeWord(record.outcome))),
        field("text", JsonWriter::quote(fleetOutcomeText(record, language))),
        field("changes", std::to_string(record.changes)),
        field("drift", drift),
        field("stage", failed ? JsonWriter::quote(jobStageKey(record.stage)) : "null"),
        field("reason", failed ? JsonWriter::quote(record.reason) : "null"),
        field("backup_id", record.backupId.empty() ? "null" : JsonWriter::quote(record.backupId)),
        field("seconds", secondsText(record.seconds)),
    };
    std::string line = "{";
    for (const std::string& f : fields) {
        line += (line.size() == 1 ? "" : ",") + f;
    }
    return line + "}";
}

struct FleetSetup {
    FleetOptions options;
    std::string masterPath;
    std::vector<FleetPort> ports;
    long rounds = kMaxRounds;
    std::string logPath; // "" when no log
};

// Reads and checks the arguments; reports and returns nullopt on bad ones.
std::optional<FleetSetup> fleetSetupOf(CliContext& ctx, const CommandLine& args) {
    FleetSetup setup;
    const std::string& verb = args.operands()[0];
    if (verb != "write" && verb != "check") {
        ctx.fail(ExitStatus::BadInput, "fleet: '" + verb + "': say 'write' or 'check'");
        return std::nullopt;
    }
    setup.options.mode = verb == "write" ? FleetMode::Write : FleetMode::Check;
    const char* const writeOnly[] = {"--changed-only", "--no-verify"};
    for (const char* option : writeOnly) {
        if (setup.options.mode == FleetMode::Check && args.has(option)) {
            ctx.fail(ExitStatus::BadInput, std::string("fleet: ") + option + " goes with 'fleet write' only");
            return std::nullopt;
        }
    }
    if (setup.options.mode == FleetMode::Write && args.has("--fix")) {
        ctx.fail(ExitStatus::BadInput, "fleet: --fix goes with 'fleet check' only");
        return std::nullopt;
    }
    setup.options.verify = !args.has("--no-verify");
    setup.options.changedOnly = args.has("--changed-only");
    setup.options.fix = args.has("--fix");
    setup.options.allowOtherIdentity = args.has("--allow-other-model");
    if (!args.has("--port")) {
        ctx.fail(ExitStatus::BadInput, "fleet: missing --port");
        return std::nullopt;
    }
    if (args.has("--count")) {
        const std::optional<long> n = parseWholeNumber(args.value("--count"), 1, kMaxRounds);
        if (!n) {
            ctx.fail(ExitStatus::BadInput, "fleet: --count " + args.value("--count") +
                                               ": give a number from 1 to " + std::to_string(kMaxRounds));
            return std::nullopt;
        }
        setup.rounds = *n;
    }
    setup.masterPath = args.operands()[1];
    setup.logPath = args.value("--log");
    if (setup.masterPath == "-") {
        ctx.fail(ExitStatus::BadInput,
                 "fleet: standard input answers the prompts: name MASTER.dat as a file");
        return std::nullopt;
    }
    if (!setup.logPath.empty() &&
        (setup.logPath == "-" || !ctx.checkOutputPath(setup.logPath) ||
         !ctx.checkReplaceable(setup.logPath) ||
         !ctx.checkDistinctFiles({{"MASTER.dat", setup.masterPath}}, {{"--log", setup.logPath}}))) {
        if (setup.logPath == "-") {
            ctx.fail(ExitStatus::BadInput, "fleet: --log needs a file name (standard output has the radios)");
        }
        return std::nullopt;
    }
    return setup;
}

} // namespace

ExitStatus runFleet(CliContext& ctx, const CommandLine& args) {
    std::optional<FleetSetup> setup = fleetSetupOf(ctx, args);
    MemoryImage master;
    if (!setup || !ctx.loadImage(setup->masterPath, master)) {
        return ExitStatus::BadInput;
    }
    const Language language = ctx.defaultLanguage();
    RadioHistory history = ctx.history();
    FleetSession session(master, setup->options, language, &history);
    const std::string problem = session.startProblem();
    if (!problem.empty()) {
        return ctx.fail(ExitStatus::BadInput, "fleet: " + setup->masterPath + ": " + problem);
    }
    ExitStatus status = ExitStatus::BadInput;
    const std::optional<std::vector<FleetPort>> ports = choosePorts(ctx, args, status);
    if (!ports) {
        return status;
    }

    InterruptGuard guard;
    // Ctrl+C stops the round's transfers at their next pump point.
    FleetTerminalProgress progress(stderr, ::isatty(STDERR_FILENO) == 1, *ports);
    bool logFailed = false;
    for (long round = 0; round < setup->rounds && !InterruptGuard::interrupted(); ++round) {
        if (!nextRoundWanted(*ports, ctx.err())) {
            break;
        }
        std::vector<std::unique_ptr<platform::PosixSerialPort>> owned;
        std::vector<ISerialPort*> lines;
        for (size_t i = 0; i < ports->size(); ++i) {
            owned.push_back(std::make_unique<platform::PosixSerialPort>(deviceTree()));
            lines.push_back(owned.back().get());
        }
        const std::vector<FleetRecord> records = session.runRound(*ports, lines, progress);
        progress.finish();
        for (const FleetRecord& record : records) {
            ctx.out() << (args.has("--json") ? recordJson(record, language) : recordLine(record, language))
                      << "\n";
            if (!record.historyProblem.empty()) {
                ctx.err() << "radioprog: warning: " << record.port.name << ": "
                          << coreText(CoreText::HistoryNotSaved, Language::English, record.historyProblem)
                          << "\n";
            }
        }
        ctx.out().flush();
        // The log is rewritten whole after every round, so that it holds every radio so far
        // whatever ends the session.
        if (!setup->logPath.empty() && !logFailed) {
            std::string csv = fleetCsvHeader() + "\n";
            for (const FleetRecord& record : session.records()) {
                csv += fleetCsvLine(record) + "\n";
            }
            std::string error;
            if (!platform::writeFileAtomically(setup->logPath, csv, error)) {
                ctx.fail(ExitStatus::BadInput,
                         "fleet: cannot write the log " + setup->logPath + ": " + error);
                logFailed = true;
            }
        }
    }
    if (logFailed) {
        return ExitStatus::BadInput;
    }
    return fleetSucceeded(session.records(), setup->options) ? ExitStatus::Ok : ExitStatus::RadioFailed;
}
