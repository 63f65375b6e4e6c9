#pragma once

#include "channels/RadioModel.h"
#include "image/MemoryImage.h"
#include "text/CoreTexts.h"

#include <string>

// What "radioprog show" prints about an image: the type and band, the 16 channels as the
// channel grid shows them, and the radio-wide options.
namespace imagereport {

// Aligned columns for a terminal, in English or Chinese.
std::string text(const MemoryImage& image, const radiomodel::TypeAndBand& band, Language language);

// One JSON object: type, band, type_name, band_name, freq_min, freq_max, channels (the grid's
// English texts) and options (the raw option bytes).
std::string json(const MemoryImage& image, const radiomodel::TypeAndBand& band);

// Columns a UTF-8 text takes on a terminal: two for East Asian wide characters, one otherwise.
size_t displayWidth(const std::string& text);

} // namespace imagereport
