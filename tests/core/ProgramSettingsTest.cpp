#include "settings/ProgramSettings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

class ProgramSettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir = fs::temp_directory_path() /
                ("program-settings-" +
                 std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(m_dir);
        fs::create_directories(m_dir / "share");
        write(shipped(), "[Setup]\r\nAppName=Radio Programmer\r\nLanguage=English\r\nCOM1=/dev/ttyS0\r\n");
    }
    void TearDown() override { fs::remove_all(m_dir); }

    static void write(const fs::path& path, const std::string& text) {
        std::ofstream(path, std::ios::binary) << text;
    }
    static std::string read(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }
    fs::path shipped() const { return m_dir / "share" / "Program.ini"; }
    fs::path config() const { return m_dir / "config"; }
    fs::path userCopy() const { return config() / "Radio Programmer" / "Program.ini"; }

    fs::path m_dir;
};

TEST_F(ProgramSettingsTest, AWritableShippedFileTakesTheChangesItself) {
    ProgramSettings settings;
    ASSERT_TRUE(settings.load(shipped().string(), config().string(), true));
    EXPECT_FALSE(settings.usesUserCopy());
    ASSERT_TRUE(settings.store("Setup", "Language", "Chinese"));
    EXPECT_EQ(settings.value("Setup", "Language"), "Chinese");
    EXPECT_NE(read(shipped()).find("Language=Chinese"), std::string::npos);
    EXPECT_FALSE(fs::exists(userCopy()));
}

TEST_F(ProgramSettingsTest, AReadOnlyShippedFileIsOverlaidByTheUsersCopy) {
    const std::string before = read(shipped());
    {
        ProgramSettings settings;
        ASSERT_TRUE(settings.load(shipped().string(), config().string(), false));
        EXPECT_TRUE(settings.usesUserCopy());
        EXPECT_FALSE(fs::exists(userCopy())) << "reading creates nothing";
        ASSERT_TRUE(settings.store("Setup", "Language", "Chinese"));
        EXPECT_EQ(settings.storePath(), userCopy().string());
        EXPECT_EQ(settings.value("Setup", "Language"), "Chinese");
    }
    EXPECT_EQ(read(shipped()), before) << "the shipped file is never modified";
    EXPECT_EQ(read(userCopy()), "[Setup]\r\nLanguage=Chinese\r\n") << "only what the program changed";

    // The next start reads the user's value over the shipped one; the others come through.
    write(shipped(), before + "ShowLang=1\r\n");
    ProgramSettings next;
    ASSERT_TRUE(next.load(shipped().string(), config().string(), false));
    EXPECT_EQ(next.value("Setup", "Language"), "Chinese");
    EXPECT_EQ(next.value("Setup", "COM1"), "/dev/ttyS0");
    EXPECT_EQ(next.value("Setup", "ShowLang"), "1");
    ASSERT_TRUE(next.store("Setup", "COM2", "/dev/serial/by-id/usb-cable"));
    EXPECT_EQ(read(userCopy()), "[Setup]\r\nLanguage=Chinese\r\nCOM2=/dev/serial/by-id/usb-cable\r\n");
}

TEST_F(ProgramSettingsTest, AChangeThatCannotBeSavedChangesNothing) {
    // A file where the folder would be: no user, not even the superuser, can make the folder.
    write(config(), "not a folder");
    ProgramSettings settings;
    ASSERT_TRUE(settings.load(shipped().string(), config().string(), false));
    const IniSaveResult saved = settings.store("Setup", "Language", "Chinese");
    EXPECT_FALSE(saved);
    EXPECT_FALSE(saved.detail.empty());
    EXPECT_EQ(settings.value("Setup", "Language"), "English");
}

TEST_F(ProgramSettingsTest, WithoutAFolderForTheUserNothingIsStored) {
    ProgramSettings settings;
    ASSERT_TRUE(settings.load(shipped().string(), "", false));
    const IniSaveResult saved = settings.store("Setup", "Language", "Chinese");
    EXPECT_FALSE(saved);
    EXPECT_EQ(settings.value("Setup", "Language"), "English");
}

} // namespace
