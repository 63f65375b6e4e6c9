#include "RadioCommands.h"

#include "InterruptGuard.h"
#include "JsonWriter.h"
#include "TerminalProgress.h"
#include "image/DatFile.h"
#include "platform/PosixSerialPort.h"
#include "radio/PortNames.h"
#include "radio/RadioJob.h"
#include "radio/TracingSerialPort.h"
#include "text/CoreTexts.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <ostream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr long kMaxRetries = 1000;

// What to try when a port cannot be opened, after the system's own reason.
std::string portAdvice(PortError error) {
    switch (error) {
    case PortError::PermissionDenied:
        return "your user may not use serial ports: add it to the dialout group "
               "(sudo usermod -aG dialout $USER) and log in again";
    case PortError::Busy:
        return "another program is using the port; close it and try again";
    case PortError::NotFound:
        return "is the cable plugged in? 'radioprog ports' lists the serial ports";
    case PortError::NotSerial:
        return "this is not a serial port";
    case PortError::Other:
    case PortError::None:
        break;
    }
    return {};
}

std::string portReason(const PortOpenResult& result) {
    const std::string advice = portAdvice(result.error);
    return result.detail + (advice.empty() ? std::string() : "; " + advice);
}

std::string hex16(uint16_t value) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "0x%04X", value);
    return buffer;
}

struct PortChoice {
    std::string name;   // as given
    std::string device; // what it stands for
};

// Resolves --port as the desktop program resolves its port names; reports a COMn that stands
// for no device.
std::optional<PortChoice> choosePort(CliContext& ctx, const CommandLine& args) {
    const std::string name = args.value("--port");
    const std::vector<std::string> devices = platform::listSerialDevices();
    const std::string device = resolvePortName(name, ctx.hasIni() ? &ctx.ini() : nullptr, devices);
    if (device.empty()) {
        ctx.fail(ExitStatus::RadioFailed, transferMessageText(TransferStatus::PortOpenFailed, false) +
                                              "\nradioprog: " + name +
                                              " stands for no device: " + std::to_string(devices.size()) +
                                              " serial device(s) found; name a device with " + name +
                                              "=/dev/... in [Setup] of Program.ini, "
                                              "or give the device path to --port");
        return std::nullopt;
    }
    return PortChoice{name, device};
}

std::optional<int> retriesOf(CliContext& ctx, const CommandLine& args) {
    if (!args.has("--retries")) {
        return 0;
    }
    const std::optional<long> n = parseWholeNumber(args.value("--retries"), 0, kMaxRetries);
    if (!n) {
        ctx.fail(ExitStatus::BadInput, "--retries " + args.value("--retries") + ": give a number from 0 to " +
                                           std::to_string(kMaxRetries));
        return std::nullopt;
    }
    return static_cast<int>(*n);
}

// Turns a failed session into the desktop program's words plus what the terminal user needs.
// `verb` names the session ("read", "write", "backup read", "verify read").
ExitStatus reportFailure(CliContext& ctx, const std::string& verb, const PortChoice& port,
                         const TransferResult& result, int attempts, const std::string& aftermath) {
    std::string text = transferMessageText(result.status, false);
    for (char& c : text) {
        c = c == '\n' ? ' ' : c;
    }
    const std::string advice = transferAdvice(result, false);
    const std::string adviceLine = advice.empty() ? "" : "\nradioprog: " + advice;
    std::string where = port.device + (port.device == port.name ? "" : " (" + port.name + ")");
    switch (result.status) {
    case TransferStatus::PortOpenFailed:
        return ctx.fail(ExitStatus::RadioFailed, text + "\nradioprog: " + where + ": " +
                                                     portReason(result.portError) +
                                                     "\nradioprog: " + aftermath);
    case TransferStatus::CommunicationError:
        return ctx.fail(ExitStatus::RadioFailed,
                        text + "\nradioprog: no answer from the radio on " + where + " after " +
                            std::to_string(attempts) + " attempt" + (attempts == 1 ? "" : "s") +
                            " (--retries N tries again)" + "\nradioprog: " + aftermath + adviceLine);
    case TransferStatus::WrongRadio:
        return ctx.fail(ExitStatus::RadioFailed, text + "\nradioprog: " + aftermath + adviceLine);
    case TransferStatus::FrameFailed:
        return ctx.fail(ExitStatus::RadioFailed, verb + " failed at frame " + hex16(result.frameAddress) +
                                                     ": " + text + "\nradioprog: " + aftermath + adviceLine);
    case TransferStatus::Cancelled:
        return ctx.fail(ExitStatus::RadioFailed, verb + " cancelled; " + aftermath);
    case TransferStatus::Ok:
        break;
    }
    return ExitStatus::Ok;
}

enum class JobKind { Read, Write };

// What the job needs from the command line besides the image: the port, retries, the log.
struct JobSetup {
    PortChoice port;
    int retries = 0;
    std::string tracePath; // empty: no log
    JobOptions options;
};

struct JobRun {
    JobResult result;
    int attempts = 0;         // handshake attempts of the stage that ended the job
    std::string backupId;     // the history entry of the backup, when one was kept
    bool traceFailed = false; // the log could not be written completely
};

// Runs one job with the terminal's progress bar, Ctrl+C and, when asked, the byte log. The
// history is kept in the per-user folder; a failure to keep it is a warning, never a failure.
JobRun runJob(CliContext& ctx, const JobSetup& setup, JobKind kind, MemoryImage& image) {
    InterruptGuard guard;
    platform::PosixSerialPort serial;
    std::ofstream log;
    std::unique_ptr<TracingSerialPort> tracer;
    if (!setup.tracePath.empty()) {
        log.open(setup.tracePath, std::ios::binary | std::ios::trunc);
        tracer = std::make_unique<TracingSerialPort>(serial, log);
    }
    ISerialPort& port = tracer ? static_cast<ISerialPort&>(*tracer) : serial;
    RadioHistory history = ctx.history();
    TerminalProgress progress(stderr, ::isatty(STDERR_FILENO) == 1, setup.retries);
    RadioJob job(port, progress, &history);

    JobRun run;
    run.result = kind == JobKind::Read ? job.read(setup.port.device, image)
                                       : job.write(setup.port.device, image, setup.options);
    progress.finish();
    run.attempts = progress.attempts();
    run.backupId = run.result.backupId;
    if (tracer) {
        log.flush();
        run.traceFailed = !log;
    }
    if (!run.result.historyProblem) {
        ctx.err() << "radioprog: warning: "
                  << coreText(CoreText::HistoryNotSaved, false, run.result.historyProblem.detail) << "\n";
    }
    if (run.traceFailed) {
        ctx.err() << "radioprog: warning: cannot write the log " << setup.tracePath << "\n";
    }
    return run;
}

// Reads the options every transfer takes; reports and returns nullopt on bad ones.
std::optional<JobSetup> jobSetupOf(CliContext& ctx, const CommandLine& args) {
    JobSetup setup;
    const std::optional<int> retries = retriesOf(ctx, args);
    if (!retries) {
        return std::nullopt;
    }
    setup.retries = *retries;
    if (args.has("--trace")) {
        setup.tracePath = args.value("--trace");
        if (setup.tracePath.empty() || !ctx.checkOutputPath(setup.tracePath)) {
            if (setup.tracePath.empty()) {
                ctx.fail(ExitStatus::BadInput, "--trace needs a file name");
            }
            return std::nullopt;
        }
    }
    setup.options.backup = !args.has("--no-backup");
    setup.options.verify = !args.has("--no-verify");
    return setup;
}

// Writes `image` with backup and verify as asked, and reports how it went. `what` names the
// image in the messages ("club.dat", "history entry ID").
ExitStatus writeImage(CliContext& ctx, const CommandLine& args, const MemoryImage& image,
                      const std::string& what, const std::string& doneVerb) {
    std::optional<JobSetup> setup = jobSetupOf(ctx, args);
    if (!setup) {
        return ExitStatus::BadInput;
    }
    const std::optional<PortChoice> port = choosePort(ctx, args);
    if (!port) {
        return ExitStatus::RadioFailed;
    }
    setup->port = *port;
    MemoryImage sent = image;
    const JobRun run = runJob(ctx, *setup, JobKind::Write, sent);
    const JobResult& r = run.result;
    const std::string putBack = run.backupId.empty()
                                    ? ""
                                    : "; 'radioprog restore " + run.backupId + " --port " + port->name +
                                          "' puts back what the radio held before";
    if (r.ok()) {
        ctx.out() << doneVerb << " " << what << " to the radio on " << port->device << "\n";
        return ExitStatus::Ok;
    }
    switch (r.stage) {
    case JobStage::Backup:
        return reportFailure(
            ctx, "backup read", *port, r.transfer, run.attempts,
            "the radio could not be read for the backup, so nothing was written to the radio "
            "(--no-backup writes without one)");
    case JobStage::Write:
        return reportFailure(ctx, "write", *port, r.transfer, run.attempts,
                             r.radioMayBeHalfWritten
                                 ? "the radio holds a partly written memory: write again" + putBack
                                 : std::string("nothing was written to the radio"));
    case JobStage::Verify:
    case JobStage::Read:
        break;
    }
    if (r.mismatchRow >= 0) {
        return ctx.fail(ExitStatus::RadioFailed,
                        "verify failed at row " + std::to_string(r.mismatchRow) + ": " +
                            coreText(CoreText::VerifyMismatch, false, std::to_string(r.mismatchRow)) +
                            "\nradioprog: " + what + " was written, but the radio holds something else" +
                            putBack);
    }
    return reportFailure(ctx, "verify read", *port, r.transfer, run.attempts,
                         what + " was written completely; reading it back to verify did not work "
                                "(--no-verify skips it)");
}

} // namespace

ExitStatus runRead(CliContext& ctx, const CommandLine& args) {
    if (!args.has("--port") || !args.has("--output")) {
        return ctx.fail(ExitStatus::BadInput,
                        std::string("read: missing ") +
                            (args.has("--port") ? "--output IMAGE.dat" : "--port PORT") +
                            "\nTry 'radioprog read --help'.");
    }
    const std::string output = args.value("--output");
    std::optional<JobSetup> setup = jobSetupOf(ctx, args);
    if (!setup || !ctx.checkOutputPath(output)) {
        return ExitStatus::BadInput;
    }
    const std::optional<PortChoice> port = choosePort(ctx, args);
    if (!port) {
        return ExitStatus::RadioFailed;
    }
    setup->port = *port;

    // Rows 51 to 63 never travel: they come from the file being replaced, or a new image.
    MemoryImage image = MemoryImage::newDocument();
    std::error_code ec;
    const bool existed = fs::is_regular_file(output, ec);
    if (existed) {
        MemoryImage previous;
        if (loadDatFile(output, previous)) {
            image = previous;
        }
    }

    const JobRun run = runJob(ctx, *setup, JobKind::Read, image);
    if (!run.result.ok()) {
        return reportFailure(ctx, "read", *port, run.result.transfer, run.attempts,
                             existed ? output + " is unchanged" : output + " was not written");
    }
    // A type and band that cannot be remembered cost the next 'new' its defaults, not the read.
    const SettingsWriteResult remembered = radiomodel::remember(image, ctx.userSettings());
    if (!remembered) {
        ctx.err() << "radioprog: warning: cannot remember the radio's type and band for new images: "
                  << remembered.detail << "\n";
    }
    const radiomodel::TypeAndBand band = radiomodel::describe(image, ctx.ini());
    if (!ctx.saveImage(output, image)) {
        return ExitStatus::BadInput;
    }
    ctx.out() << "read the radio on " << port->device << " into " << output << ": type " << int{band.type}
              << " " << band.typeName << ", band " << int{band.band} << " " << band.bandName << "\n";
    return ExitStatus::Ok;
}

ExitStatus runWrite(CliContext& ctx, const CommandLine& args) {
    if (!args.has("--port")) {
        return ctx.fail(ExitStatus::BadInput, "write: missing --port PORT\nTry 'radioprog write --help'.");
    }
    const std::string& path = args.operands()[0];
    MemoryImage image;
    if (!retriesOf(ctx, args) || !ctx.loadImage(path, image)) {
        return ExitStatus::BadInput;
    }
    return writeImage(ctx, args, image, path, "wrote");
}

ExitStatus runRestore(CliContext& ctx, const CommandLine& args) {
    if (!args.has("--port")) {
        return ctx.fail(ExitStatus::BadInput,
                        "restore: missing --port PORT\nTry 'radioprog restore --help'.");
    }
    const std::string& id = args.operands()[0];
    const RadioHistory history = ctx.history();
    MemoryImage image;
    const HistoryResult loaded = history.load(id, image);
    switch (loaded.error) {
    case HistoryError::None:
        break;
    case HistoryError::NotFound:
        return ctx.fail(ExitStatus::BadInput, "restore: no history entry " + id +
                                                  " ('radioprog history' lists them, newest first)");
    case HistoryError::DataFormat:
        return ctx.fail(ExitStatus::BadInput, "restore: " + loaded.detail + ": Data Format Error");
    default:
        return ctx.fail(ExitStatus::BadInput, "restore: cannot read " + loaded.detail);
    }
    return writeImage(ctx, args, image, "history entry " + id, "restored");
}

ExitStatus runHistory(CliContext& ctx, const CommandLine& args) {
    const std::vector<HistoryEntry> list = ctx.history().entries();
    if (args.has("--json")) {
        JsonWriter json;
        json.beginArray();
        for (const HistoryEntry& e : list) {
            json.beginObject();
            json.key("id");
            json.value(e.id);
            json.key("time");
            json.value(e.time);
            json.key("kind");
            json.value(historyKindName(e.kind));
            json.key("port");
            json.value(e.port);
            json.key("type");
            json.value(int64_t{e.radioType});
            json.key("band");
            json.value(int64_t{e.band});
            json.key("channels_in_use");
            json.value(int64_t{e.channelsInUse});
            json.key("file");
            json.value((fs::path(ctx.history().folder()) / e.fileName).string());
            json.endObject();
        }
        json.endArray();
        ctx.out() << json.text();
        return ExitStatus::Ok;
    }
    size_t idWidth = 0;
    size_t portWidth = 0;
    for (const HistoryEntry& e : list) {
        idWidth = std::max(idWidth, e.id.size());
        portWidth = std::max(portWidth, e.port.size());
    }
    for (const HistoryEntry& e : list) {
        std::string id = e.id;
        id.resize(idWidth, ' ');
        std::string kind = historyKindName(e.kind);
        kind.resize(std::string("before-write").size(), ' ');
        std::string port = e.port;
        port.resize(portWidth, ' ');
        ctx.out() << id << "  " << e.time << "  " << kind << "  " << port << "  type " << int{e.radioType}
                  << " band " << int{e.band} << "  " << e.channelsInUse << " channel"
                  << (e.channelsInUse == 1 ? "" : "s") << "\n";
    }
    return ExitStatus::Ok;
}

ExitStatus runPorts(CliContext& ctx, const CommandLine&) {
    const std::vector<PortCandidate> candidates = listPortCandidates(
        ctx.hasIni() ? &ctx.ini() : nullptr, platform::listSerialDevices(), platform::probeSerialPort);
    size_t width = 6;
    for (const PortCandidate& c : candidates) {
        width = std::max(width, c.device.size());
    }
    for (const PortCandidate& c : candidates) {
        std::string device = c.device.empty() ? "-" : c.device;
        device.resize(width, ' ');
        std::string state;
        if (c.device.empty()) {
            state = "no serial device";
        } else if (c.canOpen) {
            state = "can be opened";
        } else {
            state = "cannot be opened: " + portReason(c.openResult);
        }
        ctx.out() << c.name << "  " << device << "  " << state << "\n";
    }
    return ExitStatus::Ok;
}
