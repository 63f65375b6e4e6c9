#include "frame/NavigationBar.h"

#include "app/Pictures.h"

#include <QHBoxLayout>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QRubberBand>
#include <QToolTip>
#include <QTreeWidget>

namespace {

// A rectangle from its left, top, right and bottom edges, the right and bottom ones excluded.
QRect edges(int left, int top, int right, int bottom) {
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

// An outline one pixel wide: topLeft colour on the left and top edges, bottomRight on the others.
void draw3dRect(QPainter& painter, const QRect& r, const QColor& topLeft, const QColor& bottomRight) {
    painter.setPen(topLeft);
    painter.drawLine(r.left(), r.top(), r.right() - 1, r.top());
    painter.drawLine(r.left(), r.top(), r.left(), r.bottom() - 1);
    painter.setPen(bottomRight);
    painter.drawLine(r.right(), r.top(), r.right(), r.bottom());
    painter.drawLine(r.left(), r.bottom(), r.right(), r.bottom());
}

} // namespace

CNavigationBar::CNavigationBar(const QString& company, QWidget* frame)
    : QDockWidget(frame), m_pFrame(frame), m_strCompany(company) {
    setObjectName(QStringLiteral("NavigationBar"));
    setWindowTitle(QStringLiteral("IE Control Bar"));
    setFeatures(QDockWidget::NoDockWidgetFeatures);
    setAllowedAreas(Qt::LeftDockWidgetArea);
    // The bar draws its own caption; the dock's title bar takes no room.
    // (An empty layout gives the title widget a size hint of 0 x 0.)
    auto* title = new QWidget(this);
    (new QHBoxLayout(title))->setContentsMargins(0, 0, 0, 0);
    setTitleBarWidget(title);
    // An empty content widget keeps the dock's layout sound; the bar paints and takes the mouse
    // through it.
    auto* content = new QWidget(this);
    content->setAttribute(Qt::WA_TransparentForMouseEvents);
    setWidget(content);
    setMouseTracking(true);
    setMinimumSize(m_nWidth, 0);
    setMaximumSize(m_nWidth, QWIDGETSIZE_MAX);
}

bool CNavigationBar::initBar() {
    // 14 pixels high in a serif face; Chinese comes from the desktop's fallback font.
    m_font = QFont(QStringLiteral("Times New Roman"));
    m_font.setPixelSize(14);
    m_font.setWeight(QFont::Normal);
    setFont(m_font);
    m_pTree = new QTreeWidget(this);
    m_pTree->setObjectName(QStringLiteral("NavigationTree"));
    m_pTree->setHeaderHidden(true);
    m_pTree->setFrameShape(QFrame::NoFrame);
    m_pTree->setRootIsDecorated(true);
    m_pTree->setFont(m_font);
    m_pTree->setIndentation(18);
    layoutTree();
    m_pTree->raise();
    m_pTree->show();
    return m_pTree != nullptr;
}

QRect CNavigationBar::splitterRect() const {
    if (m_rcFrame.isEmpty()) {
        return QRect();
    }
    return edges(m_rcFrame.right() + 1, m_rcFrame.top(), m_rcFrame.right() + 1 + kSplitterWidth,
                 m_rcFrame.bottom() + 1);
}

int CNavigationBar::halfFrameWidth() const {
    return m_pFrame->width() / 2;
}

int CNavigationBar::markX(int x) const {
    if (x < kMinMarkX) {
        x = kMinMarkX;
    }
    if (x > halfFrameWidth()) {
        x = halfFrameWidth();
    }
    return x;
}

int CNavigationBar::dragMarkX() const {
    if (m_pMark == nullptr || m_pMark->isHidden()) {
        return -1;
    }
    return mapFrom(m_pFrame, m_pMark->geometry().topLeft()).x();
}

void CNavigationBar::layoutTree() {
    if (m_pTree == nullptr) {
        return;
    }
    // Left 5, below the caption, right to 8 pixels short of the bar's width. The bottom follows
    // the main window's height but stays inside the drawn frame.
    const int bottom = qMin(m_pFrame->height() - 51, height() - 51);
    m_pTree->setGeometry(
        edges(5, 8 + kCaptionHeight + 1, m_nWidth - 8, qMax(bottom, 8 + kCaptionHeight + 1)));
}

void CNavigationBar::resizeEvent(QResizeEvent* event) {
    QDockWidget::resizeEvent(event);
    layoutTree();
}

void CNavigationBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const int w = width();
    const int h = height();
    const QColor grey = palette().color(QPalette::Disabled, QPalette::WindowText);

    // Etched frame: a grey outline with white lines inside its top-left and outside its
    // bottom-right edges.
    draw3dRect(painter, edges(3, 6, w - 6, h - 49), grey, grey);
    painter.setPen(Qt::white);
    painter.drawLine(4, 7, 4, h - 51);
    painter.drawLine(4, 7, w - 8, 7);
    painter.drawLine(w - 6, 6, w - 6, h - 50);
    painter.drawLine(3, h - 49, w - 6, h - 49);
    m_rcFrame = edges(4, 7, w - 6, h - 49);
    const int frameRight = m_rcFrame.right() + 1;

    // Caption: the company name, then a grey line under the caption band.
    painter.setFont(m_font);
    painter.setPen(palette().color(QPalette::WindowText));
    const int textWidth = painter.fontMetrics().horizontalAdvance(m_strCompany);
    painter.drawText(QRect(m_rcFrame.left() + 5, m_rcFrame.top(), textWidth, kCaptionHeight),
                     Qt::AlignCenter | Qt::TextSingleLine, m_strCompany);
    painter.setPen(grey);
    painter.drawLine(m_rcFrame.left() + 1, m_rcFrame.top() + 22, frameRight - 1, m_rcFrame.top() + 22);

    // Close button: raised while hovered, sunken while pressed.
    m_rcClose = edges(frameRight - 20, m_rcFrame.top() + 4, frameRight - 4, m_rcFrame.top() + 19);
    if (m_bHover) {
        draw3dRect(painter, m_rcClose, palette().color(QPalette::Light), palette().color(QPalette::Dark));
    } else if (m_bPressed) {
        draw3dRect(painter, m_rcClose, palette().color(QPalette::Dark), palette().color(QPalette::Light));
    }
    painter.drawPixmap(m_rcClose.topLeft(), CPictures::closeButton());
}

bool CNavigationBar::event(QEvent* event) {
    switch (event->type()) {
    case QEvent::ToolTip: {
        auto* help = static_cast<QHelpEvent*>(event);
        if (!m_rcClose.isEmpty() && m_rcClose.contains(help->pos())) {
            QToolTip::showText(help->globalPos(), tr("Close"), this, m_rcClose);
        } else {
            QToolTip::hideText();
        }
        return true;
    }
    case QEvent::Leave:
        // Stands in for the capture the pointer would need to notice leaving the button.
        if (!m_bButtonDown && (m_bHover || m_bPressed)) {
            m_bHover = false;
            m_bPressed = false;
            update(m_rcClose);
        }
        break;
    default:
        break;
    }
    return QDockWidget::event(event);
}

void CNavigationBar::updateCursor(const QPoint& pos) {
    // Nothing is known of the bar's geometry before its first paint.
    if (m_rcFrame.isEmpty()) {
        return;
    }
    setCursor(splitterRect().contains(pos) ? Qt::SplitHCursor : Qt::ArrowCursor);
}

void CNavigationBar::mousePressEvent(QMouseEvent* event) {
    // Not passed on: the dock would start dragging the bar away.
    if (event->button() != Qt::LeftButton) {
        return;
    }
    const QPoint pos = event->position().toPoint();
    if (!m_rcClose.isEmpty()) {
        m_bButtonDown = true;
        m_bHover = false;
        m_bPressed = m_rcClose.contains(pos);
        update(m_rcClose);
    }
    if (splitterRect().contains(pos)) {
        m_bResizing = true;
    }
}

void CNavigationBar::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    updateCursor(pos);
    if (m_bResizing) {
        showMark(markX(pos.x()));
    }
    trackCloseButton(pos);
}

void CNavigationBar::trackCloseButton(const QPoint& pos) {
    if (m_rcClose.isEmpty()) {
        return;
    }
    if (m_rcClose.contains(pos)) {
        if (m_bHover) {
            return;
        }
        m_bHover = !m_bButtonDown;
        m_bPressed = m_bButtonDown;
        update(m_rcClose);
    } else if (m_bHover || m_bPressed) {
        m_bHover = false;
        m_bPressed = false;
        update(m_rcClose);
    }
}

void CNavigationBar::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    const QPoint pos = event->position().toPoint();
    const bool wasPainted = m_bPressed || m_bHover;
    m_bPressed = false;
    m_bHover = false;
    m_bButtonDown = false;
    if (wasPainted) {
        update(m_rcClose);
    }
    removeMark();
    if (!m_rcClose.isEmpty() && m_rcClose.contains(pos)) {
        emit closeClicked();
    }
    if (m_bResizing) {
        applyWidth(pos.x());
    }
    m_bResizing = false;
}

void CNavigationBar::mouseDoubleClickEvent(QMouseEvent*) {
    // Ignored: a double click would float the bar.
}

void CNavigationBar::showMark(int x) {
    if (m_pMark == nullptr) {
        m_pMark = new QRubberBand(QRubberBand::Line, m_pFrame);
    }
    // Three pixels wide, from the top of the bar to 43 pixels above its bottom.
    const QPoint topLeft = mapTo(m_pFrame, QPoint(x, 0));
    m_pMark->setGeometry(topLeft.x(), topLeft.y(), 3, qMax(1, height() - 43));
    m_pMark->show();
    m_pMark->raise();
}

void CNavigationBar::removeMark() {
    if (m_pMark != nullptr) {
        m_pMark->hide();
    }
}

void CNavigationBar::applyWidth(int x) {
    if (x < kMinWidth) {
        x = kMinWidth;
    } else if (x > halfFrameWidth()) {
        x = halfFrameWidth();
    }
    m_nWidth = x;
    setMinimumWidth(m_nWidth);
    setMaximumWidth(m_nWidth);
    layoutTree();
    update();
}
