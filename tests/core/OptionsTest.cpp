#include "options/Options.h"

#include <gtest/gtest.h>

namespace {

TEST(Options, NewDocumentSelections) {
    const MemoryImage img = MemoryImage::newDocument();
    struct Case {
        OptionList list;
        const char* item;
    } cases[] = {
        {OptionList::TimeOut, "45s"},  {OptionList::Squelch, "5"},
        {OptionList::Priority, "Off"}, {OptionList::Voice, "English"},
        {OptionList::VoxGain, "5"},    {OptionList::VoxDelay, "0.3s"},
        {OptionList::Vox, "Off"},      {OptionList::MonitorKey, "Monitor Momentary"},
        {OptionList::KeyBeep, "On"},   {OptionList::BatterySaver, "On"},
    };
    for (const auto& c : cases) {
        const int sel = optionSelection(c.list, img);
        ASSERT_GE(sel, 0) << c.item;
        EXPECT_EQ(optionItems(c.list, Language::English)[static_cast<size_t>(sel)], c.item);
    }
}

TEST(Options, StoringEverySelectionOfANewDocumentChangesOnlyTheMonitorKey) {
    MemoryImage img = MemoryImage::newDocument();
    for (OptionList l : {OptionList::Squelch, OptionList::Priority, OptionList::TimeOut, OptionList::Voice,
                         OptionList::VoxGain, OptionList::VoxDelay, OptionList::MonitorKey, OptionList::Vox,
                         OptionList::KeyBeep, OptionList::BatterySaver}) {
        storeOptionSelection(l, optionSelection(l, img), img);
    }
    MemoryImage expected = MemoryImage::newDocument();
    expected.setByte(image::offset::kMonitorKey, 2);
    EXPECT_EQ(img, expected);
}

TEST(Options, ValuesOutsideTheListsAndTheirArithmetic) {
    using namespace image::offset;
    struct Case {
        const char* name;
        OptionList list;
        size_t offset;
        uint8_t stored;
        int selection;
        uint8_t afterStore;
    } cases[] = {
        {"time-out 0", OptionList::TimeOut, kTimeOut, 0, -1, 0x00},
        {"time-out 40 is 600s", OptionList::TimeOut, kTimeOut, 40, 39, 40},
        {"squelch 10", OptionList::Squelch, kSquelch, 0x0A, -1, 0xFF},
        {"voice 7", OptionList::Voice, kVoice, 7, -1, 0xFF},
        {"vox gain 0", OptionList::VoxGain, kVoxGain, 0, -1, 0x00},
        {"vox 1 is on", OptionList::Vox, kVox, 1, 0, 1},
        {"vox 5", OptionList::Vox, kVox, 5, -1, 0},
        {"priority 16", OptionList::Priority, kPriority, 16, 16, 16},
        {"monitor key erased", OptionList::MonitorKey, kMonitorKey, 0xFF, 2, 2},
        {"battery saver reads bit 0", OptionList::BatterySaver, kBatterySaver, 0xFE, 1, 0x00},
        {"key beep stores a whole byte", OptionList::KeyBeep, kKeyBeep, 0x81, 0, 0x01},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MemoryImage img;
        img.setByte(c.offset, c.stored);
        EXPECT_EQ(optionSelection(c.list, img), c.selection);
        storeOptionSelection(c.list, c.selection, img);
        EXPECT_EQ(img.byte(c.offset), c.afterStore);
    }
}

} // namespace

namespace {

TEST(OptionTable, WordsAndNumbersChooseItems) {
    const struct {
        const char* name;
        OptionList list;
        const char* word;
        std::optional<int> item;
    } rows[] = {
        {"time-out in seconds", OptionList::TimeOut, "60", 3},
        {"time-out with its unit, either case", OptionList::TimeOut, "600S", 39},
        {"time-out off the 15 s grid", OptionList::TimeOut, "70", std::nullopt},
        {"time-out below the list", OptionList::TimeOut, "0", std::nullopt},
        {"squelch takes no unit", OptionList::Squelch, "3s", std::nullopt},
        {"squelch", OptionList::Squelch, "9", 9},
        {"priority off", OptionList::Priority, "OFF", 0},
        {"priority 0 is off, as show --json prints it", OptionList::Priority, "0", 0},
        {"priority last channel", OptionList::Priority, "16", 16},
        {"vox gain counts from 1", OptionList::VoxGain, "1", 0},
        {"vox delay by its word", OptionList::VoxDelay, "1.5s", 3},
        {"vox delay only by its words", OptionList::VoxDelay, "1.50", std::nullopt},
        {"vox delay by its milliseconds", OptionList::VoxDelay, "1500", 3},
        {"milliseconds take no unit", OptionList::VoxDelay, "300s", std::nullopt},
        {"a switch by show --json's words", OptionList::Vox, "TRUE", 0},
        {"key beep off", OptionList::KeyBeep, "false", 1},
        {"key beep takes no number", OptionList::KeyBeep, "1", std::nullopt},
        {"voice", OptionList::Voice, "English", 2},
        {"monitor key", OptionList::MonitorKey, "momentary", 2},
        {"vox", OptionList::Vox, "off", 1},
        {"sign", OptionList::Squelch, "+3", std::nullopt},
        {"empty", OptionList::TimeOut, "", std::nullopt},
        {"huge number", OptionList::TimeOut, "99999999999999999999", std::nullopt},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(optionSelectionFromWord(row.list, row.word), row.item) << row.name;
    }
}

TEST(OptionTable, EveryListOnceWithItsLabelAndNumbers) {
    ASSERT_EQ(optionTable().size(), 10u);
    for (const OptionInfo& info : optionTable()) {
        const size_t items = optionItems(info.list, Language::English).size();
        // Every item round-trips through the byte, and every option has its names.
        for (int item = 0; item < static_cast<int>(items); ++item) {
            MemoryImage img;
            storeOptionSelection(info.list, item, img);
            EXPECT_EQ(optionSelection(info.list, img), item) << info.key;
        }
        EXPECT_EQ(optionItems(info.list, Language::Chinese).size(), items) << info.key;
        EXPECT_NE(optionLabel(info.list, Language::English), "") << info.key;
        EXPECT_NE(optionLabel(info.list, Language::Chinese), optionLabel(info.list, Language::English));
        EXPECT_EQ(optionFromKey(info.key), &info);
        EXPECT_EQ(optionFromKey(info.jsonKey), &info);
        EXPECT_TRUE(info.words.size() == items || info.numbers.size() == items ||
                    info.list == OptionList::Priority)
            << info.key;
        EXPECT_EQ(&optionInfo(info.list), &info) << info.key;
    }
    EXPECT_EQ(optionLabel(OptionList::TimeOut, Language::English), "Time Out Time (s)");
    EXPECT_EQ(optionLabel(OptionList::TimeOut, Language::Chinese), "超时定时器 (秒)");
    EXPECT_EQ(optionLabel(OptionList::VoxGain, Language::Chinese), "声控增益电平");
}

} // namespace
