#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// Starts a program as a new, independent process (the language change restarts the program
// this way). Tests put in their own starter to see what would have been started.
class ProcessStarter {
public:
    using Starter = std::function<bool(const QString& program, const QStringList& arguments)>;

    // True when the process was started; the outcome is not waited for.
    static bool start(const QString& program, const QStringList& arguments = {});
    // nullptr restores QProcess::startDetached.
    static void setStarter(Starter starter);

private:
    static Starter s_starter;
};
