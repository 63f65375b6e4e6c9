#pragma once

#include "settings/IniFile.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>
#include <string>

class CHelpKeyFilter;
class CMainFrame;
class QTranslator;

// Process-wide state. Start-up writes it and everybody reads it afterwards, all on the user
// interface thread.
extern CIniFile g_iniFile;        // Program.ini beside the executable; written back at exit when changed
extern std::string g_strLanguage; // [Setup] Language as read: the INI section of the language's texts
                                  // and the base name of the translation file
extern bool g_bChinese;           // g_strLanguage is byte for byte "Chinese"; picks the texts held in code
extern QString g_strHelpFile;     // the help page of the language, relative to g_strAppDir
extern QString g_strAppDir;       // folder of the executable, ending with '/'
extern bool g_bNewDocument;       // the open document was made by File New and not loaded or read since
extern QString g_strMainTitle;    // caption of the main window: product, radio type and band
extern bool g_bTransferRunning;   // a transfer is under way; it processes events itself, so the
                                  // commands that would destroy its document wait until it ends

// The English or the Chinese text, as g_bChinese picks. Both are UTF-8.
QString byLanguage(const char* english, const char* chinese);
// A value of Program.ini as text (the file is UTF-8).
QString iniText(const std::string& section, const char* key);

// The application: start-up, the application-wide commands (New, Open, About) and shutdown.
class CProgramApp : public QObject {
    Q_OBJECT
public:
    // appDir: the folder that start-up reads Program.ini, the translations, the pictures and the
    // help pages from; empty for the folder of the executable.
    explicit CProgramApp(const QString& appDir = QString(), QObject* parent = nullptr);
    ~CProgramApp() override;

    static CProgramApp* instance();

    // The start-up sequence for the command line arguments after the program name. False when the
    // program has to end at once; whatever went wrong has been shown to the user.
    bool initInstance(const QStringList& arguments);
    // Releases the main window and the translation.
    int exitInstance();

    CMainFrame* mainFrame() const { return m_pMainFrame.get(); }

    // Opens a .dat file in a new document window and hides the one that was active, or brings
    // back the window that already shows that file. Failures are shown to the user.
    bool openDocumentFile(const QString& path);

public slots:
    void onFileNew();
    void onFileOpen();
    void onAppAbout();

private:
    bool loadTranslation(const QString& appDir);
    void newDocument();

    QString m_strAppDir;
    std::unique_ptr<QTranslator> m_pTranslator;
    std::unique_ptr<CMainFrame> m_pMainFrame;
    std::unique_ptr<CHelpKeyFilter> m_pHelpFilter;
};
