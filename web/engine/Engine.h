#pragma once

#include "WebSerialPort.h"
#include "channels/ChannelPaste.h"
#include "channels/ChannelRows.h"
#include "channels/RadioModel.h"
#include "history/RadioHistory.h"
#include "image/MemoryImage.h"
#include "plans/ChannelPlans.h"
#include "radio/RadioJob.h"
#include "settings/IniFile.h"
#include "settings/MemorySettings.h"
#include "settings/ProgramIni.h"
#include "text/CoreTexts.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

// The desktop's write choices of its Setup menu, which the page keeps for the user, and Write
// Anyway's `force`. With `showChanges`, after the backup the page is asked whether to write, shown
// what the write changes and the channel check's findings.
struct WriteChoices {
    bool backup = true;
    bool verify = true;
    bool showChanges = true;
    bool changedOnly = false;
    bool force = false;
};

// The browser edition's document and radio jobs, as the page's engine.js sees them: every answer
// is a JSON text (see web/site/engine.js for the shapes). One document, its undo steps (pairs of
// images), the Program.ini it was started with, the remembered type and band (the page keeps
// them in its own storage), the serial line the page connected and the history at /history.
class Engine {
public:
    static constexpr const char* kHistoryFolder = "/history";

    Engine(const std::string& programIni, Language language, std::optional<radiomodel::Choice> remembered);

    Language language() const { return m_language; }
    void setLanguage(Language language) { m_language = language; }

    // Document: synchronous.
    void newDocument();
    std::string loadDat(const std::string& bytes);
    std::string datBytes() const;
    bool modified() const { return m_image != m_saved; }
    void markSaved() { m_saved = m_image; }
    std::string caption() const;
    std::string languageText(LanguageText text) const { return m_ini.languageText(m_language, text); }
    std::string cellText(int row, int col) const;
    std::string listItems(int col) const;
    int initialListIndex(int col, const std::string& text) const;
    std::string commit(int row, int col, const std::string& text, bool userChose);
    void undo();
    void redo();
    bool canUndo() const { return m_undone < m_steps.size(); }
    bool canRedo() const { return m_undone > 0; }
    std::string typeNames() const;
    std::string bandNames(unsigned type) const;
    std::string choice();
    std::string chooseModel(uint32_t type, uint32_t band, bool keepChannels);
    // The channels in use that a choice of type and band would leave outside its band, and how the
    // desktop names them; changes nothing.
    std::string outsideChannels(uint32_t type, uint32_t band) const;
    std::string options() const;
    bool setOptions(const std::vector<int>& selections);
    // Where the .dat bytes differ from the document, shaped as changesQuestion's changes.
    std::string compare(const std::string& otherBytes) const;
    std::string writeCheck() const;
    // The printed report of the document, page by page, for a printable area of the given twips.
    std::string report(int widthTwips, int heightTwips) const;

    // Channel plans: the page fetches the built-in lists and hands them over one by one (after
    // clearPlans); a list that does not read is refused with the reason and the others stay.
    void clearPlans() { m_plans.clear(); }
    std::string addPlan(const std::string& name, const std::string& csv, const std::string& ini);
    // The plans with their descriptions, rows, and whether they fit the document's band.
    std::string plans() const;
    // What applying rows of the named plan would change, from core's apply; changes nothing.
    std::string planEffect(const std::string& name, const channelplans::ApplyRequest& request) const;
    // Applies them as one undo step; the rows refused are named.
    std::string applyPlan(const std::string& name, const channelplans::ApplyRequest& request);
    // The channel check's findings for the document against the plans.
    std::string check() const;

    // Channel lists (CSV), as File > Import Channels and Export Channels: what importing the text
    // would change, or the rows that cannot be taken; the import as one undo step, refused while
    // there are such rows; the document's list.
    std::string importPreview(const std::string& csv) const;
    std::string importApply(const std::string& csv);
    std::string exportCsv() const;

    // The grid's block commands, as the desktop's Edit menu has them, each one undo step and
    // nothing when nothing changes. Copy: the cells as tab-separated lines, and whole channels
    // also as a channel list. Paste: a channel list from the range's top channel on, or cells
    // laid from its top-left cell; all or nothing unless `acceptedPart`, with every refused cell
    // named. Clear: whole channels are erased, other cells cleared as typing would.
    std::string copyCells(CellRange range) const;
    std::string paste(CellRange range, const std::string& text, bool acceptedPart);
    std::string clearCells(CellRange range);
    std::string fillDown(CellRange range, bool acceptedPart);
    // The row commands on one channel: "Insert", "Delete", "Up" or "Down".
    std::string editRows(const std::string& command, int channel);

    // Radio: each suspends inside the module while the page's port is awaited. `portName` is
    // the name the history keeps for the line.
    std::string read(const std::string& portName);
    std::string write(const std::string& portName, const WriteChoices& choices);
    // After a write that did not succeed: "WriteAgain", "RestoreBackup" or "WriteWithoutBackup",
    // with the choices of that write; it asks nothing.
    std::string recover(const std::string& portName, const std::string& choice);

    // History: newest first.
    std::string history() const;
    std::string openHistory(const std::string& id);

private:
    struct Step {
        MemoryImage before;
        MemoryImage after;
    };
    // Makes `after` the document's image as one undo step; nothing when it is the same.
    bool applyChange(const MemoryImage& after);
    // The document takes an image from outside (a read, a history entry): one undo step, and the
    // type and band become the remembered choice as for a file.
    void takeImage(const MemoryImage& image);
    void describe() { m_model = radiomodel::describe(m_image, m_ini); }
    // `ask`: the page is asked after the backup (JobOptions::confirm), shown changesQuestion.
    std::string runWrite(const std::string& portName, const MemoryImage& image, JobOptions options, bool ask);
    // What the page shows before a write of `image` over `backup`: the port, the differences from
    // the radio's contents to the image, whether the type or band differs, and the findings.
    std::string changesQuestion(const std::string& portName, const MemoryImage& backup,
                                const MemoryImage& image) const;
    std::string outcome(const JobResult& result, const std::string& portName) const;
    const ChannelPlan* findPlan(const std::string& name) const;
    std::string cellsJson(const PasteResult& result, bool changed) const;

    IniFile m_iniFile;
    ProgramIni m_ini;
    Language m_language;
    MemorySettings m_store;
    MemoryImage m_image;
    MemoryImage m_saved;
    radiomodel::TypeAndBand m_model;
    std::vector<Step> m_steps;
    size_t m_undone = 0; // steps at the end of m_steps that were undone
    RadioHistory m_history;
    std::vector<ChannelPlan> m_plans;
    WebSerialPort m_port;

    // The last write, for the recovery choices it offers.
    std::optional<JobResult> m_lastWrite;
    MemoryImage m_lastSent;
    bool m_lastWasRestore = false;
    WriteChoices m_lastChoices;
};

Language languageNamed(const std::string& name);
