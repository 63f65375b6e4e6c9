#include "Engine.h"

#include "Json.h"
#include "WebJobObserver.h"
#include "channels/ChannelCsv.h"
#include "channels/ChannelEdit.h"
#include "channels/ChannelFields.h"
#include "channels/ChannelRows.h"
#include "channels/ChannelTable.h"
#include "channels/Formats.h"
#include "check/ChannelCheck.h"
#include "compare/ImageCompare.h"
#include "image/DatFile.h"
#include "options/Options.h"
#include "report/Report.h"
#include "text/AsciiText.h"

#include <fstream>
#include <iterator>

namespace {

// The Program.ini text the page fetched, read the way the desktop reads its file: IniFile reads
// files only, so the text goes through the module's memory file system.
void loadIni(IniFile& file, const std::string& text) {
    const std::string path = "/Program.ini";
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out << text;
    }
    file.load(path, false, true);
}

// The page's names of the recovery choices, in the order of JobChoice.
const char* const kChoiceNames[] = {"WriteAgain", "RestoreBackup", "WriteWithoutBackup"};

std::string result(bool ok, const std::string& message) {
    return json::Object().addBool("ok", ok).addText("message", message).text();
}

std::string frequencyText(const std::optional<uint32_t>& freq) {
    return freq ? formatFrequency(*freq) : std::string();
}

std::string numbers(const std::vector<int>& values) {
    std::vector<std::string> items;
    for (const int value : values) {
        items.push_back(json::number(value));
    }
    return json::array(items);
}

std::string applyJson(const channelplans::ApplyResult& result, bool changed) {
    std::vector<std::string> refused;
    for (const channelplans::PlanRefusal& refusal : result.refused) {
        refused.push_back(json::Object()
                              .addNumber("row", refusal.row)
                              .addNumber("channel", refusal.channel)
                              .addText("reason", refusal.reason)
                              .text());
    }
    return json::Object()
        .add("channels", numbers(result.channels))
        .add("refused", json::array(refused))
        .addBool("changed", changed)
        .text();
}

// An import's outcome as the desktop's preview shows it: the rows that cannot be taken (line and
// reason), or the channels read and those whose texts change ("" for a channel the import erases).
// `changed` tells whether the image changes at all, options included; `tooLarge` a text over the
// size a channel list can have, which is not read.
std::string importJson(const channelcsv::ImportResult& result, const MemoryImage& before, Language language,
                       bool tooLarge = false) {
    std::vector<std::string> problems;
    for (const channelcsv::Problem& problem : result.problems) {
        problems.push_back(
            json::Object().addNumber("line", problem.line).addText("reason", problem.reason).text());
    }
    std::vector<std::string> changes;
    if (result.ok() && !tooLarge) {
        for (const channelcsv::ChannelChange& change :
             channelcsv::changedChannels(before, result.image, language)) {
            changes.push_back(json::Object()
                                  .addNumber("channel", change.channel)
                                  .addText("now", change.now)
                                  .addText("after", change.after)
                                  .text());
        }
    }
    return json::Object()
        .addBool("ok", result.ok() && !tooLarge)
        .addBool("tooLarge", tooLarge)
        .add("problems", json::array(problems))
        .addNumber("channelCount", result.channelCount)
        .add("changes", json::array(changes))
        .addBool("changed", result.ok() && !tooLarge && result.image != before)
        .text();
}

// Differences as the page lists them, each with its kind (core's key), channel (0 for none), what
// differs and its texts on either side; `otherModel` when the type or band differs.
json::Object differencesJson(const std::vector<ImageDifference>& differences) {
    std::vector<std::string> changes;
    bool otherModel = false;
    for (const ImageDifference& difference : differences) {
        otherModel = otherModel || difference.kind == ImageDifference::Kind::TypeAndBand;
        changes.push_back(json::Object()
                              .addText("kind", differenceKindKey(difference.kind))
                              .addNumber("channel", difference.channel)
                              .addText("what", difference.what)
                              .addText("before", difference.before)
                              .addText("after", difference.after)
                              .text());
    }
    json::Object shown;
    shown.add("changes", json::array(changes)).addBool("otherModel", otherModel);
    return shown;
}

} // namespace

Language languageNamed(const std::string& name) {
    return name == "Chinese" ? Language::Chinese : Language::English;
}

Engine::Engine(const std::string& programIni, Language language, std::optional<radiomodel::Choice> remembered)
    : m_ini(m_iniFile), m_language(language), m_history(kHistoryFolder) {
    loadIni(m_iniFile, programIni);
    if (remembered) {
        radiomodel::remember(*remembered, m_store);
    }
    newDocument();
}

void Engine::newDocument() {
    m_image = MemoryImage::newDocument();
    m_model = radiomodel::synchronise(m_image, true, m_store, m_ini);
    m_saved = m_image;
    m_steps.clear();
    m_undone = 0;
}

std::string Engine::loadDat(const std::string& bytes) {
    MemoryImage loaded;
    if (!loadDatBytes(bytes, loaded)) {
        return result(false, dataFormatErrorText(m_language));
    }
    m_image = loaded;
    m_model = radiomodel::synchronise(m_image, false, m_store, m_ini);
    m_saved = m_image;
    m_steps.clear();
    m_undone = 0;
    return result(true, "");
}

std::string Engine::datBytes() const {
    std::vector<std::string> bytes;
    bytes.reserve(image::kSize);
    for (size_t i = 0; i < image::kSize; ++i) {
        bytes.push_back(json::number(m_image.byte(i)));
    }
    return json::array(bytes);
}

std::string Engine::caption() const {
    return radiomodel::mainTitle(languageText(LanguageText::AppName), m_model, m_language);
}

std::string Engine::cellText(int row, int col) const {
    if (row < 0 || row >= kGridRows || col < 0 || col >= kGridCols) {
        return "";
    }
    return ChannelTable(m_image, m_language).text(row, col);
}

std::string Engine::listItems(int col) const {
    if (!ChannelTable::isListColumn(col)) {
        return "[]";
    }
    return json::textArray(ChannelTable(m_image, m_language).listItems(col));
}

int Engine::initialListIndex(int col, const std::string& text) const {
    return ChannelTable::isListColumn(col) ? ChannelTable(m_image, m_language).initialListIndex(col, text)
                                           : 0;
}

// The grid editor's commit and the message the desktop shows when it refuses: for a list, that
// the channel is not in use; for a frequency, the refusal with the band it was checked against,
// and without a band where to choose one.
std::string Engine::commit(int row, int col, const std::string& text, bool userChose) {
    if (row < 1 || row >= kGridRows || col < 1 || col >= kGridCols) {
        return json::Object()
            .addBool("accepted", false)
            .addBool("changed", false)
            .addText("message", "")
            .text();
    }
    ChannelTable edited(m_image, m_language);
    const bool list = ChannelTable::isListColumn(col);
    const CommitOutcome outcome =
        list ? edited.commitList(row, col, text, userChose)
             : edited.commitFrequency(row, col, ascii::trimmed(text), m_model.limits);
    const bool changed = applyChange(edited.image());
    std::string message;
    if (!outcome.accepted && list) {
        message = coreText(CoreText::ChannelNotInUse, m_language);
    } else if (!outcome.accepted && outcome.message) {
        message = channeledit::refusalText(*outcome.message, m_model.limits, m_language);
    }
    return json::Object()
        .addBool("accepted", outcome.accepted)
        .addBool("changed", changed)
        .addText("message", message)
        .addText("caption", message.empty() ? "" : coreText(CoreText::Caution, m_language))
        .text();
}

bool Engine::applyChange(const MemoryImage& after) {
    if (after == m_image) {
        return false;
    }
    m_steps.resize(m_steps.size() - m_undone);
    m_undone = 0;
    m_steps.push_back({m_image, after});
    m_image = after;
    describe();
    return true;
}

void Engine::undo() {
    if (canUndo()) {
        ++m_undone;
        m_image = m_steps[m_steps.size() - m_undone].before;
        describe();
    }
}

void Engine::redo() {
    if (canRedo()) {
        m_image = m_steps[m_steps.size() - m_undone].after;
        --m_undone;
        describe();
    }
}

void Engine::takeImage(const MemoryImage& image) {
    if (applyChange(image)) {
        m_model = radiomodel::synchronise(m_image, false, m_store, m_ini);
    }
}

std::string Engine::typeNames() const {
    return json::textArray(radiomodel::typeNames(m_ini));
}

std::string Engine::bandNames(unsigned type) const {
    return json::textArray(radiomodel::bandNames(m_ini, type));
}

std::string Engine::choice() {
    const radiomodel::Choice chosen = radiomodel::remembered(m_store);
    return json::Object().addNumber("type", chosen.type).addNumber("band", chosen.band).text();
}

// Product Information's OK: the type and band go into the image, and the channels the new band
// does not hold are kept or cleared, as one step; the choice becomes the remembered one.
std::string Engine::chooseModel(uint32_t type, uint32_t band, bool keepChannels) {
    const radiomodel::Choice chosen{type, band};
    radiomodel::ChoiceOutcome outcome = radiomodel::choose(m_image, chosen, m_ini);
    if (!keepChannels) {
        for (const int channel : outcome.outside) {
            clearChannels(outcome.image, channel, channel);
        }
    }
    const bool changed = applyChange(outcome.image);
    m_model = outcome.model;
    radiomodel::remember(chosen, m_store);
    std::vector<std::string> outside;
    for (const int channel : outcome.outside) {
        outside.push_back(json::number(channel));
    }
    return json::Object().add("outside", json::array(outside)).addBool("changed", changed).text();
}

std::string Engine::outsideChannels(uint32_t type, uint32_t band) const {
    const radiomodel::ChoiceOutcome outcome = radiomodel::choose(m_image, {type, band}, m_ini);
    std::vector<std::string> outside;
    for (const int channel : outcome.outside) {
        outside.push_back(json::number(channel));
    }
    return json::Object()
        .add("outside", json::array(outside))
        .addText("message", outcome.outside.empty() ? std::string()
                                                    : channeledit::outsideBandText(
                                                          outcome.outside, outcome.model.limits, m_language))
        .text();
}

std::string Engine::options() const {
    std::vector<std::string> shown;
    for (const OptionInfo& info : optionTable()) {
        shown.push_back(json::Object()
                            .addText("list", info.key)
                            .addText("label", optionLabel(info.list, m_language))
                            .add("items", json::textArray(optionItems(info.list, m_language)))
                            .addNumber("selection", optionSelection(info.list, m_image))
                            .addBool("isSwitch", isSwitch(info))
                            .text());
    }
    return json::array(shown);
}

// Optional Features' OK: only the options whose selection differs from what the dialog showed
// are stored, so a byte that selects no item stays as it is unless the user chose one.
bool Engine::setOptions(const std::vector<int>& selections) {
    MemoryImage edited = m_image;
    const std::vector<OptionInfo>& table = optionTable();
    for (size_t i = 0; i < table.size() && i < selections.size(); ++i) {
        const int stored = optionSelection(table[i].list, m_image);
        const int shown = isSwitch(table[i]) ? (stored == 0 ? 0 : 1) : stored;
        const int items = static_cast<int>(optionItems(table[i].list, m_language).size());
        if (selections[i] != shown && selections[i] >= 0 && selections[i] < items) {
            storeOptionSelection(table[i].list, selections[i], edited);
        }
    }
    return applyChange(edited);
}

// File > Compare with File: the differences from the file to the document as the question before
// a write lists them, the rows that never travel included and the type and band named as
// Program.ini names them.
std::string Engine::compare(const std::string& otherBytes) const {
    MemoryImage other;
    if (!loadDatBytes(otherBytes, other)) {
        return json::Object().addText("error", dataFormatErrorText(m_language)).text();
    }
    return differencesJson(compareImages(other, m_image, m_language, true, &m_ini)).text();
}

// What the desktop names before a write: channels outside the band, and no channel at all.
std::string Engine::writeCheck() const {
    std::vector<std::string> reasons;
    if (const std::vector<int> outside = channeledit::channelsOutsideBand(m_image, m_model.limits);
        !outside.empty()) {
        reasons.push_back(channeledit::outsideBandText(outside, m_model.limits, m_language));
    }
    if (channeledit::hasNoChannelInUse(m_image)) {
        reasons.push_back(coreText(CoreText::NoChannelInUse, m_language));
    }
    std::string message;
    for (const std::string& reason : reasons) {
        message += (message.empty() ? "" : "\n") + reason;
    }
    return result(reasons.empty(), message);
}

// The desktop's report model with twips as the device's units. The page draws each text in a serif
// font whose size is the text's character height; its line, height plus leading, is about 1.15
// times that in Times New Roman and its look-alikes.
std::string Engine::report(int widthTwips, int heightTwips) const {
    ReportInput input;
    input.area = {widthTwips, heightTwips, report::kTwipsPerInch, report::kTwipsPerInch};
    input.language = m_language;
    input.owner = languageText(LanguageText::CopyrightsOwner);
    const ReportUnits units = reportUnits(input.area);
    input.reportLineTwips = units.reportFont.heightTwips * 115 / 100;
    input.smallLineTwips = units.smallFont.heightTwips * 115 / 100;
    std::vector<std::string> pages;
    for (const ReportPage& page : buildReport(m_image, input).pages) {
        std::vector<std::string> lines;
        for (const ReportLine& line : page.lines) {
            lines.push_back(json::array({json::number(line.x1), json::number(-line.y1), json::number(line.x2),
                                         json::number(-line.y2)}));
        }
        std::vector<std::string> texts;
        for (const ReportText& text : page.texts) {
            texts.push_back(
                json::array({json::number(text.font == ReportFontId::Report ? 0 : 1), json::number(text.x),
                             json::number(-text.y), json::quote(text.text)}));
        }
        pages.push_back(
            json::Object().add("lines", json::array(lines)).add("texts", json::array(texts)).text());
    }
    // y grows downwards in the answer, as on a web page.
    return json::Object()
        .add("fonts", json::array({json::number(units.reportFont.heightTwips),
                                   json::number(units.smallFont.heightTwips)}))
        .add("pages", json::array(pages))
        .text();
}

std::string Engine::read(const std::string& portName) {
    WebJobObserver observer(m_language, portName);
    RadioJob job(m_port, observer, &m_history);
    MemoryImage image = m_image;
    const JobResult done = job.read(portName, image);
    if (done.ok()) {
        takeImage(image);
    }
    return outcome(done, portName);
}

std::string Engine::write(const std::string& portName, const WriteChoices& choices) {
    JobOptions options;
    options.verify = choices.verify;
    options.backup = choices.backup;
    options.force = choices.force;
    options.changedOnly = choices.changedOnly;
    // The recovery choices start again from what the user chose for the write.
    m_lastChoices = choices;
    m_lastWasRestore = false;
    // Write Anyway follows the answer that the radio holds the document already: nothing to list.
    return runWrite(portName, m_image, options, choices.showChanges && !choices.force);
}

// A recovery choice after the last write, as core decides it; the backup switch stays the
// user's choice for that write.
std::string Engine::recover(const std::string& portName, const std::string& choice) {
    if (!m_lastWrite) {
        return json::Object().addText("error", "There is no write to recover from.").text();
    }
    std::optional<RecoveryStep> step;
    for (int i = 0; i < static_cast<int>(std::size(kChoiceNames)); ++i) {
        if (choice == kChoiceNames[i]) {
            step = recoveryStep(static_cast<JobChoice>(i), *m_lastWrite, m_lastSent, m_lastWasRestore);
        }
    }
    if (!step) {
        return json::Object().addText("error", "No such choice after this write: " + choice).text();
    }
    JobOptions options;
    options.verify = m_lastChoices.verify;
    options.backup = m_lastChoices.backup && step->backup;
    options.changedOnly = m_lastChoices.changedOnly;
    m_lastWasRestore = step->restore.has_value();
    return runWrite(portName, step->restore.value_or(m_image), options, false);
}

std::string Engine::runWrite(const std::string& portName, const MemoryImage& image, JobOptions options,
                             bool ask) {
    WebJobObserver observer(m_language, portName);
    if (ask) {
        options.confirm = [&](const MemoryImage& backup) {
            return observer.confirmChanges(changesQuestion(portName, backup, image));
        };
    }
    RadioJob job(m_port, observer, &m_history);
    const JobResult done = job.write(portName, image, options);
    m_lastWrite = done;
    m_lastSent = image;
    return outcome(done, portName);
}

// As the desktop's question before a write: the differences from what the radio holds, without
// the rows that never travel, and the check's findings for what is to be written.
std::string Engine::changesQuestion(const std::string& portName, const MemoryImage& backup,
                                    const MemoryImage& image) const {
    std::vector<std::string> findings;
    for (const Finding& finding : channelcheck::check(image, m_plans, m_language)) {
        findings.push_back(finding.text);
    }
    return differencesJson(compareImages(backup, image, m_language))
        .addText("port", portName)
        .add("findings", json::textArray(findings))
        .text();
}

std::string Engine::outcome(const JobResult& done, const std::string& portName) const {
    const JobNotice notice = jobNotice(done, m_language);
    std::string noticeJson = "null";
    if (notice.shape != JobNotice::Shape::None) {
        static const char* const kShapes[] = {"None", "Information", "Warning", "WrongRadio"};
        std::string text = notice.text;
        if (done.transfer.status == TransferStatus::PortOpenFailed &&
            !done.transfer.portError.detail.empty()) {
            // As the desktop adds the port and the system's reason.
            text += "\n\n" + portName + ": " + done.transfer.portError.detail;
        }
        std::vector<std::string> choices;
        for (const JobChoice offered : notice.choices) {
            choices.push_back(kChoiceNames[static_cast<int>(offered)]);
        }
        noticeJson = json::Object()
                         .addText("shape", kShapes[static_cast<int>(notice.shape)])
                         .addText("text", text)
                         .addText("caption", notice.caption)
                         .add("choices", json::textArray(choices))
                         .addBool("radioChanged", notice.radioChanged)
                         .text();
    }
    return json::Object()
        .addBool("ok", done.ok())
        .addText("stage", jobStageName(done.stage))
        .addBool("alreadyHeld", done.alreadyHeld)
        // A write the user declined at the question: nothing was written.
        .addBool("declined", done.declined)
        // Changed-only could not write the changed rows alone and wrote the whole memory.
        .addBool("fellBack", done.fellBack)
        // After a read: the document's type and band, which Program.ini may not list.
        .addBool("listed", m_model.listed)
        .addNumber("type", m_model.type)
        .addNumber("band", m_model.band)
        .add("notice", noticeJson)
        .add("historyKept", result(bool(done.historyKept), done.historyKept.detail))
        .text();
}

std::string Engine::history() const {
    std::vector<std::string> entries;
    for (const HistoryEntry& entry : m_history.entries()) {
        entries.push_back(
            json::Object()
                .addText("id", entry.id)
                .addText("time", entry.time)
                .addText("kind", historyKindName(entry.kind))
                .addText("kindText", historyKindText(entry.kind, m_language))
                .addText("port", entry.port)
                .addNumber("type", entry.radioType)
                .addNumber("band", entry.band)
                .addText("typeName", radiomodel::typeName(m_ini, entry.radioType))
                .addText("bandName", radiomodel::isListed(m_ini, entry.radioType, entry.band)
                                         ? radiomodel::bandName(m_ini, entry.radioType, entry.band)
                                         : "")
                .addNumber("channels", entry.channelsInUse)
                .text());
    }
    return json::array(entries);
}

std::string Engine::openHistory(const std::string& id) {
    MemoryImage image;
    const HistoryResult loaded = m_history.load(id, image);
    if (!loaded) {
        return result(false, loaded.detail);
    }
    takeImage(image);
    return result(true, "");
}

std::string Engine::addPlan(const std::string& name, const std::string& csv, const std::string& ini) {
    std::string problem;
    std::optional<ChannelPlan> plan = channelplans::parsePlan(name, csv, ini, m_language, &problem);
    if (!plan) {
        return result(false, problem);
    }
    plan->builtIn = true;
    m_plans.push_back(std::move(*plan));
    return result(true, "");
}

const ChannelPlan* Engine::findPlan(const std::string& name) const {
    for (const ChannelPlan& plan : m_plans) {
        if (plan.name == name) {
            return &plan;
        }
    }
    return nullptr;
}

std::string Engine::plans() const {
    std::vector<std::string> shown;
    for (const ChannelPlan& plan : m_plans) {
        const channelplans::Applicability fit = channelplans::applicability(plan, m_model.limits, m_language);
        std::vector<std::string> rows;
        for (const PlanChannel& row : plan.channels) {
            rows.push_back(
                json::Object()
                    .addText("name", row.name)
                    .addText("rx", frequencyText(row.channel.rx10Hz))
                    .addText("tx", frequencyText(row.channel.tx10Hz))
                    .addText("tones", channelplans::tonesText(row.channel, m_language))
                    .addText("bandwidth",
                             coreText(row.narrowOnly ? CoreText::Narrow : CoreText::Wide, m_language))
                    .addText("power", channelplans::powerLimitWords(row))
                    .text());
        }
        shown.push_back(json::Object()
                            .addText("name", plan.name)
                            .addText("region", plan.region)
                            .addText("service", plan.service)
                            .add("licence", plan.licenceNeeded ? json::boolean(*plan.licenceNeeded) : "null")
                            .addText("rule", plan.rule)
                            .addText("source", plan.source)
                            .addText("unconfirmed", plan.unconfirmed)
                            .addBool("described", plan.hasDescription)
                            .addBool("applicable", fit.applicable)
                            .addText("reason", fit.reason)
                            .add("rows", json::array(rows))
                            .text());
    }
    return json::array(shown);
}

std::string Engine::planEffect(const std::string& name, const channelplans::ApplyRequest& request) const {
    const ChannelPlan* plan = findPlan(name);
    if (!plan) {
        return json::Object().addText("error", "There is no channel plan " + name + ".").text();
    }
    return applyJson(channelplans::apply(*plan, m_image, m_model.limits, request, m_language), false);
}

// A plan that does not fit the band is refused as a whole, as the desktop's dialog offers no Apply.
std::string Engine::applyPlan(const std::string& name, const channelplans::ApplyRequest& request) {
    const ChannelPlan* plan = findPlan(name);
    if (!plan) {
        return json::Object().addText("error", "There is no channel plan " + name + ".").text();
    }
    const channelplans::Applicability fit = channelplans::applicability(*plan, m_model.limits, m_language);
    if (!fit.applicable) {
        return applyJson({m_image, {}, {{0, 0, fit.reason}}}, false);
    }
    const channelplans::ApplyResult applied =
        channelplans::apply(*plan, m_image, m_model.limits, request, m_language);
    const bool changed = !applied.channels.empty() && applyChange(applied.image);
    return applyJson(applied, changed);
}

// Each finding with the grid column it points at (the channel's first column for the channel
// as a whole and the priority option) and the field's name.
std::string Engine::check() const {
    std::vector<std::string> shown;
    for (const Finding& finding : channelcheck::check(m_image, m_plans, m_language)) {
        const ChannelFieldInfo* field = channelcheck::gridField(finding.field);
        shown.push_back(json::Object()
                            .addText("kind", channelcheck::kindKey(finding.kind))
                            .addNumber("channel", finding.channel)
                            .addNumber("column", field ? field->col : 1)
                            .addText("heading", channelcheck::fieldHeading(finding.field, m_language))
                            .addText("text", finding.text)
                            .text());
    }
    return json::array(shown);
}

std::string Engine::importPreview(const std::string& csv) const {
    if (csv.size() > channelcsv::kMaxFileBytes) {
        return importJson({m_image, {}, 0, {}}, m_image, m_language, true);
    }
    return importJson(channelcsv::importCsv(csv, m_image, m_model.limits, m_language), m_image, m_language);
}

// The preview's answer, with the document changed as one undo step when the list could be taken.
std::string Engine::importApply(const std::string& csv) {
    if (csv.size() > channelcsv::kMaxFileBytes) {
        return importPreview(csv);
    }
    const MemoryImage before = m_image;
    const channelcsv::ImportResult result = channelcsv::importCsv(csv, before, m_model.limits, m_language);
    if (result.ok()) {
        applyChange(result.image);
    }
    return importJson(result, before, m_language);
}

std::string Engine::exportCsv() const {
    return json::quote(channelcsv::exportCsv(m_image));
}

namespace {

bool validRange(const CellRange& range) {
    return range.top >= 1 && range.top <= range.bottom && range.bottom < kGridRows && range.left >= 1 &&
           range.left <= range.right && range.right < kGridCols;
}

std::string badRange() {
    return json::Object().addText("error", "No such cells in the grid.").text();
}

const char* reasonName(PasteRefusal::Reason reason) {
    switch (reason) {
    case PasteRefusal::Reason::OutOfRange:
        return "OutOfRange";
    case PasteRefusal::Reason::OffStep:
        return "OffStep";
    case PasteRefusal::Reason::NotInList:
        return "NotInList";
    case PasteRefusal::Reason::PastTheGrid:
        return "PastTheGrid";
    case PasteRefusal::Reason::NotInUse:
        return "NotInUse";
    }
    return "";
}

// Core's words for a refusal where core has them; the page words the others as the desktop does.
std::string reasonText(PasteRefusal::Reason reason, Language language) {
    switch (reason) {
    case PasteRefusal::Reason::OutOfRange:
        return messageText(MessageId::OutOfRange, language);
    case PasteRefusal::Reason::OffStep:
        return messageText(MessageId::OffStep, language);
    case PasteRefusal::Reason::NotInUse:
        return coreText(CoreText::ChannelNotInUse, language);
    default:
        return "";
    }
}

} // namespace

// The refusals as the desktop lists them: the channel, the column's heading, the text and why.
std::string Engine::cellsJson(const PasteResult& result, bool changed) const {
    std::vector<std::string> refused;
    for (const PasteRefusal& refusal : result.refused) {
        const ChannelFieldInfo* field = channelFieldAt(refusal.col);
        refused.push_back(
            json::Object()
                .addNumber("row", refusal.row)
                .addNumber("col", refusal.col)
                .addText("column", field ? coreText(field->heading, m_language) : std::to_string(refusal.col))
                .addText("text", refusal.text)
                .addText("reason", reasonName(refusal.reason))
                .addText("reasonText", reasonText(refusal.reason, m_language))
                .text());
    }
    return json::Object()
        .addBool("changed", changed)
        .add("refused", json::array(refused))
        .addBool("someAccepted", result.someAccepted())
        .add("problems", "[]")
        .text();
}

std::string Engine::copyCells(CellRange range) const {
    if (!validRange(range)) {
        return badRange();
    }
    return json::Object()
        .addText("text", ::copyCells(ChannelTable(m_image, m_language), range))
        .addText("csv", range.isWholeRows() ? channelcsv::exportCsv(m_image, range.top, range.bottom) : "")
        .text();
}

std::string Engine::paste(CellRange range, const std::string& text, bool acceptedPart) {
    if (!validRange(range)) {
        return badRange();
    }
    if (isChannelList(text)) {
        MemoryImage image = m_image;
        const ListPasteResult result = pasteChannelList(image, range.top, text, m_model.limits, m_language);
        std::vector<std::string> problems;
        for (const channelcsv::Problem& problem : result.problems) {
            problems.push_back(
                json::Object().addNumber("line", problem.line).addText("reason", problem.reason).text());
        }
        const bool changed = result.problems.empty() && applyChange(image);
        return json::Object()
            .addBool("changed", changed)
            .add("refused", "[]")
            .addBool("someAccepted", false)
            .add("problems", json::array(problems))
            .text();
    }
    ChannelTable table(m_image, m_language);
    const PasteResult result = pasteIntoRange(
        table, range, text, m_model.limits, acceptedPart ? PasteMode::AcceptedPart : PasteMode::AllOrNothing);
    return cellsJson(result, result.applied && applyChange(table.image()));
}

std::string Engine::clearCells(CellRange range) {
    if (!validRange(range)) {
        return badRange();
    }
    ChannelTable table(m_image, m_language);
    ::clearCells(table, range, m_model.limits);
    return json::Object().addBool("changed", applyChange(table.image())).text();
}

std::string Engine::fillDown(CellRange range, bool acceptedPart) {
    if (!validRange(range)) {
        return badRange();
    }
    ChannelTable table(m_image, m_language);
    const PasteResult result = ::fillDown(table, range, m_model.limits,
                                          acceptedPart ? PasteMode::AcceptedPart : PasteMode::AllOrNothing);
    return cellsJson(result, result.applied && applyChange(table.image()));
}

std::string Engine::editRows(const std::string& command, int channel) {
    MemoryImage image = m_image;
    RowEdit outcome = RowEdit::OutOfRange;
    if (command == "Insert") {
        outcome = insertChannel(image, channel);
    } else if (command == "Delete") {
        outcome = deleteChannel(image, channel);
    } else if (command == "Up" || command == "Down") {
        outcome = moveChannel(image, channel, command == "Up" ? -1 : 1);
    } else {
        return json::Object().addText("error", "No such row command: " + command).text();
    }
    const char* name = outcome == RowEdit::Done     ? "Done"
                       : outcome == RowEdit::NoRoom ? "NoRoom"
                                                    : "OutOfRange";
    return json::Object()
        .addText("outcome", name)
        .addBool("changed", outcome == RowEdit::Done && applyChange(image))
        .text();
}
