// The printed report of an image of any bytes on a page of any metrics. The input is the 1024
// image bytes (missing ones erased), then the printable width and height in device units, the
// two resolutions and the two line heights (four bytes each, little-endian; missing ones give a
// letter page at 600 dpi), a byte for the language and the owner line.
//
// No input may crash or overflow (the sanitizers watch that). The page extents in twips are
// never more than the area really has and never negative; and on a page whose line heights fit
// it (the 36 report lines of the footer and the 42 small lines of a full channel page within the
// height), every text and line starts inside the printable area. A negative extent (no printer
// reports one) gives negative units and is only checked for crashes.

#include "FuzzSupport.h"

#include "report/Report.h"

#include <algorithm>
#include <cstdint>

namespace {

bool fits(const PrintArea& area) {
    return area.widthDevice > 0 && area.heightDevice > 0 && area.dpiX > 0 && area.dpiY > 0;
}

int64_t trueTwips(int device, int dpi) {
    return dpi <= 0 ? 0 : static_cast<int64_t>(device) * report::kTwipsPerInch / dpi;
}

void requireInside(int x, int y, const ReportUnits& units, const char* contract) {
    fuzz::require(x >= 0 && x <= units.widthTwips && y <= 0 && y >= -units.heightTwips, contract);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::Bytes bytes(data, size);
    MemoryImage image;
    const std::string_view imageBytes = bytes.take(image::kSize);
    std::copy(imageBytes.begin(), imageBytes.end(), image.data());

    ReportInput in;
    in.area = {4800, 6360, 600, 600};
    in.reportLineTwips = 391;
    in.smallLineTwips = 313;
    if (!bytes.empty()) {
        in.area.widthDevice = bytes.int32();
        in.area.heightDevice = bytes.int32();
        in.area.dpiX = bytes.int32();
        in.area.dpiY = bytes.int32();
        in.reportLineTwips = bytes.int32();
        in.smallLineTwips = bytes.int32();
        in.language = (bytes.byte() & 1) != 0 ? Language::Chinese : Language::English;
        in.owner = std::string(bytes.rest());
    }

    const ReportModel model = buildReport(image, in);
    const ReportUnits& units = model.units;
    fuzz::require(model.pageCount() >= 1 && model.pageCount() <= 3, "the report has one to three pages");

    const int64_t width = trueTwips(in.area.widthDevice, in.area.dpiX);
    const int64_t height = trueTwips(in.area.heightDevice, in.area.dpiY);
    if (width >= 0 && height >= 0) {
        fuzz::require(units.widthTwips >= 0 && units.heightTwips >= 0 && units.lineTwips >= 0 &&
                          units.columnTwips >= 0,
                      "the units of an area of positive size are never negative");
        fuzz::require(units.widthTwips <= width && units.heightTwips <= height,
                      "the page extents are never more than the printable area");
    }

    const int64_t l = in.reportLineTwips;
    const int64_t s = in.smallLineTwips;
    const bool linesFit = l > 0 && s > 0 && 36 * l <= units.heightTwips && 42 * s <= units.heightTwips;
    if (fits(in.area) && linesFit) {
        for (const ReportPage& page : model.pages) {
            for (const ReportLine& line : page.lines) {
                requireInside(line.x1, line.y1, units, "every line starts inside the page");
                requireInside(line.x2, line.y2, units, "every line ends inside the page");
            }
            for (const ReportText& text : page.texts) {
                requireInside(text.x, text.y, units, "every text starts inside the page");
            }
        }
    }
    return 0;
}
