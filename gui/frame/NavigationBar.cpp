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

NavigationBar::NavigationBar(const QString& company, QWidget* frame)
    : QDockWidget(frame), m_frame(frame), m_company(company) {
    setObjectName(QStringLiteral("NavigationBar"));
    // The name assistive technology reads for the bar.
    setWindowTitle(tr("Navigation Bar"));
    setFeatures(QDockWidget::NoDockWidgetFeatures);
    setAllowedAreas(Qt::LeftDockWidgetArea);
    // The bar draws its own caption. The dock's title bar is an empty band over it that the
    // mouse passes through, as tall as the caption and the frame above it, so that the tree
    // (the dock's content) starts below the caption; the margins keep it inside the frame.
    auto* title = new QWidget(this);
    title->setAttribute(Qt::WA_TransparentForMouseEvents);
    (new QHBoxLayout(title))->setContentsMargins(0, kTreeTop, 0, 0); // its size hint: 0 x kTreeTop
    setTitleBarWidget(title);
    setContentsMargins(kTreeLeft, 0, kTreeRightGap, kTreeBottomGap);
    setMouseTracking(true);
    setMinimumSize(m_width, 0);
    setMaximumSize(m_width, QWIDGETSIZE_MAX);
}

bool NavigationBar::initBar() {
    // 14 pixels high in a serif face; Chinese comes from the desktop's fallback font.
    m_font = QFont(QStringLiteral("Times New Roman"));
    m_font.setPixelSize(14);
    m_font.setWeight(QFont::Normal);
    setFont(m_font);
    m_tree = new QTreeWidget(this);
    m_tree->setObjectName(QStringLiteral("NavigationTree"));
    m_tree->setAccessibleName(tr("Pages"));
    m_tree->setHeaderHidden(true);
    m_tree->setFrameShape(QFrame::NoFrame);
    m_tree->setRootIsDecorated(true);
    m_tree->setFont(m_font);
    m_tree->setIndentation(18);
    // As the dock's content the tree is laid out by it, and assistive technology finds it there.
    setWidget(m_tree);
    return m_tree != nullptr;
}

QRect NavigationBar::splitterRect() const {
    if (m_frameRect.isEmpty()) {
        return QRect();
    }
    return edges(m_frameRect.right() + 1, m_frameRect.top(), m_frameRect.right() + 1 + kSplitterWidth,
                 m_frameRect.bottom() + 1);
}

int NavigationBar::halfFrameWidth() const {
    return m_frame->width() / 2;
}

int NavigationBar::markX(int x) const {
    if (x < kMinMarkX) {
        x = kMinMarkX;
    }
    if (x > halfFrameWidth()) {
        x = halfFrameWidth();
    }
    return x;
}

int NavigationBar::dragMarkX() const {
    if (m_mark == nullptr || m_mark->isHidden()) {
        return -1;
    }
    return mapFrom(m_frame, m_mark->geometry().topLeft()).x();
}

void NavigationBar::paintEvent(QPaintEvent*) {
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
    m_frameRect = edges(4, 7, w - 6, h - 49);
    const int frameRight = m_frameRect.right() + 1;

    // Caption: the company name, then a grey line under the caption band.
    painter.setFont(m_font);
    painter.setPen(palette().color(QPalette::WindowText));
    const int textWidth = painter.fontMetrics().horizontalAdvance(m_company);
    painter.drawText(QRect(m_frameRect.left() + 5, m_frameRect.top(), textWidth, kCaptionHeight),
                     Qt::AlignCenter | Qt::TextSingleLine, m_company);
    painter.setPen(grey);
    painter.drawLine(m_frameRect.left() + 1, m_frameRect.top() + 22, frameRight - 1, m_frameRect.top() + 22);

    // Close button: raised while hovered, sunken while pressed.
    m_closeRect = edges(frameRight - 20, m_frameRect.top() + 4, frameRight - 4, m_frameRect.top() + 19);
    if (m_hover) {
        draw3dRect(painter, m_closeRect, palette().color(QPalette::Light), palette().color(QPalette::Dark));
    } else if (m_pressed) {
        draw3dRect(painter, m_closeRect, palette().color(QPalette::Dark), palette().color(QPalette::Light));
    }
    painter.drawPixmap(m_closeRect.topLeft(), Pictures::closeButton());
}

bool NavigationBar::event(QEvent* event) {
    switch (event->type()) {
    case QEvent::ToolTip: {
        auto* help = static_cast<QHelpEvent*>(event);
        if (!m_closeRect.isEmpty() && m_closeRect.contains(help->pos())) {
            QToolTip::showText(help->globalPos(), tr("Close"), this, m_closeRect);
        } else {
            QToolTip::hideText();
        }
        return true;
    }
    case QEvent::Leave:
        // Stands in for the capture the pointer would need to notice leaving the button.
        if (!m_buttonDown && (m_hover || m_pressed)) {
            m_hover = false;
            m_pressed = false;
            update(m_closeRect);
        }
        break;
    default:
        break;
    }
    return QDockWidget::event(event);
}

void NavigationBar::updateCursor(const QPoint& pos) {
    // Nothing is known of the bar's geometry before its first paint.
    if (m_frameRect.isEmpty()) {
        return;
    }
    setCursor(splitterRect().contains(pos) ? Qt::SplitHCursor : Qt::ArrowCursor);
}

void NavigationBar::mousePressEvent(QMouseEvent* event) {
    // Not passed on: the dock would start dragging the bar away.
    if (event->button() != Qt::LeftButton) {
        return;
    }
    const QPoint pos = event->position().toPoint();
    if (!m_closeRect.isEmpty()) {
        m_buttonDown = true;
        m_hover = false;
        m_pressed = m_closeRect.contains(pos);
        update(m_closeRect);
    }
    if (splitterRect().contains(pos)) {
        m_resizing = true;
    }
}

void NavigationBar::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    updateCursor(pos);
    if (m_resizing) {
        showMark(markX(pos.x()));
    }
    trackCloseButton(pos);
}

void NavigationBar::trackCloseButton(const QPoint& pos) {
    if (m_closeRect.isEmpty()) {
        return;
    }
    if (m_closeRect.contains(pos)) {
        if (m_hover) {
            return;
        }
        m_hover = !m_buttonDown;
        m_pressed = m_buttonDown;
        update(m_closeRect);
    } else if (m_hover || m_pressed) {
        m_hover = false;
        m_pressed = false;
        update(m_closeRect);
    }
}

void NavigationBar::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    const QPoint pos = event->position().toPoint();
    const bool wasPainted = m_pressed || m_hover;
    m_pressed = false;
    m_hover = false;
    m_buttonDown = false;
    if (wasPainted) {
        update(m_closeRect);
    }
    removeMark();
    if (!m_closeRect.isEmpty() && m_closeRect.contains(pos)) {
        emit closeClicked();
    }
    if (m_resizing) {
        applyWidth(pos.x());
    }
    m_resizing = false;
}

void NavigationBar::mouseDoubleClickEvent(QMouseEvent*) {
    // Ignored: a double click would float the bar.
}

void NavigationBar::showMark(int x) {
    if (m_mark == nullptr) {
        m_mark = new QRubberBand(QRubberBand::Line, m_frame);
    }
    // Three pixels wide, from the top of the bar to 43 pixels above its bottom.
    const QPoint topLeft = mapTo(m_frame, QPoint(x, 0));
    m_mark->setGeometry(topLeft.x(), topLeft.y(), 3, qMax(1, height() - 43));
    m_mark->show();
    m_mark->raise();
}

void NavigationBar::removeMark() {
    if (m_mark != nullptr) {
        m_mark->hide();
    }
}

void NavigationBar::applyWidth(int x) {
    if (x < kMinWidth) {
        x = kMinWidth;
    } else if (x > halfFrameWidth()) {
        x = halfFrameWidth();
    }
    m_width = x;
    setMinimumWidth(m_width);
    setMaximumWidth(m_width);
    update();
}
