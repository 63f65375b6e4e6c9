#include "app/SystemReason.h"

#include <cerrno>
#include <cstring>

namespace {

struct KnownReason {
    int errnoValue;
    const char* text; // as the C library words it in English; the source of the translation
};

// Longer texts before those they contain ("No such device or address" before "No such device").
const KnownReason kKnownReasons[] = {
    {ENOENT, QT_TRANSLATE_NOOP("SystemReason", "No such file or directory")},
    {ENXIO, QT_TRANSLATE_NOOP("SystemReason", "No such device or address")},
    {ENODEV, QT_TRANSLATE_NOOP("SystemReason", "No such device")},
    {EACCES, QT_TRANSLATE_NOOP("SystemReason", "Permission denied")},
    {EPERM, QT_TRANSLATE_NOOP("SystemReason", "Operation not permitted")},
    {EISDIR, QT_TRANSLATE_NOOP("SystemReason", "Is a directory")},
    {ENOTDIR, QT_TRANSLATE_NOOP("SystemReason", "Not a directory")},
    {ENOSPC, QT_TRANSLATE_NOOP("SystemReason", "No space left on device")},
    {EDQUOT, QT_TRANSLATE_NOOP("SystemReason", "Disk quota exceeded")},
    {EROFS, QT_TRANSLATE_NOOP("SystemReason", "Read-only file system")},
    {EFBIG, QT_TRANSLATE_NOOP("SystemReason", "File too large")},
    {ENAMETOOLONG, QT_TRANSLATE_NOOP("SystemReason", "File name too long")},
    {EBUSY, QT_TRANSLATE_NOOP("SystemReason", "Device or resource busy")},
    {EIO, QT_TRANSLATE_NOOP("SystemReason", "Input/output error")},
};

} // namespace

QString SystemReason::text(const QString& reason) {
    for (const KnownReason& known : kKnownReasons) {
        // The words of the running C library, which may differ from the list's.
        for (const QString& system :
             {QString::fromLocal8Bit(std::strerror(known.errnoValue)), QString::fromUtf8(known.text)}) {
            if (const qsizetype at = reason.indexOf(system); at >= 0) {
                return QString(reason).replace(at, system.size(), tr(known.text));
            }
        }
    }
    return reason;
}

QString SystemReason::text(const std::string& reason) {
    return text(QString::fromLocal8Bit(reason.c_str()));
}
