#include "app/ProgramApp.h"

#include "app/FileDialog.h"
#include "app/HelpKeyFilter.h"
#include "app/MessageBox.h"
#include "app/Pictures.h"
#include "document/ProgramDoc.h"
#include "frame/AboutDlg.h"
#include "frame/ChildFrame.h"
#include "frame/MainFrame.h"
#include "platform/Paths.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QTranslator>

#include <cstdio>
#include <cstdlib>

CIniFile g_iniFile(4);
std::string g_strLanguage;
bool g_bChinese = false;
QString g_strHelpFile;
QString g_strAppDir;
bool g_bNewDocument = false;
QString g_strMainTitle;
bool g_bTransferRunning = false;

namespace {

const char* const kSetup = "Setup";
CProgramApp* s_pApp = nullptr;

// "ShowLang" counts as set when the number at its start, read the way atoi reads it (blanks,
// a sign, digits), is not 0. An empty or missing value is 0.
bool isNonZeroNumber(const std::string& text) {
    return std::strtol(text.c_str(), nullptr, 10) != 0;
}

// The file of that name in dir, found without regard to letter case, so that "Language=chinese"
// finds Chinese.qm; empty when there is none.
QString findFileIgnoringCase(const QString& dir, const QString& fileName) {
    const QStringList entries = QDir(dir).entryList(QDir::Files | QDir::Hidden);
    for (const QString& entry : entries) {
        if (entry.compare(fileName, Qt::CaseInsensitive) == 0) {
            return QDir(dir).filePath(entry);
        }
    }
    return QString();
}

bool sameFile(const QString& a, const QString& b) {
    const QFileInfo fa(a);
    const QFileInfo fb(b);
    if (fa.exists() && fb.exists()) {
        return fa.canonicalFilePath() == fb.canonicalFilePath();
    }
    return fa.absoluteFilePath() == fb.absoluteFilePath();
}

} // namespace

QString byLanguage(const char* english, const char* chinese) {
    return QString::fromUtf8(g_bChinese ? chinese : english);
}

QString iniText(const std::string& section, const char* key) {
    return QString::fromStdString(g_iniFile.GetString(section, key, ""));
}

CProgramApp::CProgramApp(const QString& appDir, QObject* parent) : QObject(parent), m_strAppDir(appDir) {
    s_pApp = this;
}

CProgramApp::~CProgramApp() {
    exitInstance();
    if (s_pApp == this) {
        s_pApp = nullptr;
    }
}

CProgramApp* CProgramApp::instance() {
    return s_pApp;
}

bool CProgramApp::initInstance(const QStringList& arguments) {
    CMessageBox::setApplicationCaption(QStringLiteral("Program"));
    QString appDir =
        m_strAppDir.isEmpty() ? QFile::decodeName(platform::executableDir().c_str()) : m_strAppDir;
    appDir = QDir::cleanPath(QDir(appDir).absolutePath());
    if (!appDir.endsWith(QLatin1Char('/'))) {
        appDir += QLatin1Char('/');
    }

    // The settings file; a missing one is created empty.
    g_iniFile.Load(QFile::encodeName(appDir + QStringLiteral("Program.ini")).toStdString(), true, true);

    // The language and what depends on it.
    g_strLanguage = g_iniFile.GetString(kSetup, "Language", "");
    g_bChinese = g_strLanguage == "Chinese";
    g_strHelpFile = g_bChinese ? QStringLiteral("help/zh/index.html") : QStringLiteral("help/en/index.html");

    // The translation of menus, dialogs and resource strings.
    if (!loadTranslation(appDir)) {
        CMessageBox::show(nullptr, byLanguage("Load language DLL fail", "加载语言链接库失败"),
                          QStringLiteral("Program"), QMessageBox::Ok);
        return false;
    }

    // The program's folder.
    g_strAppDir = appDir;

    if (!m_pHelpFilter) {
        m_pHelpFilter = std::make_unique<CHelpKeyFilter>();
        qApp->installEventFilter(m_pHelpFilter.get());
    }

    // The main window.
    m_pMainFrame = std::make_unique<CMainFrame>();
    CMainFrame* frame = m_pMainFrame.get();
    connect(frame, &CMainFrame::fileNewRequested, this, &CProgramApp::onFileNew);
    connect(frame, &CMainFrame::fileOpenRequested, this, &CProgramApp::onFileOpen);
    connect(frame, &CMainFrame::aboutRequested, this, &CProgramApp::onAppAbout);

    // The command line: the first argument that is not an option names a file to open.
    QString file;
    for (const QString& argument : arguments) {
        if (argument.startsWith(QLatin1String("--"))) {
            std::fprintf(stderr, "Program: option %s ignored\n", qPrintable(argument));
        } else if (file.isEmpty()) {
            file = argument;
        }
    }
    if (file.isEmpty()) {
        onFileNew();
    } else if (!openDocumentFile(file)) {
        m_pMainFrame.reset();
        return false;
    }

    // Always maximised, whatever the desktop asked for.
    frame->showMaximized();

    // "title.ico" replaces the program's own icon when it can be read.
    if (const QIcon icon = CPictures::titleIcon(); !icon.isNull()) {
        frame->setWindowIcon(icon);
    }

    // The caption of every message box from now on.
    CMessageBox::setApplicationCaption(iniText(g_strLanguage, "Company"));

    // The document menu: the About entry, and the Language entry only when "ShowLang" is set.
    frame->setAboutText(iniText(g_strLanguage, "About Title"));
    if (!isNonZeroNumber(g_iniFile.GetString(kSetup, "ShowLang", ""))) {
        frame->removeLanguageCommand();
    }
    return true;
}

bool CProgramApp::loadTranslation(const QString& appDir) {
    if (m_pTranslator) {
        QCoreApplication::removeTranslator(m_pTranslator.get());
        m_pTranslator.reset();
    }
    if (g_strLanguage.empty()) {
        return false;
    }
    const QString path =
        findFileIgnoringCase(appDir, QString::fromStdString(g_strLanguage) + QStringLiteral(".qm"));
    auto translator = std::make_unique<QTranslator>();
    if (path.isEmpty() || !translator->load(path)) {
        return false;
    }
    QCoreApplication::installTranslator(translator.get());
    m_pTranslator = std::move(translator);
    return true;
}

int CProgramApp::exitInstance() {
    m_pMainFrame.reset();
    if (m_pHelpFilter) {
        qApp->removeEventFilter(m_pHelpFilter.get());
        m_pHelpFilter.reset();
    }
    if (m_pTranslator) {
        QCoreApplication::removeTranslator(m_pTranslator.get());
        m_pTranslator.reset();
    }
    return 0;
}

void CProgramApp::newDocument() {
    auto* doc = new CProgramDoc;
    doc->onNewDocument();
    m_pMainFrame->addDocumentWindow(doc);
}

void CProgramApp::onFileNew() {
    if (g_bTransferRunning) {
        return; // File New would destroy the document that the transfer works on
    }
    CMainFrame* frame = m_pMainFrame.get();
    if (CChildFrame* active = frame->activeChild()) {
        // The warning stands in for a save prompt: the replaced document goes without one.
        if (CMessageBox::show(frame, tr("All data will be Cleared!"), QString(),
                              QMessageBox::Ok | QMessageBox::Cancel) != QMessageBox::Ok) {
            return;
        }
        frame->destroyChild(active);
    }
    newDocument();
}

void CProgramApp::onFileOpen() {
    const QString path = CFileDialog::getOpenFileName(m_pMainFrame.get(), CProgramDoc::fileFilter());
    if (!path.isEmpty()) {
        openDocumentFile(path);
    }
}

bool CProgramApp::openDocumentFile(const QString& file) {
    CMainFrame* frame = m_pMainFrame.get();
    const QString path = QFileInfo(file).absoluteFilePath();
    for (CChildFrame* child : frame->childFrames()) {
        if (sameFile(child->document()->pathName(), path)) {
            frame->showChild(child);
            return true;
        }
    }
    auto* doc = new CProgramDoc;
    if (!doc->onOpenDocument(path)) {
        delete doc;
        return false;
    }
    // The window that was active goes out of sight; its document stays loaded.
    if (CChildFrame* previous = frame->activeChild()) {
        previous->close();
    }
    frame->addDocumentWindow(doc);
    return true;
}

void CProgramApp::onAppAbout() {
    CAboutDlg dialog(m_pMainFrame.get());
    dialog.exec();
}
