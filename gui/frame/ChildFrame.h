#pragma once

#include <QMdiSubWindow>

class AppContext;
class ProgramDoc;
class ProgramView;

// The window of one document. Closing it (close box, Ctrl+F4, File Close) only hides it: the
// document stays loaded and Channel Information shows the same window again. It is destroyed
// only by File New replacing it, or with the main window.
class ChildFrame : public QMdiSubWindow {
    Q_OBJECT
public:
    // Takes over doc and makes its view.
    ChildFrame(AppContext& context, ProgramDoc* doc, QWidget* parent = nullptr);
    ~ChildFrame() override;

    ProgramDoc* document() const { return m_document; }
    ProgramView* view() const { return m_view; }

    // Makes the window exactly as large as the form, or as the document area where that is
    // smaller (the channel grid then scrolls).
    void fitToView();
    // Destroys the window with its view and document at once.
    void destroyWindow();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void updateTitle();

    ProgramDoc* m_document;
    ProgramView* m_view;
};
