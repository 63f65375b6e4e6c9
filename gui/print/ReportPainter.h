#pragma once

#include "channels/ChannelTable.h"
#include "image/MemoryImage.h"

#include <string>

class QPagedPaintDevice;

// Draws the printed report on a printer or a PDF writer: core lays the pages out, this only
// measures the two fonts for it and draws its texts and lines, one device page per page.
// False when the device cannot be painted on (a PDF file that cannot be written, say).
bool paintReport(QPagedPaintDevice& device, const CMemoryImage& image, const CChannelTable& grid, bool chinese,
                 const std::string& owner);
