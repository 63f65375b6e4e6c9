#pragma once

#include "image/MemoryImage.h"
#include "radio/CloneSession.h"
#include "radio/PortNames.h"
#include "radio/RadioJob.h"
#include "radio/SerialDevices.h"

#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QString>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

class AppContext;
class QWidget;

// Runs a transfer job (a read, or a write with its backup and verify sessions) on a worker
// thread over a copy of the image, so the windows stay responsive and nothing the user does can
// reach the bytes being sent or read. Everything the user sees happens on the user-interface
// thread: stages and rows arrive as stageChanged() and rowDone(), a failed handshake asks Retry
// or Cancel there while the worker waits (as does any question of the job, askFromWorker), and the result
// comes with finished() as one value together with the image the job leaves (the read image only when all
// frames arrived). The images go to the user's radio history, and every byte on the wire to the context's
// last transfer log. cancel() is seen at the session's next pump point, a few milliseconds away while frames
// flow; at the latest when the read that is waiting times out.
class RadioTransfer : public QObject {
    Q_OBJECT
public:
    // parent: the window that the Retry/Cancel question and the result belong to.
    RadioTransfer(AppContext& context, QWidget* parent);
    // Cancels a running transfer and waits for its thread.
    ~RadioTransfer() override;

    // Starts a transfer of `image` in `direction` on the port's device; does nothing while one
    // runs. The port name is resolved here, on the user-interface thread.
    void start(TransferDirection direction, const QString& portName, const MemoryImage& image,
               const JobOptions& options = {});
    void cancel();
    bool isRunning() const { return m_thread.joinable(); }

    // For the worker thread: runs `question` on the user-interface thread, waits for it and
    // returns its answer; false once the transfer is cancelled, answered or not.
    bool askFromWorker(std::function<bool()> question);

    // Tells the user what went wrong, in the language of the interface: the message of the
    // session, what it means for the radio and what to try, with a button for each choice that
    // jobChoices offers (Write Again, Restore Backup, Write Without Backup). Returns the choice
    // the user took; nullopt when none was offered or the user declined. A cancelled verify says
    // that the radio was written but not verified; any other cancel that left the radio as it
    // was says nothing.
    std::optional<JobChoice> showResult(const JobResult& result, const QString& portName) const;

    // What a port name means on this machine: COM1..COM4 through Program.ini and the devices
    // present, or the demo radio for COM1 while one runs; anything else is a device path.
    static std::string resolvePort(const AppContext& context, const QString& portName);
    // COM1..COM4 with their devices, descriptions and checks, the demo radio standing for COM1.
    static std::vector<PortDescription> describePorts(const AppContext& context, const DeviceTree& tree);

signals:
    // A session of the job begins; rows count from 1 again.
    void stageChanged(JobStage stage);
    // One row of 16 bytes done, 1..51.
    void rowDone(int row);
    void finished(const JobResult& result, const MemoryImage& image);

private:
    class Observer;
    // On the user-interface thread: asks Retry or Cancel; true for Retry.
    bool askRetry();
    void complete(const JobResult& result, const MemoryImage& image, const std::string& log);

    AppContext& m_context;
    QPointer<QWidget> m_parent;
    std::thread m_thread;
    std::atomic<bool> m_cancel{false};
    // The answer to a question asked for the worker, handed from the user-interface thread to it.
    std::mutex m_mutex;
    std::condition_variable m_answered;
    std::optional<bool> m_answer;
    // The port of the transfer that runs, and the device it stands for.
    QString m_portName;
    std::string m_device;
};
