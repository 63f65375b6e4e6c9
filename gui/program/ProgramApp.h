#pragma once

#include "app/AppContext.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

class HelpKeyFilter;
class MainFrame;
class QTranslator;

// The application: start-up, the application-wide commands (New, Open, About) and shutdown.
class ProgramApp : public QObject {
    Q_OBJECT
public:
    // appDir: the folder that start-up reads Program.ini, the translations, the pictures and the
    // help pages from; empty for the folder of the executable.
    explicit ProgramApp(const QString& appDir = QString(), QObject* parent = nullptr);
    ~ProgramApp() override;

    // The start-up sequence for the command line arguments after the program name. False when the
    // program has to end at once; whatever went wrong has been shown to the user.
    bool initInstance(const QStringList& arguments);
    // Releases the main window and the translation.
    int exitInstance();

    MainFrame* mainFrame() const { return m_mainFrame.get(); }
    // The process-wide state; valid from initInstance() until the application ends.
    AppContext* context() const { return m_context.get(); }
    // The device of the simulated radio that COM1 stands for; set before initInstance().
    // Stores this language (English or Chinese) at start-up, as Setup, Language would, before
    // anything is shown in the language Program.ini named.
    void setStartLanguage(const QString& language) { m_startLanguage = language; }
    void setDemoDevice(const std::string& device) { m_demoDevice = device; }

    // Opens a .dat file in a new document window, or brings back the window that already shows
    // that file. The window that was active is hidden, or destroyed when the user lets its
    // unsaved changes go; false also when the user cancelled. Failures are shown to the user.
    bool openDocumentFile(const QString& path);

public slots:
    void onFileNew();
    void onFileOpen();
    void onAppAbout();

private:
    bool loadTranslation();
    void storeStartLanguage();
    void newDocument();
    // The keyboard goes to the active document's channel grid, where typing edits the current
    // cell (the first one in a new window).
    void focusChannelGrid();

    QString m_appDir;
    std::string m_demoDevice;
    QString m_startLanguage;
    std::unique_ptr<AppContext> m_context;
    std::unique_ptr<QTranslator> m_translator;
    std::unique_ptr<QTranslator> m_qtTranslator; // Qt's own dialogs and buttons
    std::unique_ptr<MainFrame> m_mainFrame;
    std::unique_ptr<HelpKeyFilter> m_helpFilter;
};
