#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>
#include <QString>

// The pictures built into the program (drawn as SVG under res/icons and res/pictures) and the
// two that an installation may replace with files beside the executable.
class Pictures {
public:
    static constexpr QSize kToolButtonSize{18, 19};
    static constexpr QSize kBackgroundSize{238, 157};

    // The program's icon: the main window and the About box show it unless "title.ico" replaces it.
    static QIcon appIcon();
    // The icon of a document window.
    static QIcon documentIcon();
    // "title.ico" from the program's folder (ending with '/'); a null icon when it is missing or
    // cannot be read.
    static QIcon titleIcon(const QString& appDir);
    // A toolbar picture by name (res/icons/<name>.svg), 18 x 19 pixels.
    static QIcon toolbarIcon(const QString& name);
    // The dark cross of the navigation bar's close button, 16 x 16.
    static QPixmap closeButton();
    // The tile behind the document windows when there is no "background.bmp", 238 x 157.
    static QPixmap builtInBackground();

    // A resource SVG drawn at the given size; a null pixmap when it cannot be drawn.
    static QPixmap render(const QString& resource, QSize size, qreal devicePixelRatio = 1.0);
};
