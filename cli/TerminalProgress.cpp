#include "TerminalProgress.h"

#include "InterruptGuard.h"
#include "image/MemoryImage.h"

#include <sys/ioctl.h>
#include <unistd.h>

namespace {
constexpr int kBarWidth = 30;
constexpr int kRows = static_cast<int>(image::kTransferRows);

// The terminal's width in columns, or 0 when it does not say.
size_t terminalColumns(std::FILE* stream) {
    winsize size{};
    return ::ioctl(::fileno(stream), TIOCGWINSZ, &size) == 0 ? size.ws_col : 0;
}
} // namespace

TerminalProgress::TerminalProgress(std::FILE* stream, bool visible, int retries)
    : m_stream(stream), m_visible(visible), m_retries(retries) {}

void TerminalProgress::onStage(JobStage stage) {
    finish();
    m_label = jobStageText(stage, Language::English);
    m_retriesUsed = 0;
    draw(0);
}

void TerminalProgress::draw(int row) {
    if (!m_visible) {
        return;
    }
    const int filled = row * kBarWidth / kRows;
    std::string bar(static_cast<size_t>(filled), '#');
    bar.append(static_cast<size_t>(kBarWidth - filled), '-');
    std::fprintf(m_stream, "\r%s [%s] %2d/%d", m_label.c_str(), bar.c_str(), row, kRows);
    std::fflush(m_stream);
    m_drawn = true;
}

void TerminalProgress::onProgress(int row) {
    draw(row);
}

bool TerminalProgress::pump() {
    return InterruptGuard::interrupted();
}

bool TerminalProgress::retryAfterCommunicationError() {
    if (InterruptGuard::interrupted()) {
        return true; // the pumps before the next attempt see Ctrl+C and cancel cleanly
    }
    if (m_retriesUsed >= m_retries) {
        return false;
    }
    ++m_retriesUsed;
    return true;
}

void TerminalProgress::finish() {
    if (m_drawn) {
        std::fputc('\n', m_stream);
        std::fflush(m_stream);
        m_drawn = false;
    }
}

FleetTerminalProgress::FleetTerminalProgress(std::FILE* stream, bool visible,
                                             const std::vector<FleetPort>& ports)
    : m_stream(stream), m_visible(visible) {
    for (const FleetPort& port : ports) {
        m_ports.push_back({port.name, std::string(), 0});
    }
}

void FleetTerminalProgress::onStage(size_t portIndex, JobStage stage) {
    const std::lock_guard<std::mutex> lock(m_mutex);
    if (portIndex < m_ports.size()) {
        // A fleet line holds up to four ports: each stage in a word.
        m_ports[portIndex].stage = jobStageKey(stage);
        m_ports[portIndex].row = 0;
        draw();
    }
}

void FleetTerminalProgress::onProgress(size_t portIndex, int row) {
    const std::lock_guard<std::mutex> lock(m_mutex);
    if (portIndex < m_ports.size()) {
        m_ports[portIndex].row = row;
        draw();
    }
}

bool FleetTerminalProgress::cancelled() {
    return InterruptGuard::interrupted();
}

void FleetTerminalProgress::draw() {
    if (!m_visible) {
        return;
    }
    std::string line;
    for (const PortState& port : m_ports) {
        if (!port.stage.empty()) {
            line += (line.empty() ? "" : "   ") + port.name + " " + port.stage + " " +
                    std::to_string(port.row) + "/" + std::to_string(kRows);
        }
    }
    // A line longer than the terminal would wrap, and \r would redraw only its last part.
    const size_t columns = terminalColumns(m_stream);
    if (columns > 1 && line.size() > columns - 1) {
        line.resize(columns - 1);
    }
    const size_t width = line.size();
    line.append(m_drawnWidth > width ? m_drawnWidth - width : 0, ' ');
    std::fprintf(m_stream, "\r%s", line.c_str());
    std::fflush(m_stream);
    m_drawnWidth = width;
}

void FleetTerminalProgress::finish() {
    const std::lock_guard<std::mutex> lock(m_mutex);
    if (m_drawnWidth > 0) {
        std::fputc('\n', m_stream);
        std::fflush(m_stream);
        m_drawnWidth = 0;
    }
    for (PortState& port : m_ports) {
        port.stage.clear();
        port.row = 0;
    }
}
