#include "compare/ImageCompare.h"

#include <cstdio>

namespace {

std::string rowHex(const MemoryImage& image, size_t row) {
    std::string text;
    for (size_t i = 0; i < image::kRowSize; ++i) {
        char hex[3];
        std::snprintf(hex, sizeof hex, "%02X", image.byte(row * image::kRowSize + i));
        text += hex;
    }
    return text;
}

} // namespace

std::vector<ImageDifference> compareImages(const MemoryImage& from, const MemoryImage& to, Language,
                                           bool withReserved) {
    std::vector<ImageDifference> differences;
    const size_t rows = withReserved ? image::kRowCount : image::kTransferRows;
    for (size_t row = 0; row < rows; ++row) {
        if (rowHex(from, row) != rowHex(to, row)) {
            differences.push_back(
                {ImageDifference::Kind::Reserved, 0, "row " + std::to_string(row), rowHex(from, row), rowHex(to, row)});
        }
    }
    return differences;
}

std::string differenceLine(const ImageDifference& difference, Language) {
    return difference.what + "  " + difference.before + " -> " + difference.after;
}
