#include "app/AppContext.h"

#include "app/HelpWindow.h"
#include "history/RadioHistory.h"
#include "platform/Paths.h"
#include "settings/UserSettings.h"

#include <QDir>
#include <QFile>

AppContext::AppContext(const QString& programDir) {
    const std::string programFolder =
        QFile::encodeName(QDir::cleanPath(QDir(programDir).absolutePath())).toStdString();
    m_dataDir = QFile::decodeName(platform::shippedDataDir(programFolder).c_str());
    if (!m_dataDir.endsWith(QLatin1Char('/'))) {
        m_dataDir += QLatin1Char('/');
    }
    m_userSettings = std::make_unique<UserSettings>(std::string());
}

AppContext::~AppContext() = default;

void AppContext::load() {
    m_settings.load(QFile::encodeName(m_dataDir + QStringLiteral("Program.ini")).toStdString(),
                    platform::userConfigDir());
    m_language = m_settings.value("Setup", "Language", "");
    m_chinese = m_language == "Chinese";
    m_helpFile = m_chinese ? QStringLiteral("help/zh/index.html") : QStringLiteral("help/en/index.html");
    m_userSettings = std::make_unique<UserSettings>(m_settings.value("Setup", "AppName", ""));
}

std::string AppContext::historyFolder() const {
    return RadioHistory::defaultFolder(m_settings.value("Setup", "AppName", ""));
}

bool AppContext::backupBeforeWrite() {
    return m_userSettings->readValue("Backup", 1) != 0;
}

bool AppContext::verifyAfterWrite() {
    return m_userSettings->readValue("Verify", 1) != 0;
}

void AppContext::setBackupBeforeWrite(bool on) {
    m_userSettings->writeValue("Backup", on ? 1 : 0);
}

void AppContext::setVerifyAfterWrite(bool on) {
    m_userSettings->writeValue("Verify", on ? 1 : 0);
}

QString AppContext::iniText(const std::string& section, const char* key) const {
    return QString::fromStdString(m_settings.value(section, key, ""));
}

HelpWindow& AppContext::helpWindow() {
    if (!m_helpWindow) {
        m_helpWindow = std::make_unique<HelpWindow>(*this);
    }
    return *m_helpWindow;
}
