#pragma once

#include "radio/RadioJob.h"

#include <cstdio>
#include <string>

// Drives a transfer job from the terminal: a progress bar of the 51 rows for each stage on
// `stream`, labelled with the stage (when `visible`, which callers set only for a terminal, so
// that logs and pipes stay clean), Ctrl+C as the cancel request (through InterruptGuard, which
// the caller holds), and a fixed number of handshake retries per stage in place of the
// desktop's Retry/Cancel question.
class TerminalProgress : public IJobObserver {
public:
    TerminalProgress(std::FILE* stream, bool visible, int retries);

    void onStage(JobStage stage) override;
    void onProgress(int row) override;
    bool pump() override;
    bool retryAfterCommunicationError() override;

    // Ends the bar's line, if one was drawn.
    void finish();
    // Handshake attempts made in the current stage.
    int attempts() const { return m_retriesUsed + 1; }

private:
    void draw(int row);

    std::FILE* m_stream;
    bool m_visible;
    bool m_drawn = false;
    std::string m_label;
    int m_retries;
    int m_retriesUsed = 0;
};
