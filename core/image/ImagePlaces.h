#pragma once

#include "text/CoreTexts.h"
#include <cstddef>
#include <cstdint>
#include <string>

// Where a byte of the image belongs, in the words of the grid and the option dialog: "the Rx
// Frequency of channel 3", "the radio-wide options (Squelch Level)", "the type and band", in
// English or Chinese. `changedBits` are the bits of the byte that matter (a difference of two
// images): in a byte shared by several fields they pick the field, in the scan bitmap the
// channel. Offsets outside the image name the radio-wide options.
std::string imagePlaceText(size_t offset, uint8_t changedBits, Language language);
