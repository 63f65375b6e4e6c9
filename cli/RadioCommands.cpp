#include "RadioCommands.h"

#include "InterruptGuard.h"
#include "TerminalProgress.h"
#include "image/DatFile.h"
#include "platform/PosixSerialPort.h"
#include "radio/CloneSession.h"
#include "radio/PortNames.h"

#include <cstdio>
#include <filesystem>
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

// Turns a failed transfer into the desktop program's words plus what the terminal user needs.
ExitStatus reportFailure(CliContext& ctx, TransferDirection direction, const PortChoice& port,
                         const TransferResult& result, int attempts, const std::string& aftermath) {
    const char* verb = direction == TransferDirection::Read ? "read" : "write";
    std::string text = transferMessageText(result.status, false);
    for (char& c : text) {
        c = c == '\n' ? ' ' : c;
    }
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
                            " (--retries N tries again)" + "\nradioprog: " + aftermath);
    case TransferStatus::WrongRadio:
        return ctx.fail(ExitStatus::RadioFailed, text + "\nradioprog: " + aftermath);
    case TransferStatus::FrameFailed:
        return ctx.fail(ExitStatus::RadioFailed, std::string(verb) + " failed at frame " +
                                                     hex16(result.frameAddress) + ": " + text +
                                                     "\nradioprog: " + aftermath);
    case TransferStatus::Cancelled:
        return ctx.fail(ExitStatus::RadioFailed, std::string(verb) + " cancelled; " + aftermath);
    case TransferStatus::Ok:
        break;
    }
    return ExitStatus::Ok;
}

TransferResult transfer(TransferDirection direction, const std::string& device, int retries,
                        MemoryImage& image, int& attempts) {
    InterruptGuard guard;
    platform::PosixSerialPort port;
    TerminalProgress progress(stderr, ::isatty(STDERR_FILENO) == 1,
                              direction == TransferDirection::Read ? "Reading" : "Writing", retries);
    CloneSession session(port, progress);
    const TransferResult result = session.run(direction, device, image);
    progress.finish();
    attempts = progress.attempts();
    return result;
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
    const std::optional<int> retries = retriesOf(ctx, args);
    if (!retries || !ctx.checkOutputPath(output)) {
        return ExitStatus::BadInput;
    }
    const std::optional<PortChoice> port = choosePort(ctx, args);
    if (!port) {
        return ExitStatus::RadioFailed;
    }

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

    int attempts = 0;
    const TransferResult result = transfer(TransferDirection::Read, port->device, *retries, image, attempts);
    if (!result.ok()) {
        return reportFailure(ctx, TransferDirection::Read, *port, result, attempts,
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
    const std::optional<int> retries = retriesOf(ctx, args);
    MemoryImage image;
    if (!retries || !ctx.loadImage(path, image)) {
        return ExitStatus::BadInput;
    }
    const std::optional<PortChoice> port = choosePort(ctx, args);
    if (!port) {
        return ExitStatus::RadioFailed;
    }
    int attempts = 0;
    const TransferResult result = transfer(TransferDirection::Write, port->device, *retries, image, attempts);
    if (!result.ok()) {
        const std::string aftermath = result.rowsDone > 0 || result.status == TransferStatus::FrameFailed
                                          ? "the radio holds a partly written memory: write again"
                                          : "nothing was written to the radio";
        return reportFailure(ctx, TransferDirection::Write, *port, result, attempts, aftermath);
    }
    ctx.out() << "wrote " << path << " to the radio on " << port->device << "\n";
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
