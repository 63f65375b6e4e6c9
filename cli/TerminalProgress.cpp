#include "TerminalProgress.h"

#include "InterruptGuard.h"
#include "image/MemoryImage.h"

namespace {
constexpr int kBarWidth = 30;
constexpr int kRows = static_cast<int>(image::kTransferRows);
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
