#pragma once

#include "dialogs/HelpDialog.h"

#include "radio/PortNames.h"
#include "radio/SerialDevices.h"
#include "settings/ProgramSettings.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

class ISettingsStore;
class QCheckBox;
class QFileSystemWatcher;
class QLabel;
class QPushButton;
class QRadioButton;
class QTimer;

// COM Setup: COM1 to COM4, each with the device it stands for on this machine, what that device
// is (the USB adapter's name and ids) and, when it cannot be used now, why and what to do; such a
// port is disabled. Opens on the remembered port (checked even when disabled); OK gives the port
// name "com<n>" in portName() and remembers n. Cancel changes nothing.
//
// The list refreshes itself when devices come and go (the watched folders change; at most once
// a second). Find My Cable asks the user to unplug the cable and plug it back, then names the
// device that came back and checks the port it stands for. "Keep this port for this cable"
// stores the cable's stable /dev/serial/by-id path as [Setup] COM<n> of Program.ini, so the port
// follows the cable whatever order adapters are plugged in.
class ComSetupDlg : public HelpDialog {
    Q_OBJECT
public:
    static constexpr int kCommandId = 32777;
    static constexpr int kIdFirstPort = 1007; // COM1; COM2..COM4 follow

    // What the dialog shows, asked again at every refresh.
    using PortLister = std::function<std::vector<PortDescription>()>;
    using DeviceLister = std::function<std::vector<SerialDevice>()>;
    using AdapterLister = std::function<std::vector<AdapterWithoutTty>()>;

    // settings: Program.ini, where a pinned port is stored.
    ComSetupDlg(PortLister ports, DeviceLister devices, ISettingsStore& store, ProgramSettings& settings,
                bool chinese, QWidget* parent = nullptr);

    // USB adapters that are plugged in but have no port: the dialog says why under the list.
    void setAdapterLister(AdapterLister adapters);
    // Folders whose changes mean devices came or went (/dev and /dev/serial/by-id).
    void watchFolders(const QStringList& folders);

    QRadioButton* portButton(int number) const { return m_buttons.at(static_cast<size_t>(number - 1)); }
    QLabel* detailLabel(int number) const { return m_details.at(static_cast<size_t>(number - 1)); }
    QCheckBox* pinBox() const { return m_pin; }
    QPushButton* findButton() const { return m_find; }
    QLabel* statusLabel() const { return m_status; }
    QString portName() const { return m_port; }

    // Lists the ports again; the checked port stays checked.
    void refresh();
    // Find My Cable: the devices present now are the ones to compare with.
    void startFinding();

    void accept() override;

private:
    void scheduleRefresh();
    void updateFinding();
    int checkedNumber() const;

    PortLister m_listPorts;
    DeviceLister m_listDevices;
    AdapterLister m_listAdapters;
    ISettingsStore& m_store;
    ProgramSettings& m_settings;
    bool m_chinese;
    std::vector<PortDescription> m_ports;
    std::vector<QRadioButton*> m_buttons;
    std::vector<QLabel*> m_details;
    QCheckBox* m_pin;
    QPushButton* m_find;
    QLabel* m_status;
    QFileSystemWatcher* m_watcher = nullptr;
    QTimer* m_refreshTimer;
    // Find My Cable: the devices when it began, those seen gone since, and the one found.
    std::optional<std::vector<SerialDevice>> m_findBefore;
    std::vector<SerialDevice> m_gone;
    std::optional<SerialDevice> m_found;
    QString m_port;
};
