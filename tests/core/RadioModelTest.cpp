#include "channels/RadioModel.h"

#include "settings/IniFile.h"
#include "settings/MemorySettings.h"
#include "settings/ProgramIni.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

namespace fs = std::filesystem;

namespace {

class RadioModelTest : public testing::Test {
protected:
    void SetUp() override {
        m_path =
            fs::temp_directory_path() / ("radiomodel-" + std::to_string(std::random_device{}()) + ".ini");
    }
    void TearDown() override { fs::remove(m_path); }
    void load(const std::string& text) {
        std::ofstream(m_path) << text;
        ASSERT_TRUE(m_file.load(m_path.string(), false, true));
    }
    fs::path m_path;
    IniFile m_file;
    ProgramIni m_ini{m_file};
};

TEST_F(RadioModelTest, TypeListEndsAtTheFirstMissingType) {
    load("[Setup]\nType1=A\nType2=B\nType4=D\n");
    EXPECT_EQ(radiomodel::typeNames(m_ini), (std::vector<std::string>{"A", "B"}));
}

TEST_F(RadioModelTest, BandNamesAndBandsPastTheList) {
    load("[Setup]\nType1=A\nField1=130 - 160MHz|400 - 470MHz\nType2=B\n");
    EXPECT_EQ(radiomodel::bandNames(m_ini, 0), (std::vector<std::string>{"130 - 160MHz", "400 - 470MHz"}));
    EXPECT_EQ(radiomodel::bandNames(m_ini, 1), (std::vector<std::string>{""}));
    // A band past the list is no band: the document has none until one is chosen.
    struct Case {
        unsigned band;
        const char* name;
        int32_t min, max;
    } cases[] = {
        {0, "130 - 160MHz", 13000000, 16000000}, {1, "400 - 470MHz", 40000000, 47000000}, {5, "", 0, 0}};
    for (const auto& c : cases) {
        MemoryImage img;
        img.setRadioType(0);
        img.setBand(static_cast<uint8_t>(c.band));
        const radiomodel::TypeAndBand d = radiomodel::describe(img, m_ini);
        const radiomodel::ChoiceOutcome chosen = radiomodel::choose(MemoryImage(), {0, c.band}, m_ini);
        EXPECT_EQ(chosen.image, img) << "a choice is the image's type and band bytes";
        EXPECT_EQ(chosen.model.bandName, c.name);
        EXPECT_EQ(chosen.model.limits.max10Hz, c.max);
        EXPECT_EQ(d.typeName, "A");
        EXPECT_EQ(d.bandName, c.name);
        EXPECT_EQ(d.limits.min10Hz, c.min);
        EXPECT_EQ(d.limits.max10Hz, c.max);
    }
}

TEST_F(RadioModelTest, UnknownTypeGivesEmptyNamesAndZeroLimits) {
    load("[Setup]\nType1=A\nField1=130 - 160MHz\n");
    MemoryImage img; // type and band 0xFF
    const radiomodel::TypeAndBand d = radiomodel::describe(img, m_ini);
    EXPECT_EQ(d.typeName, "");
    EXPECT_EQ(d.limits.min10Hz, 0);
    EXPECT_EQ(d.limits.max10Hz, 0);
    EXPECT_EQ(radiomodel::mainTitle("P", d, Language::English),
              "P  [ Type:(not in Program.ini)  Fre:(not in Program.ini) ]");
}

TEST_F(RadioModelTest, NewDocumentTakesTheRememberedChoiceAndOthersBecomeIt) {
    load("[Setup]\nType1=A\nType2=B\nField2=136 - 174MHz\n");
    MemorySettings store;

    MemoryImage fresh = MemoryImage::newDocument();
    radiomodel::synchronise(fresh, true, store, m_ini);
    EXPECT_EQ(fresh.radioType(), 0) << "missing values read as 0";
    EXPECT_EQ(fresh.band(), 0);

    MemoryImage opened;
    opened.setRadioType(1);
    opened.setBand(0);
    const radiomodel::TypeAndBand d = radiomodel::synchronise(opened, false, store, m_ini);
    EXPECT_EQ(d.typeName, "B");
    EXPECT_EQ(store.readValue("Type", 99), 1u);
    EXPECT_EQ(store.readValue("Field", 99), 0u);

    MemoryImage next = MemoryImage::newDocument();
    radiomodel::synchronise(next, true, store, m_ini);
    EXPECT_EQ(next.radioType(), 1);
    EXPECT_EQ(next.band(), 0);
}

TEST_F(RadioModelTest, OnlyATypeAndBandProgramIniListsAreRemembered) {
    load("[Setup]\nType1=A\nField1=136 - 174MHz|400 - 470MHz\nType2=B\nField2=136 - 174MHz\n");
    struct Case {
        uint8_t type, band;
        bool remembered;
    } cases[] = {{1, 0, true},  {0, 1, true},  {0xFF, 0xFF, false},
                 {2, 0, false}, {1, 1, false}, {0, 0xFF, false}};
    for (const Case& c : cases) {
        MemorySettings store;
        store.writeValue("Type", 0);
        store.writeValue("Field", 0);
        MemoryImage read;
        read.setRadioType(c.type);
        read.setBand(c.band);
        radiomodel::synchronise(read, false, store, m_ini);
        EXPECT_EQ(store.readValue("Type", 99), c.remembered ? c.type : 0u)
            << int(c.type) << "/" << int(c.band);
        EXPECT_EQ(read.radioType(), c.type) << "the image keeps its bytes";
    }
    // A choice remembered before this rule, or by hand, that names no listed type.
    MemorySettings stale;
    stale.writeValue("Type", 255);
    stale.writeValue("Field", 255);
    MemoryImage fresh = MemoryImage::newDocument();
    const radiomodel::TypeAndBand d = radiomodel::synchronise(fresh, true, stale, m_ini);
    EXPECT_EQ(fresh.radioType(), 0);
    EXPECT_EQ(d.limits.min10Hz, 13600000) << "a new document takes frequencies again";
}

TEST(RadioModel, MainTitleInBothLanguages) {
    EXPECT_EQ(radiomodel::mainTitle("Prog", "A", "136 - 174MHz", Language::English),
              "Prog  [ Type:A  Fre:136 - 174MHz ]");
    EXPECT_EQ(radiomodel::mainTitle("Prog", "A", "x", Language::Chinese), "Prog  [ 类型:A  频率:x ]");
}

} // namespace
