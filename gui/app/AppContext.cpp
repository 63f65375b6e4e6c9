#include "app/AppContext.h"

#include "app/HelpWindow.h"
#include "history/RadioHistory.h"
#include "platform/Paths.h"
#include "radio/PortNames.h"
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
    m_languageSection = m_settings.ini().languageSection();
    m_language = m_settings.ini().language();
    m_helpFile = m_language == Language::Chinese ? QStringLiteral("help/zh/index.html")
                                                 : QStringLiteral("help/en/index.html");
    m_userSettings = std::make_unique<UserSettings>(m_settings.ini().appName());
    // A value COM Setup never stores (0, from a dialog closed with no port checked, or garbage)
    // counts as none.
    const uint32_t remembered = m_userSettings->readValue("com", 1);
    m_portNumber = remembered >= 1 && remembered <= static_cast<uint32_t>(kPortNameCount)
                       ? static_cast<int>(remembered)
                       : 1;
}

void AppContext::setDemoDevice(const std::string& device) {
    m_demoDevice = device;
    if (!device.empty()) {
        m_portNumber = 1;
    }
}

SettingsWriteResult AppContext::setPortNumber(int number) {
    if (number < 1 || number > kPortNameCount) {
        return {}; // no port COM Setup offers: the port stays
    }
    m_portNumber = number;
    return m_userSettings->writeValue("com", static_cast<uint32_t>(number));
}

std::string AppContext::historyFolder() const {
    return RadioHistory::defaultFolder(m_settings.ini().appName());
}

PlanLoad AppContext::channelPlans() const {
    const std::string shipped = QFile::encodeName(QDir::cleanPath(m_dataDir)).toStdString();
    return channelplans::loadAll(shipped, channelplans::userPlansDir(m_settings.ini().appName()), m_language);
}

namespace {

struct WriteChoiceKey {
    const char* key; // in the per-user store
    int byDefault;
};

WriteChoiceKey writeChoiceKey(AppContext::WriteChoice choice) {
    switch (choice) {
    case AppContext::WriteChoice::Backup:
        return {"Backup", 1};
    case AppContext::WriteChoice::Verify:
        return {"Verify", 1};
    case AppContext::WriteChoice::ShowChanges:
        return {"ShowChanges", 1};
    case AppContext::WriteChoice::ChangedOnly:
        return {"ChangedOnly", 0};
    }
    return {"", 0};
}

} // namespace

bool AppContext::writeChoice(WriteChoice choice) {
    const WriteChoiceKey key = writeChoiceKey(choice);
    return m_userSettings->readValue(key.key, static_cast<uint32_t>(key.byDefault)) != 0;
}

void AppContext::setWriteChoice(WriteChoice choice, bool on) {
    m_userSettings->writeValue(writeChoiceKey(choice).key, on ? 1 : 0);
}

HelpWindow& AppContext::helpWindow() {
    if (!m_helpWindow) {
        m_helpWindow = std::make_unique<HelpWindow>(*this);
    }
    return *m_helpWindow;
}
