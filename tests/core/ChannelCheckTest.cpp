#include "check/ChannelCheck.h"
#include "channels/ChannelCodec.h"
#include "options/Options.h"

#include <gtest/gtest.h>

namespace {

const std::vector<ChannelPlan>& builtInPlans() {
    static const std::vector<ChannelPlan> plans =
        channelplans::loadFolder(std::string(RADIO_RES_DIR) + "/plans", true, Language::English).plans;
    return plans;
}

Channel channel(uint32_t rx, uint32_t tx, bool wide, bool high, Tone rxTone = {}, Tone txTone = {}) {
    Channel c = Channel::onFrequency(rx);
    c.tx10Hz = tx;
    c.wide = wide;
    c.highPower = high;
    c.rxTone = rxTone;
    c.txTone = txTone;
    return c;
}

struct Expected {
    FindingKind kind;
    int channel;
    FindingField field;
    const char* service;
    const char* words; // a part of the English text
};

struct Case {
    const char* name;
    std::vector<Channel> channels; // channels 1, 2, ...
    int priority;                  // 0 for Off
    std::vector<Expected> findings;
};

const Tone k885 = Tone::ctcss(885);

TEST(ChannelCheck, FindingsNameTheChannelFieldAndWhatToDo) {
    const Case cases[] = {
        {"clean simplex", {channel(14550000, 14550000, false, false)}, 0, {}},
        {"wide PMR446",
         {channel(44600625, 44600625, true, false)},
         0,
         {{FindingKind::TooWide, 1, FindingField::Width, "PMR446", "CH 1, W/N: 446.00625 MHz"}}},
        {"high PMR446",
         {channel(44600625, 44600625, false, true)},
         0,
         {{FindingKind::HighPower, 1, FindingField::Power, "PMR446", "Low power against 0.5 W ERP"}}},
        {"wide FRS 1, which GMRS allows",
         {channel(46256250, 46256250, true, false)},
         0,
         {{FindingKind::TooWide, 1, FindingField::Width, "FRS", "FRS allows only narrow"}}},
        {"GMRS repeater pair", {channel(46255000, 46755000, true, true)}, 0, {}},
        {"FRS 8 high",
         {channel(46756250, 46756250, false, true)},
         0,
         {{FindingKind::HighPower, 1, FindingField::Power, "FRS", "0.5 W ERP"},
          {FindingKind::HighPower, 1, FindingField::Power, "GMRS", "0.5 W ERP"}}},
        {"PMR446 into FRS",
         {channel(44600625, 46256250, false, false)},
         0,
         {{FindingKind::MixedServices, 1, FindingField::TxFrequency, "FRS/GMRS",
           "receive frequency is PMR446"}}},
        {"PMR446 into nothing",
         {channel(44600625, 44650000, false, false)},
         0,
         {{FindingKind::TransmitNoPlan, 1, FindingField::TxFrequency, "PMR446",
           "446.50000 MHz is in no plan"}}},
        {"decode only",
         {channel(14550000, 14550000, false, false, k885, {})},
         0,
         {{FindingKind::DecodeOnly, 1, FindingField::TxTone, "", "they may not hear you"}}},
        {"encode only",
         {channel(14550000, 14550000, false, false, {}, k885)},
         0,
         {{FindingKind::EncodeOnly, 1, FindingField::RxTone, "", "they will hear you"}}},
        {"twins",
         {channel(14550000, 14550000, false, false), channel(14550000, 14550000, false, false)},
         0,
         {{FindingKind::Duplicate, 2, FindingField::Channel, "", "same as channel 1"}}},
        {"empty priority",
         {channel(14550000, 14550000, false, false)},
         3,
         {{FindingKind::PriorityEmpty, 3, FindingField::Priority, "", "channel 3 is the priority channel"}}},
        {"priority not scanned",
         {[] {
             Channel c = channel(14550000, 14550000, false, false);
             c.scanned = false;
             return c;
         }()},
         1,
         {{FindingKind::PriorityNotScanned, 1, FindingField::Scan, "", "set its Scan to Yes"}}},
    };
    for (const Case& c : cases) {
        MemoryImage image = MemoryImage::newDocument();
        for (size_t i = 0; i < c.channels.size(); ++i) {
            ChannelCodec::encode(image, static_cast<int>(i) + 1, c.channels[i]);
        }
        storeOptionSelection(OptionList::Priority, c.priority, image);
        const std::vector<Finding> findings = channelcheck::check(image, builtInPlans(), Language::English);
        ASSERT_EQ(findings.size(), c.findings.size())
            << c.name << (findings.empty() ? "" : ": " + findings[0].text);
        for (size_t i = 0; i < findings.size(); ++i) {
            const Expected& e = c.findings[i];
            EXPECT_EQ(findings[i].kind, e.kind) << c.name;
            EXPECT_EQ(findings[i].channel, e.channel) << c.name;
            EXPECT_EQ(findings[i].field, e.field) << c.name;
            EXPECT_EQ(findings[i].service, e.service) << c.name;
            EXPECT_NE(findings[i].text.find(e.words), std::string::npos)
                << c.name << ": " << findings[i].text;
        }
    }
}

TEST(ChannelCheck, FindingsAreInChinese) {
    MemoryImage image = MemoryImage::newDocument();
    ChannelCodec::encode(image, 2, channel(44600625, 44600625, true, false));
    const std::vector<Finding> findings = channelcheck::check(image, builtInPlans(), Language::Chinese);
    ASSERT_EQ(findings.size(), 1u);
    EXPECT_EQ(findings[0].text.rfind("信道 2，宽/窄：446.00625 MHz 是 PMR446 频率", 0), 0u)
        << findings[0].text;
}

} // namespace
