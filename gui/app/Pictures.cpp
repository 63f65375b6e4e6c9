#include "app/Pictures.h"

#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <QPixmapCache>
#include <QSvgRenderer>

QPixmap Pictures::render(const QString& resource, QSize size, qreal devicePixelRatio) {
    QSvgRenderer renderer(resource);
    if (!renderer.isValid()) {
        return QPixmap();
    }
    QPixmap pixmap(size * devicePixelRatio);
    pixmap.fill(Qt::transparent);
    {
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter);
    }
    pixmap.setDevicePixelRatio(devicePixelRatio);
    return pixmap;
}

namespace {

QIcon iconFromSvg(const QString& resource) {
    QIcon icon;
    for (int side : {16, 24, 32, 48, 64, 128, 256}) {
        icon.addPixmap(Pictures::render(resource, QSize(side, side)));
    }
    return icon;
}

// Pictures drawn on every paint are kept in Qt's pixmap cache, which lives and dies with the
// application object.
QPixmap cached(const QString& resource, QSize size) {
    const QString key = QStringLiteral("%1@%2x%3").arg(resource).arg(size.width()).arg(size.height());
    QPixmap pixmap;
    if (!QPixmapCache::find(key, &pixmap)) {
        pixmap = Pictures::render(resource, size);
        QPixmapCache::insert(key, pixmap);
    }
    return pixmap;
}

} // namespace

QIcon Pictures::appIcon() {
    return iconFromSvg(QStringLiteral(":/pictures/app.svg"));
}

QIcon Pictures::documentIcon() {
    return iconFromSvg(QStringLiteral(":/pictures/document.svg"));
}

QIcon Pictures::titleIcon(const QString& appDir) {
    const QString path = appDir + QStringLiteral("title.ico");
    if (!QFileInfo(path).isFile()) {
        return QIcon();
    }
    // Every picture of the file at its own size; a file that holds none is no icon.
    QIcon icon;
    QImageReader reader(path);
    do {
        const QImage image = reader.read();
        if (!image.isNull()) {
            icon.addPixmap(QPixmap::fromImage(image));
        }
    } while (reader.jumpToNextImage());
    return icon;
}

QIcon Pictures::toolbarIcon(const QString& name) {
    const QString resource = QStringLiteral(":/icons/%1.svg").arg(name);
    QIcon icon;
    icon.addPixmap(render(resource, kToolButtonSize));
    icon.addPixmap(render(resource, kToolButtonSize, 2.0));
    return icon;
}

QPixmap Pictures::closeButton() {
    return cached(QStringLiteral(":/icons/close.svg"), QSize(16, 16));
}

QPixmap Pictures::builtInBackground() {
    return cached(QStringLiteral(":/pictures/background.svg"), kBackgroundSize);
}
