#include "radio/PortNames.h"
#include "platform/PosixSerialPort.h"
#include "settings/IniFile.h"
#include "settings/ProgramIni.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

namespace fs = std::filesystem;

namespace {

const std::vector<std::string> kDevices = {"/dev/ttyUSB0", "/dev/ttyACM0", "/dev/ttyS0"};

struct ComNameRow {
    const char* name;
    const char* text;
    int number;
};
void PrintTo(const ComNameRow& row, std::ostream* os) {
    *os << row.name;
}

class PortNamesComNumber : public testing::TestWithParam<ComNameRow> {};

TEST_P(PortNamesComNumber, RecognisesOnlyComOneToFour) {
    EXPECT_EQ(comPortNumber(GetParam().text), GetParam().number);
}

INSTANTIATE_TEST_SUITE_P(Names, PortNamesComNumber,
                         testing::Values(ComNameRow{"Upper", "COM1", 1}, ComNameRow{"Lower", "com4", 4},
                                         ComNameRow{"Mixed", "cOm2", 2}, ComNameRow{"LowerThree", "com3", 3},
                                         ComNameRow{"Zero", "COM0", 0}, ComNameRow{"Five", "COM5", 0},
                                         ComNameRow{"LeadingZero", "COM01", 0},
                                         ComNameRow{"TwoDigits", "COM10", 0}, ComNameRow{"NoDigit", "COM", 0},
                                         ComNameRow{"Empty", "", 0}, ComNameRow{"Spaced", " COM1", 0},
                                         ComNameRow{"OtherLetters", "CON1", 0},
                                         ComNameRow{"DevicePath", "/dev/ttyUSB0", 0}),
                         [](const testing::TestParamInfo<ComNameRow>& row) {
                             return std::string(row.param.name);
                         });

class PortNamesTest : public testing::Test {
protected:
    void SetUp() override {
        m_dir = fs::temp_directory_path() / ("portnames-" + std::to_string(std::random_device{}()) + "-" +
                                             testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(m_dir);
    }
    void TearDown() override {
        m_file.clear();
        std::error_code error;
        fs::remove_all(m_dir, error);
    }
    void loadIni(const std::string& text) {
        const fs::path path = m_dir / "Program.ini";
        std::ofstream(path, std::ios::binary) << text;
        ASSERT_TRUE(m_file.load(path.string(), false, true));
    }
    void touch(const fs::path& path, const std::string& text = "") {
        fs::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << text;
    }

    fs::path m_dir;
    IniFile m_file;
    ProgramIni m_ini{m_file};
};

TEST_F(PortNamesTest, ComNameIsTheNthDeviceFoundOrNothing) {
    EXPECT_EQ(resolvePortName("COM1", nullptr, kDevices), "/dev/ttyUSB0");
    EXPECT_EQ(resolvePortName("com3", nullptr, kDevices), "/dev/ttyS0");
    EXPECT_EQ(resolvePortName("COM4", nullptr, kDevices), "");
    EXPECT_EQ(resolvePortName("COM1", nullptr, {}), "");
}

TEST_F(PortNamesTest, AnythingElseIsTakenAsADevicePath) {
    EXPECT_EQ(resolvePortName("/dev/ttyUSB5", nullptr, kDevices), "/dev/ttyUSB5");
    EXPECT_EQ(resolvePortName("COM5", nullptr, kDevices), "COM5");
}

TEST_F(PortNamesTest, ProgramIniSetupKeyOverridesTheDeviceFound) {
    loadIni("[Setup]\r\n"
            "COM2=/dev/serial/by-id/usb-cable  // the programming cable\r\n"
            "com3=\r\n");
    EXPECT_EQ(resolvePortName("com2", &m_ini, kDevices), "/dev/serial/by-id/usb-cable");
    // An empty key and a missing key leave the device found in place.
    EXPECT_EQ(resolvePortName("COM3", &m_ini, kDevices), "/dev/ttyS0");
    EXPECT_EQ(resolvePortName("COM1", &m_ini, kDevices), "/dev/ttyUSB0");
    // It also names a device where none was found.
    EXPECT_EQ(resolvePortName("COM2", &m_ini, {}), "/dev/serial/by-id/usb-cable");
}

TEST_F(PortNamesTest, CandidatesShowWhatEachNameResolvesToAndWhetherItOpens) {
    loadIni("[Setup]\r\nCOM4=/dev/ttyCable\r\n");
    std::vector<std::string> probed;
    const auto probe = [&probed](const std::string& device) {
        probed.push_back(device);
        if (device == "/dev/ttyACM0") {
            return PortOpenResult{PortError::Busy, "Device or resource busy"};
        }
        return PortOpenResult{};
    };

    const std::vector<PortCandidate> candidates =
        listPortCandidates(&m_ini, {"/dev/ttyUSB0", "/dev/ttyACM0"}, probe);

    ASSERT_EQ(candidates.size(), 4u);
    EXPECT_EQ(candidates[0].name, "COM1");
    EXPECT_EQ(candidates[0].device, "/dev/ttyUSB0");
    EXPECT_TRUE(candidates[0].canOpen);

    EXPECT_EQ(candidates[1].device, "/dev/ttyACM0");
    EXPECT_FALSE(candidates[1].canOpen);
    EXPECT_EQ(candidates[1].openResult.error, PortError::Busy);
    EXPECT_EQ(candidates[1].openResult.detail, "Device or resource busy");

    EXPECT_EQ(candidates[2].name, "COM3");
    EXPECT_EQ(candidates[2].device, "");
    EXPECT_FALSE(candidates[2].canOpen);
    EXPECT_EQ(candidates[2].openResult.error, PortError::NotFound);
    EXPECT_NE(candidates[2].openResult.detail.find("COM3"), std::string::npos);

    EXPECT_EQ(candidates[3].device, "/dev/ttyCable");
    EXPECT_TRUE(candidates[3].canOpen);

    // Nothing is probed for a name that resolves to nothing.
    EXPECT_EQ(probed, (std::vector<std::string>{"/dev/ttyUSB0", "/dev/ttyACM0", "/dev/ttyCable"}));
}

TEST_F(PortNamesTest, DevicesAreListedUsbFirstInNumericOrderAndOnlyTtySWithAUart) {
    const fs::path dev = m_dir / "dev";
    const fs::path sys = m_dir / "sys" / "class" / "tty";
    for (const char* name : {"ttyS10", "ttyUSB10", "ttyS0", "ttyACM1", "ttyUSB2", "ttyS1", "ttyS2", "ttyS3",
                             "ttyACM0", "ttyUSB", "ttyUSBx", "ttyS", "tty0", "console", "ttySAC0"}) {
        touch(dev / name);
    }
    touch(sys / "ttyS0" / "type", "4\n");   // a 16550A
    touch(sys / "ttyS1" / "type", "0\n");   // a port address with no UART behind it
    touch(sys / "ttyS2" / "type", "");      // unreadable type
    touch(sys / "ttyS10" / "type", "13\n"); // ttyS3 has no sysfs entry at all

    const std::vector<std::string> expected = {
        "/dev/ttyUSB2", "/dev/ttyUSB10", "/dev/ttyACM0", "/dev/ttyACM1", "/dev/ttyS0", "/dev/ttyS10",
    };
    EXPECT_EQ(platform::listSerialDevices(DeviceTree(m_dir.string())), expected);
}

TEST_F(PortNamesTest, NoDeviceFolderMeansNoDevices) {
    EXPECT_TRUE(platform::listSerialDevices(DeviceTree((m_dir / "missing").string())).empty());
}

} // namespace
