#include "frame/KeyLockState.h"

#include <QDir>
#include <QFile>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace {

#ifndef Q_OS_WIN
// True when some LED whose name ends in suffix (e.g. "input3::capslock") is lit.
bool anyLedLit(const QStringList& leds, const QString& suffix) {
    for (const QString& led : leds) {
        if (!led.endsWith(suffix)) {
            continue;
        }
        QFile brightness(QStringLiteral("/sys/class/leds/%1/brightness").arg(led));
        if (brightness.open(QIODevice::ReadOnly) && brightness.readAll().trimmed().toInt() > 0) {
            return true;
        }
    }
    return false;
}
#endif

} // namespace

KeyLocks KeyLockState::query() {
    KeyLocks locks;
#ifdef Q_OS_WIN
    locks.capsLock = (GetKeyState(VK_CAPITAL) & 1) != 0;
    locks.numLock = (GetKeyState(VK_NUMLOCK) & 1) != 0;
    locks.scrollLock = (GetKeyState(VK_SCROLL) & 1) != 0;
#else
    const QStringList leds =
        QDir(QStringLiteral("/sys/class/leds")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    locks.capsLock = anyLedLit(leds, QStringLiteral("::capslock"));
    locks.numLock = anyLedLit(leds, QStringLiteral("::numlock"));
    locks.scrollLock = anyLedLit(leds, QStringLiteral("::scrolllock"));
#endif
    return locks;
}
