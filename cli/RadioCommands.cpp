#include "RadioCommands.h"

#include "ImageCommands.h"
#include "InterruptGuard.h"
#include "JsonWriter.h"
#include "TerminalProgress.h"
#include "channels/ChannelEdit.h"
#include "compare/ImageCompare.h"
#include "image/DatFile.h"
#include "platform/PosixSerialPort.h"
#include "radio/PortNames.h"
#include "radio/RadioJob.h"
#include "radio/SerialDevices.h"
#include "radio/TracingSerialPort.h"
#include "text/CoreTexts.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <ostream>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr long kMaxRetries = 1000;

// The device files radioprog looks at: the machine's, or a tree laid out the same way below
// $RADIO_DEVICE_ROOT (the tests unplug cables and hold ports there).
DeviceTree deviceTree() {
    const char* root = std::getenv("RADIO_DEVICE_ROOT");
    return DeviceTree(root && *root ? root : "/");
}

// The system's reason and what to try, for a terminal user.
std::string portReason(const std::string& detail, const PortCheck& check) {
    std::string advice = portAdvice(check, Language::English);
    if (check.state == PortState::NotFound) {
        advice += " 'radioprog ports' lists the serial ports";
    }
    return detail + (advice.empty() ? std::string() : "; " + advice);
}

// Why a transfer could not open its port: the open's own reason, with the holder that a look
// at the port finds when it was busy.
std::string openFailureReason(const std::string& device, const PortOpenResult& result) {
    PortCheck check;
    check.state = portStateOf(result.error);
    if (check.state == PortState::Busy) {
        const PortCheck seen = checkPort(device, deviceTree());
        check.holder = seen.holder;
        check.leftExclusive = seen.leftExclusive;
        check.farEnd = seen.farEnd;
    }
    return portReason(result.detail, check);
}

const char* stateName(PortState state) {
    switch (state) {
    case PortState::Free:
        return "free";
    case PortState::Busy:
        return "busy";
    case PortState::PermissionDenied:
        return "permission_denied";
    case PortState::NotFound:
        return "not_found";
    case PortState::NotSerial:
        return "not_serial";
    case PortState::Other:
        break;
    }
    return "other";
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
    std::vector<std::string> devices;
    for (const SerialDevice& found : findSerialDevices(deviceTree())) {
        devices.push_back(found.device);
    }
    const std::string device = resolvePortName(name, ctx.hasIni() ? &ctx.ini() : nullptr, devices);
    if (device.empty()) {
        ctx.fail(ExitStatus::RadioFailed,
                 transferMessageText(TransferStatus::PortOpenFailed, Language::English) +
                     "\nradioprog: " + name + " stands for no device: " + std::to_string(devices.size()) +
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
    std::string text = transferMessageText(result.status, Language::English);
    for (char& c : text) {
        c = c == '\n' ? ' ' : c;
    }
    const std::string advice = transferAdvice(result, Language::English);
    const std::string adviceLine = advice.empty() ? "" : "\nradioprog: " + advice;
    std::string where = port.device + (port.device == port.name ? "" : " (" + port.name + ")");
    switch (result.status) {
    case TransferStatus::PortOpenFailed:
        return ctx.fail(ExitStatus::RadioFailed, text + "\nradioprog: " + where + ": " +
                                                     openFailureReason(port.device, result.portError) +
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
    platform::PosixSerialPort serial(deviceTree());
    // "--trace -" logs to standard error, so that standard output stays the command's own.
    std::ofstream logFile;
    std::ostream& log = setup.tracePath == "-" ? ctx.err() : logFile;
    std::unique_ptr<TracingSerialPort> tracer;
    if (!setup.tracePath.empty()) {
        if (&log == &logFile) {
            logFile.open(setup.tracePath, std::ios::binary | std::ios::trunc);
        }
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
    if (!run.result.historyKept) {
        ctx.err() << "radioprog: warning: "
                  << coreText(CoreText::HistoryNotSaved, Language::English, run.result.historyKept.detail)
                  << "\n";
    }
    if (run.traceFailed) {
        ctx.err() << "radioprog: warning: cannot write the log " << setup.tracePath << "\n";
    }
    return run;
}

// Reads the options every transfer takes; reports and returns nullopt on bad ones, and on an
// output (the log among them) that is one of the command's other files.
std::optional<JobSetup> jobSetupOf(CliContext& ctx, const CommandLine& args,
                                   const std::vector<CliContext::FileRole>& inputs,
                                   std::vector<CliContext::FileRole> outputs = {}) {
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
    outputs.push_back({"--trace", setup.tracePath});
    if (!ctx.checkDistinctFiles(inputs, outputs)) {
        return std::nullopt;
    }
    setup.options.backup = !args.has("--no-backup");
    setup.options.verify = !args.has("--no-verify");
    setup.options.force = args.has("--force");
    setup.options.changedOnly = args.has("--changed-only");
    if (args.has("--dry-run")) {
        if (args.has("--no-backup")) {
            ctx.fail(ExitStatus::BadInput,
                     "--dry-run reads the radio to compare: it cannot go with --no-backup");
            return std::nullopt;
        }
        // The comparison is printed from the backup afterwards; nothing is ever written.
        setup.options.force = true;
        setup.options.confirm = [](const MemoryImage&) { return false; };
    }
    return setup;
}

// Writes `image` with backup and verify as asked, and reports how it went. `what` names the
// image in the messages ("club.dat", "history entry ID").
ExitStatus writeImage(CliContext& ctx, const CommandLine& args, const MemoryImage& image,
                      const CliContext::FileRole& source, const std::string& what,
                      const std::string& doneVerb) {
    std::optional<JobSetup> setup = jobSetupOf(ctx, args, {source});
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
    if (r.ok() && args.has("--dry-run") && r.backup) {
        const std::vector<ImageDifference> differences = compareImages(*r.backup, image, Language::English);
        for (const ImageDifference& difference : differences) {
            ctx.out() << differenceLine(difference, Language::English) << "\n";
        }
        ctx.out() << (differences.empty() ? "no differences\n" : "") << "nothing was written to the radio on "
                  << port->device << " (--dry-run)\n";
        return ExitStatus::Ok;
    }
    if (r.alreadyHeld) {
        ctx.out() << "the radio already holds " << what << ": nothing written\n";
        return ExitStatus::Ok;
    }
    if (r.fellBack) {
        ctx.err() << "radioprog: " << coreText(CoreText::ChangedFellBack, Language::English) << "\n";
    }
    if (r.ok()) {
        ctx.out() << doneVerb << " " << what << " to the radio on " << port->device;
        if (setup->options.changedOnly && !r.fellBack && r.framesWritten < CloneSession::kFrameCount) {
            ctx.out() << " (only the " << r.framesWritten << " changed frame"
                      << (r.framesWritten == 1 ? "" : "s") << ")";
        }
        ctx.out() << "\n";
        return ExitStatus::Ok;
    }
    // radioprog's words for the choices core offers: the option or the command that takes each.
    const std::vector<JobChoice> choices = jobChoices(r);
    const auto offered = [&choices](JobChoice choice) {
        return std::find(choices.begin(), choices.end(), choice) != choices.end();
    };
    // Restoring runs through the history entry of the backup, so it needs one that was kept.
    const std::string restore = offered(JobChoice::RestoreBackup) && !run.backupId.empty()
                                    ? "'radioprog restore " + run.backupId + " --port " + port->name + "'"
                                    : "";
    const std::string putBack =
        restore.empty() ? "" : "; " + restore + " puts back what the radio held before";
    if (r.cancelled()) {
        // Ctrl+C is no failure: say what the radio holds now, and how to put the backup back.
        std::string text;
        for (const char c : jobCancelledText(r, Language::English)) {
            text += c == '\n' ? std::string("\nradioprog: ") : std::string(1, c);
        }
        if (!restore.empty()) {
            text += "\nradioprog: " + restore + " puts it back";
        }
        return ctx.fail(ExitStatus::RadioFailed, text);
    }
    switch (r.stage) {
    case JobStage::Backup:
        return reportFailure(ctx, "backup read", *port, r.transfer, run.attempts,
                             offered(JobChoice::WriteWithoutBackup)
                                 ? std::string("the radio could not be read for the backup, so nothing was "
                                               "written to the radio (--no-backup writes without one)")
                                 : std::string("nothing was written to the radio"));
    case JobStage::Write:
        return reportFailure(ctx, "write", *port, r.transfer, run.attempts,
                             offered(JobChoice::WriteAgain)
                                 ? "the radio holds a partly written memory: write again" + putBack
                                 : std::string("nothing was written to the radio"));
    case JobStage::Verify:
    case JobStage::Read:
        break;
    }
    if (r.mismatchRow >= 0) {
        return ctx.fail(ExitStatus::RadioFailed,
                        "verify failed at row " + std::to_string(r.mismatchRow) + ": " +
                            verifyMismatchText(r, Language::English) + "\nradioprog: " + what +
                            " was written, but the radio holds something else" + putBack);
    }
    return reportFailure(ctx, "verify read", *port, r.transfer, run.attempts,
                         what + " was written completely; reading it back to verify did not work "
                                "(--no-verify skips it)");
}

// The desktop program's questions before a write, as refusals: channels outside the image's
// band, or no channel in use, are written only with --force. Nothing has touched the port yet.
bool writeAllowed(CliContext& ctx, const MemoryImage& image, const std::string& path) {
    std::string message = "write: " + path + " was not written to the radio";
    const size_t plain = message.size();
    if (channeledit::hasNoChannelInUse(image)) {
        message += std::string("\nradioprog: ") + coreText(CoreText::NoChannelInUse, Language::English);
    }
    const radiomodel::TypeAndBand band = radiomodel::describe(image, ctx.ini());
    const std::vector<int> outside = channeledit::channelsOutsideBand(image, band.limits);
    if (!outside.empty()) {
        const auto named = [](uint8_t index, const std::string& name) {
            return std::to_string(index) + (name.empty() ? "" : " " + name);
        };
        message += "\nradioprog: " + channeledit::outsideBandText(outside, band.limits, Language::English) +
                   " (type " + named(band.type, band.typeName) + ", band " + named(band.band, band.bandName) +
                   ")";
    }
    if (message.size() == plain) {
        return true;
    }
    ctx.fail(ExitStatus::BadInput, message + "\nradioprog: --force writes it all the same");
    return false;
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
    std::optional<JobSetup> setup = jobSetupOf(ctx, args, {}, {{"--output", output}});
    // A file that could not be saved is refused now, before the radio is read for nothing.
    if (!setup || (output != "-" && !ctx.checkReplaceable(output)) || !ctx.checkOutputPath(output)) {
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
    const bool existed = output != "-" && fs::is_regular_file(output, ec);
    if (existed) {
        MemoryImage previous;
        if (loadDatFile(output, previous)) {
            image = previous;
        }
    }

    const JobRun run = runJob(ctx, *setup, JobKind::Read, image);
    if (!run.result.ok()) {
        return reportFailure(ctx, "read", *port, run.result.transfer, run.attempts,
                             CliContext::keptFileText(output, existed));
    }
    // A type and band that cannot be remembered cost the next 'new' its defaults, not the read.
    const SettingsWriteResult remembered = radiomodel::remember(image, ctx.userSettings());
    if (!remembered) {
        ctx.err() << "radioprog: warning: cannot remember the radio's type and band for new images: "
                  << remembered.detail << "\n";
    }
    const radiomodel::TypeAndBand band = radiomodel::describe(image, ctx.ini());
    if (!ctx.saveImage(output, image)) {
        // A full disk shows only now; what was read is not lost when the history has it.
        const std::string kept = (fs::path(ctx.history().folder()) / (run.result.readId + ".dat")).string();
        ctx.err() << "radioprog: "
                  << (run.result.readId.empty()
                          ? "the radio history could not keep what was read either: read again once " +
                                output + " can be written"
                          : "what was read is kept in the radio history as " + run.result.readId + ": " +
                                kept + " ('radioprog history' lists it)")
                  << "\n";
        return ExitStatus::BadInput;
    }
    (output == "-" ? ctx.err() : ctx.out())
        << "read the radio on " << port->device << " into " << output << ": type " << int{band.type} << " "
        << band.typeName << ", band " << int{band.band} << " " << band.bandName << "\n";
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
    if (!args.has("--force") && !writeAllowed(ctx, image, path)) {
        return ExitStatus::BadInput;
    }
    return writeImage(ctx, args, image, {"IMAGE.dat", path}, path, "wrote");
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
    std::string file;
    for (const HistoryEntry& e : history.entries()) {
        file = e.id == id ? (fs::path(history.folder()) / e.fileName).string() : file;
    }
    return writeImage(ctx, args, image, {"history entry " + id, file}, "history entry " + id, "restored");
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
            const std::string iso = historyTimeIso8601(e.time);
            json.value(iso.empty() ? e.time : iso);
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
    if (list.empty()) {
        ctx.out() << "no entries\n";
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

namespace {

void writeUsbJson(JsonWriter& json, const UsbDescription& usb) {
    json.key("vendor_id");
    json.value(usb.vendorId);
    json.key("product_id");
    json.value(usb.productId);
    json.key("manufacturer");
    json.value(usb.manufacturer);
    json.key("product");
    json.value(usb.product);
    json.key("serial");
    json.value(usb.serial);
}

void writePortsJson(std::ostream& out, const std::vector<PortDescription>& ports,
                    const std::vector<AdapterWithoutTty>& adapters) {
    JsonWriter json;
    json.beginObject();
    json.key("ports");
    json.beginArray();
    for (const PortDescription& port : ports) {
        json.beginObject();
        json.key("name");
        json.value(port.name);
        json.key("device");
        if (port.device.empty()) {
            json.null();
        } else {
            json.value(port.device);
        }
        json.key("tty");
        if (port.info) {
            json.value(port.info->device);
        } else {
            json.null();
        }
        json.key("description");
        json.value(port.info ? port.info->description() : std::string());
        json.key("usable");
        json.value(port.check.usable());
        json.key("state");
        json.value(stateName(port.check.state));
        json.key("reason");
        json.value(port.check.detail);
        json.key("advice");
        json.value(portAdvice(port.check, Language::English));
        json.key("holder");
        if (port.check.holder) {
            json.beginObject();
            json.key("pid");
            json.value(int64_t{port.check.holder->pid});
            json.key("command");
            json.value(port.check.holder->command);
            json.endObject();
        } else {
            json.null();
        }
        json.key("usb");
        if (port.info && port.info->usb) {
            json.beginObject();
            writeUsbJson(json, *port.info->usb);
            json.key("driver");
            json.value(port.info->driver);
            json.key("by_id");
            json.value(port.info->byIdPath);
            json.endObject();
        } else {
            json.null();
        }
        json.endObject();
    }
    json.endArray();
    json.key("adapters_without_tty");
    json.beginArray();
    for (const AdapterWithoutTty& adapter : adapters) {
        json.beginObject();
        writeUsbJson(json, adapter.usb);
        json.key("sys_path");
        json.value(adapter.sysPath);
        json.key("brltty_running");
        json.value(adapter.brlttyRunning);
        json.key("advice");
        json.value(adapterAdvice(adapter, Language::English));
        json.endObject();
    }
    json.endArray();
    json.endObject();
    out << json.text();
}

void writePortsText(std::ostream& out, const std::vector<PortDescription>& ports,
                    const std::vector<AdapterWithoutTty>& adapters) {
    size_t width = 6;
    for (const PortDescription& port : ports) {
        width = std::max(width, port.device.size());
    }
    const std::string indent(6, ' ');
    for (const PortDescription& port : ports) {
        std::string device = port.device.empty() ? "-" : port.device;
        device.resize(width, ' ');
        std::string state;
        if (port.device.empty()) {
            state = "no serial device";
        } else if (port.check.usable()) {
            state = "can be opened";
        } else {
            state = "cannot be opened: " + portReason(port.check.detail, port.check);
        }
        out << port.name << "  " << device << "  " << state << "\n";
        if (port.info) {
            const bool pinned = port.info->device != port.device;
            out << indent << (pinned ? port.info->device + ": " : std::string()) << port.info->description()
                << "\n";
            if (!port.info->byIdPath.empty() && port.info->byIdPath != port.device) {
                out << indent << port.info->byIdPath << "\n";
            }
        }
    }
    for (const AdapterWithoutTty& adapter : adapters) {
        out << "USB adapter without a serial port at " << adapter.sysPath << "\n"
            << indent << adapterAdvice(adapter, Language::English) << "\n";
    }
}

// A JSON string, or null for an empty text.
std::string jsonTextOrNull(const std::string& text) {
    return text.empty() ? "null" : JsonWriter::quote(text);
}

// Polls the device list once a second until a device comes (the cable plugged back in), or
// until Ctrl+C. With `json` every event is one JSON object on a line of its own, and the request
// to the user goes to stderr.
ExitStatus watchPorts(CliContext& ctx, const DeviceTree& tree, bool json) {
    constexpr auto kPollInterval = std::chrono::seconds(1);
    constexpr auto kInterruptCheck = std::chrono::milliseconds(50);
    InterruptGuard guard;
    std::ostream& out = ctx.out();
    const auto event = [&](const char* kind, const SerialDevice& device) {
        if (json) {
            out << "{\"event\":\"" << kind << "\",\"device\":" << JsonWriter::quote(device.device)
                << ",\"description\":" << JsonWriter::quote(device.description()) << "}\n";
        } else {
            out << kind << ": " << device.device << "  " << device.description() << "\n";
        }
    };
    std::vector<SerialDevice> before = findSerialDevices(tree);
    (json ? ctx.err() : out) << "Unplug the programming cable and plug it back in (Ctrl+C stops).\n";
    for (const SerialDevice& device : before) {
        event("present", device);
    }
    out.flush();
    for (;;) {
        const auto next = std::chrono::steady_clock::now() + kPollInterval;
        while (std::chrono::steady_clock::now() < next) {
            if (InterruptGuard::interrupted()) {
                return ctx.fail(ExitStatus::RadioFailed, "ports --watch stopped before a device came");
            }
            std::this_thread::sleep_for(kInterruptCheck);
        }
        const std::vector<SerialDevice> after = findSerialDevices(tree);
        const DeviceChanges changes = compareDevices(before, after);
        for (const SerialDevice& device : changes.gone) {
            event("gone", device);
        }
        for (const SerialDevice& device : changes.came) {
            event("came", device);
        }
        out.flush();
        if (!changes.came.empty()) {
            const SerialDevice& cable = changes.came.front();
            std::string name;
            for (const PortDescription& port : describePorts(ctx.hasIni() ? &ctx.ini() : nullptr, tree)) {
                if (port.info && port.info->device == cable.device) {
                    name = port.name;
                    break;
                }
            }
            if (json) {
                out << "{\"event\":\"cable\",\"device\":" << JsonWriter::quote(cable.device)
                    << ",\"name\":" << jsonTextOrNull(name) << ",\"by_id\":" << jsonTextOrNull(cable.byIdPath)
                    << "}\n";
                return ExitStatus::Ok;
            }
            if (!name.empty()) {
                out << "the cable is " << cable.device << ", " << name << "\n";
            }
            if (!cable.byIdPath.empty()) {
                out << "to keep a COM name for this cable, put COMn=" << cable.byIdPath
                    << " in [Setup] of Program.ini\n";
            }
            return ExitStatus::Ok;
        }
        before = after;
    }
}

} // namespace

ExitStatus runPorts(CliContext& ctx, const CommandLine& args) {
    const DeviceTree tree = deviceTree();
    if (args.has("--watch")) {
        return watchPorts(ctx, tree, args.has("--json"));
    }
    const std::vector<PortDescription> ports = describePorts(ctx.hasIni() ? &ctx.ini() : nullptr, tree);
    const std::vector<AdapterWithoutTty> adapters = findAdaptersWithoutTty(tree);
    if (args.has("--json")) {
        writePortsJson(ctx.out(), ports, adapters);
    } else {
        writePortsText(ctx.out(), ports, adapters);
    }
    return ExitStatus::Ok;
}

// ---- diff ----------------------------------------------------------------------------------

namespace {

std::string differencesJson(const std::vector<ImageDifference>& differences) {
    JsonWriter w;
    w.beginObject();
    w.key("differences");
    w.beginArray();
    for (const ImageDifference& difference : differences) {
        w.beginObject();
        w.key("kind");
        w.value(differenceKindKey(difference.kind));
        w.key("channel");
        if (difference.channel > 0) {
            w.value(int64_t{difference.channel});
        } else {
            w.null();
        }
        w.key("what");
        w.value(difference.what);
        w.key("before");
        w.value(difference.before);
        w.key("after");
        w.value(difference.after);
        w.endObject();
    }
    w.endArray();
    w.endObject();
    return w.text();
}

// The second image of a diff: B.dat, or what the radio holds (kept in the history like any
// read; nothing is written). Rows 51 to 63 of a read are A.dat's. Every failure is trouble
// (exit status 2), as diff(1) has it.
bool diffTarget(CliContext& ctx, const CommandLine& args, const MemoryImage& first, MemoryImage& second) {
    const std::vector<std::string>& files = args.operands();
    if (!args.has("--port")) {
        return ctx.loadImage(files[1], second);
    }
    std::optional<JobSetup> setup = jobSetupOf(ctx, args, {{"A.dat", files[0]}});
    if (!setup) {
        return false;
    }
    const std::optional<PortChoice> port = choosePort(ctx, args);
    if (!port) {
        return false;
    }
    setup->port = *port;
    second = first;
    const JobRun run = runJob(ctx, *setup, JobKind::Read, second);
    if (!run.result.ok()) {
        reportFailure(ctx, "read", *port, run.result.transfer, run.attempts, "nothing was compared");
        return false;
    }
    return true;
}

} // namespace

ExitStatus runDiff(CliContext& ctx, const CommandLine& args) {
    const size_t files = args.operands().size();
    const bool radio = args.has("--port");
    if (radio == (files == 2)) {
        return ctx.fail(ExitStatus::BadInput,
                        std::string(radio ? "diff: --port compares A.dat with the radio; give no B.dat"
                                          : "diff: missing B.dat or --port PORT") +
                            "\nTry 'radioprog diff --help'.");
    }
    if (!radio && (args.has("--retries") || args.has("--trace"))) {
        return ctx.fail(ExitStatus::BadInput, std::string("diff: ") +
                                                  (args.has("--retries") ? "--retries" : "--trace") +
                                                  " goes with --port PORT\nTry 'radioprog diff --help'.");
    }
    Language language = Language::English;
    MemoryImage first;
    MemoryImage second;
    if (!chosenLanguage(ctx, args, language) || !ctx.loadImage(args.operands()[0], first) ||
        !diffTarget(ctx, args, first, second)) {
        return ExitStatus::BadInput;
    }
    // Rows 51 to 63 never travel, so only two files can differ there.
    const std::vector<ImageDifference> differences =
        compareImages(first, second, language, !radio, ctx.hasIni() ? &ctx.ini() : nullptr);
    if (args.has("--json")) {
        ctx.out() << differencesJson(differences);
    } else if (differences.empty()) {
        ctx.out() << "no differences\n";
    } else {
        for (const ImageDifference& difference : differences) {
            ctx.out() << differenceLine(difference, language) << "\n";
        }
    }
    return differences.empty() ? ExitStatus::Ok : ExitStatus::Differ;
}
