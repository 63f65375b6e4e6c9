#include "image/MemoryImage.h"

#include "image/ImagePlaces.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct BcdCase {
    const char* name;
    uint32_t freq10Hz;
    std::array<uint8_t, 4> bytes;
};

TEST(Frequency, EncodesAndDecodesPackedBcdLeastSignificantByteFirst) {
    const BcdCase cases[] = {
        {"145 MHz", 14500000, {0x00, 0x00, 0x50, 0x14}},
        {"146.525 MHz", 14652500, {0x00, 0x25, 0x65, 0x14}},
        {"136.00625 MHz", 13600625, {0x25, 0x06, 0x60, 0x13}},
        {"highest value", 99999999, {0x99, 0x99, 0x99, 0x99}},
        {"10 MHz", 1000000, {0x00, 0x00, 0x00, 0x01}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        uint8_t field[4] = {};
        image::encodeFrequency(field, c.freq10Hz);
        EXPECT_EQ(std::vector<uint8_t>(field, field + 4),
                  std::vector<uint8_t>(c.bytes.begin(), c.bytes.end()));
        EXPECT_EQ(image::decodeFrequency(field), std::optional<uint32_t>(c.freq10Hz));
    }
}

TEST(Frequency, EmptyFieldsAndOddNibbles) {
    struct Case {
        const char* name;
        std::array<uint8_t, 4> bytes;
        std::optional<uint32_t> expected;
    } cases[] = {
        {"erased", {0xFF, 0xFF, 0xFF, 0xFF}, std::nullopt},
        {"zero high byte, other bytes ignored", {0x12, 0x34, 0x56, 0x00}, std::nullopt},
        {"0xFF high byte, other bytes ignored", {0x00, 0x00, 0x50, 0xFF}, std::nullopt},
        // Nibbles above 9 add their value as they are: 0x1A -> 1*10 + 10 = 20.
        {"nibble above nine", {0x00, 0x00, 0x00, 0x1A}, 20000000},
        {"all nibbles A", {0xAA, 0xAA, 0xAA, 0x01}, 1000000 + 110 * 10000 + 110 * 100 + 110},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(image::decodeFrequency(c.bytes.data()), c.expected);
    }
}

TEST(Frequency, BelowTenMegahertzReadsBackEmptyAndZeroErases) {
    uint8_t field[4] = {};
    image::encodeFrequency(field, 999999); // 9.99999 MHz: top byte is 0x00
    EXPECT_EQ(field[3], 0x00);
    EXPECT_FALSE(image::decodeFrequency(field).has_value());

    image::encodeFrequency(field, 0);
    EXPECT_EQ(std::vector<uint8_t>(field, field + 4), std::vector<uint8_t>(4, 0xFF));
}

TEST(Frequency, ValuesAboveEightDigitsAreCapped) {
    uint8_t field[4] = {};
    image::encodeFrequency(field, 4000000000u);
    EXPECT_EQ(image::decodeFrequency(field), std::optional<uint32_t>(image::kMaxFrequency10Hz));
}

TEST(ToneWord, DecodesEveryKindByTheHighByte) {
    struct Case {
        const char* name;
        ToneWord word;
        Tone expected;
    } cases[] = {
        {"erased", {0xFF, 0xFF}, Tone::none()},
        {"zero high byte ignores low byte", {0x75, 0x00}, Tone::none()},
        {"0xFF high byte ignores low byte", {0x75, 0xFF}, Tone::none()},
        {"88.5 Hz", {0x75, 0x03}, Tone::ctcss(885)},
        {"67.0 Hz", {0x9E, 0x02}, Tone::ctcss(670)},
        {"254.1 Hz", {0xED, 0x09}, Tone::ctcss(2541)},
        {"D023N", {0x13, 0x28}, Tone::dcs(23, false)},
        {"D023I", {0x13, 0xA8}, Tone::dcs(23, true)},
        {"D423N has bit 8 in the high byte", {0x13, 0x29}, Tone::dcs(423, false)},
        {"D754N", {0xEC, 0x29}, Tone::dcs(754, false)},
        {"D411I", {0x09, 0xA9}, Tone::dcs(411, true)},
        {"code value 0 is in no entry", {0x00, 0x28}, Tone::dcs(0, false)},
        {"unknown code value", {0x01, 0xA8}, Tone::dcs(0, true)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(decodeToneWord(c.word), c.expected);
    }
}

TEST(ToneWord, EncodesEveryKind) {
    struct Case {
        const char* name;
        Tone tone;
        ToneWord expected;
    } cases[] = {
        {"none", Tone::none(), {0xFF, 0xFF}},
        {"88.5 Hz", Tone::ctcss(885), {0x75, 0x03}},
        {"zero tenths is no tone", Tone::ctcss(0), {0xFF, 0xFF}},
        {"too large for the word", Tone::ctcss(70000), {0xFF, 0xFF}},
        {"D023N", Tone::dcs(23, false), {0x13, 0x28}},
        {"D023I", Tone::dcs(23, true), {0x13, 0xA8}},
        {"D754N", Tone::dcs(754, false), {0xEC, 0x29}},
        {"D411I", Tone::dcs(411, true), {0x09, 0xA9}},
        {"unknown code keeps the bit-8 rule", Tone::dcs(400, false), {0x00, 0x29}},
        {"octal code outside the table", Tone::dcs(24, true), {0x14, 0xA8}},
        {"code 000", Tone::dcs(0, false), {0x00, 0x28}},
        {"not octal", Tone::dcs(28, true), {0x00, 0xA8}},
        {"more than three digits", Tone::dcs(4294967295u, false), {0x00, 0x29}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(encodeTone(c.tone), c.expected);
    }
}

TEST(ToneWord, EveryKnownCodeRoundTripsInBothPolarities) {
    ASSERT_EQ(std::size(kDcsCodes), 107u);
    for (uint16_t code : kDcsCodes) {
        for (bool inverted : {false, true}) {
            SCOPED_TRACE(testing::Message() << code << (inverted ? "I" : "N"));
            EXPECT_EQ(decodeToneWord(encodeTone(Tone::dcs(code, inverted))), Tone::dcs(code, inverted));
        }
    }
}

TEST(MemoryImage, NewDocumentIsErasedExceptTheDefaults) {
    const MemoryImage img = MemoryImage::newDocument();
    const std::pair<size_t, uint8_t> defaults[] = {
        {0x12F, 0x02}, {0x130, 0x03}, {0x134, 0x05}, {0x135, 0x01}, {0x136, 0x01},
        {0x139, 0x00}, {0x13A, 0x05}, {0x13B, 0x00}, {0x161, 0x00}, {0x3F1, 0x03},
    };
    for (size_t off = 0; off < image::kSize; ++off) {
        uint8_t expected = 0xFF;
        for (const auto& d : defaults) {
            if (d.first == off) {
                expected = d.second;
            }
        }
        ASSERT_EQ(img.byte(off), expected) << "offset " << off;
    }
    for (int ch = 1; ch <= image::kChannelCount; ++ch) {
        EXPECT_FALSE(img.isInUse(ch));
    }
}

TEST(MemoryImage, ChannelFieldsLandAtTheirOffsets) {
    MemoryImage img;
    img.setRxFrequency(16, 14500000);
    img.setTxFrequency(16, 14560000);
    img.setRxTone(16, Tone::ctcss(885));
    img.setTxTone(16, Tone::dcs(23, false));
    img.setBusyLock(16, BusyLock::Carrier);
    img.setWide(16, true);
    img.setHighPower(16, true);
    img.setScanned(16, true);

    const std::vector<uint8_t> expected = {0x00, 0x00, 0x50, 0x14, 0x00, 0x00, 0x56, 0x14,
                                           0x75, 0x03, 0x13, 0x28, 0xEF, 0xFF, 0xFF, 0xFF};
    EXPECT_EQ(std::vector<uint8_t>(img.data() + 0x100, img.data() + 0x110), expected);
    EXPECT_EQ(img.byte(0x17F), 0xFF);
    EXPECT_TRUE(img.isInUse(16));
    // Writing the last channel touched nothing past its record.
    EXPECT_EQ(img.byte(0x110), 0xFF);
}

TEST(MemoryImage, FlagSettersChangeOnlyTheirOwnBits) {
    MemoryImage img;
    img.setByte(image::channelOffset(1) + image::record::kBusyLock, 0xA5); // bits 3,4 = 0
    img.setByte(image::channelOffset(1) + image::record::kFlags, 0xC3);

    img.setBusyLock(1, BusyLock::Tone);
    EXPECT_EQ(img.byte(0x10 + 12), 0xB5);
    img.setBusyLock(1, BusyLock::Off);
    EXPECT_EQ(img.byte(0x10 + 12), 0xA5);
    img.setWide(1, true);
    img.setHighPower(1, true);
    EXPECT_EQ(img.byte(0x10 + 13), 0xF3);
    img.setWide(1, false);
    EXPECT_EQ(img.byte(0x10 + 13), 0xE3);

    img.setByte(0x10 + 12, 0x18);
    EXPECT_EQ(img.busyLock(1), BusyLock::Tone);
}

TEST(MemoryImage, ScanBitsOfFirstAndLastChannelOfEachByte) {
    MemoryImage img;
    img.setByte(image::offset::kScanBitmap, 0x00);
    img.setByte(image::offset::kScanBitmap + 1, 0x00);
    img.setScanned(1, true);
    img.setScanned(8, true);
    img.setScanned(9, true);
    img.setScanned(16, true);
    EXPECT_EQ(img.byte(0x17E), 0x81);
    EXPECT_EQ(img.byte(0x17F), 0x81);
    EXPECT_TRUE(img.isScanned(8));
    EXPECT_FALSE(img.isScanned(2));
    img.setScanned(9, false);
    EXPECT_EQ(img.byte(0x17F), 0x80);
}

TEST(MemoryImage, ChannelWithoutTransmitFrequencyIsNotInUse) {
    MemoryImage img;
    img.setRxFrequency(3, 14500000);
    EXPECT_FALSE(img.isInUse(3));
    img.setTxFrequency(3, 14500000);
    EXPECT_TRUE(img.isInUse(3));
    img.setByte(image::channelOffset(3) + 3, 0x00); // receive field with a zero top byte
    EXPECT_FALSE(img.isInUse(3));
}

TEST(MemoryImage, ChannelNumbersOutsideOneToSixteenAreRefused) {
    MemoryImage img;
    EXPECT_THROW(img.rxFrequency(0), std::out_of_range);
    EXPECT_THROW(img.setScanned(17, true), std::out_of_range);
}

TEST(ImagePlaces, NameTheChannelAndColumnOrTheRadioWidePart) {
    const struct {
        size_t offset;
        uint8_t changedBits;
        const char* english;
        const char* chinese;
    } rows[] = {
        {0x031, 0x01, "the Rx Frequency of channel 3", "信道 3 的接收频率"},
        {0x03A, 0xFF, "the QT/DQT Enc of channel 3", "信道 3 的QT/DQT编码"},
        {0x03D, 0x20, "the Power of channel 3", "信道 3 的功率"},
        {0x03E, 0xFF, "channel 3", "信道 3"},
        {0x10C, 0x08, "the Busy Lock of channel 16", "信道 16 的繁忙锁定"},
        {0x17F, 0x04, "the Scan of channel 11", "信道 11 的扫描"},
        {0x134, 0x01, "the radio-wide options (Squelch Level)", "整机可选功能（静噪电平）"},
        {0x000, 0xFF, "the radio-wide options", "整机可选功能"},
        {0x32F, 0x01, "the type and band", "类型和频段"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(imagePlaceText(row.offset, row.changedBits, Language::English), row.english) << row.offset;
        EXPECT_EQ(imagePlaceText(row.offset, row.changedBits, Language::Chinese), row.chinese) << row.offset;
    }
}

} // namespace
