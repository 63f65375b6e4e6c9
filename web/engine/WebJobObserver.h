#pragma once

#include "radio/RadioJob.h"
#include "text/CoreTexts.h"

#include <string>

// Drives a job for the page: stages and progress go to the hooks the page gave (Module.radioHooks),
// the pump reads the cancel flag engine.cancel() sets (Module.radioCancel), and after a failed
// handshake the module waits for the page's answer to the Retry/Cancel question, and before a
// write it is asked to show the changes.
class WebJobObserver : public IJobObserver {
public:
    WebJobObserver(Language language, std::string portName)
        : m_language(language), m_portName(std::move(portName)) {}

    void onStage(JobStage stage) override;
    void onProgress(int row) override;
    bool pump() override;
    bool retryAfterCommunicationError() override;
    // Hands the question (JSON, see Engine::changesQuestion) to the page's confirmChanges hook and
    // waits for its answer: true to write.
    bool confirmChanges(const std::string& question);

private:
    Language m_language;
    std::string m_portName;
};

// "Backup", "Write", "Verify" or "Read": the stage as the page names it.
const char* jobStageName(JobStage stage);
