#pragma once

#include <QUrl>

#include <functional>

class AppContext;
class QWidget;

// The help pages: one HTML manual per language in the program's folder (the context's helpFile()
// under its dataDir()), with an anchor for every help context id. The program shows them in its
// own help window; the desktop's web browser gets a page only when the user asks for it. Both
// ways can be watched and replaced, so tests see which page and context were asked for.
class Help {
public:
    // Sees a help call's page before the help window shows it; true when it has been dealt with
    // and the window is to stay as it is.
    using Watcher = std::function<bool(const QUrl&)>;
    // Hands a page to a web browser; true when it was taken.
    using Opener = std::function<bool(const QUrl&)>;

    // file:// URL of the page of the running language; the context id is the fragment, and 0
    // gives the top of the page.
    static QUrl url(const AppContext& context, int contextId);
    // Shows the page at the context in the context's help window. A missing page is reported in a
    // message box.
    static void open(AppContext& context, QWidget* parent, int contextId);
    // Hands the URL, anchor included, to the desktop's web browser.
    static bool openInBrowser(const QUrl& url);

    // nullptr: every help call goes to the help window.
    static void setWatcher(Watcher watcher);
    // nullptr restores the desktop's browser (QDesktopServices::openUrl).
    static void setOpener(Opener opener);

private:
    static Watcher s_watcher;
    static Opener s_opener;
};
