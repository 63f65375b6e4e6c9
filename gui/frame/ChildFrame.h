#pragma once

#include <QMdiSubWindow>

class AppContext;
class CProgramDoc;
class CProgramView;

// The window of one document. Closing it (close box, Ctrl+F4, File Close) only hides it: the
// document stays loaded and Channel Information shows the same window again. It is destroyed
// only by File New replacing it, or with the main window.
class CChildFrame : public QMdiSubWindow {
    Q_OBJECT
public:
    // Takes over doc and makes its view.
    CChildFrame(AppContext& context, CProgramDoc* doc, QWidget* parent = nullptr);
    ~CChildFrame() override;

    CProgramDoc* document() const { return m_pDocument; }
    CProgramView* view() const { return m_pView; }

    // Makes the window exactly as large as the form.
    void fitToView();
    // Destroys the window with its view and document at once.
    void destroyWindow();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void updateTitle();

    CProgramDoc* m_pDocument;
    CProgramView* m_pView;
};
