#include "radio/RadioTransfer.h"

#include "app/AppContext.h"
#include "app/MessageBox.h"
#include "platform/PosixSerialPort.h"
#include "radio/ProcessDlg.h"

#include <QCoreApplication>

namespace {

class DialogObserver : public ICloneObserver {
public:
    DialogObserver(ProcessDlg& dialog, QWidget* parent, bool chinese)
        : m_dialog(dialog), m_parent(parent), m_chinese(chinese) {}

    void onProgress(int) override { m_dialog.stepIt(); }

    bool pump() override {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        return m_dialog.isCancelled();
    }

    bool retryAfterCommunicationError() override {
        const QString text =
            QString::fromStdString(transferMessageText(TransferStatus::CommunicationError, m_chinese));
        return MessageBox::show(m_parent, text, QString(), QMessageBox::Retry | QMessageBox::Cancel,
                                QMessageBox::Warning) == QMessageBox::Retry;
    }

private:
    ProcessDlg& m_dialog;
    QWidget* m_parent;
    bool m_chinese;
};

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

RadioTransfer::RadioTransfer(const AppContext& context, ProcessDlg& dialog, QWidget* parent)
    : m_context(context), m_dialog(dialog), m_parent(parent) {}

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

TransferResult RadioTransfer::run(TransferDirection direction, const QString& portName, MemoryImage& image) {
    const std::string device = resolvePort(m_context, portName);
    if (device.empty()) {
        TransferResult result;
        result.status = TransferStatus::PortOpenFailed;
        result.portError = {PortError::NotFound, {}};
        return result;
    }
    platform::PosixSerialPort port;
    DialogObserver observer(m_dialog, m_parent, m_context.isChinese());
    CloneSession session(port, observer);
    return session.run(direction, device, image);
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
