#include "app/DialogUnits.h"

#include <QFontMetrics>

namespace {
constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
}

DialogUnits::DialogUnits(const QFont& font) {
    const QFontMetrics metrics(font);
    // The average width of the 52 letters, rounded to the nearest whole pixel.
    m_baseX = qMax(1, (metrics.horizontalAdvance(QLatin1String(kAlphabet)) / 26 + 1) / 2);
    m_baseY = qMax(1, metrics.height());
}

QFont DialogUnits::templateFont() {
    QFont font(QStringLiteral("Times New Roman"));
    font.setPointSize(9);
    return font;
}

int DialogUnits::x(int units) const {
    return (units * m_baseX + 2) / 4;
}

int DialogUnits::y(int units) const {
    return (units * m_baseY + 4) / 8;
}

QRect DialogUnits::rect(int x0, int y0, int cx, int cy) const {
    return QRect(x(x0), y(y0), x(cx), y(cy));
}

QSize DialogUnits::size(int cx, int cy) const {
    return QSize(x(cx), y(cy));
}
