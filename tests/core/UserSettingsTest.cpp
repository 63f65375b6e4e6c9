#include "settings/UserSettings.h"
#include "platform/Paths.h"
#include "settings/MemorySettings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <random>

namespace fs = std::filesystem;

namespace {

// Sets or unsets an environment variable for the lifetime of the object.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : m_name(name) {
        if (const char* old = std::getenv(name)) {
            m_oldValue = old;
        }
        value ? ::setenv(name, value, 1) : ::unsetenv(name);
    }
    ~ScopedEnv() {
        m_oldValue ? ::setenv(m_name.c_str(), m_oldValue->c_str(), 1) : ::unsetenv(m_name.c_str());
    }

private:
    std::string m_name;
    std::optional<std::string> m_oldValue;
};

fs::path makeTempDir() {
    std::string testName = testing::UnitTest::GetInstance()->current_test_info()->name();
    std::replace(testName.begin(), testName.end(), '/', '_'); // parameterised names hold a slash
    const fs::path dir = fs::temp_directory_path() /
                         ("usersettings-" + std::to_string(std::random_device{}()) + "-" + testName);
    fs::create_directories(dir);
    return dir;
}

std::string readBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// The contract every settings store keeps, run against each implementation.
class SettingsStore : public testing::TestWithParam<std::string> {
protected:
    void SetUp() override { m_dir = makeTempDir(); }
    void TearDown() override { fs::remove_all(m_dir); }
    std::unique_ptr<ISettingsStore> makeStore() const {
        if (GetParam() == "Memory") {
            return std::make_unique<MemorySettings>();
        }
        return std::make_unique<UserSettings>("Program", m_dir.string());
    }
    fs::path m_dir;
};

TEST_P(SettingsStore, MissingValuesRoundTripsAndNameCase) {
    auto store = makeStore();
    EXPECT_EQ(store->readValue("Type", 0), 0u);
    EXPECT_EQ(store->readValue("com", 1), 1u);
    for (const uint32_t value : {0u, 1u, 4294967295u, 7u}) {
        EXPECT_TRUE(store->writeValue("Field", value));
        EXPECT_EQ(store->readValue("Field", 12345), value);
    }
    store->writeValue("com", 3);
    EXPECT_EQ(store->readValue("COM", 1), 3u);
    EXPECT_EQ(store->readValue("Type", 0), 0u);
    EXPECT_EQ(store->readValue("Field", 0), 7u);
}

TEST_P(SettingsStore, TextsReadBackExactlyAsWritten) {
    auto store = makeStore();
    EXPECT_EQ(store->readText("LastFolder", "none"), "none");
    for (const std::string text : {"/home/user/Documents", " blank at both ends ", "a//b/*c", "tab\t;comment",
                                   "100%", "%41", "line\nbreak\r\n", "中文 文件夹", ""}) {
        EXPECT_TRUE(store->writeText("LastFolder", text));
        EXPECT_EQ(store->readText("lastfolder", "none"), text);
    }
}

INSTANTIATE_TEST_SUITE_P(Contract, SettingsStore, testing::Values("Memory", "UserFile"),
                         [](const testing::TestParamInfo<std::string>& row) { return row.param; });

class UserSettingsTest : public testing::Test {
protected:
    void SetUp() override { m_dir = makeTempDir(); }
    void TearDown() override { fs::remove_all(m_dir); }
    fs::path m_dir;
};

TEST_F(UserSettingsTest, WritesDecimalIntoSettingsSectionCreatingFolders) {
    const fs::path dir = m_dir / "a" / "b";
    UserSettings settings("App", dir.string());
    EXPECT_EQ(settings.readValue("Type", 0), 0u);
    EXPECT_FALSE(fs::exists(dir)) << "reading must not create anything";

    settings.writeValue("Type", 3);
    settings.writeValue("com", 2);
    EXPECT_EQ(readBytes(dir / "App.ini"), "[Settings]\r\nType=3\r\ncom=2\r\n");
}

TEST_F(UserSettingsTest, KeepsWhatElseTheFileHolds) {
    std::ofstream(m_dir / "App.ini") << "; notes\n[Other]\nX=1\n[settings]\nField = 2\n";
    UserSettings settings("App", m_dir.string());
    settings.writeValue("Type", 5);
    EXPECT_EQ(readBytes(m_dir / "App.ini"), "[Other]\r\nX=1\r\n[settings]\r\nField=2\r\nType=5\r\n");
}

TEST_F(UserSettingsTest, TwoStoresSeeEachOthersValues) {
    UserSettings first("App", m_dir.string());
    UserSettings second("App", m_dir.string());
    first.writeValue("Type", 4);
    EXPECT_EQ(second.readValue("Type", 0), 4u);
    second.writeValue("Type", 6);
    EXPECT_EQ(first.readValue("Type", 0), 6u);
}

TEST_F(UserSettingsTest, OnlyPlainDecimalNumbersAreRead) {
    UserSettings settings("App", m_dir.string());
    const auto readText = [&](const std::string& text) {
        std::ofstream(m_dir / "App.ini") << "[Settings]\nType=" << text << "\n";
        return settings.readValue("Type", 99);
    };
    EXPECT_EQ(readText("0"), 0u);
    EXPECT_EQ(readText("007"), 7u);
    EXPECT_EQ(readText("4294967295"), 4294967295u);
    EXPECT_EQ(readText("9 // port"), 9u);
    for (const char* garbage : {"", "abc", "-1", "+5", "4294967296", "12abc", "0x10", "1.5", "1 2", "1e3"}) {
        EXPECT_EQ(readText(garbage), 99u) << '"' << garbage << '"';
    }
}

TEST_F(UserSettingsTest, FileNameFromAppName) {
    struct Row {
        std::string appName, fileName;
    };
    const Row rows[] = {
        {"Program", "Program.ini"},
        {"", "Program.ini"},
        {"a/b\\c", "Program.ini"},
        {std::string("x\0y", 3), "Program.ini"},
        {"..", "Program.ini"},
        {"a.b", "a.b.ini"},
        {std::string(300, 'x'), "Program.ini"}, // longer than a file name may be
    };
    for (const Row& row : rows) {
        UserSettings settings(row.appName, m_dir.string());
        EXPECT_EQ(settings.filePath(), (m_dir / row.fileName).string());
        settings.writeValue("Type", 1);
        EXPECT_TRUE(fs::is_regular_file(m_dir / row.fileName)) << row.fileName;
    }
}

TEST_F(UserSettingsTest, NamesTheFileCannotHoldAreDropped) {
    UserSettings settings("App", m_dir.string());
    for (const std::string& name : {std::string(), std::string("a=b"), std::string(" a"), std::string("a\n"),
                                    std::string(";a"), std::string("[a"), std::string("a\0b", 3)}) {
        EXPECT_EQ(settings.writeValue(name, 5).error, SettingsWriteError::BadName);
        EXPECT_EQ(settings.readValue(name, 0), 0u);
    }
    EXPECT_FALSE(fs::exists(m_dir / "App.ini"));
}

TEST_F(UserSettingsTest, UnusableFolderIsReportedAndReadsAsMissing) {
    std::ofstream(m_dir / "file") << "x";
    for (const std::string& dir : {(m_dir / "file" / "sub").string(), std::string()}) {
        UserSettings settings("App", dir);
        EXPECT_EQ(settings.writeValue("Type", 5).error, SettingsWriteError::NoFolder) << dir;
        EXPECT_EQ(settings.readValue("Type", 0), 0u) << dir;
        EXPECT_EQ(settings.readValue("com", 1), 1u) << dir;
    }
    EXPECT_EQ(readBytes(m_dir / "file"), "x");
}

TEST_F(UserSettingsTest, AFileThatCannotBeWrittenIsReported) {
    // A folder where the file should be: it can be neither loaded nor replaced.
    fs::create_directories(m_dir / "App.ini");
    UserSettings settings("App", m_dir.string());
    const SettingsWriteResult result = settings.writeValue("Type", 5);
    EXPECT_EQ(result.error, SettingsWriteError::NotSaved);
    EXPECT_NE(result.detail.find((m_dir / "App.ini").string()), std::string::npos) << result.detail;
}

TEST_F(UserSettingsTest, DefaultFolderFollowsXdgConfigHome) {
    const ScopedEnv xdg("XDG_CONFIG_HOME", m_dir.c_str());
    UserSettings("App").writeValue("Field", 2);
    EXPECT_EQ(readBytes(m_dir / "App.ini"), "[Settings]\r\nField=2\r\n");
}

TEST(Paths, UserConfigDir) {
    struct Row {
        const char* name;
        const char* xdg;
        const char* home;
        std::string expected;
    };
    const Row rows[] = {
        {"absolute XDG", "/x/cfg", "/home/u", "/x/cfg"},
        {"relative XDG ignored", "cfg", "/home/u", "/home/u/.config"},
        {"empty XDG ignored", "", "/home/u", "/home/u/.config"},
        {"no XDG", nullptr, "/home/u", "/home/u/.config"},
        {"neither", nullptr, nullptr, ""},
    };
    for (const Row& row : rows) {
        const ScopedEnv xdg("XDG_CONFIG_HOME", row.xdg);
        const ScopedEnv home("HOME", row.home);
        EXPECT_EQ(platform::userConfigDir(), row.expected) << row.name;
    }
}

} // namespace
