#pragma once

#include "image/MemoryImage.h"
#include "text/CoreTexts.h"

#include <string>
#include <vector>

struct ImageDifference {
    enum class Kind { ChannelField, ChannelAdded, ChannelRemoved, Option, TypeAndBand, Reserved };
    Kind kind = Kind::ChannelField;
    int channel = 0;
    std::string what;
    std::string before;
    std::string after;
};

std::vector<ImageDifference> compareImages(const MemoryImage& from, const MemoryImage& to, Language language,
                                           bool withReserved = false);
std::string differenceLine(const ImageDifference& difference, Language language);
