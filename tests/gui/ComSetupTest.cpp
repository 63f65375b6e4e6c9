// COM Setup: the ports with their devices and why they cannot be used, the remembered port, the
// list that follows hotplug, Find My Cable and keeping a port for a cable.
#include "radio/ComSetupDlg.h"

#include "HeldTerminal.h"

#include "app/MessageBox.h"
#include "settings/ProgramSettings.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// A machine below a temporary folder, laid out as Linux lays out /dev and /sys, with USB serial
// adapters that can be plugged in and out.
class FakeMachine {
public:
    FakeMachine() { EXPECT_TRUE(m_dir.isValid()); }

    std::string root() const { return QFile::encodeName(m_dir.path()).toStdString(); }
    QString path(const QString& absolute) const { return m_dir.path() + absolute; }

    // A CH340 cable as ttyUSB<n> with its by-id link.
    void plug(int n, const QString& serial = QString()) {
        const QString tty = QStringLiteral("ttyUSB%1").arg(n);
        const QString usb = QStringLiteral("/sys/devices/pci0000:00/0000:00:14.0/usb1/1-%1").arg(n + 1);
        const QString iface = usb + QStringLiteral("/1-%1:1.0").arg(n + 1);
        QDir().mkpath(path(iface + QLatin1Char('/') + tty + QStringLiteral("/tty/") + tty));
        QDir().mkpath(path(QStringLiteral("/sys/bus/usb-serial/drivers/ch341-uart")));
        QDir().mkpath(path(QStringLiteral("/sys/bus/usb/drivers/ch341")));
        QDir().mkpath(path(QStringLiteral("/sys/class/tty")));
        QDir().mkpath(path(QStringLiteral("/dev/serial/by-id")));
        write(usb + QStringLiteral("/idVendor"), "1a86\n");
        write(usb + QStringLiteral("/idProduct"), "7523\n");
        write(usb + QStringLiteral("/product"), "USB Serial\n");
        if (!serial.isEmpty()) {
            write(usb + QStringLiteral("/serial"), serial.toUtf8() + '\n');
        }
        link(QStringLiteral("../../../../../../bus/usb/drivers/ch341"), iface + QStringLiteral("/driver"));
        link(QStringLiteral("../../../../../../../bus/usb-serial/drivers/ch341-uart"),
             iface + QLatin1Char('/') + tty + QStringLiteral("/driver"));
        // The class entry leads to the tty's own folder, whose "device" is the adapter's port.
        link(QStringLiteral("../../../ttyUSB%1").arg(n),
             iface + QLatin1Char('/') + tty + QStringLiteral("/tty/") + tty + QStringLiteral("/device"));
        link(QStringLiteral("../../devices/pci0000:00/0000:00:14.0/usb1/1-%1/1-%1:1.0/%2/tty/%2")
                 .arg(n + 1)
                 .arg(tty),
             QStringLiteral("/sys/class/tty/") + tty);
        write(QStringLiteral("/dev/") + tty, "");
        link(QStringLiteral("../../") + tty, byId(n));
    }
    void unplug(int n) {
        const QString tty = QStringLiteral("ttyUSB%1").arg(n);
        QFile::remove(path(QStringLiteral("/dev/") + tty));
        QFile::remove(path(byId(n)));
        QFile::remove(path(QStringLiteral("/sys/class/tty/") + tty));
        QDir(path(QStringLiteral("/sys/devices/pci0000:00/0000:00:14.0/usb1/1-%1").arg(n + 1)))
            .removeRecursively();
    }
    static QString byId(int n) {
        return QStringLiteral("/dev/serial/by-id/usb-1a86_USB_Serial_%1-if00-port0").arg(n);
    }

private:
    void write(const QString& absolute, const QByteArray& bytes) const {
        QFile file(path(absolute));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << qPrintable(absolute);
        file.write(bytes);
    }
    void link(const QString& target, const QString& absolute) const {
        QFile::remove(path(absolute));
        ASSERT_TRUE(QFile::link(target, path(absolute))) << qPrintable(absolute);
    }
    QTemporaryDir m_dir;
};

class ComSetup : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_iniDir.isValid());
        QFile ini(m_iniDir.filePath(QStringLiteral("Program.ini")));
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write("[Setup]\nLanguage=English\n");
        ini.close();
        ASSERT_TRUE(m_ini.load(QFile::encodeName(ini.fileName()).toStdString(), "", true));
        MessageBox::setAnsweringMode(true);
        MessageBox::takeShown();
    }

    // Ports whose devices can or cannot be used, without any machine behind them; a port
    // numbered in `missing` has no device.
    static ComSetupDlg::PortLister ports(std::initializer_list<bool> usable, int missing = 0) {
        std::vector<PortDescription> out;
        int n = 1;
        for (bool free : usable) {
            PortDescription port;
            port.name = "COM" + std::to_string(n);
            port.device = n == missing ? std::string() : "/dev/ttyUSB" + std::to_string(n - 1);
            port.check.state = free ? PortState::Free : PortState::Busy;
            port.check.holder = free ? std::nullopt : std::optional<PortHolder>(PortHolder{4242, "minicom"});
            out.push_back(port);
            ++n;
        }
        return [out] { return out; };
    }
    static std::vector<SerialDevice> noDevices() { return {}; }

    // The dialog over a fake machine, as the program opens it.
    std::unique_ptr<ComSetupDlg> dialogOn(const FakeMachine& machine) {
        const DeviceTree tree(machine.root());
        auto dialog = std::make_unique<ComSetupDlg>(
            [this, tree] { return describePorts(&m_ini.ini(), tree); },
            [tree] { return findSerialDevices(tree); }, 1, m_ini, Language::English);
        dialog->watchFolders(
            {machine.path(QStringLiteral("/dev")), machine.path(QStringLiteral("/dev/serial/by-id"))});
        return dialog;
    }

    QTemporaryDir m_iniDir;
    ProgramSettings m_ini;
};

TEST_F(ComSetup, ThePortInUseIsCheckedEvenWhenItCannotBeOpened) {
    ComSetupDlg dlg(ports({true, true, false, true}), noDevices, 3, m_ini, Language::English);
    EXPECT_TRUE(dlg.portButton(3)->isChecked());
    EXPECT_FALSE(dlg.portButton(3)->isEnabled());
    EXPECT_TRUE(dlg.portButton(3)->text().contains("/dev/ttyUSB2"));
    EXPECT_TRUE(dlg.detailLabel(3)->text().contains("4242")) << qPrintable(dlg.detailLabel(3)->text());
    EXPECT_TRUE(dlg.detailLabel(3)->text().contains("minicom"));
    dlg.accept();
    EXPECT_EQ(dlg.portName(), "com3");
}

TEST_F(ComSetup, ChoosingAPortGivesItsName) {
    ComSetupDlg first(ports({true, true, true, true}), noDevices, 1, m_ini, Language::English);
    EXPECT_TRUE(first.portButton(1)->isChecked());
    first.show();
    QTest::mouseClick(first.portButton(2), Qt::LeftButton);
    first.accept();
    EXPECT_EQ(first.portName(), "com2");
    EXPECT_EQ(m_ini.value("Setup", "COM2"), "") << "nothing pinned without a cable to pin";
}

TEST_F(ComSetup, APortWithoutADeviceIsShownMissingNotChosen) {
    ComSetupDlg dlg(ports({true, true, true, true}, 3), noDevices, 3, m_ini, Language::English);
    for (int n = 1; n <= 4; ++n) {
        EXPECT_FALSE(dlg.portButton(n)->isChecked()) << n;
    }
    EXPECT_EQ(dlg.portButton(3)->text(), "COM3  (missing)");
    EXPECT_TRUE(dlg.detailLabel(3)->text().contains("no serial device stands for it"));
    dlg.accept();
    EXPECT_EQ(dlg.portName(), "com3") << "OK with nothing chosen keeps the port";
}

// A device path typed for the chosen port: refused with a reason, or kept in Program.ini.
TEST_F(ComSetup, ADevicePathIsCheckedAndKeptForThePort) {
    HeldTerminal pty;
    ASSERT_TRUE(pty.valid());
    const struct {
        const char* name;
        std::string typed;
        const char* message; // nullptr: accepted
    } rows[] = {
        {"empty", "", "Enter the device path"},
        {"relative", "dev/ttyUSB0", "is not a device path"},
        {"absent", "/dev/no-such-cable", "does not exist"},
        {"folder", QFile::encodeName(m_iniDir.path()).toStdString(), "is not a serial device"},
        {"comment marks", "/dev/" + pty.path().substr(4), "cannot hold"},
        {"pseudo-terminal", pty.path(), nullptr},
    };
    for (const auto& row : rows) {
        ComSetupDlg dlg(ports({true, true, true, true}), noDevices, 2, m_ini, Language::English);
        dlg.show();
        EXPECT_FALSE(dlg.pathBox()->isChecked()) << row.name;
        dlg.pathBox()->click();
        QTest::keyClicks(dlg.pathEdit(), QString::fromStdString(row.typed));
        dlg.accept();
        const auto boxes = MessageBox::takeShown();
        if (row.message) {
            ASSERT_EQ(boxes.size(), 1u) << row.name;
            EXPECT_TRUE(boxes[0].text.startsWith("COM2: ")) << qPrintable(boxes[0].text);
            EXPECT_TRUE(boxes[0].text.contains(row.message)) << qPrintable(boxes[0].text);
            EXPECT_TRUE(dlg.isVisible()) << row.name;
            EXPECT_EQ(m_ini.value("Setup", "COM2"), "") << row.name;
        } else {
            EXPECT_TRUE(boxes.empty()) << row.name;
            EXPECT_EQ(m_ini.value("Setup", "COM2"), pty.path());
        }
    }
    // Shown again for its port; unticked, the port counts serial devices again.
    ComSetupDlg again(ports({true, true, true, true}), noDevices, 2, m_ini, Language::English);
    EXPECT_TRUE(again.pathBox()->isChecked());
    EXPECT_EQ(again.pathEdit()->text().toStdString(), pty.path());
    again.pathBox()->click();
    again.accept();
    EXPECT_EQ(m_ini.value("Setup", "COM2"), "");
}

TEST_F(ComSetup, ShowsWhatEachCableIsAndFollowsHotplug) {
    FakeMachine machine;
    machine.plug(0);
    auto dialog = dialogOn(machine);
    EXPECT_TRUE(dialog->portButton(1)->text().contains("/dev/ttyUSB0"));
    EXPECT_TRUE(dialog->detailLabel(1)->text().contains("1a86:7523"))
        << qPrintable(dialog->detailLabel(1)->text());
    EXPECT_TRUE(dialog->portButton(2)->text().contains("none"));
    machine.plug(1);
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return dialog->portButton(2)->text().contains("/dev/ttyUSB1"); }, 5000));
    machine.unplug(0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return dialog->portButton(2)->text().contains("none"); }, 5000));
    EXPECT_TRUE(dialog->portButton(1)->text().contains("/dev/ttyUSB1")) << "COM1 is the first device present";
}

TEST_F(ComSetup, FindMyCableChecksItsPortAndKeepsItForTheCable) {
    FakeMachine machine;
    machine.plug(0);
    machine.plug(1);
    auto dialog = dialogOn(machine);
    EXPECT_TRUE(dialog->portButton(1)->isChecked());
    dialog->findButton()->click();
    EXPECT_TRUE(dialog->statusLabel()->text().contains("Unplug"));
    machine.unplug(1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return dialog->statusLabel()->text().contains("is gone"); }, 5000))
        << qPrintable(dialog->statusLabel()->text());
    machine.plug(1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return dialog->portButton(2)->isChecked(); }, 5000))
        << qPrintable(dialog->statusLabel()->text());
    EXPECT_TRUE(dialog->statusLabel()->text().contains("COM2"));
    EXPECT_TRUE(dialog->pinBox()->isChecked());
    dialog->accept();
    EXPECT_EQ(dialog->portName(), "com2");
    EXPECT_EQ(QString::fromStdString(m_ini.value("Setup", "COM2")), FakeMachine::byId(1));
}

} // namespace

TEST_F(ComSetup, LookingAtAPortChangesNothingOnIt) {
    HeldTerminal held;
    ASSERT_TRUE(held.valid());
    held.sendUnreadLine("pending\n");
    ASSERT_TRUE(m_ini.store("Setup", "COM1", held.path()));
    const DeviceTree tree("/");
    ComSetupDlg dialog([this, tree] { return describePorts(&m_ini.ini(), tree); },
                       [tree] { return findSerialDevices(tree); }, 1, m_ini, Language::English);
    dialog.refresh();
    EXPECT_TRUE(dialog.portButton(1)->text().contains(QString::fromStdString(held.path())));
    const termios after = held.settings();
    EXPECT_EQ(::cfgetispeed(&after), static_cast<speed_t>(B115200));
    EXPECT_TRUE(after.c_lflag & ICANON) << "still in line mode";
    EXPECT_EQ(held.unreadBytes(), 8) << "the other program's input is still there";
}
