#include "WebJobObserver.h"

#include <emscripten.h>

// The bodies are JavaScript, which the formatter would break.
// clang-format off
// A hook that throws is the page's fault; the transfer goes on without it.
EM_JS(void, webHookStage, (const char* text, const char* name), {
    const hooks = Module.radioHooks || {};
    try {
        if (hooks.onStage) {
            hooks.onStage(UTF8ToString(text), UTF8ToString(name));
        }
    } catch (e) {
        console.error(e);
    }
});

EM_JS(void, webHookProgress, (int row), {
    const hooks = Module.radioHooks || {};
    try {
        if (hooks.onProgress) {
            hooks.onProgress(row);
        }
    } catch (e) {
        console.error(e);
    }
});

EM_JS(int, webCancelRequested, (), { return Module.radioCancel ? 1 : 0; });

// Without an askRetry hook, or when it fails, the job gives up as after Cancel.
EM_ASYNC_JS(int, webAskRetry, (const char* text), {
    const hooks = Module.radioHooks || {};
    if (!hooks.askRetry || Module.radioCancel) {
        return 0;
    }
    try {
        return (await hooks.askRetry(UTF8ToString(text))) ? 1 : 0;
    } catch (e) {
        return 0;
    }
});

// Writing needs the page's yes: without a confirmChanges hook, when it fails, or after Cancel in
// the progress box, nothing is written.
EM_ASYNC_JS(int, webAskConfirm, (const char* question), {
    const hooks = Module.radioHooks || {};
    if (!hooks.confirmChanges || Module.radioCancel) {
        return 0;
    }
    try {
        return (await hooks.confirmChanges(JSON.parse(UTF8ToString(question)))) === true ? 1 : 0;
    } catch (e) {
        console.error(e);
        return 0;
    }
});

// clang-format on

const char* jobStageName(JobStage stage) {
    switch (stage) {
    case JobStage::Backup:
        return "Backup";
    case JobStage::Write:
        return "Write";
    case JobStage::Verify:
        return "Verify";
    case JobStage::Read:
        break;
    }
    return "Read";
}

void WebJobObserver::onStage(JobStage stage) {
    webHookStage(jobStageText(stage, m_language), jobStageName(stage));
}

void WebJobObserver::onProgress(int row) {
    webHookProgress(row);
}

bool WebJobObserver::pump() {
    return webCancelRequested() != 0;
}

bool WebJobObserver::retryAfterCommunicationError() {
    // The question names the line, as the desktop names the port.
    const std::string text =
        transferMessageText(TransferStatus::CommunicationError, m_language) + "\n\n" + m_portName;
    return webAskRetry(text.c_str()) != 0;
}

bool WebJobObserver::confirmChanges(const std::string& question) {
    return webAskConfirm(question.c_str()) != 0;
}
