#include "app/ProcessStarter.h"

#include <QProcess>

CProcessStarter::Starter CProcessStarter::s_starter;

bool CProcessStarter::start(const QString& program, const QStringList& arguments) {
    if (s_starter) {
        return s_starter(program, arguments);
    }
    return QProcess::startDetached(program, arguments);
}

void CProcessStarter::setStarter(Starter starter) {
    s_starter = std::move(starter);
}
