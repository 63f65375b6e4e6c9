#pragma once

#include "radio/CloneSession.h"
#include "radio/PortNames.h"

#include <QString>
#include <vector>

class AppContext;
class ProcessDlg;
class QWidget;

// Runs the clone session on the user-interface thread for the progress dialog: the dialog's
// bar and number follow the rows, events are processed at the session's pump points (so the
// window repaints and Cancel works), and a failed handshake asks Retry or Cancel. Afterwards
// showResult() tells the user what went wrong, in the language of the interface.
class RadioTransfer {
public:
    RadioTransfer(const AppContext& context, ProcessDlg& dialog, QWidget* parent);

    TransferResult run(TransferDirection direction, const QString& portName, MemoryImage& image);
    void showResult(const TransferResult& result, const QString& portName) const;

    // What a port name means on this machine: COM1..COM4 through Program.ini and the devices
    // present, or the demo radio for COM1 while one runs; anything else is a device path.
    static std::string resolvePort(const AppContext& context, const QString& portName);
    static std::vector<PortCandidate> portCandidates(const AppContext& context);

private:
    const AppContext& m_context;
    ProcessDlg& m_dialog;
    QWidget* m_parent;
};
