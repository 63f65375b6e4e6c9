#pragma once

#include <QCoreApplication>
#include <QString>

#include <string>

// The system's reason for a failed file or device operation ("No such file or directory", as
// strerror and QFileDevice::errorString() word it) in the interface's language. The common
// reasons are translated wherever they stand in the text ("/dev/ttyUSB0: Permission denied"
// keeps its device); a reason this does not know stays as the system gave it.
class SystemReason {
    Q_DECLARE_TR_FUNCTIONS(SystemReason)
public:
    static QString text(const QString& reason);
    // A reason that core returns (in the local 8-bit encoding, as the C library gives it).
    static QString text(const std::string& reason);
};
