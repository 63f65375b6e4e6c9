#include "channels/ChannelFields.h"
#include "channels/ChannelCodec.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

// Every field names itself everywhere, once: a heading in both languages, a radioprog key, the
// JSON keys, a help id, a width; a list field has a word for each item.
TEST(ChannelFields, EveryFieldHasItsHeadingsKeysAndWords) {
    ASSERT_EQ(channelFields().size(), static_cast<size_t>(kChannelFieldCount));
    std::set<std::string> names;
    for (const ChannelFieldInfo& field : channelFields()) {
        EXPECT_EQ(channelFieldAt(field.col), &field);
        EXPECT_EQ(channelFieldByCliKey(field.cliKey), &field);
        for (const std::string& name :
             {std::string("en ") + coreText(field.heading, Language::English),
              std::string("zh ") + coreText(field.heading, Language::Chinese),
              std::string("cli ") + field.cliKey, std::string("json ") + field.jsonKey,
              std::string("json ") + field.jsonValueKey, "help " + std::to_string(field.helpId)}) {
            EXPECT_TRUE(names.insert(name).second) << name;
        }
        EXPECT_GT(field.widthTwips, 0) << field.cliKey;
        for (size_t item = 0; field.kind == FieldKind::List && item < field.items.size(); ++item) {
            EXPECT_EQ(fieldItemFromWord(field, fieldItems(field, Language::Chinese)[item]),
                      static_cast<int>(item));
            bool worded = false;
            for (const CliWord& word : field.cliWords) {
                worded = worded || word.item == static_cast<int>(item);
            }
            EXPECT_TRUE(worded) << field.cliKey << " item " << item;
        }
    }
}

// Each item of a list or tone field goes into the image where the field's part says, and back.
TEST(ChannelFields, EveryItemRoundTripsThroughTheImage) {
    for (const ChannelFieldInfo& field : channelFields()) {
        const int count = static_cast<int>(fieldItems(field, Language::English).size());
        for (int item = 0; item < count; ++item) {
            Channel channel = Channel::onFrequency(14500000);
            setFieldItem(field, channel, item);
            MemoryImage image = MemoryImage::newDocument();
            ChannelCodec::encode(image, 5, channel);
            MemoryImage other = MemoryImage::newDocument();
            other.copyChannelPart(5, field.part, image);
            EXPECT_EQ(fieldItem(field, ChannelCodec::decode(image, 5)), item) << field.cliKey << " " << item;
            EXPECT_EQ(fieldItem(field, ChannelCodec::decode(other, 5)), item) << field.cliKey << " " << item;
        }
    }
}

} // namespace
