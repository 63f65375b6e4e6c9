#include "ReportPainter.h"

#include "report/FleetReport.h"
#include "report/Report.h"

#include <QFont>
#include <QFontMetrics>
#include <QPagedPaintDevice>
#include <QPainter>

#include <functional>

namespace {

// A font whose character height and average width are the given twips on this device.
QFont reportFont(const ReportFont& size, const QPaintDevice& device) {
    QFont font(QString::fromLatin1(report::kFontFamily));
    font.setStyleHint(QFont::Serif);
    font.setWeight(QFont::Normal);
    font.setPixelSize(qMax(1, size.heightTwips * device.logicalDpiY() / report::kTwipsPerInch));
    return font;
}

// tmHeight + tmExternalLeading in twips.
int lineTwips(const QFont& font, QPaintDevice& device) {
    const QFontMetrics metrics(font, &device);
    return (metrics.height() + qMax(0, metrics.leading())) * report::kTwipsPerInch / device.logicalDpiY();
}

// Measures the two fonts on the device for `build`, then draws each page of the model it lays out.
bool paintModel(QPagedPaintDevice& device, Language language, const std::string& owner,
                const std::function<ReportModel(const ReportInput&)>& build) {
    ReportInput input;
    input.area = {device.width(), device.height(), device.logicalDpiX(), device.logicalDpiY()};
    input.language = language;
    input.owner = owner;
    const ReportUnits units = reportUnits(input.area);
    const QFont fonts[2] = {reportFont(units.reportFont, device), reportFont(units.smallFont, device)};
    input.reportLineTwips = lineTwips(fonts[0], device);
    input.smallLineTwips = lineTwips(fonts[1], device);
    const ReportModel model = build(input);

    QPainter painter;
    if (!painter.begin(&device)) {
        return false;
    }
    // Twips with y growing upwards, as the model places everything, to device pixels.
    const double sx = device.logicalDpiX() / double(report::kTwipsPerInch);
    const double sy = device.logicalDpiY() / double(report::kTwipsPerInch);
    for (int p = 0; p < model.pageCount(); ++p) {
        if (p > 0 && !device.newPage()) {
            return false;
        }
        const ReportPage& page = model.pages[static_cast<size_t>(p)];
        painter.setPen(QPen(Qt::black, 0));
        for (const ReportLine& line : page.lines) {
            painter.drawLine(QPointF(line.x1 * sx, -line.y1 * sy), QPointF(line.x2 * sx, -line.y2 * sy));
        }
        for (const ReportText& text : page.texts) {
            const QFont& font = fonts[text.font == ReportFontId::Report ? 0 : 1];
            painter.setFont(font);
            const QFontMetrics metrics(font, &device);
            painter.drawText(QPointF(text.x * sx, -text.y * sy + metrics.ascent()),
                             QString::fromStdString(text.text));
        }
    }
    return painter.end();
}

} // namespace

bool paintReport(QPagedPaintDevice& device, const MemoryImage& image, const Channels& channels,
                 Language language, const std::string& owner) {
    return paintModel(device, language, owner,
                      [&](const ReportInput& input) { return buildReport(image, channels, input); });
}

bool paintFleetReport(QPagedPaintDevice& device, const std::vector<FleetRecord>& records,
                      const std::string& master, Language language, const std::string& owner) {
    return paintModel(device, language, owner,
                      [&](const ReportInput& input) { return buildFleetReport(records, master, input); });
}
