#include "radio/RadioTransfer.h"

#include "app/MessageBox.h"
#include "app/AppContext.h"
#include "platform/PosixSerialPort.h"
#include "radio/ProcessDlg.h"

#include <QCoreApplication>

namespace {

class CDialogObserver : public ICloneObserver {
public:
    CDialogObserver(CProcessDlg& dialog, QWidget* parent, bool chinese)
        : m_dialog(dialog), m_pParent(parent), m_chinese(chinese) {}

    void onProgress(int) override { m_dialog.stepIt(); }

    bool pump() override {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        return m_dialog.isCancelled();
    }

    bool retryAfterCommunicationError() override {
        const QString text =
            QString::fromStdString(transferMessageText(TransferStatus::CommunicationError, m_chinese));
        return CMessageBox::show(m_pParent, text, QString(), QMessageBox::Retry | QMessageBox::Cancel,
                                 QMessageBox::Warning) == QMessageBox::Retry;
    }

private:
    CProcessDlg& m_dialog;
    QWidget* m_pParent;
    bool m_chinese;
};

QString portReason(const PortOpenResult& port, const std::string& device, bool chinese) {
    if (device.empty()) {
        return codeText(chinese, QT_TRANSLATE_NOOP("CodeText", "No serial device stands for this port on this computer."));
    }
    QString reason = QStringLiteral("%1: %2").arg(QString::fromStdString(device), QString::fromStdString(port.detail));
    if (port.error == PortError::PermissionDenied) {
        reason += codeText(
            chinese,
            QT_TRANSLATE_NOOP("CodeText", "\nAdd your user to the dialout group (sudo adduser $USER dialout) and log in again."));
    }
    return reason;
}

} // namespace

CRadioTransfer::CRadioTransfer(const AppContext& context, CProcessDlg& dialog, QWidget* parent)
    : m_context(context), m_dialog(dialog), m_pParent(parent) {}

std::string CRadioTransfer::resolvePort(const AppContext& context, const QString& portName) {
    const std::string name = portName.toStdString();
    const std::string& demo = context.demoDevice();
    if (!demo.empty() && comPortNumber(name) == 1) {
        return demo;
    }
    return resolvePortName(name, &context.settings(), platform::listSerialDevices());
}

std::vector<PortCandidate> CRadioTransfer::portCandidates(const AppContext& context) {
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

TransferResult CRadioTransfer::run(TransferDirection direction, const QString& portName, CMemoryImage& image) {
    const std::string device = resolvePort(m_context, portName);
    if (device.empty()) {
        TransferResult result;
        result.status = TransferStatus::PortOpenFailed;
        result.portError = {PortError::NotFound, {}};
        return result;
    }
    platform::CPosixSerialPort port;
    CDialogObserver observer(m_dialog, m_pParent, m_context.isChinese());
    CCloneSession session(port, observer);
    return session.run(direction, device, image);
}

void CRadioTransfer::showResult(const TransferResult& result, const QString& portName) const {
    QString text = QString::fromStdString(transferMessageText(result.status, m_context.isChinese()));
    switch (result.status) {
    case TransferStatus::Ok:
    case TransferStatus::Cancelled:
    case TransferStatus::CommunicationError: // the user has just answered Cancel
        return;
    case TransferStatus::WrongRadio:
        CMessageBox::show(m_pParent, text, QString::fromUtf8(wrongRadioCaption(m_context.isChinese())), QMessageBox::Ok,
                          QMessageBox::Warning);
        return;
    case TransferStatus::PortOpenFailed:
        text += QStringLiteral("\n\n%1: %2").arg(portName, portReason(result.portError, resolvePort(m_context, portName), m_context.isChinese()));
        break;
    case TransferStatus::FrameFailed:
        break;
    }
    CMessageBox::show(m_pParent, text, QString(), QMessageBox::Ok, QMessageBox::Warning);
}
