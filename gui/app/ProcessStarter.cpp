#include "app/ProcessStarter.h"

#include <QProcess>

ProcessStarter::Starter ProcessStarter::s_starter;

bool ProcessStarter::start(const QString& program, const QStringList& arguments) {
    if (s_starter) {
        return s_starter(program, arguments);
    }
    return QProcess::startDetached(program, arguments);
}

void ProcessStarter::setStarter(Starter starter) {
    s_starter = std::move(starter);
}
