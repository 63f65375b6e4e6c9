#pragma once

#include <QUrl>
#include <QWidget>

class AppContext;
class QAction;
class QLabel;
class QLineEdit;
class QTextBrowser;
class QTreeWidget;
class QTreeWidgetItem;

// The manual inside the program: the shipped HTML page of the running language in a text
// browser, with Back, Forward and Home, an index of the page's section headings, a search in
// the page and a button that hands the page on to the desktop's web browser. Links within the
// manual stay in the window; web and mail links go to the browser. One window per run of the
// program (the context owns it), shown again and raised by every help call; it never holds up
// the program and does not keep it running once the main window has closed. It opens where and
// at the size it was last (the per-user store keeps that), when that still fits a screen.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(AppContext& context, QWidget* parent = nullptr);
    ~HelpWindow() override;

    // Shows the page at url with the place its fragment names on the first line, and brings the
    // window to the front. The place stays on the first line while the window settles (a window
    // manager may resize it after showing) until the user scrolls or goes elsewhere. Asked from
    // within a modal dialog, the window belongs to the dialog while it is open, so that it can be
    // read and scrolled meanwhile; asked while a menu is open, it does not take the keyboard from
    // the menu, which would close it.
    void showPage(const QUrl& url);

    // Finds the search field's text after the cursor, from the top again after the last match;
    // false when the page does not contain it. The line beside the field says which.
    bool findNext();

    QTextBrowser* browser() const { return m_browser; }
    QTreeWidget* index() const { return m_index; }
    QLineEdit* findField() const { return m_findField; }
    QLabel* findStatus() const { return m_findStatus; }
    QAction* backAction() const { return m_back; }
    QAction* forwardAction() const { return m_forward; }
    QAction* homeAction() const { return m_home; }
    QAction* browserAction() const { return m_openInBrowser; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void onLinkClicked(const QUrl& link);
    void onSourceChanged(const QUrl& source);
    void onIndexEntry(QTreeWidgetItem* item);
    // Lists the h2 and h3 headings of the loaded page, h3 below the h2 before it.
    void rebuildIndex();
    // Scrolls the place showPage was asked for to the first line, if it is still wanted.
    void keepPlaceAtTop();
    // Room below the end of the page, so that a place near the end can come to the first line.
    void updateEndSpace();
    void restoreWindowPlace();
    void storeWindowPlace();

    AppContext& m_context;
    QTextBrowser* m_browser;
    QTreeWidget* m_index;
    QLineEdit* m_findField;
    QLabel* m_findStatus;
    QAction* m_back;
    QAction* m_forward;
    QAction* m_home;
    QAction* m_openInBrowser;
    // The page the index was built from, without a fragment.
    QUrl m_indexedPage;
    // The anchor showPage scrolled to, until the user scrolls or goes elsewhere.
    QString m_anchorAtTop;
};
