#include "radio/RadioTransfer.h"

#include "app/AppContext.h"
#include "app/MessageBox.h"
#include "platform/PosixSerialPort.h"

#include <QCoreApplication>
#include <QMetaObject>

namespace {

QString portReason(const PortOpenResult& port, const std::string& device, bool chinese) {
    if (device.empty()) {
        return codeText(chinese, QT_TRANSLATE_NOOP(
                                     "CodeText", "No serial device stands for this port on this computer."));
    }
    QString reason =
        QStringLiteral("%1: %2").arg(QString::fromStdString(device), QString::fromStdString(port.detail));
    if (port.error == PortError::PermissionDenied) {
        reason += codeText(
            chinese,
            QT_TRANSLATE_NOOP(
                "CodeText",
                "\nAdd your user to the dialout group (sudo adduser $USER dialout) and log in again."));
    }
    return reason;
}

} // namespace

// The session's driver on the worker thread. It touches nothing of the user interface: rows and
// the Retry/Cancel question are posted to the transfer object on the user-interface thread.
class RadioTransfer::Observer : public ICloneObserver {
public:
    explicit Observer(RadioTransfer& transfer) : m_transfer(transfer) {}

    void onProgress(int row) override {
        QMetaObject::invokeMethod(
            &m_transfer, [transfer = &m_transfer, row] { emit transfer->rowDone(row); },
            Qt::QueuedConnection);
    }

    bool pump() override { return m_transfer.m_cancel.load(); }

    bool retryAfterCommunicationError() override {
        {
            const std::lock_guard<std::mutex> lock(m_transfer.m_mutex);
            m_transfer.m_retry.reset();
        }
        QMetaObject::invokeMethod(
            &m_transfer, [transfer = &m_transfer] { transfer->askRetry(); }, Qt::QueuedConnection);
        std::unique_lock<std::mutex> lock(m_transfer.m_mutex);
        m_transfer.m_answered.wait(lock,
                                   [this] { return m_transfer.m_retry.has_value() || m_transfer.m_cancel; });
        return m_transfer.m_retry.value_or(false) && !m_transfer.m_cancel;
    }

private:
    RadioTransfer& m_transfer;
};

RadioTransfer::RadioTransfer(const AppContext& context, QWidget* parent)
    : QObject(parent), m_context(context), m_parent(parent) {}

RadioTransfer::~RadioTransfer() {
    cancel();
    if (m_thread.joinable()) {
        m_thread.join();
    }
}

void RadioTransfer::start(TransferDirection direction, const QString& portName, const MemoryImage& image) {
    if (isRunning()) {
        return;
    }
    m_cancel = false;
    const std::string device = resolvePort(m_context, portName);
    if (device.empty()) {
        TransferResult result;
        result.status = TransferStatus::PortOpenFailed;
        result.portError = {PortError::NotFound, {}};
        QMetaObject::invokeMethod(
            this, [this, result, image] { emit finished(result, image); }, Qt::QueuedConnection);
        return;
    }
    m_thread = std::thread([this, direction, device, snapshot = MemoryImage(image)]() mutable {
        platform::PosixSerialPort port;
        Observer observer(*this);
        CloneSession session(port, observer);
        const TransferResult result = session.run(direction, device, snapshot);
        QMetaObject::invokeMethod(
            this, [this, result, snapshot] { complete(result, snapshot); }, Qt::QueuedConnection);
    });
}

void RadioTransfer::complete(const TransferResult& result, const MemoryImage& image) {
    // The worker has posted this as its last act.
    if (m_thread.joinable()) {
        m_thread.join();
    }
    emit finished(result, image);
}

void RadioTransfer::cancel() {
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_cancel = true;
    }
    m_answered.notify_all();
}

void RadioTransfer::askRetry() {
    const QString text = QString::fromStdString(
        transferMessageText(TransferStatus::CommunicationError, m_context.isChinese()));
    const bool retry = MessageBox::show(m_parent, text, QString(), QMessageBox::Retry | QMessageBox::Cancel,
                                        QMessageBox::Warning) == QMessageBox::Retry;
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_retry = retry;
    }
    m_answered.notify_all();
}

std::string RadioTransfer::resolvePort(const AppContext& context, const QString& portName) {
    const std::string name = portName.toStdString();
    const std::string& demo = context.demoDevice();
    if (!demo.empty() && comPortNumber(name) == 1) {
        return demo;
    }
    return resolvePortName(name, &context.settings(), platform::listSerialDevices());
}

std::vector<PortCandidate> RadioTransfer::portCandidates(const AppContext& context) {
    std::vector<PortCandidate> candidates =
        listPortCandidates(&context.settings(), platform::listSerialDevices(), &platform::probeSerialPort);
    const std::string& demo = context.demoDevice();
    if (!demo.empty() && !candidates.empty()) {
        candidates[0].device = demo;
        candidates[0].openResult = platform::probeSerialPort(demo);
        candidates[0].canOpen = static_cast<bool>(candidates[0].openResult);
    }
    return candidates;
}

void RadioTransfer::showResult(const TransferResult& result, const QString& portName) const {
    QString text = QString::fromStdString(transferMessageText(result.status, m_context.isChinese()));
    switch (result.status) {
    case TransferStatus::Ok:
    case TransferStatus::Cancelled:
    case TransferStatus::CommunicationError: // the user has just answered Cancel
        return;
    case TransferStatus::WrongRadio:
        MessageBox::show(m_parent, text, QString::fromUtf8(wrongRadioCaption(m_context.isChinese())),
                         QMessageBox::Ok, QMessageBox::Warning);
        return;
    case TransferStatus::PortOpenFailed:
        text += QStringLiteral("\n\n%1: %2")
                    .arg(portName, portReason(result.portError, resolvePort(m_context, portName),
                                              m_context.isChinese()));
        break;
    case TransferStatus::FrameFailed:
        break;
    }
    MessageBox::show(m_parent, text, QString(), QMessageBox::Ok, QMessageBox::Warning);
}
