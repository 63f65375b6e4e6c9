#pragma once

#include <QDockWidget>
#include <QFont>
#include <QRect>

class QRubberBand;
class QTreeWidget;

// The bar on the left of the main window that holds the navigation tree. It draws its own etched
// frame, a caption with the company name and a close button, and its width is changed by
// dragging the strip along its right edge. It cannot be floated or moved to another edge.
//
// Geometry, in the bar's coordinates with W x H its size:
//   frame      (4, 7) to (W - 6, H - 49), drawn etched just around it; empty until the first paint
//   caption    the 22 pixels at the top of the frame, with a line beneath
//   close      16 x 15 at (frame right - 20, frame top + 4)
//   splitter   the 6 pixels right of the frame, the height of the frame
// While dragging, a mark follows the pointer, kept between 80 pixels and half the main window's
// width; on release the bar takes the pointer's x as its width, kept between 11 pixels and that
// half.
class CNavigationBar : public QDockWidget {
    Q_OBJECT
public:
    static constexpr int kCaptionHeight = 22;
    static constexpr int kInitialWidth = 220;
    static constexpr int kSplitterWidth = 6;
    static constexpr int kMinMarkX = 80;
    static constexpr int kMinWidth = 11;

    // company: the root of the page tree, the text the bar paints at its top.
    CNavigationBar(const QString& company, QWidget* frame);

    // Creates the font and the tree (control 1031). False when the tree cannot be made.
    bool initBar();
    QTreeWidget* tree() const { return m_pTree; }

    int barWidth() const { return m_nWidth; }
    QRect frameRect() const { return m_rcFrame; }
    QRect closeRect() const { return m_rcClose; }
    QRect splitterRect() const;
    bool isCloseHover() const { return m_bHover; }
    bool isClosePressed() const { return m_bPressed; }
    bool isResizing() const { return m_bResizing; }
    // x of the drag mark in the bar's coordinates while one is shown, else -1.
    int dragMarkX() const;

signals:
    // The close button was released over; the main window hides the bar.
    void closeClicked();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    int halfFrameWidth() const;
    int markX(int x) const;
    void showMark(int x);
    void removeMark();
    void applyWidth(int x);
    void layoutTree();
    void updateCursor(const QPoint& pos);
    void trackCloseButton(const QPoint& pos);

    QWidget* m_pFrame;
    QFont m_font;
    QRect m_rcFrame;
    QString m_strCompany;
    int m_nWidth = kInitialWidth;
    QTreeWidget* m_pTree = nullptr;
    bool m_bResizing = false;
    QRubberBand* m_pMark = nullptr;
    QRect m_rcClose;
    bool m_bButtonDown = false;
    bool m_bHover = false;
    bool m_bPressed = false;
};
