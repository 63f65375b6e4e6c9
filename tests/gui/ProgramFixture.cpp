#include "ProgramFixture.h"

#include "app/FileDialog.h"
#include "app/Help.h"
#include "app/ProcessStarter.h"
#include "frame/ChildFrame.h"
#include "frame/MainFrame.h"
#include "image/MemoryImage.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTest>
#include <QTimer>

const char* const kTestIni = "[Setup]\n"
                             "Language={Language}\n"
                             "ShowLang={ShowLang}\n"
                             "AppName=TestRadio\n"
                             "Type1=HT-A\n"
                             "Field1=136 - 174MHz|400 - 470MHz\n"
                             "Type2=HT-B\n"
                             "Field2=400 - 470MHz\n"
                             "[English]\n"
                             "AppName=Test Programmer\n"
                             "Company=Test Company\n"
                             "About Title=About Test Programmer...\n"
                             "Version=Version 9.8\n"
                             "Copyrights=Copyright (C) Test\n"
                             "Copyrights Owner=Test Owner\n"
                             "Title=English Caption\n"
                             "[Chinese]\n"
                             "AppName=测试编程\n"
                             "Company=测试公司\n"
                             "About Title=关于测试...\n"
                             "Version=版本 9.8\n"
                             "Copyrights=版权 测试\n"
                             "Copyrights Owner=测试所有者\n"
                             "Title=中文标题\n";

void ProgramFixture::SetUp() {
    ASSERT_TRUE(m_dir.isValid());
    MessageBox::setAnsweringMode(true);
    FileDialog::setAnsweringMode(true);
    // Help calls are recorded; the help window shows them only where a test asks for it, and the
    // desktop's browser is never started.
    Help::setWatcher([this](const QUrl& url) {
        m_helpUrls.push_back(url);
        return !m_showHelpWindow;
    });
    Help::setOpener([this](const QUrl& url) {
        m_browserUrls.push_back(url);
        return m_browserOpens;
    });
    ProcessStarter::setStarter([this](const QString& program, const QStringList& arguments) {
        m_started.push_back(program);
        m_startedArguments.push_back(arguments);
        return m_startSucceeds;
    });
    // The per-user store, the radio history and relative document paths live in the test's
    // folder.
    QDir(m_dir.path()).mkpath(QStringLiteral("config"));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(path(QStringLiteral("config"))));
    QDir(m_dir.path()).mkpath(QStringLiteral("documents"));
    writeFile(QStringLiteral("config/user-dirs.dirs"),
              "XDG_DOCUMENTS_DIR=\"" + QFile::encodeName(path(QStringLiteral("documents"))) + "\"\n");
    // The radio history too.
    QDir(m_dir.path()).mkpath(QStringLiteral("data"));
    qputenv("XDG_DATA_HOME", QFile::encodeName(path(QStringLiteral("data"))));
    // The help pages, so that help calls find them.
    for (const char* language : {"en", "zh"}) {
        QDir(m_dir.path()).mkpath(QStringLiteral("help/") + QLatin1String(language));
        writeFile(QStringLiteral("help/%1/index.html").arg(QLatin1String(language)), "<html></html>");
    }
    m_oldCurrent = QDir::currentPath();
    QDir::setCurrent(m_dir.path());
}

void ProgramFixture::TearDown() {
    m_app.reset();
    Help::setWatcher(nullptr);
    Help::setOpener(nullptr);
    ProcessStarter::setStarter(nullptr);
    QDir::setCurrent(m_oldCurrent);
    MessageBox::setAnsweringMode(true);
    FileDialog::setAnsweringMode(true);
}

void ProgramFixture::writeIni(const QString& text) {
    writeFile(QStringLiteral("Program.ini"), text.toUtf8());
}

void ProgramFixture::writeTestIni(const QString& language, const QString& showLang) {
    writeIni(QString::fromUtf8(kTestIni)
                 .replace(QStringLiteral("{Language}"), language)
                 .replace(QStringLiteral("{ShowLang}"), showLang));
}

void ProgramFixture::copyTranslations(const QStringList& names) {
    for (const QString& name : names) {
        ASSERT_TRUE(QFile::copy(QStringLiteral(RADIO_BIN_DIR "/") + name, path(name))) << qPrintable(name);
    }
}

void ProgramFixture::writeFile(const QString& name, const QByteArray& bytes) {
    QFile file(path(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

QByteArray ProgramFixture::readFile(const QString& name) const {
    QFile file(path(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool ProgramFixture::start(const QStringList& arguments) {
    m_app = std::make_unique<ProgramApp>(appDir());
    const bool started = m_app->initInstance(arguments);
    if (started) {
        EXPECT_TRUE(QTest::qWaitForWindowExposed(frame()));
    }
    return started;
}

MainFrame* ProgramFixture::frame() const {
    return m_app ? m_app->mainFrame() : nullptr;
}

AppContext* ProgramFixture::context() const {
    return m_app ? m_app->context() : nullptr;
}

ChildFrame* ProgramFixture::activeChild() const {
    return frame() ? frame()->activeChild() : nullptr;
}

ProgramDoc* ProgramFixture::activeDocument() const {
    return activeChild() ? activeChild()->document() : nullptr;
}

int ProgramFixture::visibleChildCount() const {
    int count = 0;
    for (ChildFrame* child : frame()->childFrames()) {
        count += child->isVisible() ? 1 : 0;
    }
    return count;
}

void ProgramFixture::runModal(const std::function<void()>& action,
                              const std::function<void(QWidget*)>& onShown) {
    bool seen = false;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal != nullptr && modal->isVisible() && !seen) {
            seen = true;
            poll.stop();
            onShown(modal);
        }
    });
    poll.start();
    // A dialog that was never closed would hang the test: close whatever is still up after a while.
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            modal->close();
        }
    });
    guard.start(5000);
    action();
    EXPECT_TRUE(seen) << "no modal dialog appeared";
}

QByteArray testImageBytes(uint8_t type, uint8_t band) {
    QByteArray bytes(static_cast<int>(image::kSize), '\0');
    for (int i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<char>((i * 7 + 3) & 0xFF);
    }
    bytes[static_cast<int>(image::offset::kRadioType)] = static_cast<char>(type);
    bytes[static_cast<int>(image::offset::kBand)] = static_cast<char>(band);
    return bytes;
}
