#include "compare/ImageCompare.h"

#include "channels/ChannelCodec.h"
#include "options/Options.h"

#include <gtest/gtest.h>

namespace {

// A new document of type 0 and band 0 with channel 3 in use.
MemoryImage base() {
    MemoryImage image = MemoryImage::newDocument();
    image.setRadioType(0);
    image.setBand(0);
    image.setRxFrequency(3, 44600625);
    image.setTxFrequency(3, 44600625);
    return image;
}

TEST(ImageCompare, DifferencesAndTheirLines) {
    struct Case {
        const char* name;
        void (*change)(MemoryImage&);
        bool withReserved;
        Language language;
        std::vector<std::string> lines;
    } cases[] = {
        {"equal images", [](MemoryImage&) {}, true, Language::English, {}},
        {"one field",
         [](MemoryImage& m) { m.setRxFrequency(3, 44601875); },
         false,
         Language::English,
         {"CH 3  Rx Frequency  446.00625 -> 446.01875"}},
        {"an attribute of a channel not in use",
         [](MemoryImage& m) { m.setWide(7, false); },
         false,
         Language::English,
         {"CH 7  W/N  Wide -> Narrow"}},
        {"bytes no field names",
         [](MemoryImage& m) { m.setByte(image::channelOffset(3) + 14, 0); },
         false,
         Language::English,
         {"CH 3  Other bytes  0x03E=FF -> 0x03E=00"}},
        {"added and removed",
         [](MemoryImage& m) {
             m.setRxFrequency(3, 0);
             m.setRxFrequency(5, 14652000);
             m.setTxFrequency(5, 14652000);
         },
         false,
         Language::English,
         {"CH 3  removed  446.00625", "CH 5  added  146.52000"}},
        {"an option",
         [](MemoryImage& m) { storeOptionSelection(OptionList::Squelch, 3, m); },
         false,
         Language::English,
         {"Squelch Level  5 -> 3"}},
        {"type and band, first",
         [](MemoryImage& m) {
             m.setRxFrequency(1, 44600000);
             m.setRadioType(2);
             m.setBand(1);
         },
         false,
         Language::English,
         {"Type  0 -> 2", "Band  0 -> 1", "CH 1  Rx Frequency  (empty) -> 446.00000"}},
        {"reserved rows ignored",
         [](MemoryImage& m) { m.setByte(image::kTransferSize, 0); },
         false,
         Language::English,
         {}},
        {"reserved rows as one line",
         [](MemoryImage& m) {
             m.setByte(image::kTransferSize, 0);
             m.setByte(image::kSize - 1, 0);
         },
         true,
         Language::English,
         {"Rows 51 to 63 (kept only in the file)  differ"}},
        {"Chinese",
         [](MemoryImage& m) { m.setRxFrequency(3, 44601875); },
         false,
         Language::Chinese,
         {"信道 3  接收频率  446.00625 -> 446.01875"}},
    };
    for (const Case& c : cases) {
        MemoryImage to = base();
        c.change(to);
        std::vector<std::string> lines;
        for (const ImageDifference& difference : compareImages(base(), to, c.language, c.withReserved)) {
            lines.push_back(differenceLine(difference, c.language));
        }
        EXPECT_EQ(lines, c.lines) << c.name;
    }
}

} // namespace
