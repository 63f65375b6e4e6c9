#pragma once

// The grid's texts of a channel table as one value, for the fuzz targets that compare tables.

#include "channels/ChannelTable.h"

#include <array>
#include <string>

namespace fuzz {

using Texts = std::array<std::array<std::string, kGridCols>, kGridRows>;

inline Texts textsOf(const ChannelTable& table) {
    Texts texts;
    for (int row = 0; row < kGridRows; ++row) {
        for (int col = 0; col < kGridCols; ++col) {
            texts[static_cast<size_t>(row)][static_cast<size_t>(col)] = table.text(row, col);
        }
    }
    return texts;
}

} // namespace fuzz
