#pragma once

#include "channels/Channel.h"
#include "image/MemoryImage.h"
#include "text/CoreTexts.h"

#include <string>
#include <vector>

struct FleetRecord;

class QPagedPaintDevice;

// Draws the printed report of the image's options and the given channels on a printer or a PDF
// writer: core lays the pages out, this only measures the two fonts for it and draws its texts
// and lines, one device page per page. False when the device cannot be painted on (a PDF file
// that cannot be written, say).
bool paintReport(QPagedPaintDevice& device, const MemoryImage& image, const Channels& channels,
                 Language language, const std::string& owner);

// Draws the summary of a fleet session (buildFleetReport) the same way: one line per radio.
bool paintFleetReport(QPagedPaintDevice& device, const std::vector<FleetRecord>& records,
                      const std::string& master, Language language, const std::string& owner);
