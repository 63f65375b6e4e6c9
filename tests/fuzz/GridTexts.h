#pragma once

// The grid's texts of a channel table as one value, for the fuzz targets that compare tables,
// and the check that the texts a table shows say its image.

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

// Every cell's own text committed again, as leaving each cell unedited does, keeps every byte
// of the image. The list cells of a row without a frequency are left out: a commit there
// clears the tone word such a row may show.
inline bool shownTextsKeepImage(ChannelTable table, BandLimits limits) {
    const MemoryImage before = table.image();
    for (int row = 1; row < kGridRows; ++row) {
        for (int col = 1; col < kGridCols; ++col) {
            if (!ChannelTable::isListColumn(col)) {
                table.commitFrequency(row, col, table.text(row, col), limits);
            } else if (table.channel(row).hasFrequency()) {
                table.commitList(row, col, table.text(row, col), false);
            }
        }
    }
    return table.image() == before;
}

} // namespace fuzz
