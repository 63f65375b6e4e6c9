#pragma once

#include "fleet/FleetSession.h"
#include "radio/RadioJob.h"

#include <cstdio>
#include <mutex>
#include <string>
#include <vector>

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

// The same for a fleet round, whose radios are served at once, each on its own thread: one line
// with every port's stage and rows ("COM1 write 20/51   COM2 backup 7/51"), redrawn as any
// of them moves on (when `visible`), and Ctrl+C as the request to stop the round.
class FleetTerminalProgress : public IFleetObserver {
public:
    FleetTerminalProgress(std::FILE* stream, bool visible, const std::vector<FleetPort>& ports);

    void onStage(size_t portIndex, JobStage stage) override;
    void onProgress(size_t portIndex, int row) override;
    bool cancelled() override;

    // Ends the line, if one was drawn, and starts the next round from nothing.
    void finish();

private:
    struct PortState {
        std::string name;
        std::string stage; // "" until its job starts
        int row = 0;
    };
    void draw(); // m_mutex held

    std::FILE* m_stream;
    bool m_visible;
    std::mutex m_mutex;
    std::vector<PortState> m_ports;
    size_t m_drawnWidth = 0; // of the line drawn last, to blank what a shorter one leaves
};
