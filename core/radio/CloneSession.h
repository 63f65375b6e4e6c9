#pragma once

#include "image/MemoryImage.h"
#include "radio/SerialPort.h"
#include "text/CoreTexts.h"

#include <cstdint>
#include <string>
#include <vector>

enum class TransferDirection { Read, Write };

enum class TransferStatus {
    Ok,
    PortOpenFailed,     // message 61453; the port was never opened
    CommunicationError, // message 61451; the user chose Cancel at the Retry/Cancel decision
    WrongRadio,         // the identification was not accepted
    FrameFailed,        // message 61454; a frame or its acknowledgement failed
    Cancelled,          // the observer asked to cancel; no message
};

// What the session saw on the line when it failed: the basis of the advice the user gets.
enum class Diagnosis {
    None,            // nothing to add (success, cancel, a port that cannot be opened, a wrong radio)
    NoAnswer,        // not one byte came back to the handshake: radio off, plug loose, wrong port
    UnexpectedBytes, // bytes came back, but not the radio's acknowledgement: another device
    FrameBroken,     // the radio answered the handshake, then a frame failed: cable or interference
};

struct TransferResult {
    TransferStatus status = TransferStatus::Ok;
    PortOpenResult portError;  // why the port could not be opened (PortOpenFailed)
    uint16_t frameAddress = 0; // the frame that failed (FrameFailed)
    int rowsDone = 0;          // rows fully transferred, 0..51
    Diagnosis diagnosis = Diagnosis::None;
    size_t bytesSeen = 0; // bytes received from the line during the session, all attempts

    bool ok() const { return status == TransferStatus::Ok; }
    // The result the transfer handler reports: 1 for a port that cannot be opened, Cancel at
    // the communication-error decision and a wrong radio; 0 otherwise.
    int handlerResult() const {
        return status == TransferStatus::PortOpenFailed || status == TransferStatus::CommunicationError ||
                       status == TransferStatus::WrongRadio
                   ? 1
                   : 0;
    }
};

// The message ids of the string table and their English and Chinese texts.
constexpr unsigned kMsgCommunicationError = 61451;
constexpr unsigned kMsgPortOpenFailed = 61453;
constexpr unsigned kMsgProgramInterrupt = 61454;

// The message id shown for a result, 0 for Ok, Cancelled and WrongRadio (which has no id).
unsigned transferMessageId(TransferStatus status);
// The text the user sees for a result ("" for Ok and Cancelled).
std::string transferMessageText(TransferStatus status, Language language);
// The caption of the wrong-radio box: "Caution" or "警告".
const char* wrongRadioCaption(Language language);
// What was seen and what to try, for a failed result ("" when there is nothing to add); shown
// after the message text. A broken frame names its row (0 to 50).
std::string transferAdvice(const TransferResult& result, Language language);

// What a driver of the session (dialog, command line, test) supplies.
class ICloneObserver {
public:
    virtual ~ICloneObserver() = default;
    // After each row of 16 bytes: row runs from 1 to 51.
    virtual void onProgress(int row) = 0;
    // Called at the pump points (six times before each handshake attempt, five after each
    // row): handle pending events; return true when the user asked to cancel.
    virtual bool pump() = 0;
    // After a handshake attempt failed: true to try again (the port stays open), false to give up.
    virtual bool retryAfterCommunicationError() = 0;
};

// One transfer of rows 0 to 50 of the image between the host and the radio:
// handshake, identification, then 102 acknowledged frames of 8 bytes.
class CloneSession {
public:
    CloneSession(ISerialPort& port, ICloneObserver& observer) : m_port(port), m_observer(observer) {}

    // Opens `devicePath`, transfers in `direction`, and closes the port on every way out. A port
    // that is already open (a job holding it for several sessions) is used as it is and left open.
    // A read changes `image` only when all 102 frames have arrived, and then only rows 0 to 50.
    TransferResult run(TransferDirection direction, const std::string& devicePath, MemoryImage& image);
    // The same for only the frames at `addresses` (image offsets of 8-byte frames, ascending),
    // after the same handshake; a read changes only those frames of `image`. Progress is told
    // after each row that holds one of them.
    TransferResult run(TransferDirection direction, const std::string& devicePath, MemoryImage& image,
                       const std::vector<uint16_t>& addresses);

    // Whether the radio acknowledged the last successful handshake right after its seventh byte.
    bool answeredEarly() const { return m_answeredEarly; }
    // The radio on this line, held open since an earlier session, answered that session's
    // handshake after the eighth byte: do not wait for an answer after the seventh.
    void setAnswersLate() { m_answersLate = true; }
    // The bytes of the identification reply (up to 8) that the last handshake attempt received,
    // accepted or not; "" when none came.
    const std::string& identity() const { return m_identity; }

    static constexpr int kFrameCount = 102;
    static constexpr uint16_t kFrameLength = 8;
    // The offsets of all 102 frames, in the order a whole session sends them.
    static std::vector<uint16_t> allFrames();

private:
    enum class Handshake { Ok, Failed, WrongRadio, Cancelled };
    TransferResult runSession(TransferDirection direction, const std::string& devicePath, MemoryImage& image,
                              const std::vector<uint16_t>& addresses);
    Handshake handshakeAttempt();
    TransferResult writeFrames(const MemoryImage& image, const std::vector<uint16_t>& addresses);
    TransferResult readFrames(MemoryImage& image, const std::vector<uint16_t>& addresses);
    // After the frame at addresses[index]: when it ends its row's share of the list, reports the
    // row (finishRow); true to go on.
    bool afterFrame(const std::vector<uint16_t>& addresses, size_t index, TransferResult& result);
    bool pumpCancelled(int times, bool sleepBetween);
    bool finishRow(int row, TransferResult& result);
    bool writeBytes(const uint8_t* data, size_t count);
    bool writeByte(uint8_t b) { return writeBytes(&b, 1); }
    PortReadResult readBytes(uint8_t* buffer, size_t count);

    ISerialPort& m_port;
    ICloneObserver& m_observer;
    size_t m_bytesSeen = 0;         // received in this run
    size_t m_attemptBytesSeen = 0;  // received in the current handshake attempt
    bool m_attemptAckWrong = false; // its first answer was a byte other than the acknowledgement
    bool m_answeredEarly = false;   // the last successful handshake was answered after 7 bytes
    bool m_answersLate = false;     // see setAnswersLate()
    std::string m_identity;         // see identity()
};
