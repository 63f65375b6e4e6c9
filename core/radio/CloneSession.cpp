#include "radio/CloneSession.h"

#include "text/CoreTexts.h"

#include <chrono>
#include <cstring>
#include <thread>

namespace {

constexpr uint8_t kAck = 0x06;
constexpr uint8_t kStart = 0x02;
constexpr uint8_t kHandshake[8] = {kStart, 'P', 'R', 'O', 'G', 'R', 'A', 'M'};
constexpr uint8_t kCmdWrite = 'W';
constexpr uint8_t kCmdRead = 'R';
constexpr size_t kReadReplySize = 12;

void sleepMs(int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

// The identification reply is accepted when its first five bytes read "P3207" or "P2207".
bool identityAccepted(const uint8_t* reply, size_t got) {
    return got >= 5 && reply[0] == 'P' && (reply[1] == '3' || reply[1] == '2') && reply[2] == '2' &&
           reply[3] == '0' && reply[4] == '7';
}

struct PortCloser {
    ISerialPort& port;
    bool opened; // this session opened the port, so it closes it
    ~PortCloser() {
        if (opened && port.isOpen()) {
            port.close();
        }
    }
};

} // namespace

unsigned transferMessageId(TransferStatus status) {
    switch (status) {
    case TransferStatus::PortOpenFailed:
        return kMsgPortOpenFailed;
    case TransferStatus::CommunicationError:
        return kMsgCommunicationError;
    case TransferStatus::FrameFailed:
        return kMsgProgramInterrupt;
    default:
        return 0;
    }
}

std::string transferMessageText(TransferStatus status, Language language) {
    switch (status) {
    case TransferStatus::PortOpenFailed:
        return coreText(CoreText::PortOpenFailed, language);
    case TransferStatus::CommunicationError:
        return coreText(CoreText::CommunicationError, language);
    case TransferStatus::WrongRadio:
        return coreText(CoreText::WrongRadio, language);
    case TransferStatus::FrameFailed:
        return coreText(CoreText::ProgramInterrupt, language);
    case TransferStatus::Ok:
    case TransferStatus::Cancelled:
        break;
    }
    return {};
}

const char* wrongRadioCaption(Language language) {
    return coreText(CoreText::Caution, language);
}

std::string transferAdvice(const TransferResult& result, Language language) {
    switch (result.diagnosis) {
    case Diagnosis::NoAnswer:
        return coreText(CoreText::AdviceNoAnswer, language);
    case Diagnosis::UnexpectedBytes:
        return coreText(CoreText::AdviceUnexpectedBytes, language);
    case Diagnosis::FrameBroken:
        return coreText(CoreText::AdviceFrameBroken, language,
                        std::to_string(result.frameAddress / image::kRowSize));
    case Diagnosis::None:
        break;
    }
    return {};
}

bool CloneSession::pumpCancelled(int times, bool sleepBetween) {
    for (int i = 0; i < times; ++i) {
        if (m_observer.pump()) {
            return true;
        }
        if (sleepBetween) {
            sleepMs(1);
        }
    }
    return false;
}

PortReadResult CloneSession::readBytes(uint8_t* buffer, size_t count) {
    const PortReadResult r = m_port.read(buffer, count);
    m_bytesSeen += r.count;
    m_attemptBytesSeen += r.count;
    return r;
}

bool CloneSession::writeBytes(const uint8_t* data, size_t count) {
    return m_port.write(data, count);
}

std::vector<uint16_t> CloneSession::allFrames() {
    std::vector<uint16_t> addresses;
    for (uint16_t address = 0; address < image::kTransferSize;
         address = static_cast<uint16_t>(address + kFrameLength)) {
        addresses.push_back(address);
    }
    return addresses;
}

TransferResult CloneSession::run(TransferDirection direction, const std::string& devicePath,
                                 MemoryImage& image) {
    return run(direction, devicePath, image, allFrames());
}

TransferResult CloneSession::run(TransferDirection direction, const std::string& devicePath,
                                 MemoryImage& image, const std::vector<uint16_t>& addresses) {
    m_bytesSeen = 0;
    TransferResult result = runSession(direction, devicePath, image, addresses);
    result.bytesSeen = m_bytesSeen;
    if (result.status == TransferStatus::FrameFailed) {
        result.diagnosis = Diagnosis::FrameBroken;
    }
    return result;
}

TransferResult CloneSession::runSession(TransferDirection direction, const std::string& devicePath,
                                        MemoryImage& image, const std::vector<uint16_t>& addresses) {
    TransferResult result;
    const bool opened = !m_port.isOpen();
    if (opened) {
        result.portError = m_port.open(devicePath);
        if (!result.portError) {
            result.status = TransferStatus::PortOpenFailed;
            return result;
        }
    }
    PortCloser closer{m_port, opened};

    for (;;) {
        // Six pumps before every attempt: Cancel works even while the radio does not answer.
        if (pumpCancelled(6, true)) {
            result.status = TransferStatus::Cancelled;
            return result;
        }
        const Handshake h = handshakeAttempt();
        if (h == Handshake::Ok) {
            break;
        }
        if (h == Handshake::WrongRadio) {
            result.status = TransferStatus::WrongRadio;
            if (m_attemptAckWrong) {
                result.diagnosis = Diagnosis::UnexpectedBytes;
            }
            return result;
        }
        // Only the last attempt counts: a radio switched on between attempts answers normally.
        result.diagnosis = m_attemptBytesSeen == 0 ? Diagnosis::NoAnswer : Diagnosis::UnexpectedBytes;
        if (!m_observer.retryAfterCommunicationError()) {
            result.status = TransferStatus::CommunicationError;
            return result;
        }
        result.diagnosis = Diagnosis::None;
    }

    return direction == TransferDirection::Write ? writeFrames(image, addresses)
                                                 : readFrames(image, addresses);
}

// One attempt; each attempt is decided on its own, nothing of an earlier one carries over.
CloneSession::Handshake CloneSession::handshakeAttempt() {
    m_port.purge();
    m_attemptBytesSeen = 0;
    m_attemptAckWrong = false;

    bool earlyReply = false;
    for (size_t i = 0; i < sizeof kHandshake; ++i) {
        sleepMs(2);
        m_port.clear();
        if (!writeByte(kHandshake[i])) {
            return Handshake::Failed;
        }
        if (i == 6 && !m_answersLate) {
            // Some radios answer as soon as they have seen "PROGRA"; that byte counts as the
            // acknowledgement. The clear before the last byte discards it.
            uint8_t early = 0;
            const PortReadResult r = readBytes(&early, 1);
            earlyReply = r.ok && r.count == 1;
            m_attemptAckWrong = earlyReply && early != kAck;
        }
    }

    if (!earlyReply) {
        uint8_t ack = 0;
        const PortReadResult r = readBytes(&ack, 1);
        if (!r.ok || r.count != 1) {
            return Handshake::Failed;
        }
        // Any byte is taken as the acknowledgement here; the identification decides.
        m_attemptAckWrong = ack != kAck;
    }

    sleepMs(1);
    m_port.clear();
    if (!writeByte(kStart)) {
        return Handshake::Failed;
    }
    sleepMs(1);
    uint8_t identity[8] = {};
    const PortReadResult id = readBytes(identity, sizeof identity);
    m_identity.assign(reinterpret_cast<const char*>(identity), id.ok ? id.count : 0);
    if (!identityAccepted(identity, id.ok ? id.count : 0)) {
        return Handshake::WrongRadio;
    }

    m_port.clear();
    if (!writeByte(kAck)) {
        return Handshake::Failed;
    }
    m_port.clear();
    sleepMs(1);
    uint8_t reply = 0;
    const PortReadResult r = readBytes(&reply, 1);
    if (!r.ok || r.count != 1 || reply != kAck) {
        return Handshake::Failed;
    }
    m_answeredEarly = earlyReply;
    return Handshake::Ok;
}

// After both halves of a row: report it, then five pumps, each of which may cancel.
bool CloneSession::finishRow(int row, TransferResult& result) {
    result.rowsDone = row + 1;
    m_observer.onProgress(row + 1);
    if (pumpCancelled(5, false)) {
        result.status = TransferStatus::Cancelled;
        return false;
    }
    return true;
}

bool CloneSession::afterFrame(const std::vector<uint16_t>& addresses, size_t index, TransferResult& result) {
    const size_t row = addresses[index] / image::kRowSize;
    if (index + 1 < addresses.size() && addresses[index + 1] / image::kRowSize == row) {
        return true;
    }
    return finishRow(static_cast<int>(row), result);
}

TransferResult CloneSession::writeFrames(const MemoryImage& image, const std::vector<uint16_t>& addresses) {
    TransferResult result;
    uint8_t header[4] = {kCmdWrite, 0, 0, kFrameLength};
    for (size_t index = 0; index < addresses.size(); ++index) {
        const uint16_t address = addresses[index];
        header[1] = static_cast<uint8_t>(address >> 8);
        header[2] = static_cast<uint8_t>(address & 0xFF);
        m_port.clear();
        bool ok = writeBytes(header, sizeof header);
        sleepMs(1);
        ok = ok && writeBytes(image.data() + address, kFrameLength);
        uint8_t ack = 0;
        const PortReadResult r = ok ? readBytes(&ack, 1) : PortReadResult{false, 0};
        if (!r.ok || r.count != 1 || ack != kAck) {
            result.status = TransferStatus::FrameFailed;
            result.frameAddress = address;
            return result;
        }
        if (!afterFrame(addresses, index, result)) {
            return result;
        }
    }
    return result;
}

TransferResult CloneSession::readFrames(MemoryImage& image, const std::vector<uint16_t>& addresses) {
    TransferResult result;
    // Frames collect here and reach the image only after the last one, so a failed or
    // cancelled read leaves the document as it was.
    uint8_t buffer[image::kTransferSize];
    std::memcpy(buffer, image.data(), image::kTransferSize);
    uint8_t request[4] = {kCmdRead, 0, 0, kFrameLength};
    for (size_t index = 0; index < addresses.size(); ++index) {
        const uint16_t address = addresses[index];
        if (address % image::kRowSize != 0 && index > 0 && addresses[index - 1] + kFrameLength == address) {
            sleepMs(1); // the second half of a row right after the first
        }
        request[1] = static_cast<uint8_t>(address >> 8);
        request[2] = static_cast<uint8_t>(address & 0xFF);
        m_port.clear();
        uint8_t reply[kReadReplySize] = {};
        PortReadResult r{false, 0};
        if (writeBytes(request, sizeof request)) {
            r = readBytes(reply, sizeof reply);
        }
        if (!r.ok || r.count < kReadReplySize) {
            result.status = TransferStatus::FrameFailed;
            result.frameAddress = address;
            return result;
        }
        std::memcpy(buffer + address, reply + 4, kFrameLength);

        sleepMs(1);
        m_port.clear();
        uint8_t ack = 0;
        r = writeByte(kAck) ? readBytes(&ack, 1) : PortReadResult{false, 0};
        if (!r.ok || r.count != 1 || ack != kAck) {
            result.status = TransferStatus::FrameFailed;
            result.frameAddress = address;
            return result;
        }
        if (!afterFrame(addresses, index, result)) {
            return result;
        }
    }
    std::memcpy(image.data(), buffer, image::kTransferSize);
    return result;
}
