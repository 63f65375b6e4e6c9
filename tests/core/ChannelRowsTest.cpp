#include "channels/ChannelRows.h"

#include <gtest/gtest.h>

namespace {

// Sixteen channels whose records are told apart by their last byte (n), channel n
// scanned when n is odd, priority on channel `priority`, and a marker outside the records.
MemoryImage numbered(int priority) {
    MemoryImage image = MemoryImage::newDocument();
    for (int n = 1; n <= image::kChannelCount; ++n) {
        image.setRxFrequency(n, 14500000 + 1000 * static_cast<uint32_t>(n));
        image.setTxFrequency(n, 14500000);
        image.setByte(image::channelOffset(n) + 15, static_cast<uint8_t>(n));
        image.setScanned(n, n % 2 == 1);
    }
    image.setByte(image::offset::kPriority, static_cast<uint8_t>(priority));
    image.setByte(0x3F0, 0x5A);
    return image;
}

// The channel whose record now stands at n, by its marker byte; 0 for an erased record.
int origin(const MemoryImage& image, int n) {
    const uint8_t marker = image.byte(image::channelOffset(n) + 15);
    return marker == 0xFF ? 0 : marker;
}

bool isErased(const MemoryImage& image, int n) {
    for (size_t i = 0; i < image::kRowSize; ++i) {
        if (image.byte(image::channelOffset(n) + i) != 0xFF) {
            return false;
        }
    }
    return !image.isScanned(n);
}

TEST(ChannelRows, InsertShiftsRecordsScanBitsAndPriorityDown) {
    MemoryImage image = numbered(3);
    image.setRxFrequency(16, 0);
    image.setTxFrequency(16, 0);
    ASSERT_EQ(insertChannel(image, 2), RowEdit::Done);
    EXPECT_EQ(origin(image, 1), 1);
    EXPECT_TRUE(isErased(image, 2));
    for (int n = 3; n <= 16; ++n) {
        EXPECT_EQ(origin(image, n), n - 1) << n;
        EXPECT_EQ(image.isScanned(n), (n - 1) % 2 == 1) << "the scan bit moves with channel " << n - 1;
    }
    EXPECT_EQ(image.byte(image::offset::kPriority), 4) << "the priority follows its channel";
    EXPECT_EQ(image.byte(0x3F0), 0x5A);
}

TEST(ChannelRows, InsertIsRefusedWhenTheLastChannelIsInUse) {
    MemoryImage image = numbered(0);
    const MemoryImage before = image;
    EXPECT_EQ(insertChannel(image, 5), RowEdit::NoRoom);
    EXPECT_EQ(image, before);
    image.setRxFrequency(16, 0); // a receive frequency alone is data too
    EXPECT_EQ(insertChannel(image, 5), RowEdit::NoRoom);
}

TEST(ChannelRows, DeleteShiftsUpAndErasesTheLast) {
    struct Row {
        const char* name;
        int priority;
        int expectedPriority;
    };
    for (const Row& row : {Row{"PriorityBelow", 9, 8}, Row{"PriorityAbove", 1, 1},
                           Row{"PriorityDeleted", 4, 0}, Row{"PriorityOff", 0, 0}}) {
        MemoryImage image = numbered(row.priority);
        ASSERT_EQ(deleteChannel(image, 4), RowEdit::Done) << row.name;
        for (int n = 4; n <= 15; ++n) {
            EXPECT_EQ(origin(image, n), n + 1) << row.name << " " << n;
            EXPECT_EQ(image.isScanned(n), (n + 1) % 2 == 1) << row.name << " " << n;
        }
        EXPECT_TRUE(isErased(image, 16)) << row.name;
        EXPECT_EQ(image.byte(image::offset::kPriority), row.expectedPriority) << row.name;
    }
}

TEST(ChannelRows, MoveSwapsNeighboursAndTheirPriority) {
    MemoryImage image = numbered(3);
    ASSERT_EQ(moveChannel(image, 3, -1), RowEdit::Done);
    EXPECT_EQ(origin(image, 2), 3);
    EXPECT_EQ(origin(image, 3), 2);
    EXPECT_TRUE(image.isScanned(2));
    EXPECT_FALSE(image.isScanned(3));
    EXPECT_EQ(image.byte(image::offset::kPriority), 2);
    ASSERT_EQ(moveChannel(image, 2, 1), RowEdit::Done);
    EXPECT_EQ(image, numbered(3)) << "moving back restores every byte";
}

TEST(ChannelRows, NothingMovesPastTheEnds) {
    MemoryImage image = numbered(0);
    const MemoryImage before = image;
    EXPECT_EQ(moveChannel(image, 1, -1), RowEdit::OutOfRange);
    EXPECT_EQ(moveChannel(image, 16, 1), RowEdit::OutOfRange);
    EXPECT_EQ(moveChannel(image, 5, 2), RowEdit::OutOfRange);
    EXPECT_EQ(deleteChannel(image, 0), RowEdit::OutOfRange);
    EXPECT_EQ(insertChannel(image, 17), RowEdit::OutOfRange);
    EXPECT_EQ(image, before);
}

} // namespace
