#include "frame/MdiClientWnd.h"

#include "app/Pictures.h"
#include "frame/ChildFrame.h"

#include <QPainter>

MdiClientWnd::MdiClientWnd(const QString& appDir, QWidget* parent) : QMdiArea(parent), m_appDir(appDir) {
    setObjectName(QStringLiteral("MdiClient"));
}

QPixmap MdiClientWnd::tile() const {
    const QPixmap file(m_appDir + QStringLiteral("background.bmp"));
    return file.isNull() ? Pictures::builtInBackground() : file;
}

void MdiClientWnd::paintEvent(QPaintEvent* event) {
    const QPixmap picture = tile();
    if (picture.isNull()) {
        QMdiArea::paintEvent(event);
        return;
    }
    // Whole tiles from the top-left corner; the last column and row are cut off by the edge.
    QPainter painter(viewport());
    const QRect area = viewport()->rect();
    const int w = picture.width();
    const int h = picture.height();
    for (int i = 0; i <= area.width() / w; ++i) {
        for (int j = 0; j <= area.height() / h; ++j) {
            painter.drawPixmap(area.left() + i * w, area.top() + j * h, picture);
        }
    }
}

void MdiClientWnd::resizeEvent(QResizeEvent* event) {
    QMdiArea::resizeEvent(event);
    // A document window never reaches past the area: its form scrolls inside it instead.
    for (QMdiSubWindow* window : subWindowList()) {
        if (auto* child = qobject_cast<ChildFrame*>(window); child && !child->isMaximized()) {
            child->fitToView();
        }
    }
    viewport()->update();
}
