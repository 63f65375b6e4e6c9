#include "channels/ChannelCodec.h"
#include "channels/ChannelEdit.h"

#include <gtest/gtest.h>

#include <string>

namespace {

Channel exampleChannel() {
    Channel c;
    c.rx10Hz = 14500000;
    c.tx10Hz = 14560000;
    c.rxTone = Tone::ctcss(885);
    c.txTone = Tone::dcs(754, true);
    c.wide = false;
    c.scanned = true;
    c.busyLock = BusyLock::Carrier;
    c.highPower = false;
    return c;
}

TEST(ChannelCodec, RoundTripsEveryFieldOnTheFirstAndLastChannel) {
    const struct {
        const char* name;
        Channel channel;
    } rows[] = {
        {"example", exampleChannel()},
        {"erased", Channel::erased()},
        {"new channel", Channel::onFrequency(43312500)},
        {"receive only, DCS normal",
         [] {
             Channel c = Channel::erased();
             c.rx10Hz = 99999999;
             c.rxTone = Tone::dcs(23, false);
             return c;
         }()},
    };
    for (const auto& row : rows) {
        for (int ch : {1, 16}) {
            MemoryImage img;
            ChannelCodec::encode(img, ch, row.channel);
            EXPECT_EQ(ChannelCodec::decode(img, ch), row.channel) << row.name << ", channel " << ch;
        }
    }
}

TEST(ChannelCodec, KeepsTheBytesAndBitsItDoesNotOwn) {
    MemoryImage img = MemoryImage::newDocument();
    uint8_t* r = img.data() + image::channelOffset(9);
    r[12] = 0xE7; // all but the busy-lock bits 4 and 3
    r[13] = 0xCF; // all but the wide and power bits 4 and 5
    r[14] = 0x12;
    r[15] = 0x34;
    const MemoryImage before = img;

    Channel c = exampleChannel();
    c.busyLock = BusyLock::Tone;
    c.wide = true;
    c.highPower = true;
    ChannelCodec::encode(img, 9, c);
    EXPECT_EQ(r[12], 0xE7 | 0x10);
    EXPECT_EQ(r[13], 0xCF | 0x30);
    EXPECT_EQ(r[14], 0x12);
    EXPECT_EQ(r[15], 0x34);
    // Other channels' records and scan bits stay as they were.
    for (size_t offset = 0; offset < image::kSize; ++offset) {
        const bool own = offset >= image::channelOffset(9) && offset < image::channelOffset(10);
        const bool scanByte = offset == image::offset::kScanBitmap + 1; // channel 9 is bit 0 there
        if (!own && !scanByte) {
            ASSERT_EQ(img.byte(offset), before.byte(offset)) << "offset " << offset;
        }
    }
    EXPECT_EQ(img.byte(image::offset::kScanBitmap + 1), before.byte(image::offset::kScanBitmap + 1) | 0x01);
}

TEST(ChannelCodec, DecodesAnErasedImageAsNoChannels) {
    const Channels channels = ChannelCodec::decodeAll(MemoryImage());
    for (const Channel& c : channels) {
        EXPECT_FALSE(c.hasFrequency());
        EXPECT_EQ(c.rxTone, Tone::none());
    }
    MemoryImage reencoded;
    ChannelCodec::encodeAll(reencoded, channels);
    // Busy-lock bits 11 read as the tone lock, which is stored as 10; every other byte stays.
    MemoryImage expected;
    for (int ch = 1; ch <= image::kChannelCount; ++ch) {
        expected.setByte(image::channelOffset(ch) + image::record::kBusyLock, 0xF7);
    }
    EXPECT_EQ(reencoded, expected);
}

TEST(ChannelEdit, FrequencyEntriesAreCheckedAgainstBandAndStep) {
    const BandLimits band{13600000, 17400000};
    const struct {
        const char* name;
        const char* typed;
        uint32_t freq10Hz;
        std::optional<MessageId> refusal;
    } rows[] = {
        {"on the 5 kHz step", "145.005", 14500500, std::nullopt},
        {"on the 6.25 kHz step", "145.00625", 14500625, std::nullopt},
        {"band limits are inclusive", "174", 17400000, std::nullopt},
        {"off step", "145.001", 0, MessageId::OffStep},
        {"below the band", "135.995", 0, MessageId::OutOfRange},
        {"zero", "0", 0, MessageId::OutOfRange},
        {"more than eight digits", "1000000", 0, MessageId::OutOfRange},
        {"not a number", "abc", 0, MessageId::OutOfRange},
    };
    for (const auto& row : rows) {
        const channeledit::FrequencyEntry entry = channeledit::readFrequency(row.typed, band);
        EXPECT_EQ(entry.refusal, row.refusal) << row.name;
        if (!row.refusal) {
            EXPECT_EQ(entry.freq10Hz, row.freq10Hz) << row.name;
        }
    }
    EXPECT_EQ(channeledit::readFrequency("1000000", {0, 2000000000}).refusal, MessageId::OutOfRange)
        << "the image cannot hold it, whatever the band says";
}

TEST(ChannelEdit, ReceiveAndTransmitFollowTheGridsRules) {
    Channel c = Channel::erased();
    channeledit::setTransmit(c, 14500000u);
    EXPECT_FALSE(c.tx10Hz) << "no transmit frequency without a receive frequency";

    channeledit::setReceive(c, 14500000u);
    EXPECT_EQ(c, Channel::onFrequency(14500000)) << "a new channel gets the defaults";

    c.txTone = Tone::ctcss(885);
    channeledit::setReceive(c, 14600000u);
    EXPECT_EQ(c.rx10Hz, 14600000u);
    EXPECT_EQ(c.tx10Hz, 14500000u) << "an existing channel changes its receive frequency only";
    EXPECT_EQ(c.txTone, Tone::ctcss(885));

    channeledit::setTransmit(c, std::nullopt);
    EXPECT_EQ(c.tx10Hz, 14600000u) << "an empty transmit frequency falls back to receive";

    channeledit::setReceive(c, std::nullopt);
    EXPECT_EQ(c, Channel::erased()) << "an empty receive frequency deletes the channel";
}

} // namespace
