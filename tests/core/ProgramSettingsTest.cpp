#include "settings/ProgramSettings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

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

TEST_F(ProgramSettingsTest, WhatIsStoredIsWhatTheNextStartReads) {
    struct Row {
        const char* name;
        const char* shippedText; // nullptr: no shipped file
        const char* userFolder;  // below config(), where the user's copy must be
        const char* userCopy;    // nullptr: none yet
        const char* languageBefore;
    } rows[] = {
        {"AppNameDotDot", "[Setup]\r\nAppName=..\r\nLanguage=English\r\n", "Program", nullptr, "English"},
        {"AppNameDot", "[Setup]\r\nAppName=.\r\nLanguage=English\r\n", "Program", nullptr, "English"},
        {"AppNameWithSlash", "[Setup]\r\nAppName=../x\r\n", "Program", nullptr, ""},
        {"AppNameWithControl", "[Setup]\r\nAppName=a\x01\x62\r\n", "Program", nullptr, ""},
        {"SetupTwiceInUsersCopy", "[Setup]\r\nAppName=Radio Programmer\r\n", "Radio Programmer",
         "[Setup]\r\nLanguage=German\r\nCOM1=/dev/ttyS1\r\n[Setup]\r\nLanguage=French\r\nCOM1=/dev/ttyS2\r\n",
         "German"},
        {"SetupTwiceInOtherCase", "[Setup]\r\nAppName=Radio Programmer\r\n", "Radio Programmer",
         "[setup]\r\nLanguage=German\r\n[SETUP]\r\nLanguage=French\r\n", "German"},
        {"NoShippedFile", nullptr, "Program", "[Setup]\r\nLanguage=German\r\n", "German"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        fs::remove_all(m_dir);
        fs::create_directories(m_dir / "share");
        if (row.shippedText != nullptr) {
            write(shipped(), row.shippedText);
        }
        const fs::path userPath = config() / row.userFolder / "Program.ini";
        if (row.userCopy != nullptr) {
            fs::create_directories(userPath.parent_path());
            write(userPath, row.userCopy);
        }
        {
            ProgramSettings settings;
            settings.load(shipped().string(), config().string(), false);
            EXPECT_EQ(settings.value("Setup", "Language"), row.languageBefore);
            ASSERT_TRUE(settings.store("Setup", "Language", "Chinese"));
            ASSERT_TRUE(settings.store("Setup", "COM1", "/dev/ttyUSB9"));
            EXPECT_EQ(settings.storePath(), userPath.string());
            EXPECT_EQ(settings.value("Setup", "Language"), "Chinese");
        }
        ProgramSettings next;
        next.load(shipped().string(), config().string(), false);
        EXPECT_EQ(next.value("Setup", "Language"), "Chinese");
        EXPECT_EQ(next.value("Setup", "COM1"), "/dev/ttyUSB9");
        // Nothing beside the shipped file and the user's configuration folder.
        EXPECT_EQ(fs::exists(shipped()), row.shippedText != nullptr);
        if (row.shippedText != nullptr) {
            EXPECT_EQ(read(shipped()), row.shippedText);
        }
        size_t entries = 0;
        for (const fs::directory_entry& entry : fs::recursive_directory_iterator(m_dir)) {
            entries += entry.is_regular_file() ? 1 : 0;
        }
        EXPECT_EQ(entries, row.shippedText != nullptr ? 2u : 1u);
    }
}

TEST_F(ProgramSettingsTest, TextsThatWouldNotReadBackAreRefused) {
    struct Row {
        const char* name;
        std::string key, value;
        bool stored;
    } rows[] = {
        {"DevicePath", "COM1", "/dev/serial/by-id/usb-Prolific_2303-if00", true},
        {"Chinese", "Name", "中文", true},
        {"InnerBlanksAndMarks", "Note", "a b; c=d [e] *f \\g", true},
        {"Empty", "COM2", "", true},
        {"CrLfAddsALine", "COM1", "/dev/x\r\nLanguage=Chinese", false},
        {"Lf", "COM1", "/dev/x\nLanguage=Chinese", false},
        {"Nul", "COM1", std::string("/dev/x\0y", 8), false},
        {"Tab", "COM1", "/dev/x\ty", false},
        {"LeadingBlank", "COM1", " /dev/x", false},
        {"TrailingBlank", "COM1", "/dev/x ", false},
        {"DoubleSlash", "COM1", "/dev//x", false},
        {"SlashStar", "COM1", "/dev/*x", false},
        {"EmptyKey", "", "x", false},
        {"KeyWithEquals", "a=b", "x", false},
        {"KeyLikeAComment", ";COM1", "x", false},
        {"KeyLikeAHeader", "[COM1", "x]", false},
        {"KeyWithBlankAtEnd", "COM1 ", "x", false},
        {"KeyWithLineBreak", "COM1\r\nLanguage", "Chinese", false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ProgramSettings settings;
        settings.load(shipped().string(), config().string(), false);
        const std::string before = settings.value("Setup", row.key, "missing");
        const IniSaveResult saved = settings.store("Setup", row.key, row.value);
        EXPECT_EQ(saved.error, row.stored ? IniSaveError::None : IniSaveError::Unstorable) << saved.detail;
        EXPECT_EQ(saved.detail.empty(), row.stored);
        ProgramSettings next;
        next.load(shipped().string(), config().string(), false);
        EXPECT_EQ(next.value("Setup", row.key, "missing"), row.stored ? row.value : before);
        EXPECT_EQ(next.value("Setup", "Language"), "English");
    }
}

// Every value the programs read is an entry of the shipped Program.ini, spelled as that file spells
// it, and every value they store reads back under the same name.
TEST_F(ProgramSettingsTest, TypedValuesUseTheShippedFilesNames) {
    const auto copyShipped = [this] {
        fs::copy_file(RADIO_TEST_DATA_DIR "/../../res/Program.ini", shipped(),
                      fs::copy_options::overwrite_existing);
    };
    copyShipped();
    IniFile shippedFile;
    ASSERT_TRUE(shippedFile.load(shipped().string(), false, false)); // names compared exactly
    std::vector<IniKey> read = {ProgramIni::appNameKey(), ProgramIni::languageKey(),
                                ProgramIni::showLanguageKey()};
    for (unsigned type = 0; type < 3; ++type) {
        read.push_back(ProgramIni::typeNameKey(type));
        read.push_back(ProgramIni::bandListKey(type));
    }
    for (Language language : {Language::English, Language::Chinese}) {
        for (LanguageText text :
             {LanguageText::AppName, LanguageText::Company, LanguageText::AboutTitle,
              LanguageText::Copyrights, LanguageText::CopyrightsOwner, LanguageText::Title}) {
            read.push_back(ProgramIni::languageTextKey(ProgramIni::languageName(language), text));
        }
    }
    for (const IniKey& place : read) {
        EXPECT_TRUE(shippedFile.storedValue(place.section, place.key)) << place.section << " " << place.key;
    }

    const struct {
        const char* name;
        IniSaveResult (*store)(ProgramSettings&);
        const char* section;
        const char* key;
        const char* value;
    } stored[] = {
        {"Language", [](ProgramSettings& s) { return s.storeLanguage(Language::Chinese); }, "Setup",
         "Language", "Chinese"},
        {"LanguageSection", [](ProgramSettings& s) { return s.storeLanguageSection("chinese"); }, "Setup",
         "Language", "chinese"},
        {"Port", [](ProgramSettings& s) { return s.storePortDevice(3, "/dev/ttyUSB1"); }, "Setup", "COM3",
         "/dev/ttyUSB1"},
    };
    for (const auto& row : stored) {
        SCOPED_TRACE(row.name);
        copyShipped();
        ProgramSettings settings;
        ASSERT_TRUE(settings.load(shipped().string(), config().string(), true));
        ASSERT_TRUE(row.store(settings));
        IniFile file;
        ASSERT_TRUE(file.load(shipped().string(), false, false));
        EXPECT_EQ(file.value(row.section, row.key), row.value);
    }
}

} // namespace
