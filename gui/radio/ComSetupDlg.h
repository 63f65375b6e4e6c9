#pragma once

#include "dialogs/HelpDialog.h"
#include "text/CoreTexts.h"

#include "radio/PortNames.h"
#include "radio/SerialDevices.h"
#include "settings/ProgramSettings.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

class QButtonGroup;
class QCheckBox;
class QFileSystemWatcher;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTimer;

// COM Setup: COM1 to COM4, each with the device it stands for on this machine, what that device
// is (the USB adapter's name and ids) and, when it cannot be used now, why and what to do; such a
// port is disabled. Opens on the port transfers use now, checked even when disabled; when no
// device stands for it, it is shown as missing and nothing is checked until one comes. OK gives
// the port name "com<n>" in portName() (the port of before when nothing is checked). Cancel
// changes nothing.
//
// "Use this device path" names the device a port stands for by hand (a /dev/serial/by-id/ link,
// a pseudo-terminal): stored as [Setup] COM<n> of Program.ini, as pinning stores it. Unticked,
// a port that had a device path set counts its serial devices again.
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

    // port: the port transfers use now, 1..4. settings: Program.ini, where a pinned port is stored.
    ComSetupDlg(PortLister ports, DeviceLister devices, int port, ProgramSettings& settings,
                Language language, QWidget* parent = nullptr);

    // USB adapters that are plugged in but have no port: the dialog says why under the list.
    void setAdapterLister(AdapterLister adapters);
    // Folders whose changes mean devices came or went (/dev and /dev/serial/by-id).
    void watchFolders(const QStringList& folders);

    QRadioButton* portButton(int number) const { return m_buttons.at(static_cast<size_t>(number - 1)); }
    QLabel* detailLabel(int number) const { return m_details.at(static_cast<size_t>(number - 1)); }
    QCheckBox* pinBox() const { return m_pin; }
    QCheckBox* pathBox() const { return m_pathBox; }
    QLineEdit* pathEdit() const { return m_path; }
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
    // The device path of Program.ini for port `number` into the path field.
    void showPath(int number);
    // Stores the device path of the path field, or the cable, for the port; false after a message.
    bool storeDevice(int number);
    QString configuredPath(int number) const;

    PortLister m_listPorts;
    DeviceLister m_listDevices;
    AdapterLister m_listAdapters;
    int m_current;
    ProgramSettings& m_settings;
    Language m_language;
    std::vector<PortDescription> m_ports;
    std::vector<QRadioButton*> m_buttons;
    std::vector<QLabel*> m_details;
    QButtonGroup* m_group;
    QCheckBox* m_pin;
    QCheckBox* m_pathBox;
    QLineEdit* m_path;
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
