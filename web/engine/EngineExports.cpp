// The module's exports, called by web/site/engine.js through ccall. Every answer is a JSON text
// that lives until the next call; a C++ exception ends at this boundary as {"error": message},
// so a fault in one call never leaves the page with a broken module. The radio calls suspend
// (Asyncify) and must be called with ccall's async option, one at a time.

#include "Engine.h"
#include "Json.h"
#include "channels/ChannelCsv.h"

#include <emscripten.h>

#include <exception>
#include <string>
#include <vector>

namespace {

// The answer of the last synchronous call; ccall copies it into a JS string at once.
std::string& reply() {
    static std::string text;
    return text;
}

// The answer of the last radio call. ccall copies it only once the promise settles, and the page
// may make synchronous calls before that: it has a buffer of its own.
std::string& jobReply() {
    static std::string text;
    return text;
}

template <typename Call> const char* guarded(Call call, std::string& answer = reply()) {
    try {
        answer = call();
    } catch (const std::exception& e) {
        answer = json::Object().addText("error", e.what()).text();
    } catch (...) {
        answer = json::Object().addText("error", "Unexpected failure inside the engine.").text();
    }
    return answer.c_str();
}

std::string bytes(const uint8_t* data, int count) {
    return count > 0 ? std::string(reinterpret_cast<const char*>(data), static_cast<size_t>(count))
                     : std::string();
}

std::string done() {
    return "null";
}

} // namespace

extern "C" {

// The engine is handed to JavaScript as a pointer; "null" and an error when it cannot be made.
EMSCRIPTEN_KEEPALIVE const char* engineCreate(const char* programIni, const char* language,
                                              int rememberedType, int rememberedBand, int hasRemembered) {
    return guarded([&] {
        std::optional<radiomodel::Choice> remembered;
        if (hasRemembered) {
            remembered = radiomodel::Choice{static_cast<uint32_t>(rememberedType),
                                            static_cast<uint32_t>(rememberedBand)};
        }
        auto* engine = new Engine(programIni, languageNamed(language), remembered);
        return json::number(reinterpret_cast<intptr_t>(engine));
    });
}

EMSCRIPTEN_KEEPALIVE const char* engineSetLanguage(Engine* e, const char* language) {
    return guarded([&] {
        e->setLanguage(languageNamed(language));
        return done();
    });
}

EMSCRIPTEN_KEEPALIVE const char* engineNewDocument(Engine* e) {
    return guarded([&] {
        e->newDocument();
        return done();
    });
}

EMSCRIPTEN_KEEPALIVE const char* engineLoadDat(Engine* e, const uint8_t* data, int count) {
    return guarded([&] { return e->loadDat(bytes(data, count)); });
}

EMSCRIPTEN_KEEPALIVE const char* engineDatBytes(Engine* e) {
    return guarded([&] { return e->datBytes(); });
}

EMSCRIPTEN_KEEPALIVE const char* engineModified(Engine* e) {
    return guarded([&] { return json::boolean(e->modified()); });
}

EMSCRIPTEN_KEEPALIVE const char* engineMarkSaved(Engine* e) {
    return guarded([&] {
        e->markSaved();
        return done();
    });
}

EMSCRIPTEN_KEEPALIVE const char* engineCaption(Engine* e) {
    return guarded([&] { return json::quote(e->caption()); });
}

EMSCRIPTEN_KEEPALIVE const char* engineAppName(Engine* e) {
    return guarded([&] { return json::quote(e->languageText(LanguageText::AppName)); });
}

EMSCRIPTEN_KEEPALIVE const char* engineTitle(Engine* e) {
    return guarded([&] { return json::quote(e->languageText(LanguageText::Title)); });
}

EMSCRIPTEN_KEEPALIVE const char* engineCellText(Engine* e, int row, int col) {
    return guarded([&] { return json::quote(e->cellText(row, col)); });
}

EMSCRIPTEN_KEEPALIVE const char* engineListItems(Engine* e, int col) {
    return guarded([&] { return e->listItems(col); });
}

EMSCRIPTEN_KEEPALIVE const char* engineInitialListIndex(Engine* e, int col, const char* text) {
    return guarded([&] { return json::number(e->initialListIndex(col, text)); });
}

EMSCRIPTEN_KEEPALIVE const char* engineCommit(Engine* e, int row, int col, const char* text, int userChose) {
    return guarded([&] { return e->commit(row, col, text, userChose != 0); });
}

EMSCRIPTEN_KEEPALIVE const char* engineUndo(Engine* e) {
    return guarded([&] {
        e->undo();
        return done();
    });
}

EMSCRIPTEN_KEEPALIVE const char* engineRedo(Engine* e) {
    return guarded([&] {
        e->redo();
        return done();
    });
}

EMSCRIPTEN_KEEPALIVE const char* engineUndoState(Engine* e) {
    return guarded([&] {
        return json::Object().addBool("canUndo", e->canUndo()).addBool("canRedo", e->canRedo()).text();
    });
}

EMSCRIPTEN_KEEPALIVE const char* engineTypeNames(Engine* e) {
    return guarded([&] { return e->typeNames(); });
}

EMSCRIPTEN_KEEPALIVE const char* engineBandNames(Engine* e, int type) {
    return guarded([&] { return e->bandNames(static_cast<unsigned>(type)); });
}

EMSCRIPTEN_KEEPALIVE const char* engineChoice(Engine* e) {
    return guarded([&] { return e->choice(); });
}

EMSCRIPTEN_KEEPALIVE const char* engineChooseModel(Engine* e, int type, int band, int keepChannels) {
    return guarded([&] {
        return e->chooseModel(static_cast<uint32_t>(type), static_cast<uint32_t>(band), keepChannels != 0);
    });
}

EMSCRIPTEN_KEEPALIVE const char* engineOutsideChannels(Engine* e, int type, int band) {
    return guarded(
        [&] { return e->outsideChannels(static_cast<uint32_t>(type), static_cast<uint32_t>(band)); });
}

EMSCRIPTEN_KEEPALIVE const char* engineOptions(Engine* e) {
    return guarded([&] { return e->options(); });
}

EMSCRIPTEN_KEEPALIVE const char* engineSetOptions(Engine* e, const int* selections, int count) {
    return guarded([&] {
        return json::boolean(
            e->setOptions(std::vector<int>(selections, selections + (count > 0 ? count : 0))));
    });
}

EMSCRIPTEN_KEEPALIVE const char* engineCompare(Engine* e, const uint8_t* data, int count) {
    return guarded([&] { return e->compare(bytes(data, count)); });
}

EMSCRIPTEN_KEEPALIVE const char* engineWriteCheck(Engine* e) {
    return guarded([&] { return e->writeCheck(); });
}

EMSCRIPTEN_KEEPALIVE const char* engineReport(Engine* e, int widthTwips, int heightTwips) {
    return guarded([&] { return e->report(widthTwips, heightTwips); });
}

EMSCRIPTEN_KEEPALIVE const char* engineClearPlans(Engine* e) {
    return guarded([&] {
        e->clearPlans();
        return done();
    });
}

EMSCRIPTEN_KEEPALIVE const char* engineAddPlan(Engine* e, const char* name, const char* csv,
                                               const char* ini) {
    return guarded([&] { return e->addPlan(name, csv, ini); });
}

EMSCRIPTEN_KEEPALIVE const char* enginePlans(Engine* e) {
    return guarded([&] { return e->plans(); });
}

EMSCRIPTEN_KEEPALIVE const char* enginePlanEffect(Engine* e, const char* name, int firstRow, int lastRow,
                                                  int fromChannel, int replaceAll) {
    return guarded([&] { return e->planEffect(name, {firstRow, lastRow, fromChannel, replaceAll != 0}); });
}

EMSCRIPTEN_KEEPALIVE const char* engineApplyPlan(Engine* e, const char* name, int firstRow, int lastRow,
                                                 int fromChannel, int replaceAll) {
    return guarded([&] { return e->applyPlan(name, {firstRow, lastRow, fromChannel, replaceAll != 0}); });
}

EMSCRIPTEN_KEEPALIVE const char* engineCheck(Engine* e) {
    return guarded([&] { return e->check(); });
}

// The text of a channel list comes as bytes: a file may hold anything, and is too large for the stack.
EMSCRIPTEN_KEEPALIVE const char* engineImportPreview(Engine* e, const uint8_t* data, int count) {
    return guarded([&] { return e->importPreview(bytes(data, count)); });
}

EMSCRIPTEN_KEEPALIVE const char* engineImportApply(Engine* e, const uint8_t* data, int count) {
    return guarded([&] { return e->importApply(bytes(data, count)); });
}

EMSCRIPTEN_KEEPALIVE const char* engineExportCsv(Engine* e) {
    return guarded([&] { return e->exportCsv(); });
}

EMSCRIPTEN_KEEPALIVE const char* engineCopyCells(Engine* e, int top, int left, int bottom, int right) {
    return guarded([&] { return e->copyCells({top, left, bottom, right}); });
}

// Pasted text comes as bytes, as a channel list does: the clipboard may hold anything.
EMSCRIPTEN_KEEPALIVE const char* enginePaste(Engine* e, int top, int left, int bottom, int right,
                                             int acceptedPart, const uint8_t* data, int count) {
    return guarded([&] {
        return e->paste({top, left, bottom, right}, bytes(data, count), acceptedPart != 0);
    });
}

EMSCRIPTEN_KEEPALIVE const char* engineClearCells(Engine* e, int top, int left, int bottom, int right) {
    return guarded([&] { return e->clearCells({top, left, bottom, right}); });
}

EMSCRIPTEN_KEEPALIVE const char* engineFillDown(Engine* e, int top, int left, int bottom, int right,
                                                int acceptedPart) {
    return guarded([&] { return e->fillDown({top, left, bottom, right}, acceptedPart != 0); });
}

EMSCRIPTEN_KEEPALIVE const char* engineEditRows(Engine* e, const char* command, int channel) {
    return guarded([&] { return e->editRows(command, channel); });
}

EMSCRIPTEN_KEEPALIVE const char* engineCsvByteLimit(Engine*) {
    return guarded([] { return json::number(static_cast<int>(channelcsv::kMaxFileBytes)); });
}

EMSCRIPTEN_KEEPALIVE const char* engineRead(Engine* e, const char* portName) {
    return guarded([&] { return e->read(portName); }, jobReply());
}

EMSCRIPTEN_KEEPALIVE const char* engineWrite(Engine* e, const char* portName, int verify, int backup,
                                             int showChanges, int changedOnly, int force) {
    return guarded(
        [&] {
            return e->write(portName,
                            {backup != 0, verify != 0, showChanges != 0, changedOnly != 0, force != 0});
        },
        jobReply());
}

EMSCRIPTEN_KEEPALIVE const char* engineRecover(Engine* e, const char* portName, const char* choice) {
    return guarded([&] { return e->recover(portName, choice); }, jobReply());
}

EMSCRIPTEN_KEEPALIVE const char* engineHistory(Engine* e) {
    return guarded([&] { return e->history(); });
}

EMSCRIPTEN_KEEPALIVE const char* engineOpenHistory(Engine* e, const char* id) {
    return guarded([&] { return e->openHistory(id); });
}

} // extern "C"
