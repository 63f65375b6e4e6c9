#include "radio/RadioTransfer.h"

#include "app/AppContext.h"
#include "app/MessageBox.h"
#include "app/SystemReason.h"
#include "history/RadioHistory.h"
#include "platform/PosixSerialPort.h"
#include "radio/TracingSerialPort.h"

#include <QCoreApplication>
#include <QMetaObject>

#include <algorithm>
#include <sstream>

namespace {

QString portReason(const PortOpenResult& port, const std::string& device, Language language) {
    if (device.empty()) {
        return codeText(language,
                        QT_TRANSLATE_NOOP("CodeText",
                                          "No serial device stands for this port on this computer: "
                                          "plug the cable in, or choose its port in Setup, COM Setup."));
    }
    QString reason =
        QStringLiteral("%1: %2").arg(QString::fromStdString(device), SystemReason::text(port.detail));
    // What holds the port or keeps the user out of it, and what to do, as the port looks now.
    const PortCheck check = checkPort(device, DeviceTree());
    if (!check.usable()) {
        reason += QLatin1Char('\n') + QString::fromStdString(portAdvice(check, language));
    }
    return reason;
}

// The desktop program's button and words for each choice core offers after a failed write.
struct ChoiceButton {
    JobChoice choice;
    QMessageBox::StandardButton button;
    const char* text; // translated in the context RadioTransfer
};

constexpr ChoiceButton kChoiceButtons[] = {
    {JobChoice::WriteAgain, QMessageBox::Retry, QT_TRANSLATE_NOOP("RadioTransfer", "Write Again")},
    {JobChoice::RestoreBackup, QMessageBox::Reset, QT_TRANSLATE_NOOP("RadioTransfer", "Restore Backup")},
    {JobChoice::WriteWithoutBackup, QMessageBox::Ignore,
     QT_TRANSLATE_NOOP("RadioTransfer", "Write Without Backup")},
};

} // namespace

// The session's driver on the worker thread. It touches nothing of the user interface: rows and
// the Retry/Cancel question are posted to the transfer object on the user-interface thread.
class RadioTransfer::Observer : public IJobObserver {
public:
    explicit Observer(RadioTransfer& transfer) : m_transfer(transfer) {}

    void onStage(JobStage stage) override {
        QMetaObject::invokeMethod(
            &m_transfer, [transfer = &m_transfer, stage] { emit transfer->stageChanged(stage); },
            Qt::QueuedConnection);
    }

    void onProgress(int row) override {
        QMetaObject::invokeMethod(
            &m_transfer, [transfer = &m_transfer, row] { emit transfer->rowDone(row); },
            Qt::QueuedConnection);
    }

    bool pump() override { return m_transfer.m_cancel.load(); }

    bool retryAfterCommunicationError() override {
        return m_transfer.askFromWorker([transfer = &m_transfer] { return transfer->askRetry(); });
    }

private:
    RadioTransfer& m_transfer;
};

RadioTransfer::RadioTransfer(AppContext& context, QWidget* parent)
    : QObject(parent), m_context(context), m_parent(parent) {}

RadioTransfer::~RadioTransfer() {
    cancel();
    if (m_thread.joinable()) {
        m_thread.join();
    }
}

void RadioTransfer::start(TransferDirection direction, const QString& portName, const MemoryImage& image,
                          const JobOptions& options) {
    if (isRunning()) {
        return;
    }
    m_cancel = false;
    const std::string device = resolvePort(m_context, portName);
    m_portName = portName;
    m_device = device;
    if (device.empty()) {
        JobResult result;
        result.stage = direction == TransferDirection::Write ? JobStage::Write : JobStage::Read;
        result.transfer.status = TransferStatus::PortOpenFailed;
        result.transfer.portError = {PortError::NotFound, {}};
        QMetaObject::invokeMethod(
            this, [this, result, image] { complete(result, image, std::string()); }, Qt::QueuedConnection);
        return;
    }
    m_thread = std::thread([this, direction, device, options, folder = m_context.historyFolder(),
                            snapshot = MemoryImage(image)]() mutable {
        platform::PosixSerialPort serial;
        std::ostringstream log;
        TracingSerialPort port(serial, log);
        Observer observer(*this);
        RadioHistory history(folder);
        RadioJob job(port, observer, &history);
        const JobResult result = direction == TransferDirection::Write ? job.write(device, snapshot, options)
                                                                       : job.read(device, snapshot);
        QMetaObject::invokeMethod(
            this, [this, result, snapshot, text = log.str()] { complete(result, snapshot, text); },
            Qt::QueuedConnection);
    });
}

void RadioTransfer::complete(const JobResult& result, const MemoryImage& image, const std::string& log) {
    // The worker has posted this as its last act.
    if (m_thread.joinable()) {
        m_thread.join();
    }
    m_context.setLastTransferLog(log);
    emit finished(result, image);
}

void RadioTransfer::cancel() {
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_cancel = true;
    }
    m_answered.notify_all();
}

bool RadioTransfer::askFromWorker(std::function<bool()> question) {
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_answer.reset();
    }
    QMetaObject::invokeMethod(
        this,
        [this, question = std::move(question)] {
            const bool answer = question();
            {
                const std::lock_guard<std::mutex> lock(m_mutex);
                m_answer = answer;
            }
            m_answered.notify_all();
        },
        Qt::QueuedConnection);
    std::unique_lock<std::mutex> lock(m_mutex);
    m_answered.wait(lock, [this] { return m_answer.has_value() || m_cancel; });
    return m_answer.value_or(false) && !m_cancel;
}

bool RadioTransfer::askRetry() {
    // The port and what stands behind it: no answer at all is most often the wrong port.
    QString device = QString::fromStdString(m_device);
    for (const SerialDevice& found : findSerialDevices(DeviceTree(m_context.deviceRoot()))) {
        if ((found.device == m_device || found.byIdPath == m_device) && !found.description().empty()) {
            device += QStringLiteral(" (%1)").arg(QString::fromStdString(found.description()));
        }
    }
    const QString text = QString::fromStdString(
                             transferMessageText(TransferStatus::CommunicationError, m_context.language())) +
                         QStringLiteral("\n\n%1: %2\n").arg(m_portName, device) +
                         tr("If the radio is on and the cable is plugged in, this may be the wrong port: "
                            "choose the port of the "
                            "programming cable in Setup, COM Setup.") +
                         QStringLiteral("\n\n") +
                         tr("Program, Save Log... keeps every byte of this transfer for a closer look.");
    return MessageBox::show(m_parent, text, QString(), QMessageBox::Retry | QMessageBox::Cancel,
                            QMessageBox::Warning) == QMessageBox::Retry;
}

std::string RadioTransfer::resolvePort(const AppContext& context, const QString& portName) {
    const std::string name = portName.toStdString();
    const std::string& demo = context.demoDevice();
    if (!demo.empty() && comPortNumber(name) == 1) {
        return demo;
    }
    // The devices as COM Setup counts them, so the port the dialog shows is the one opened. A port
    // that nothing stands for resolves to nothing: the transfer fails naming it, and no other
    // port is tried.
    std::vector<std::string> devices;
    for (const SerialDevice& device : findSerialDevices(DeviceTree(context.deviceRoot()))) {
        devices.push_back(device.device);
    }
    return resolvePortName(name, &context.settings(), devices);
}

std::vector<PortDescription> RadioTransfer::describePorts(const AppContext& context, const DeviceTree& tree) {
    std::vector<PortDescription> ports = ::describePorts(&context.settings(), tree);
    const std::string& demo = context.demoDevice();
    if (!demo.empty() && !ports.empty()) {
        ports[0].device = demo;
        ports[0].info.reset();
        ports[0].check = checkPort(demo, DeviceTree());
    }
    return ports;
}

std::optional<JobChoice> RadioTransfer::showResult(const JobResult& result, const QString& portName) const {
    const Language language = m_context.language();
    const JobNotice notice = jobNotice(result, language);
    switch (notice.shape) {
    case JobNotice::Shape::None:
        return std::nullopt;
    case JobNotice::Shape::WrongRadio:
    case JobNotice::Shape::Information:
        MessageBox::show(m_parent, QString::fromStdString(notice.text),
                         QString::fromStdString(notice.caption), QMessageBox::Ok,
                         notice.shape == JobNotice::Shape::WrongRadio ? QMessageBox::Warning
                                                                      : QMessageBox::Information);
        return std::nullopt;
    case JobNotice::Shape::Warning:
        break;
    }
    const TransferResult& transfer = result.transfer;
    QString text = QString::fromStdString(notice.text);
    if (transfer.status == TransferStatus::PortOpenFailed) {
        text +=
            QStringLiteral("\n\n%1: %2")
                .arg(portName, portReason(transfer.portError, resolvePort(m_context, portName), language));
    } else if (!m_context.lastTransferLog().empty()) {
        text += QStringLiteral("\n\n") +
                tr("Program, Save Log... keeps every byte of this transfer for a closer look.");
    }
    const std::vector<JobChoice>& choices = notice.choices;
    if (choices.empty()) {
        MessageBox::show(m_parent, text, QString(), QMessageBox::Ok, QMessageBox::Warning);
        return std::nullopt;
    }
    // Declining closes the box on a radio that changed, and cancels a write not yet begun.
    QMessageBox::StandardButtons buttons = notice.radioChanged ? QMessageBox::Close : QMessageBox::Cancel;
    MessageBox::ButtonTexts texts;
    for (const ChoiceButton& offered : kChoiceButtons) {
        if (std::find(choices.begin(), choices.end(), offered.choice) != choices.end()) {
            buttons |= offered.button;
            texts.insert(offered.button, tr(offered.text));
        }
    }
    const QMessageBox::StandardButton answer =
        MessageBox::show(m_parent, text, QString(), buttons, QMessageBox::Warning, texts);
    for (const ChoiceButton& offered : kChoiceButtons) {
        if (offered.button == answer && texts.contains(answer)) {
            return offered.choice;
        }
    }
    return std::nullopt;
}
