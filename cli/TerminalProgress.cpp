#include "TerminalProgress.h"

#include "InterruptGuard.h"
#include "image/MemoryImage.h"

namespace {
constexpr int kBarWidth = 30;
constexpr int kRows = static_cast<int>(image::kTransferRows);
} // namespace

CTerminalProgress::CTerminalProgress(std::FILE* stream, bool visible, std::string label, int retries)
    : m_stream(stream), m_bVisible(visible), m_strLabel(std::move(label)), m_nRetries(retries) {
    draw(0);
}

void CTerminalProgress::draw(int row) {
    if (!m_bVisible) {
        return;
    }
    const int filled = row * kBarWidth / kRows;
    std::string bar(static_cast<size_t>(filled), '#');
    bar.append(static_cast<size_t>(kBarWidth - filled), '-');
    std::fprintf(m_stream, "\r%s [%s] %2d/%d", m_strLabel.c_str(), bar.c_str(), row, kRows);
    std::fflush(m_stream);
    m_bDrawn = true;
}

void CTerminalProgress::onProgress(int row) {
    draw(row);
}

bool CTerminalProgress::pump() {
    return CInterruptGuard::interrupted();
}

bool CTerminalProgress::retryAfterCommunicationError() {
    if (CInterruptGuard::interrupted()) {
        return true; // the pumps before the next attempt see Ctrl+C and cancel cleanly
    }
    if (m_nRetriesUsed >= m_nRetries) {
        return false;
    }
    ++m_nRetriesUsed;
    return true;
}

void CTerminalProgress::finish() {
    if (m_bDrawn) {
        std::fputc('\n', m_stream);
        std::fflush(m_stream);
        m_bDrawn = false;
    }
}
