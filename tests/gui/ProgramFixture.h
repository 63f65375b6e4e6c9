#pragma once

#include "app/MessageBox.h"
#include "program/ProgramApp.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QUrl>

#include <functional>
#include <memory>
#include <vector>

#include <gtest/gtest.h>

class ChildFrame;
class MainFrame;
class ProgramDoc;
class QWidget;

// Program.ini of the tests: two radio types, distinct texts in both language sections.
extern const char* const kTestIni;

// Starts the program as start-up does, against a Program.ini in a temporary folder that stands
// for the folder of the executable. Message boxes and file dialogs are answered through their
// wrappers; help calls, pages for the web browser and process starts are recorded instead of
// carried out.
class ProgramFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The temporary program folder and paths in it; the user's documents folder is "documents".
    QString appDir() const { return m_dir.path(); }
    QString path(const QString& name) const { return m_dir.filePath(name); }

    // Program.ini with the given text; "{Language}" and "{ShowLang}" in kTestIni stand for values.
    void writeIni(const QString& text);
    void writeTestIni(const QString& language = QStringLiteral("English"),
                      const QString& showLang = QStringLiteral("1"));
    // Copies the built translations into the program folder.
    void copyTranslations(const QStringList& names = {QStringLiteral("English.qm"),
                                                      QStringLiteral("Chinese.qm")});
    void writeFile(const QString& name, const QByteArray& bytes);
    QByteArray readFile(const QString& name) const;

    bool start(const QStringList& arguments = {});
    MainFrame* frame() const;
    AppContext* context() const;
    ChildFrame* activeChild() const;
    ProgramDoc* activeDocument() const;
    // Document windows that are shown.
    int visibleChildCount() const;

    // The boxes shown since the last call.
    std::vector<MessageBox::Shown> shownBoxes() { return MessageBox::takeShown(); }

    // Runs the action and, once its modal dialog is up, hands the dialog to onShown (which must
    // close it). Fails the test if no modal dialog appears.
    void runModal(const std::function<void()>& action, const std::function<void(QWidget*)>& onShown);

    // The pages help calls asked for, and those handed to the web browser.
    std::vector<QUrl> m_helpUrls;
    std::vector<QUrl> m_browserUrls;
    // Whether help calls also open the help window, and whether a web browser takes a page.
    bool m_showHelpWindow = false;
    bool m_browserOpens = true;
    std::vector<QString> m_started;
    std::vector<QStringList> m_startedArguments;
    bool m_startSucceeds = true; // what the recorded start reports

private:
    QTemporaryDir m_dir;
    QString m_oldCurrent;
    std::unique_ptr<ProgramApp> m_app;
};

// A 1024-byte image file whose bytes count up, with the given radio type and band bytes.
QByteArray testImageBytes(uint8_t type = 1, uint8_t band = 0);
