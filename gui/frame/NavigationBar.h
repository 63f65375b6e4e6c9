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
//   tree       (5, 31) to (W - 8, H - 51)
// While dragging, a mark follows the pointer, kept between 80 pixels and half the main window's
// width; on release the bar takes the pointer's x as its width, kept between 11 pixels and that
// half.
class NavigationBar : public QDockWidget {
    Q_OBJECT
public:
    static constexpr int kCaptionHeight = 22;
    static constexpr int kInitialWidth = 220;
    static constexpr int kSplitterWidth = 6;
    static constexpr int kMinMarkX = 80;
    static constexpr int kMinWidth = 11;
    static constexpr int kTreeLeft = 5;
    static constexpr int kTreeTop = 8 + kCaptionHeight + 1;
    static constexpr int kTreeRightGap = 8;
    static constexpr int kTreeBottomGap = 51;

    // company: the root of the page tree, the text the bar paints at its top.
    NavigationBar(const QString& company, QWidget* frame);

    // Creates the font and the tree (control 1031). False when the tree cannot be made.
    bool initBar();
    QTreeWidget* tree() const { return m_tree; }

    int barWidth() const { return m_width; }
    QRect frameRect() const { return m_frameRect; }
    QRect closeRect() const { return m_closeRect; }
    QRect splitterRect() const;
    bool isCloseHover() const { return m_hover; }
    bool isClosePressed() const { return m_pressed; }
    bool isResizing() const { return m_resizing; }
    // x of the drag mark in the bar's coordinates while one is shown, else -1.
    int dragMarkX() const;

signals:
    // The close button was released over; the main window hides the bar.
    void closeClicked();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
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
    void updateCursor(const QPoint& pos);
    void trackCloseButton(const QPoint& pos);

    QWidget* m_frame;
    QFont m_font;
    QRect m_frameRect;
    QString m_company;
    int m_width = kInitialWidth;
    QTreeWidget* m_tree = nullptr;
    bool m_resizing = false;
    QRubberBand* m_mark = nullptr;
    QRect m_closeRect;
    bool m_buttonDown = false;
    bool m_hover = false;
    bool m_pressed = false;
};
