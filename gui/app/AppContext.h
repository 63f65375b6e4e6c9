#pragma once

#include "app/CodeText.h"
#include "plans/ChannelPlans.h"
#include "settings/ProgramSettings.h"
#include "settings/SettingsStore.h"
#include "text/CoreTexts.h"

#include <QString>

#include <memory>
#include <string>
#include <utility>

class HelpWindow;

// Everything the desktop program holds once per process: Program.ini, the language it names,
// the folder of the translations, pictures and help pages, the per-user settings
// store, the simulated radio of --demo and whether a transfer holds the serial line.
// The application creates it at start-up and hands it to the windows that need it; it lives as
// long as the main window. All on the user-interface thread.
class AppContext {
public:
    // programDir: the program's own folder; what it ships with is found from there.
    explicit AppContext(const QString& programDir);
    ~AppContext();

    AppContext(const AppContext&) = delete;
    AppContext& operator=(const AppContext&) = delete;

    // Loads Program.ini from the folder of shipped files (a missing one is created empty when
    // the folder takes files), with the user's own copy over it when the shipped file cannot be
    // written, and settles the language and the per-user store from it.
    void load();

    // Program.ini's values by what they mean; programSettings() stores one and saves it at once,
    // in the shipped file or in the user's copy (see ProgramSettings).
    const ProgramIni& settings() const { return m_settings.ini(); }
    ProgramSettings& programSettings() { return m_settings; }
    // [Setup] Language for the next start.
    IniSaveResult storeLanguage(Language language) { return m_settings.storeLanguage(language); }
    // A text of the section of the running language (the file is UTF-8).
    QString languageText(LanguageText text) const {
        return QString::fromStdString(m_settings.ini().languageText(m_languageSection, text));
    }

    // [Setup] Language as read at start-up: the section of the language's texts in Program.ini
    // and the base name of the translation file.
    const std::string& languageSection() const { return m_languageSection; }
    // The language of the texts core holds in both languages, as ProgramIni::language() decided
    // it at start-up.
    Language language() const { return m_language; }
    // A text held in code in the language language() picks (see CodeText.h).
    QString codeText(const char* sourceText) const { return ::codeText(m_language, sourceText); }

    // The folder of the files the program ships with (Program.ini, the translations, pictures
    // and help pages), ending with '/': the program's own folder, or ../share/radio-programmer
    // from it once installed.
    QString dataDir() const { return m_dataDir; }
    // The help page of the language, relative to dataDir().
    QString helpFile() const { return m_helpFile; }

    // The remembered radio type, band and port of this user.
    ISettingsStore& userSettings() { return *m_userSettings; }

    // The folder below which /dev, /sys and /proc are read to name and check serial devices:
    // "/" on a real machine; tests give a fake tree.
    const std::string& deviceRoot() const { return m_deviceRoot; }
    void setDeviceRoot(const std::string& root) { m_deviceRoot = root; }

    // The device of the simulated radio that COM1 stands for (Program --demo); empty for none.
    // A demo radio is also the port every transfer uses, until COM Setup chooses another.
    const std::string& demoDevice() const { return m_demoDevice; }
    void setDemoDevice(const std::string& device);

    // The port every transfer of every document window uses, "COM1" to "COM4": the one this user
    // chose in COM Setup last (the per-user "com" value, COM1 when there is none), whether or not
    // a device stands for it now. setPortNumber() changes it (1..4; anything else is ignored) and
    // remembers it for the next start; the result says whether that worked.
    QString portName() const { return QStringLiteral("COM%1").arg(m_portNumber); }
    int portNumber() const { return m_portNumber; }
    SettingsWriteResult setPortNumber(int number);

    // One transfer at a time: a second one, and the commands that would end the program, wait
    // while this is set.
    bool isTransferRunning() const { return m_transferRunning; }

    // Set and cleared by ProgramDoc::TransferScope around a transfer.
    void setTransferRunning(bool running) { m_transferRunning = running; }

    // The per-user folder of the images read from and written to radios.
    std::string historyFolder() const;
    // The channel plans: the built-in ones of dataDir()/plans, then the user's own, with the
    // lists that could not be read. Read afresh on every call, so that a list the user has just
    // put into the folder is there.
    PlanLoad channelPlans() const;
    // The user's choices of how a write runs (Setup menu), kept in the per-user store: whether
    // it reads the radio first (Backup, on unless switched off), reads it back afterwards
    // (Verify, on), lists what it will change after the backup and asks first (ShowChanges, on)
    // and sends only the rows that differ from the backup (ChangedOnly, off unless switched on).
    enum class WriteChoice { Backup, Verify, ShowChanges, ChangedOnly };
    bool writeChoice(WriteChoice choice);
    void setWriteChoice(WriteChoice choice, bool on);
    // A failure to keep history is reported once per run of the program; true the first time.
    bool takeHistoryProblemReport() { return !std::exchange(m_historyProblemReported, true); }

    // The window of the manual, made on first use; one for the whole run.
    HelpWindow& helpWindow();

    // Every byte of the last transfer on the wire, for Program, Save Log.
    const std::string& lastTransferLog() const { return m_lastTransferLog; }
    void setLastTransferLog(std::string log) { m_lastTransferLog = std::move(log); }

private:
    ProgramSettings m_settings;
    std::string m_languageSection;
    Language m_language = Language::English;
    QString m_dataDir;
    QString m_helpFile;
    std::unique_ptr<ISettingsStore> m_userSettings;
    std::string m_demoDevice;
    int m_portNumber = 1;
    std::string m_deviceRoot = "/";
    bool m_transferRunning = false;
    bool m_historyProblemReported = false;
    std::string m_lastTransferLog;
    std::unique_ptr<HelpWindow> m_helpWindow;
};
