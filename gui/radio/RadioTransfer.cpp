#include "radio/RadioTransfer.h"

#include "app/MessageBox.h"
#include "app/ProgramApp.h"
#include "platform/PosixSerialPort.h"
#include "radio/ProcessDlg.h"

#include <QCoreApplication>

namespace {

std::string g_strDemoDevice;

class CDialogObserver : public ICloneObserver {
public:
    CDialogObserver(CProcessDlg& dialog, QWidget* parent) : m_dialog(dialog), m_pParent(parent) {}

    void onProgress(int) override { m_dialog.stepIt(); }

    bool pump() override {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        return m_dialog.isCancelled();
    }

    bool retryAfterCommunicationError() override {
        const QString text =
            QString::fromStdString(transferMessageText(TransferStatus::CommunicationError, g_bChinese));
        return CMessageBox::show(m_pParent, text, QString(), QMessageBox::Retry | QMessageBox::Cancel,
                                 QMessageBox::Warning) == QMessageBox::Retry;
    }

private:
    CProcessDlg& m_dialog;
    QWidget* m_pParent;
};

QString portReason(const PortOpenResult& port, const std::string& device) {
    if (device.empty()) {
        return byLanguage("No serial device stands for this port on this computer.",
                          "本机没有与此端口对应的串口设备。");
    }
    QString reason = QStringLiteral("%1: %2").arg(QString::fromStdString(device), QString::fromStdString(port.detail));
    if (port.error == PortError::PermissionDenied) {
        reason += byLanguage("\nAdd your user to the dialout group (sudo adduser $USER dialout) and log in again.",
                             "\n请把当前用户加入 dialout 组 (sudo adduser $USER dialout) 后重新登录。");
    }
    return reason;
}

} // namespace

CRadioTransfer::CRadioTransfer(CProcessDlg& dialog, QWidget* parent) : m_dialog(dialog), m_pParent(parent) {}

void CRadioTransfer::setDemoDevice(const std::string& device) { g_strDemoDevice = device; }
std::string CRadioTransfer::demoDevice() { return g_strDemoDevice; }

std::string CRadioTransfer::resolvePort(const QString& portName) {
    const std::string name = portName.toStdString();
    if (!g_strDemoDevice.empty() && comPortNumber(name) == 1) {
        return g_strDemoDevice;
    }
    return resolvePortName(name, &g_iniFile, platform::listSerialDevices());
}

std::vector<PortCandidate> CRadioTransfer::portCandidates() {
    std::vector<PortCandidate> candidates =
        listPortCandidates(&g_iniFile, platform::listSerialDevices(), &platform::probeSerialPort);
    if (!g_strDemoDevice.empty() && !candidates.empty()) {
        candidates[0].device = g_strDemoDevice;
        candidates[0].openResult = platform::probeSerialPort(g_strDemoDevice);
        candidates[0].canOpen = static_cast<bool>(candidates[0].openResult);
    }
    return candidates;
}

TransferResult CRadioTransfer::run(TransferDirection direction, const QString& portName, CMemoryImage& image) {
    const std::string device = resolvePort(portName);
    if (device.empty()) {
        TransferResult result;
        result.status = TransferStatus::PortOpenFailed;
        result.portError = {PortError::NotFound, {}};
        return result;
    }
    platform::CPosixSerialPort port;
    CDialogObserver observer(m_dialog, m_pParent);
    CCloneSession session(port, observer);
    return session.run(direction, device, image);
}

void CRadioTransfer::showResult(const TransferResult& result, const QString& portName) const {
    QString text = QString::fromStdString(transferMessageText(result.status, g_bChinese));
    switch (result.status) {
    case TransferStatus::Ok:
    case TransferStatus::Cancelled:
    case TransferStatus::CommunicationError: // the user has just answered Cancel
        return;
    case TransferStatus::WrongRadio:
        CMessageBox::show(m_pParent, text, QString::fromUtf8(wrongRadioCaption(g_bChinese)), QMessageBox::Ok,
                          QMessageBox::Warning);
        return;
    case TransferStatus::PortOpenFailed:
        text += QStringLiteral("\n\n%1: %2").arg(portName, portReason(result.portError, resolvePort(portName)));
        break;
    case TransferStatus::FrameFailed:
        break;
    }
    CMessageBox::show(m_pParent, text, QString(), QMessageBox::Ok, QMessageBox::Warning);
}
