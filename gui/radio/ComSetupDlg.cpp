#include "radio/ComSetupDlg.h"

#include "app/MessageBox.h"
#include "app/SystemReason.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileSystemWatcher>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace {

// Devices come and go in bursts (the tty, then its by-id link): one refresh a second at most.
constexpr int kRefreshDelayMs = 1000;

QString deviceText(const SerialDevice& device) {
    const QString description = QString::fromStdString(device.description());
    return description.isEmpty()
               ? QString::fromStdString(device.device)
               : QStringLiteral("%1 (%2)").arg(QString::fromStdString(device.device), description);
}

} // namespace

ComSetupDlg::ComSetupDlg(PortLister ports, DeviceLister devices, int port, ProgramSettings& settings,
                         Language language, QWidget* parent)
    : HelpDialog(kCommandId, parent), m_listPorts(std::move(ports)), m_listDevices(std::move(devices)),
      m_current(port), m_settings(settings), m_language(language), m_group(new QButtonGroup(this)),
      m_pin(new QCheckBox(tr("&Keep this port for this cable"))),
      m_pathBox(new QCheckBox(tr("Use this &device path:"))), m_path(new QLineEdit),
      m_find(new QPushButton(tr("&Find My Cable..."))), m_status(new QLabel),
      m_refreshTimer(new QTimer(this)) {
    setWindowTitle(tr("COM Setup"));
    auto* group = new QGroupBox(QStringLiteral("COM"));
    auto* grid = new QGridLayout(group);
    m_group->setExclusive(true);
    for (int n = 1; n <= kPortNameCount; ++n) {
        auto* button = new QRadioButton;
        setControlId(button, kIdFirstPort + n - 1);
        auto* detail = new QLabel;
        detail->setWordWrap(true);
        detail->setTextFormat(Qt::PlainText);
        m_group->addButton(button, n);
        grid->addWidget(button, n - 1, 0, Qt::AlignTop);
        grid->addWidget(detail, n - 1, 1);
        m_buttons.push_back(button);
        m_details.push_back(detail);
    }
    grid->setColumnStretch(1, 1);
    m_status->setWordWrap(true);
    m_status->setTextFormat(Qt::PlainText);
    m_pin->setToolTip(tr("Stores the cable's own name (/dev/serial/by-id/...) for this port in Program.ini"));
    m_path->setPlaceholderText(QStringLiteral("/dev/serial/by-id/...  /dev/pts/3"));
    m_path->setAccessibleName(tr("Device path of the chosen port"));
    m_pathBox->setToolTip(
        tr("The device the chosen port stands for, kept in Program.ini; unticked, the port is the n-th "
           "serial device found"));
    auto* pathRow = new QHBoxLayout;
    pathRow->addWidget(m_pathBox);
    pathRow->addWidget(m_path, 1);
    connect(m_group, &QButtonGroup::idToggled, this, [this](int number, bool checked) {
        if (checked) {
            showPath(number);
        }
    });
    connect(m_path, &QLineEdit::textEdited, this, [this] { m_pathBox->setChecked(true); });

    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    box->addButton(m_find, QDialogButtonBox::ActionRole);
    connect(box, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_find, &QPushButton::clicked, this, &ComSetupDlg::startFinding);
    m_refreshTimer->setSingleShot(true);
    m_refreshTimer->setInterval(kRefreshDelayMs);
    connect(m_refreshTimer, &QTimer::timeout, this, &ComSetupDlg::refresh);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(pathRow);
    layout->addWidget(m_pin);
    layout->addWidget(m_status);
    layout->addWidget(box);
    setMinimumWidth(520);

    refresh();
    showPath(m_current);
}

void ComSetupDlg::watchFolders(const QStringList& folders) {
    if (!m_watcher) {
        m_watcher = new QFileSystemWatcher(this);
        connect(m_watcher, &QFileSystemWatcher::directoryChanged, this, &ComSetupDlg::scheduleRefresh);
    }
    for (const QString& folder : folders) {
        if (QDir(folder).exists()) {
            m_watcher->addPath(folder);
        }
    }
}

void ComSetupDlg::scheduleRefresh() {
    if (!m_refreshTimer->isActive()) {
        m_refreshTimer->start();
    }
}

void ComSetupDlg::refresh() {
    m_ports = m_listPorts();
    for (int n = 1; n <= kPortNameCount; ++n) {
        const PortDescription* port =
            static_cast<size_t>(n) <= m_ports.size() ? &m_ports[static_cast<size_t>(n - 1)] : nullptr;
        QRadioButton* button = m_buttons[static_cast<size_t>(n - 1)];
        QLabel* detail = m_details[static_cast<size_t>(n - 1)];
        const bool present = port != nullptr && !port->device.empty();
        const bool missing = !present && n == m_current;
        const QString device = present   ? QString::fromStdString(port->device)
                               : missing ? tr("missing")
                                         : tr("none");
        button->setText(QStringLiteral("COM%1  (%2)").arg(n).arg(device));
        button->setEnabled(present && port->check.usable());
        if (!present && button->isChecked()) {
            // A port without a device is never shown as the chosen one.
            m_group->setExclusive(false);
            button->setChecked(false);
            m_group->setExclusive(true);
        }
        QStringList lines;
        if (missing) {
            lines << tr("The port chosen before: no serial device stands for it now. Plug the cable in, "
                        "or choose another port.");
        }
        if (present && port->info) {
            lines << QString::fromStdString(port->info->description());
        }
        if (present && !port->check.usable()) {
            lines << QString::fromStdString(portAdvice(port->check, m_language));
        }
        detail->setText(lines.join(QLatin1Char('\n')));
        button->setToolTip(detail->text());
    }
    // The port of before is checked again once a device stands for it, even one in use.
    const size_t current = static_cast<size_t>(m_current - 1);
    if (checkedNumber() == 0 && current < m_ports.size() && !m_ports[current].device.empty()) {
        m_buttons[current]->setChecked(true);
    }
    if (m_findBefore) {
        updateFinding();
    } else if (!m_found && m_listAdapters) {
        // An adapter that is plugged in but got no port is the commonest riddle: say why.
        QStringList advice;
        for (const AdapterWithoutTty& adapter : m_listAdapters()) {
            advice << QString::fromStdString(adapterAdvice(adapter, m_language));
        }
        m_status->setText(advice.join(QLatin1Char('\n')));
    }
}

void ComSetupDlg::setAdapterLister(AdapterLister adapters) {
    m_listAdapters = std::move(adapters);
    refresh();
}

void ComSetupDlg::startFinding() {
    m_findBefore = m_listDevices();
    m_gone.clear();
    m_found.reset();
    m_status->setText(
        tr("Unplug the programming cable from the computer, wait a moment, then plug it back in."));
}

void ComSetupDlg::updateFinding() {
    if (!m_findBefore) {
        return;
    }
    const std::vector<SerialDevice> now = m_listDevices();
    const DeviceChanges changes = compareDevices(*m_findBefore, now);
    for (const SerialDevice& gone : changes.gone) {
        const bool known = std::any_of(m_gone.begin(), m_gone.end(),
                                       [&](const SerialDevice& d) { return d.device == gone.device; });
        if (!known) {
            m_gone.push_back(gone);
        }
    }
    // The cable is the device that went and came back, or a device that was not there before.
    std::optional<SerialDevice> back;
    for (const SerialDevice& device : now) {
        const bool wasGone = std::any_of(m_gone.begin(), m_gone.end(),
                                         [&](const SerialDevice& d) { return d.device == device.device; });
        const bool isNew = std::none_of(m_findBefore->begin(), m_findBefore->end(),
                                        [&](const SerialDevice& d) { return d.device == device.device; });
        if ((wasGone && std::none_of(changes.gone.begin(), changes.gone.end(),
                                     [&](const SerialDevice& d) { return d.device == device.device; })) ||
            isNew) {
            back = device;
            break;
        }
    }
    if (!back) {
        if (!m_gone.empty()) {
            m_status->setText(tr("%1 is gone. Now plug the cable back in.").arg(deviceText(m_gone.front())));
        }
        return;
    }
    m_found = back;
    m_findBefore.reset();
    for (int n = 1; n <= kPortNameCount && static_cast<size_t>(n) <= m_ports.size(); ++n) {
        if (m_ports[static_cast<size_t>(n - 1)].device == back->device) {
            m_buttons[static_cast<size_t>(n - 1)]->setChecked(true);
            m_pin->setChecked(!back->byIdPath.empty());
            m_status->setText(tr("Your cable is %1: COM%2.").arg(deviceText(*back)).arg(n));
            return;
        }
    }
    m_pin->setChecked(!back->byIdPath.empty());
    m_status->setText(
        tr("Your cable is %1, which none of COM1 to COM4 stands for now. Choose a port and keep "
           "\"Keep this port for this cable\" ticked: the port will stand for this cable.")
            .arg(deviceText(*back)));
}

int ComSetupDlg::checkedNumber() const {
    for (int n = 1; n <= kPortNameCount; ++n) {
        if (m_buttons[static_cast<size_t>(n - 1)]->isChecked()) {
            return n;
        }
    }
    return 0;
}

QString ComSetupDlg::configuredPath(int number) const {
    return QString::fromStdString(m_settings.ini().portDevice(number));
}

void ComSetupDlg::showPath(int number) {
    const QString path = configuredPath(number);
    m_path->setText(path);
    m_pathBox->setChecked(!path.isEmpty());
}

namespace {

// Why `path` cannot stand for a port, or an empty text when it can.
QString devicePathProblem(const QString& path) {
    if (path.isEmpty()) {
        return ComSetupDlg::tr("Enter the device path, such as /dev/ttyUSB0, /dev/serial/by-id/... or "
                               "/dev/pts/3, or untick \"Use this device path\".");
    }
    if (!path.startsWith(QLatin1Char('/'))) {
        return ComSetupDlg::tr("%1 is not a device path: it starts at the root folder, such as /dev/ttyUSB0.")
            .arg(path);
    }
    std::error_code error;
    const std::filesystem::file_status status =
        std::filesystem::status(std::filesystem::path(QFile::encodeName(path).toStdString()), error);
    if (!std::filesystem::exists(status)) {
        return ComSetupDlg::tr("%1 does not exist. Plug the cable in, or check the path.").arg(path);
    }
    if (!std::filesystem::is_character_file(status)) {
        return ComSetupDlg::tr("%1 is not a serial device.").arg(path);
    }
    return QString();
}

} // namespace

bool ComSetupDlg::storeDevice(int number) {
    const QString configured = configuredPath(number);
    const QString typed = m_path->text().trimmed();
    std::string device = configured.toStdString(); // what the port stands for after OK
    if (m_pathBox->isChecked() && (typed.isEmpty() || typed != configured)) {
        const QString problem = devicePathProblem(typed);
        if (!problem.isEmpty()) {
            MessageBox::show(this, tr("COM%1: %2").arg(number).arg(problem));
            m_path->setFocus();
            return false;
        }
        device = QFile::encodeName(typed).toStdString();
    } else if (m_pin->isChecked() && (m_found || static_cast<size_t>(number) <= m_ports.size())) {
        // The cable found, or else the device the port stands for now, by its stable name.
        std::string stable;
        if (m_found) {
            stable = m_found->byIdPath.empty() ? m_found->device : m_found->byIdPath;
        } else {
            const PortDescription& port = m_ports[static_cast<size_t>(number - 1)];
            stable = port.info && !port.info->byIdPath.empty() ? port.info->byIdPath : std::string();
        }
        if (!stable.empty()) {
            device = stable;
        }
    } else if (!m_pathBox->isChecked()) {
        device.clear(); // the port counts the serial devices again
    }
    if (device == configured.toStdString()) {
        return true;
    }
    const IniSaveResult saved = m_settings.storePortDevice(number, device);
    if (saved.error == IniSaveError::Unstorable) {
        MessageBox::show(this,
                         tr("COM%1: Program.ini cannot hold %2 so that it reads back the same. Give the "
                            "path without \"//\", \"/*\" or control characters, such as /dev/ttyUSB0.")
                             .arg(number)
                             .arg(QFile::decodeName(device.c_str())));
        m_path->setFocus();
        return false;
    }
    if (!saved) {
        MessageBox::show(this,
                         tr("The port could not be kept in %1.\n%2")
                             .arg(QDir::toNativeSeparators(QFile::decodeName(m_settings.storePath().c_str())),
                                  SystemReason::text(saved.detail)));
        return false;
    }
    return true;
}

void ComSetupDlg::accept() {
    // Nothing checked: the port of before stays; the path field may give it a device.
    const int number = checkedNumber() != 0 ? checkedNumber() : m_current;
    if (!storeDevice(number)) {
        return;
    }
    m_port = QStringLiteral("com%1").arg(number);
    QDialog::accept();
}
