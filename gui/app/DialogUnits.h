#pragma once

#include <QFont>
#include <QRect>
#include <QSize>

// Converts the dialog units of the window templates into pixels: a horizontal unit is a quarter
// of the font's average character width, a vertical unit an eighth of its height, so a layout
// keeps its proportions whatever font the desktop gives.
class DialogUnits {
public:
    explicit DialogUnits(const QFont& font);

    // The font of every window template: Times New Roman, 9 points (the desktop substitutes
    // its nearest match).
    static QFont templateFont();

    int x(int units) const;
    int y(int units) const;
    QRect rect(int x, int y, int cx, int cy) const;
    QSize size(int cx, int cy) const;

private:
    int m_baseX = 6;
    int m_baseY = 13;
};
