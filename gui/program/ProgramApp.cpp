#include "program/ProgramApp.h"

#include "app/FileDialog.h"
#include "app/HelpKeyFilter.h"
#include "app/MessageBox.h"
#include "app/Pictures.h"
#include "document/ProgramDoc.h"
#include "editor/ChannelView.h"
#include "editor/ProgramView.h"
#include "frame/AboutDlg.h"
#include "frame/ChildFrame.h"
#include "frame/MainFrame.h"
#include "platform/Paths.h"

#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <cstdio>
#include <memory>

namespace {

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

ProgramApp::ProgramApp(const QString& appDir, QObject* parent) : QObject(parent), m_appDir(appDir) {}

ProgramApp::~ProgramApp() {
    exitInstance();
}

bool ProgramApp::initInstance(const QStringList& arguments) {
    MessageBox::resetApplicationCaption();
    const QString appDir =
        m_appDir.isEmpty() ? QFile::decodeName(platform::executableDir().c_str()) : m_appDir;

    // The settings file (a missing one is created empty), the language and what depends on it.
    m_context = std::make_unique<AppContext>(appDir);
    m_context->load();
    m_context->setDemoDevice(m_demoDevice);
    AppContext& context = *m_context;
    if (!m_startLanguage.isEmpty()) {
        storeStartLanguage();
    }
    // Until the company name is read, boxes carry the product's name as Program.ini gives it.
    for (const QString& name : {context.languageText(LanguageText::AppName),
                                QString::fromStdString(context.settings().appName())}) {
        if (!name.isEmpty()) {
            MessageBox::setApplicationCaption(name);
            break;
        }
    }
    // The application's name for assistive technology and the desktop: the product's, in the
    // language of the program, as the desktop entry gives it.
    const QString product = context.languageText(LanguageText::AppName);
    QCoreApplication::setApplicationName(product.isEmpty() ? QStringLiteral("Program") : product);
    QGuiApplication::setDesktopFileName(QStringLiteral("radio-programmer"));

    // The translation of menus, dialogs and resource strings. Without one, this box is the only
    // text that cannot come from a translation.
    if (!loadTranslation()) {
        MessageBox::show(nullptr,
                         context.language() == Language::Chinese ? QStringLiteral("加载语言链接库失败")
                                                                 : QStringLiteral("Load language DLL fail"),
                         QString(), QMessageBox::Ok);
        return false;
    }

    // The file dialogs start in the folder this user chose a file in last.
    FileDialog::setFolderStore(&context.userSettings());

    if (!m_helpFilter) {
        m_helpFilter = std::make_unique<HelpKeyFilter>(context);
        qApp->installEventFilter(m_helpFilter.get());
    }

    // The main window.
    m_mainFrame = std::make_unique<MainFrame>(context);
    MainFrame* frame = m_mainFrame.get();
    connect(frame, &MainFrame::fileNewRequested, this, &ProgramApp::onFileNew);
    connect(frame, &MainFrame::fileOpenRequested, this, &ProgramApp::onFileOpen);
    connect(frame, &MainFrame::aboutRequested, this, &ProgramApp::onAppAbout);

    // The command line: the first argument that is not an option names a file to open.
    QString file;
    for (const QString& argument : arguments) {
        if (argument.startsWith(QLatin1String("--"))) {
            std::fprintf(stderr, "Program: option %s ignored\n", qPrintable(argument));
        } else if (file.isEmpty()) {
            file = argument;
        }
    }
    // A file that cannot be opened has been reported; the program goes on with a new document.
    if (file.isEmpty() || !openDocumentFile(file)) {
        newDocument();
    }

    // Always maximised, whatever the desktop asked for.
    frame->showMaximized();
    focusChannelGrid();

    // "title.ico" replaces the program's own icon when it can be read.
    if (const QIcon icon = Pictures::titleIcon(context.dataDir()); !icon.isNull()) {
        frame->setWindowIcon(icon);
    }

    // The caption of every message box from now on.
    MessageBox::setApplicationCaption(context.languageText(LanguageText::Company));

    // The document menu: the About entry, and the Language entry only when ShowLang is set.
    frame->setAboutText(context.languageText(LanguageText::AboutTitle));
    if (!context.settings().showLanguageCommand()) {
        frame->removeLanguageCommand();
    }
    return true;
}

// A language that cannot be stored is reported, and the program starts in the one it has.
void ProgramApp::storeStartLanguage() {
    const bool chosenChinese = m_startLanguage.compare(QLatin1String("Chinese"), Qt::CaseInsensitive) == 0;
    if (!chosenChinese && m_startLanguage.compare(QLatin1String("English"), Qt::CaseInsensitive) != 0) {
        std::fprintf(stderr, "Program: --language takes English or Chinese, not %s\n",
                     qPrintable(m_startLanguage));
        return;
    }
    const IniSaveResult saved =
        m_context->storeLanguage(chosenChinese ? Language::Chinese : Language::English);
    if (!saved) {
        std::fprintf(stderr, "Program: the language could not be saved in %s: %s\n",
                     m_context->programSettings().storePath().c_str(), saved.detail.c_str());
        return;
    }
    m_context->load();
}

bool ProgramApp::loadTranslation() {
    for (std::unique_ptr<QTranslator>* installed : {&m_translator, &m_qtTranslator}) {
        if (*installed) {
            QCoreApplication::removeTranslator(installed->get());
            installed->reset();
        }
    }
    const std::string& language = m_context->languageSection();
    if (language.empty()) {
        return false;
    }
    const QString path =
        findFileIgnoringCase(m_context->dataDir(), QString::fromStdString(language) + QStringLiteral(".qm"));
    auto translator = std::make_unique<QTranslator>();
    if (path.isEmpty() || !translator->load(path)) {
        return false;
    }
    QCoreApplication::installTranslator(translator.get());
    m_translator = std::move(translator);

    // Qt's print, page setup and file dialogs and the standard buttons speak the language too,
    // from Qt's translations (qt6-translations-l10n on Debian); English needs none, and without
    // them they stay English.
    if (m_context->language() == Language::Chinese) {
        auto qtTranslator = std::make_unique<QTranslator>();
        if (qtTranslator->load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"),
                               QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
            QCoreApplication::installTranslator(qtTranslator.get());
            m_qtTranslator = std::move(qtTranslator);
        }
    }
    return true;
}

int ProgramApp::exitInstance() {
    m_mainFrame.reset();
    FileDialog::setFolderStore(nullptr);
    if (m_helpFilter) {
        qApp->removeEventFilter(m_helpFilter.get());
        m_helpFilter.reset();
    }
    for (std::unique_ptr<QTranslator>* installed : {&m_translator, &m_qtTranslator}) {
        if (*installed) {
            QCoreApplication::removeTranslator(installed->get());
            installed->reset();
        }
    }
    // Program.ini is written back here when it changed.
    m_context.reset();
    return 0;
}

void ProgramApp::newDocument() {
    auto* doc = new ProgramDoc(*m_context);
    doc->onNewDocument();
    m_mainFrame->addDocumentWindow(doc);
    focusChannelGrid();
}

void ProgramApp::focusChannelGrid() {
    if (ChildFrame* child = m_mainFrame->activeChild()) {
        child->view()->grid()->setFocus(Qt::OtherFocusReason);
    }
}

void ProgramApp::onFileNew() {
    if (m_context->isTransferRunning()) {
        return; // File New would destroy the document that the transfer works on
    }
    MainFrame* frame = m_mainFrame.get();
    if (ChildFrame* active = frame->activeChild()) {
        // The replaced document goes: unsaved changes are asked about, otherwise a warning.
        const MainFrame::SaveAnswer answer = frame->askToSave(active);
        if (answer == MainFrame::SaveAnswer::Cancelled ||
            (answer == MainFrame::SaveAnswer::Unmodified &&
             MessageBox::show(frame, tr("All data will be Cleared!"), QString(),
                              QMessageBox::Ok | QMessageBox::Cancel) != QMessageBox::Ok)) {
            return;
        }
        frame->destroyChild(active);
    }
    newDocument();
}

void ProgramApp::onFileOpen() {
    const QString path = FileDialog::getOpenFileName(m_mainFrame.get(), ProgramDoc::fileFilter());
    if (!path.isEmpty()) {
        openDocumentFile(path);
    }
}

bool ProgramApp::openDocumentFile(const QString& file) {
    MainFrame* frame = m_mainFrame.get();
    const QString path = QFileInfo(file).absoluteFilePath();
    for (ChildFrame* child : frame->childFrames()) {
        if (sameFile(child->document()->pathName(), path)) {
            frame->showChild(child);
            return true;
        }
    }
    auto doc = std::make_unique<ProgramDoc>(*m_context);
    if (const DatFileResult loaded = doc->open(path); !loaded) {
        frame->showFileError(loaded, path, false);
        return false;
    }
    // The window that was active goes out of sight with its document loaded, or, when its
    // unsaved changes are let go, goes altogether. One that a transfer works on is not asked.
    if (ChildFrame* previous = frame->activeChild()) {
        switch (previous->document()->isBusy() ? MainFrame::SaveAnswer::Unmodified
                                               : frame->askToSave(previous)) {
        case MainFrame::SaveAnswer::Cancelled:
            return false;
        case MainFrame::SaveAnswer::Discarded:
            frame->destroyChild(previous);
            break;
        case MainFrame::SaveAnswer::Unmodified:
        case MainFrame::SaveAnswer::Saved:
            previous->close();
            break;
        }
    }
    frame->addDocumentWindow(doc.release());
    focusChannelGrid();
    return true;
}

void ProgramApp::onAppAbout() {
    AboutDlg dialog(*m_context, m_mainFrame.get());
    dialog.exec();
}
