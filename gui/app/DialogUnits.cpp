#include "app/DialogUnits.h"

#include <QFontMetrics>

namespace {
constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
}

CDialogUnits::CDialogUnits(const QFont& font) {
    const QFontMetrics metrics(font);
    // The average width of the 52 letters, rounded to the nearest whole pixel.
    m_nBaseX = qMax(1, (metrics.horizontalAdvance(QLatin1String(kAlphabet)) / 26 + 1) / 2);
    m_nBaseY = qMax(1, metrics.height());
}

QFont CDialogUnits::templateFont() {
    QFont font(QStringLiteral("Times New Roman"));
    font.setPointSize(9);
    return font;
}

int CDialogUnits::x(int units) const {
    return (units * m_nBaseX + 2) / 4;
}

int CDialogUnits::y(int units) const {
    return (units * m_nBaseY + 4) / 8;
}

QRect CDialogUnits::rect(int x0, int y0, int cx, int cy) const {
    return QRect(x(x0), y(y0), x(cx), y(cy));
}

QSize CDialogUnits::size(int cx, int cy) const {
    return QSize(x(cx), y(cy));
}
