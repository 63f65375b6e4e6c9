#pragma once

#include "dialogs/HelpDialog.h"

#include "radio/PortNames.h"

#include <QString>
#include <vector>

class QRadioButton;
class ISettingsStore;

// COM Setup: COM1 to COM4, each with the device it stands for on this machine and disabled
// when it cannot be opened now. Opens on the remembered port (checked even when disabled); OK
// gives the port name "com<n>" in portName() and remembers n. Cancel changes nothing.
class ComSetupDlg : public HelpDialog {
    Q_OBJECT
public:
    static constexpr int kCommandId = 32777;
    static constexpr int kIdFirstPort = 1007; // COM1; COM2..COM4 follow

    ComSetupDlg(const std::vector<PortCandidate>& candidates, ISettingsStore& store,
                QWidget* parent = nullptr);

    QRadioButton* portButton(int number) const { return m_buttons.at(static_cast<size_t>(number - 1)); }
    QString portName() const { return m_port; }

    void accept() override;

private:
    ISettingsStore& m_store;
    std::vector<QRadioButton*> m_buttons;
    QString m_port;
};
